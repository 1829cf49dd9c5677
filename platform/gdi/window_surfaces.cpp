#include "platform/gdi/window_surfaces.h"

#include <map>
#include <mutex>

#include "platform/gdi/standard_controls.h"
#include "platform/win/input_injection.h"
#include "platform/win/window.h"

namespace platform::gdi {
namespace {

struct Registry {
  std::mutex mu;
  std::map<HWND, std::shared_ptr<Surface>> surfaces;
  SurfaceChangedHook changed;
  int hook_id = -1;
};

Registry& Reg() {
  static Registry r;
  return r;
}

// The surface goes with its window; the frame is painted when the window shows, moves or changes its title.
void WatchWindows() {
  Registry& r = Reg();
  if (r.hook_id >= 0) return;
  r.hook_id = platform::win::AddWindowEventHook([](platform::win::WindowEvent e, HWND top, const RECT& rect) {
    using platform::win::WindowEvent;
    if (e == WindowEvent::kDestroyed) {
      DropTopLevelSurface(top);
    } else if ((e == WindowEvent::kShown || e == WindowEvent::kMoved || e == WindowEvent::kTextChanged) &&
               IsWindowVisible(top)) {
      PaintWindowFrame(top);
      NotifySurfaceChanged(top, RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top});
    }
  });
}

[[maybe_unused]] const bool g_watching = (WatchWindows(), true);

}  // namespace

std::shared_ptr<Surface> TopLevelSurface(HWND top_level, SIZE size) {
  WatchWindows();
  std::lock_guard<std::mutex> lock(Reg().mu);
  auto& slot = Reg().surfaces[top_level];
  const int w = size.cx < 1 ? 1 : size.cx, h = size.cy < 1 ? 1 : size.cy;
  if (!slot) {
    slot = std::make_shared<Surface>(w, h, kNewSurfaceColour);
  } else if (slot->width() != w || slot->height() != h) {
    slot = slot->Resized(w, h, kNewSurfaceColour);
  }
  return slot;
}

std::shared_ptr<Surface> FindTopLevelSurface(HWND top_level) {
  std::lock_guard<std::mutex> lock(Reg().mu);
  auto it = Reg().surfaces.find(top_level);
  return it == Reg().surfaces.end() ? nullptr : it->second;
}

void DropTopLevelSurface(HWND top_level) {
  std::shared_ptr<Surface> gone;
  std::lock_guard<std::mutex> lock(Reg().mu);
  auto it = Reg().surfaces.find(top_level);
  if (it == Reg().surfaces.end()) return;
  gone = std::move(it->second);
  Reg().surfaces.erase(it);
}

void SetSurfaceChangedHook(SurfaceChangedHook hook) { Reg().changed = std::move(hook); }

void NotifySurfaceChanged(HWND top_level, const RECT& rect) {
  if (Reg().changed) Reg().changed(top_level, rect);
}

}  // namespace platform::gdi
