#include "platform/gdi/menu_paint.h"

#include <algorithm>
#include <string>

#include "platform/gdi/control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/mnemonic.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/menu.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace platform::gdi {
namespace {

constexpr int kBarPadding = 6;      // left and right of a bar item's text
constexpr int kPopupFrame = 3;      // raised edge and one pixel of face
constexpr int kCheckColumn = 18;    // room for the check mark left of the text
constexpr int kArrowColumn = 18;    // room for a cascade's arrow right of the text
constexpr int kAccelGap = 24;       // between the text and its accelerator text
constexpr int kSeparatorHeight = 9;
constexpr int kMinPopupWidth = 80;

LOGFONTA MenuFont() {
  LOGFONTA lf{};
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  return lf;
}

// An item's text splits at a tab into the label and the accelerator text shown at the right.
void SplitAtTab(const std::string& s, std::string* label, std::string* accel) {
  const std::size_t tab = s.find('\t');
  *label = s.substr(0, tab);
  *accel = tab == std::string::npos ? std::string() : s.substr(tab + 1);
}

int TextWidth(const LOGFONTA& font, const std::string& s) {
  return static_cast<int>(MeasureText(font, s.c_str(), static_cast<int>(s.size())).cx);
}

int ItemHeight(const LOGFONTA& font) {
  const TEXTMETRICA tm = MeasureFontMetrics(font);
  return std::max<int>(GetSystemMetrics(SM_CYMENU), static_cast<int>(tm.tmHeight) + 6);
}

// Draws a label with its mnemonic underlined, vertically centred in r.
void DrawLabel(HDC dc, const LOGFONTA& font, const std::string& raw, const RECT& r, COLORREF colour) {
  const MnemonicText l = StripMnemonic(raw);
  SetTextColor(dc, colour);
  RECT t = r;
  DrawText(dc, l.text.c_str(), static_cast<int>(l.text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (l.mnemonic == std::string::npos) return;
  const TEXTMETRICA tm = MeasureFontMetrics(font);
  const int x0 = r.left + TextWidth(font, l.text.substr(0, l.mnemonic));
  const int x1 = x0 + TextWidth(font, l.text.substr(l.mnemonic, 1));
  const int y = (r.top + r.bottom + static_cast<int>(tm.tmHeight)) / 2 - static_cast<int>(tm.tmDescent) + 1;
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y, nullptr);
  LineTo(dc, x1, y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawCheck(HDC dc, const RECT& cell, bool radio, COLORREF colour) {
  const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  if (radio) {
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
  } else {
    // A tick of three strokes.
    for (int d = 0; d < 3; ++d) {
      MoveToEx(dc, cx - 4, cy - 1 + d, nullptr);
      LineTo(dc, cx - 1, cy + 2 + d);
      LineTo(dc, cx + 4, cy - 3 + d);
    }
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void DrawArrow(HDC dc, const RECT& cell, COLORREF colour) {
  const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
  const POINT p[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  Polygon(dc, p, 3);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}

}  // namespace

RECT MenuBarRect(HWND hwnd) {
  if (!GetMenu(hwnd)) return RECT{0, 0, 0, 0};
  RECT window{};
  GetWindowRect(hwnd, &window);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int left = origin.x - window.left;
  const int bottom = origin.y - window.top;
  const int width = window.right - window.left;
  return RECT{left, bottom - GetSystemMetrics(SM_CYMENU), std::max(left, width - left), bottom};
}

std::vector<RECT> MenuBarItemRects(HWND hwnd) {
  std::vector<RECT> out;
  HMENU menu = GetMenu(hwnd);
  if (!menu) return out;
  const RECT bar = MenuBarRect(hwnd);
  const LOGFONTA font = MenuFont();
  const int count = GetMenuItemCount(menu);
  std::vector<int> widths;
  int right_from = count;
  for (int i = 0; i < count; ++i) {
    const auto info = platform::win::DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    widths.push_back(TextWidth(font, StripMnemonic(info.text).text) + 2 * kBarPadding);
    if ((info.flags & MF_RIGHTJUSTIFY) && right_from == count) right_from = i;
  }
  int x = bar.left;
  for (int i = 0; i < right_from; ++i) {
    out.push_back(RECT{x, bar.top, x + widths[static_cast<std::size_t>(i)], bar.bottom});
    x += widths[static_cast<std::size_t>(i)];
  }
  int tail = 0;
  for (int i = right_from; i < count; ++i) tail += widths[static_cast<std::size_t>(i)];
  x = std::max<int>(x, bar.right - tail);
  for (int i = right_from; i < count; ++i) {
    out.push_back(RECT{x, bar.top, x + widths[static_cast<std::size_t>(i)], bar.bottom});
    x += widths[static_cast<std::size_t>(i)];
  }
  return out;
}

void PaintMenuBar(HDC dc, HWND hwnd, int hot) {
  HMENU menu = GetMenu(hwnd);
  if (!menu) return;
  const RECT bar = MenuBarRect(hwnd);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
  const LOGFONTA font = MenuFont();
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const std::vector<RECT> items = MenuBarItemRects(hwnd);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto info = platform::win::DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    const bool grey = (info.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    const bool lit = static_cast<int>(i) == hot;
    if (lit) FillRect(dc, &items[i], GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT t = items[i];
    t.left += kBarPadding;
    const int colour = grey ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    DrawLabel(dc, font, info.text, t, GetSysColor(colour));
  }
  SelectObject(dc, old);
}

RECT SystemMenuBoxRect(HWND hwnd) {
  const auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  if ((style & WS_CHILD) || !(style & WS_SYSMENU) || (style & WS_CAPTION) != WS_CAPTION) return RECT{0, 0, 0, 0};
  RECT window{};
  GetWindowRect(hwnd, &window);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int border = origin.x - window.left;
  const int side = GetSystemMetrics(SM_CYCAPTION) - 3;
  return RECT{border + 1, border + 1, border + 1 + side, border + 1 + side};
}

void PaintSystemMenuBox(HDC dc, const RECT& box) {
  if (IsRectEmpty(&box)) return;
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  PaintEdge(dc, box, false);
  const int cy = (box.top + box.bottom) / 2;
  const RECT bar{box.left + 4, cy - 1, box.right - 4, cy + 1};
  const RECT shadow{bar.left + 1, bar.bottom, bar.right + 1, bar.bottom + 1};
  FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
  FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
}

PopupMenuLayout LayoutPopupMenu(HMENU menu) {
  PopupMenuLayout out;
  const int count = GetMenuItemCount(menu);
  if (count < 0) return out;
  const LOGFONTA font = MenuFont();
  const int height = ItemHeight(font);
  int label_width = 0, accel_width = 0;
  for (int i = 0; i < count; ++i) {
    const auto info = platform::win::DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (info.flags & MF_SEPARATOR) continue;
    std::string label, accel;
    SplitAtTab(info.text, &label, &accel);
    label_width = std::max(label_width, TextWidth(font, StripMnemonic(label).text));
    if (!accel.empty()) accel_width = std::max(accel_width, TextWidth(font, accel));
  }
  const int inner = std::max(kMinPopupWidth - 2 * kPopupFrame,
                             kCheckColumn + label_width + (accel_width ? kAccelGap + accel_width : 0) + kArrowColumn);
  int y = kPopupFrame;
  for (int i = 0; i < count; ++i) {
    const auto info = platform::win::DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    const int h = (info.flags & MF_SEPARATOR) ? kSeparatorHeight : height;
    out.items.push_back(RECT{kPopupFrame, y, kPopupFrame + inner, y + h});
    y += h;
  }
  out.size = SIZE{inner + 2 * kPopupFrame, y + kPopupFrame};
  return out;
}

void PaintPopupMenu(HDC dc, HMENU menu, int selected) {
  const PopupMenuLayout layout = LayoutPopupMenu(menu);
  const RECT all{0, 0, layout.size.cx, layout.size.cy};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  PaintEdge(dc, all, false);
  const LOGFONTA font = MenuFont();
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < layout.items.size(); ++i) {
    const RECT& r = layout.items[i];
    const auto info = platform::win::DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (info.flags & MF_SEPARATOR) {
      const int y = (r.top + r.bottom) / 2 - 1;
      const RECT dark{r.left + 1, y, r.right - 1, y + 1};
      const RECT light{r.left + 1, y + 1, r.right - 1, y + 2};
      FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
      FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      continue;
    }
    const bool grey = (info.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    const bool lit = static_cast<int>(i) == selected;
    if (lit) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    const COLORREF colour = GetSysColor(grey ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (info.flags & MF_CHECKED)
      DrawCheck(dc, RECT{r.left, r.top, r.left + kCheckColumn, r.bottom}, (info.flags & MFT_RADIOCHECK) != 0, colour);
    std::string label, accel;
    SplitAtTab(info.text, &label, &accel);
    DrawLabel(dc, font, label, RECT{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom}, colour);
    if (!accel.empty()) {
      RECT a{r.left, r.top, r.right - kArrowColumn, r.bottom};
      SetTextColor(dc, colour);
      DrawText(dc, accel.c_str(), static_cast<int>(accel.size()), &a, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (info.flags & MF_POPUP) DrawArrow(dc, RECT{r.right - kArrowColumn, r.top, r.right, r.bottom}, colour);
  }
  SelectObject(dc, old);
}

}  // namespace platform::gdi
