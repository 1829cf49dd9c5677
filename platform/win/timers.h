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
long long NanosUntilNextTimer();
// Number of live timers (for tests and diagnostics).
int TimerCount();
// Drops every timer, those of no window too (the test driver between tests).
void KillAllTimers();

}  // namespace platform::win
