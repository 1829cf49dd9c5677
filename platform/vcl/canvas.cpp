#include "platform/vcl/canvas.h"

#include "platform/gdi/gdi.h"
#include "platform/win/window.h"

HFONT VclFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void TCanvas::TextOut(int x, int y, const std::string& text) {
  HWND hwnd = control_->Handle();
  if (!hwnd) return;
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, VclFont());
  SetTextColor(dc, ColorToRGB(Font.Color));
  SetBkColor(dc, ColorToRGB(Brush.Color));
  SetBkMode(dc, OPAQUE);
  ::TextOut(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
}

void TCanvas::FillRect(const RECT& rect) {
  HWND hwnd = control_->Handle();
  if (!hwnd) return;
  HDC dc = GetDC(hwnd);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Brush.Color));
  ::FillRect(dc, &rect, brush);
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
}

int TCanvas::TextWidth(const std::string& text) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, VclFont());
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& text) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, VclFont());
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}
