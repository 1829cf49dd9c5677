#include "platform/win/double_click.h"

#include <cstdlib>

#include "platform/sys/clock.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "platform/win/window_class.h"

namespace platform::win {
namespace {

constexpr UINT kDefaultDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 4;  // pixels the second press may lie from the first

struct DoubleClickState {
  bool on = false;
  UINT time_ms = kDefaultDoubleClickMs;
  HWND last_target = nullptr;
  POINT last_point{};
  DWORD last_time = 0;
  bool armed = false;  // a first press waits for its second
};

DoubleClickState& D() {
  static DoubleClickState s;
  return s;
}

}  // namespace

void SetDoubleClickDetection(bool on) {
  D().on = on;
  D().armed = false;
}

namespace detail {

UINT DoubleClickOf(HWND target, UINT message, POINT screen) {
  DoubleClickState& s = D();
  if (!s.on) return message;
  if (message != WM_LBUTTONDOWN) {
    // Another button between the presses breaks the pair.
    if (message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) s.armed = false;
    return message;
  }
  const DWORD now = GetTickCount();
  const bool second = s.armed && target == s.last_target && now - s.last_time <= s.time_ms &&
                      std::abs(screen.x - s.last_point.x) <= kDoubleClickSlop &&
                      std::abs(screen.y - s.last_point.y) <= kDoubleClickSlop &&
                      (GetClassLongPtr(target, GCL_STYLE) & CS_DBLCLKS) != 0;
  // A third press starts a new pair.
  s.armed = !second;
  s.last_target = target;
  s.last_point = screen;
  s.last_time = now;
  return second ? WM_LBUTTONDBLCLK : message;
}

}  // namespace detail
}  // namespace platform::win

UINT GetDoubleClickTime() { return platform::win::D().time_ms; }

BOOL SetDoubleClickTime(UINT ms) {
  platform::win::D().time_ms = ms ? ms : platform::win::kDefaultDoubleClickMs;
  return TRUE;
}
