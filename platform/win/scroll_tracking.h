// The mouse on a window's own scroll bars: the non-client hit of a point, and the tracking of a press on a bar
// until the button is let go (the window holds the capture meanwhile).
#pragma once

#include "platform/sys/wintypes.h"

namespace platform::win::detail {

// HTVSCROLL or HTHSCROLL when the screen point lies on one of the window's bars, else HTNOWHERE.
LRESULT ScrollBarHit(HWND hwnd, POINT screen);
// A press on a bar (WM_NCLBUTTONDOWN with HTVSCROLL or HTHSCROLL); false when it hit no part.
bool StartScrollTracking(HWND hwnd, LRESULT hit, POINT screen);
// Whether a press on a bar of hwnd is being followed: the mouse's moves and release go to TrackScroll.
bool IsScrollTracking(HWND hwnd);
void TrackScroll(HWND hwnd, UINT message, POINT screen);

}  // namespace platform::win::detail
