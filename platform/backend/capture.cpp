#include "platform/backend/capture.h"

#include <algorithm>

#include "platform/gdi/window_dc.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/win/window.h"

namespace platform::backend {
namespace {

// The window's rectangle on its top-level surface.
bool AreaOnSurface(HWND hwnd, bool whole_window, HWND* top, RECT* area) {
  if (!IsWindow(hwnd)) return false;
  *top = GetAncestor(hwnd, GA_ROOT);
  if (!*top) *top = hwnd;
  RECT top_rect{};
  if (!GetWindowRect(*top, &top_rect)) return false;
  *area = platform::gdi::AreaOnTop(hwnd, top_rect, whole_window);
  return true;
}

}  // namespace

std::shared_ptr<gdi::Surface> CaptureWindow(HWND hwnd, bool whole_window) {
  HWND top = nullptr;
  RECT a{};
  if (!AreaOnSurface(hwnd, whole_window, &top, &a)) return nullptr;
  auto surface = gdi::FindTopLevelSurface(top);
  if (!surface || a.right <= a.left || a.bottom <= a.top) return nullptr;
  auto out = std::make_shared<gdi::Surface>(a.right - a.left, a.bottom - a.top, gdi::kNewSurfaceColour);
  for (int y = a.top; y < a.bottom; ++y) {
    if (y < 0 || y >= surface->height()) continue;
    for (int x = std::max(0, static_cast<int>(a.left)); x < std::min(surface->width(), static_cast<int>(a.right)); ++x)
      out->Row(y - a.top)[x - a.left] = surface->Pixel(x, y);
  }
  return out;
}

bool SaveWindowPng(HWND hwnd, const std::string& path, bool whole_window) {
  auto s = CaptureWindow(hwnd, whole_window);
  return s && s->WritePng(path);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
  HWND top = nullptr;
  RECT a{};
  if (!AreaOnSurface(hwnd, false, &top, &a)) return CLR_INVALID;
  auto surface = gdi::FindTopLevelSurface(top);
  if (!surface || x < 0 || y < 0 || x >= a.right - a.left || y >= a.bottom - a.top) return CLR_INVALID;
  const int sx = a.left + x, sy = a.top + y;
  if (sx < 0 || sy < 0 || sx >= surface->width() || sy >= surface->height()) return CLR_INVALID;
  return gdi::ToColorRef(surface->Pixel(sx, sy));
}

}  // namespace platform::backend
