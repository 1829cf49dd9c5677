// The main window class of the projecting tool.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr char kMainWindowClass[] = "VQPWIN_Class";
inline constexpr char kMainWindowCaption[] = "ZPR-Tool";

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Registers "VQPWIN_Class": horizontal and vertical redraw, MainWndProc, icon 1 (also the small icon), the arrow
// cursor, the window colour as background, menu 1. The class atom, 0 on failure.
ATOM RegisterMainWindowClass(HINSTANCE instance);

}  // namespace app
