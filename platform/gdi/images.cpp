#include "platform/gdi/images.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/cursor.h"
#include "platform/win/window.h"

namespace {

// The pixels of a bitmap as top-down 0x00RRGGBB rows.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, SIZE size) {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.cy), px.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  return px;
}

HBITMAP WritePixels(const std::vector<std::uint32_t>& px, SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  HBITMAP out = CreateCompatibleBitmap(screen, size.cx, size.cy);
  ReleaseDC(nullptr, screen);
  if (!out) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  SetDIBits(dc, out, 0, static_cast<UINT>(size.cy), px.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  return out;
}

// 0x00RRGGBB of a COLORREF (0x00BBGGRR).
std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The stock icons: a disc or a triangle with a sign, in 32 x 32.
void DrawStockIcon(HDC dc, int x, int y, std::uintptr_t number) {
  COLORREF back = RGB(0, 0, 160);
  const char* sign = "i";
  bool triangle = false;
  switch (number) {
    case 32513: back = RGB(192, 0, 0); sign = "X"; break;    // hand (stop)
    case 32514: sign = "?"; break;                           // question
    case 32515: back = RGB(240, 200, 0); sign = "!"; triangle = true; break;  // exclamation
    case 32516: sign = "i"; break;                           // asterisk (information)
    default: sign = ""; break;                               // application
  }
  const int save = SaveDC(dc);
  HBRUSH brush = CreateSolidBrush(back);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  if (number == 0 || (number != 32513 && number != 32514 && number != 32515 && number != 32516)) {
    // The application: a small window.
    Rectangle(dc, x + 2, y + 4, x + 30, y + 28);
    RECT bar{x + 3, y + 5, x + 29, y + 10};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    RECT body{x + 3, y + 10, x + 29, y + 27};
    FillRect(dc, &body, GetSysColorBrush(COLOR_WINDOW));
  } else if (triangle) {
    const POINT pts[3] = {{x + 16, y + 2}, {x + 30, y + 29}, {x + 2, y + 29}};
    Polygon(dc, pts, 3);
  } else {
    Ellipse(dc, x + 2, y + 2, x + 30, y + 30);
  }
  if (*sign) {
    LOGFONTA lf{};
    lf.lfHeight = -18;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    HFONT font = CreateFontIndirect(&lf);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, triangle ? RGB(0, 0, 0) : RGB(255, 255, 255));
    RECT r{x, y + (triangle ? 8 : 4), x + 32, y + 30};
    DrawText(dc, sign, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, save);
    DeleteObject(font);
  } else {
    RestoreDC(dc, save);
  }
  DeleteObject(brush);
  DeleteObject(pen);
}

}  // namespace

HBITMAP CreateMappedBitmap(HINSTANCE instance, INT_PTR id, UINT, const COLORMAP* map, int count) {
  if (count > 0 && !map) return nullptr;
  HBITMAP source = LoadBitmap(instance, MAKEINTRESOURCE(static_cast<std::uintptr_t>(id)));
  if (!source) return nullptr;
  const SIZE size = platform::gdi::BitmapSize(source);
  std::vector<std::uint32_t> px = ReadPixels(source, size);
  DeleteObject(source);
  for (std::uint32_t& p : px) {
    for (int i = 0; i < count; ++i) {
      if ((p & 0xFFFFFF) == Rgb(map[i].from)) {
        p = Rgb(map[i].to);
        break;
      }
    }
  }
  return WritePixels(px, size);
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  if (!icon || !dc) return FALSE;
  HINSTANCE instance = nullptr;
  std::uintptr_t number = 0;
  if (platform::win::IconSource(icon, &instance, &number) && instance && number) {
    if (HBITMAP own = LoadBitmap(instance, MAKEINTRESOURCE(number))) {
      platform::gdi::DrawBitmapAt(dc, x, y, own);
      DeleteObject(own);
      return TRUE;
    }
  }
  DrawStockIcon(dc, x, y, number);
  return TRUE;
}

namespace platform::gdi {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || GetObject(bitmap, sizeof(bm), &bm) == 0) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

void DrawBitmapAt(HDC dc, int x, int y, HBITMAP bitmap, bool dimmed) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  if (!dimmed) {
    BitBlt(dc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
  } else {
    // Dark pixels in the shadow colour over their highlight one pixel down and right; the rest left out.
    const std::vector<std::uint32_t> px = ReadPixels(bitmap, size);
    for (int pass = 0; pass < 2; ++pass) {
      const COLORREF colour = GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      for (int j = 0; j < size.cy; ++j)
        for (int i = 0; i < size.cx; ++i) {
          const std::uint32_t p = px[static_cast<std::size_t>(j) * static_cast<std::size_t>(size.cx) + static_cast<std::size_t>(i)];
          const int lum = (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10;
          if (lum < 128) SetPixelV(dc, x + i + (pass == 0 ? 1 : 0), y + j + (pass == 0 ? 1 : 0), colour);
        }
    }
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace platform::gdi
