#include "platform/vcl/canvas.h"

#include "platform/gdi/gdi.h"
#include "platform/win/window.h"

HFONT VclFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

namespace {

// The canvas font for one call: made from the font's fields when it has a height (deleted with the guard).
class CanvasFont {
 public:
  explicit CanvasFont(const TFont& font) {
    if (font.Height == 0) return;
    const BYTE pitch = font.Pitch == fpFixed      ? static_cast<BYTE>(FIXED_PITCH | FF_MODERN)
                       : font.Pitch == fpVariable ? static_cast<BYTE>(VARIABLE_PITCH | FF_SWISS)
                                                  : static_cast<BYTE>(DEFAULT_PITCH);
    made_ = CreateFont(-font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                       pitch, "");
  }
  ~CanvasFont() {
    if (made_) DeleteObject(made_);
  }
  CanvasFont(const CanvasFont&) = delete;
  CanvasFont& operator=(const CanvasFont&) = delete;
  HFONT get() const { return made_ ? made_ : VclFont(); }

 private:
  HFONT made_ = nullptr;
};

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
  HWND hwnd = control_->Handle();
  if (!hwnd) return;
  HDC dc = GetDC(hwnd);
  const CanvasFont font(Font);
  HGDIOBJ old = SelectObject(dc, font.get());
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
  const CanvasFont font(Font);
  HGDIOBJ old = SelectObject(dc, font.get());
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& text) const {
  HDC dc = GetDC(nullptr);
  const CanvasFont font(Font);
  HGDIOBJ old = SelectObject(dc, font.get());
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}
