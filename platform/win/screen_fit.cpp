#include "platform/win/screen_fit.h"

#include <algorithm>

#include "platform/win/metrics.h"
#include "platform/win/rect.h"
#include "platform/win/window.h"

namespace platform::win {
namespace {

// One axis: the start of a span of `size` within [low, high).
int IntoSpan(int start, int size, int low, int high) {
  if (size >= high - low) return low;
  return std::clamp(start, low, high - size);
}

}  // namespace

RECT MoveIntoWorkArea(const RECT& r) {
  const RECT area = WorkArea();
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = IntoSpan(r.left, w, area.left, area.right);
  const int y = IntoSpan(r.top, h, area.top, area.bottom);
  return RECT{x, y, x + w, y + h};
}

RECT FitOverOwner(const RECT& owner, POINT wanted, SIZE size) {
  const RECT area = WorkArea();
  int x = wanted.x, y = wanted.y;
  if (size.cx > owner.right - owner.left) x = area.left + ((area.right - area.left) - size.cx) / 2;
  if (size.cy > owner.bottom - owner.top) y = area.top + ((area.bottom - area.top) - size.cy) / 2;
  return MoveIntoWorkArea(RECT{x, y, x + size.cx, y + size.cy});
}

void KeepOnScreen(HWND window) {
  RECT r{};
  if (!GetWindowRect(window, &r) || (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) return;
  const RECT area = WorkArea();
  if (GetWindowLong(window, GWL_STYLE) & WS_THICKFRAME) {
    r.right = r.left + std::min(r.right - r.left, area.right - area.left);
    r.bottom = r.top + std::min(r.bottom - r.top, area.bottom - area.top);
  }
  const RECT placed = MoveIntoWorkArea(r);
  RECT now{};
  GetWindowRect(window, &now);
  if (EqualRect(&placed, &now)) return;
  SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win
