// Pop-up windows: top-level windows that float above every other window without a frame of the window manager and
// without ever taking the activation or the keyboard focus. Combo drop-down lists, tool tips and menus use them.
//
// A pop-up is a WS_POPUP window with WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW. Like every top-level
// window it draws on its own top-level surface (headless that surface is all there is); the X11 display shows it
// as an override-redirect window, which the window manager neither decorates nor moves, raised above the others.
// Showing or clicking a pop-up never changes the active window or the focus: the window that opened it keeps the
// keyboard and usually the mouse capture, and drives the pop-up (a combo box its list, a menu loop its menus).
// WindowFromPoint finds shown pop-ups before any other top-level window.
#pragma once

#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/win/rect.h"
#include "platform/win/window.h"

// WM_MOUSEACTIVATE answers.
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;
inline constexpr LRESULT MA_NOACTIVATE = 3;
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

namespace platform::win {

// The styles every pop-up carries.
inline constexpr DWORD kPopupStyle = WS_POPUP | WS_CLIPSIBLINGS;
inline constexpr DWORD kPopupExStyle = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

// Creates a hidden pop-up of a registered class, owned by the top-level window of owner (which may be null), at a
// screen rectangle. extra_style adds window styles (WS_BORDER for a one-pixel frame); param reaches WM_CREATE.
HWND CreatePopupWindow(LPCSTR class_name, HWND owner, const RECT& screen_rect, DWORD extra_style = 0,
                       LPVOID param = nullptr);
// Moves the pop-up to screen_rect and shows it above every other window without activating it.
void ShowPopupWindow(HWND popup, const RECT& screen_rect);
// Hides it; the window under it is repainted (headless: its surface stays as it was, as on a screen without
// compositing the exposed part would be repainted by its owner).
void HidePopupWindow(HWND popup);
// Whether hwnd is a pop-up (a top-level window that never activates).
bool IsPopupWindow(HWND hwnd);
// The pop-ups shown now, the most recently shown first.
std::vector<HWND> ShownPopups();

// Where a pop-up of a size goes for an anchor rectangle (screen coordinates): below the anchor, left edges
// aligned; above it when there is not room enough below but more above; moved left to stay on the screen.
RECT PlacePopup(const RECT& anchor, SIZE size);

}  // namespace platform::win
