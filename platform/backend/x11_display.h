// The X11 display: one X window per shown top-level window, showing that window's surface; exposure repaints
// from the surface, and mouse and keyboard input goes to the window layer as if a user gave it. Used only
// when a program asks for it and DISPLAY names a display; otherwise everything stays headless.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"

namespace platform::backend {

// Connects to the display named by DISPLAY and starts following the top-level windows. False with a message
// for the user when there is no display ("no X display: DISPLAY is not set").
bool StartX11Display(std::string* error);
void StopX11Display();
bool X11DisplayActive();
// The X window that shows a top-level window; 0 when none (for tests).
unsigned long X11WindowOf(HWND top_level);
// Handles pending X events and pushes changed surfaces to the screen (the loops' waiter does this too).
void PumpX11Display();

}  // namespace platform::backend
