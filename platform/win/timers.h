// Window timers. SetTimer on an existing (window, id) replaces that timer; timers die with their window. WM_TIMER
// is made only when the queue holds nothing else, at most one per timer however many periods passed; the next
// period starts when it is made. Timers run on the process clock, so the virtual clock drives them in tests.
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

// Returns the id (or, with no window, a fresh id); 0 when no timer can be had.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

namespace platform::win {

// Makes the next SetTimer call fail (returns 0), for tests of the "no timer left" path.
void FailNextSetTimer();
// Nanoseconds on the process clock until the earliest timer is due (0 when one is due now); -1 with no timer.
// Without the layer's own timers when with_system_timers is false.
long long NanosUntilNextTimer(bool with_system_timers = true);
// Number of live timers (for tests and diagnostics).
int TimerCount();
// Drops every timer, those of no window too (the test driver between tests).
void KillAllTimers();

}  // namespace platform::win

// The layer's own timers (a caret's blink, a held scroll-bar arrow): their WM_SYSTIMER calls proc. The program's
// SetTimer, KillTimer, forced failure and TimerCount do not see them, and a waiting loop does not jump the virtual
// clock to them (they would keep a loop that waits for nothing busy for ever).
inline constexpr UINT WM_SYSTIMER = 0x0118;
namespace platform::win::detail {
UINT_PTR SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillSystemTimer(HWND hwnd, UINT_PTR id);
}  // namespace platform::win::detail
