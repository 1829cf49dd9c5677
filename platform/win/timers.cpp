// Window timers on the process clock. A timer is a due time; WM_TIMER is made from it only when the queue has
// nothing else, so at most one is ever pending per timer, and the next period starts when it is taken.
#include "platform/win/timers.h"

#include <algorithm>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/module_cleanup.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse_ms;
  TIMERPROC proc;
  long long due_ns;
  unsigned long long order;  // arming order breaks ties between equal due times
  bool system = false;       // the layer's own: WM_SYSTIMER
};

struct TimerState {
  std::vector<Timer> timers;
  bool fail_next = false;
  UINT_PTR next_free_id = 0x7F00;
  unsigned long long next_order = 0;
};

TimerState& T() {
  static TimerState s;
  return s;
}

long long Now() { return platform::sys::MonotonicNanos(); }

void DropStale() {
  auto& v = T().timers;
  v.erase(std::remove_if(v.begin(), v.end(), [](const Timer& t) { return t.hwnd && !Lookup(t.hwnd); }), v.end());
}

}  // namespace

void KillWindowTimers(HWND hwnd) {
  auto& v = T().timers;
  v.erase(std::remove_if(v.begin(), v.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }), v.end());
}

void KillTimersWhere(const std::function<bool(TIMERPROC)>& doomed) {
  auto& v = T().timers;
  v.erase(std::remove_if(v.begin(), v.end(), [&](const Timer& t) { return t.proc && doomed(t.proc); }), v.end());
}

bool DueTimer(HWND filter, UINT min, UINT max, bool remove, MSG* out) {
  auto& s = T();
  if (s.timers.empty()) return false;
  DropStale();
  long long now = Now();
  Timer* best = nullptr;
  for (Timer& t : s.timers) {
    if (t.due_ns > now) continue;
    const UINT message = t.system ? WM_SYSTIMER : WM_TIMER;
    if ((min || max) && (message < min || message > max)) continue;
    if (filter && t.hwnd != filter && !IsDescendant(filter, t.hwnd)) continue;
    if (!best || t.due_ns < best->due_ns || (t.due_ns == best->due_ns && t.order < best->order)) best = &t;
  }
  if (!best) return false;
  MSG m{best->hwnd, best->system ? WM_SYSTIMER : WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), 0, {0, 0}};
  if (remove) best->due_ns = now + static_cast<long long>(best->elapse_ms) * 1'000'000;
  if (out) *out = m;
  return true;
}

}  // namespace platform::win::detail

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  using namespace platform::win::detail;
  auto& s = T();
  if (s.fail_next) {
    s.fail_next = false;
    return 0;
  }
  if (hwnd && !IsWindow(hwnd)) return 0;
  elapse_ms = std::clamp<UINT>(elapse_ms, 10u, 0x7FFFFFFFu);
  long long due = Now() + static_cast<long long>(elapse_ms) * 1'000'000;
  if (!hwnd) id = s.next_free_id++;
  for (Timer& t : s.timers) {
    if (t.hwnd == hwnd && t.id == id && !t.system) {
      t.elapse_ms = elapse_ms;
      t.proc = proc;
      t.due_ns = due;
      t.order = s.next_order++;
      return id ? id : 1;
    }
  }
  s.timers.push_back(Timer{hwnd, id, elapse_ms, proc, due, s.next_order++});
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  using namespace platform::win::detail;
  auto& v = T().timers;
  auto it = std::find_if(v.begin(), v.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id && !t.system; });
  if (it == v.end()) return FALSE;
  v.erase(it);
  return TRUE;
}

namespace platform::win::detail {

UINT_PTR SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  auto& s = T();
  if (!IsWindow(hwnd)) return 0;
  elapse_ms = std::clamp<UINT>(elapse_ms, 10u, 0x7FFFFFFFu);
  const long long due = Now() + static_cast<long long>(elapse_ms) * 1'000'000;
  for (Timer& t : s.timers) {
    if (t.hwnd == hwnd && t.id == id && t.system) {
      t.elapse_ms = elapse_ms;
      t.proc = proc;
      t.due_ns = due;
      t.order = s.next_order++;
      return id;
    }
  }
  s.timers.push_back(Timer{hwnd, id, elapse_ms, proc, due, s.next_order++, true});
  return id;
}

BOOL KillSystemTimer(HWND hwnd, UINT_PTR id) {
  auto& v = T().timers;
  auto it = std::find_if(v.begin(), v.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id && t.system; });
  if (it == v.end()) return FALSE;
  v.erase(it);
  return TRUE;
}

}  // namespace platform::win::detail

namespace platform::win {

void FailNextSetTimer() { detail::T().fail_next = true; }

long long NanosUntilNextTimer(bool with_system_timers) {
  auto& s = detail::T();
  detail::DropStale();
  if (s.timers.empty()) return -1;
  long long now = detail::Now();
  long long best = -1;
  for (const auto& t : s.timers) {
    if (t.system && !with_system_timers) continue;
    long long d = std::max(0LL, t.due_ns - now);
    if (best < 0 || d < best) best = d;
  }
  return best;
}

void KillAllTimers() { detail::T().timers.clear(); }

int TimerCount() {
  detail::DropStale();
  const auto& v = detail::T().timers;
  return static_cast<int>(std::count_if(v.begin(), v.end(), [](const detail::Timer& t) { return !t.system; }));
}

}  // namespace platform::win
