// Window DCs: on the surface of the window's top-level ancestor, at the window's client (or window) origin,
// clipped to its client area and to the client areas of its ancestors.
#include "platform/gdi/window_dc.h"

#include "platform/gdi/gdi_state.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace platform::gdi {

RECT AreaOnTop(HWND hwnd, const RECT& top_window, bool whole_window) {
  RECT r{};
  if (whole_window) {
    GetWindowRect(hwnd, &r);
  } else {
    GetClientRect(hwnd, &r);
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    r = RECT{o.x, o.y, o.x + r.right, o.y + r.bottom};
  }
  return RECT{r.left - top_window.left, r.top - top_window.top, r.right - top_window.left, r.bottom - top_window.top};
}

// The screen: a DC on a desktop surface of the screen's size (GetDC(nullptr) measures and draws there).
HDC CreateDesktopDC() {
  const SIZE size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DcKind::kWindow;
  dc->name = "screen";
  dc->state = DefaultDrawState();
  dc->surface = TopLevelSurface(nullptr, size);
  dc->device_size = size;
  return AddDc(std::move(dc));
}

HDC CreateWindowDC(HWND hwnd, bool whole_window) {
  if (!hwnd) return CreateDesktopDC();
  if (!IsWindow(hwnd)) return nullptr;
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!top) top = hwnd;
  RECT top_rect{};
  if (!GetWindowRect(top, &top_rect)) return nullptr;
  auto surface = TopLevelSurface(top, SIZE{top_rect.right - top_rect.left, top_rect.bottom - top_rect.top});
  const RECT area = AreaOnTop(hwnd, top_rect, whole_window);
  // Ancestors hide what lies outside their client areas.
  RECT visible = area;
  for (HWND p = hwnd == top ? nullptr : GetAncestor(hwnd, GA_PARENT); p; p = p == top ? nullptr : GetAncestor(p, GA_PARENT)) {
    visible = Intersect(visible, AreaOnTop(p, top_rect, false));
  }
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DcKind::kWindow;
  dc->name = "window";
  dc->state = DefaultDrawState();
  dc->window = hwnd;
  dc->top_level = top;
  dc->surface = std::move(surface);
  dc->device_origin = POINT{area.left, area.top};
  dc->device_size = SIZE{area.right - area.left, area.bottom - area.top};
  if (!Empty(visible)) {
    dc->visible = RECT{visible.left - area.left, visible.top - area.top, visible.right - area.left,
                       visible.bottom - area.top};
  } else {
    dc->visible = RECT{0, 0, 0, 0};
  }
  return AddDc(std::move(dc));
}

void ReleaseWindowDC(HDC handle) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || dc->kind != DcKind::kWindow) return;
  const HWND top = dc->top_level;
  RECT changed = DeviceArea(*dc);
  changed.left += dc->device_origin.x;
  changed.right += dc->device_origin.x;
  changed.top += dc->device_origin.y;
  changed.bottom += dc->device_origin.y;
  RemoveDc(handle);
  if (top && !Empty(changed)) NotifySurfaceChanged(top, changed);
}

}  // namespace platform::gdi
