// What windows show, for tests and screenshots: the pixels of a window's part of its top-level surface.
#pragma once

#include <memory>
#include <string>

#include "platform/gdi/colorref.h"
#include "platform/gdi/surface.h"
#include "platform/sys/wintypes.h"

namespace platform::backend {

// A copy of the window's client area (or whole window); null when the window has no surface yet.
std::shared_ptr<gdi::Surface> CaptureWindow(HWND hwnd, bool whole_window = false);
// Writes the capture as PNG; false when there is nothing to capture or the file cannot be written.
bool SaveWindowPng(HWND hwnd, const std::string& path, bool whole_window = false);
// The colour at a client point; CLR_INVALID outside the client area or without a surface.
COLORREF WindowPixel(HWND hwnd, int x, int y);

}  // namespace platform::backend
