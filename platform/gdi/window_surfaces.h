// The surfaces of top-level windows: one per top-level window, the size of its window rectangle; every window
// DC of the window or of its descendants draws on it. A display backend shows them and learns of changes.
#pragma once

#include <functional>
#include <memory>

#include "platform/gdi/surface.h"
#include "platform/sys/wintypes.h"

namespace platform::gdi {

// The surface of a top-level window, made or resized (keeping the old pixels at the top left) to size.
std::shared_ptr<Surface> TopLevelSurface(HWND top_level, SIZE size);
// The surface as it is; null when the window has none yet.
std::shared_ptr<Surface> FindTopLevelSurface(HWND top_level);
void DropTopLevelSurface(HWND top_level);
// The colour a new surface starts with (0x00RRGGBB).
inline constexpr std::uint32_t kNewSurfaceColour = 0xC0C0C0;

// Told when a window DC on a surface is released: the top-level window and the changed rectangle in its
// window coordinates. One hook; a display backend sets it.
using SurfaceChangedHook = std::function<void(HWND top_level, const RECT& rect)>;
void SetSurfaceChangedHook(SurfaceChangedHook hook);
void NotifySurfaceChanged(HWND top_level, const RECT& rect);

}  // namespace platform::gdi
