// The look and the geometry of menus: the menu bar in a window's non-client area and the pop-up menus. The same
// rectangles serve painting and the menu loop's hit tests, so a click lands on the item that is drawn there.
#pragma once

#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::gdi {

// The menu bar of a top-level window in its window coordinates (from the top left of the window rectangle);
// empty when the window has no menu.
RECT MenuBarRect(HWND hwnd);
// One rectangle per item of the bar, in window coordinates. An item with MF_RIGHTJUSTIFY (MF_HELP) and those
// after it sit at the right end.
std::vector<RECT> MenuBarItemRects(HWND hwnd);
// Paints the bar into a DC of the whole window; `hot` is the highlighted item (-1: none).
void PaintMenuBar(HDC window_dc, HWND hwnd, int hot);

// The window-menu box at the left end of the caption of a window with WS_SYSMENU, in window coordinates; empty
// for a window without caption or window menu. A click there opens the window menu.
RECT SystemMenuBoxRect(HWND hwnd);
// Paints the box: a raised button with a bar, the sign of the window menu.
void PaintSystemMenuBox(HDC window_dc, const RECT& box);

// A pop-up menu laid out in the client coordinates of its window: the size of the window and one rectangle per
// item (separators included).
struct PopupMenuLayout {
  SIZE size{0, 0};
  std::vector<RECT> items;
};
PopupMenuLayout LayoutPopupMenu(HMENU menu);
// Paints a pop-up menu with item `selected` highlighted (-1: none): raised frame, check marks, greyed text,
// accelerator texts after a tab, arrows of cascades.
void PaintPopupMenu(HDC dc, HMENU menu, int selected);

}  // namespace platform::gdi
