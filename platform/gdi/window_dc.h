// Device contexts for windows: the window layer asks the drawing layer for them (GetDC, BeginPaint) and hands
// them back (ReleaseDC, EndPaint). The drawing layer places the DC on the surface of the window's top-level
// ancestor at the window's client origin, clipped to its client area.
#pragma once

#include "platform/sys/wintypes.h"

namespace platform::gdi {

// A DC for the client area of hwnd (whole_window: the whole window); null when no surface can be had.
HDC CreateWindowDC(HWND hwnd, bool whole_window);
// Frees a DC made by CreateWindowDC; ignores anything else.
void ReleaseWindowDC(HDC dc);
// The window's client area (or whole window) in the coordinates of its top-level window's rectangle.
RECT AreaOnTop(HWND hwnd, const RECT& top_window, bool whole_window);

}  // namespace platform::gdi
