// The process clock: the high-resolution counter, the tick count and Sleep, on the real monotonic clock or,
// for tests, on a virtual clock that moves forward by a small step on every read (per thread: win/threads.h).
#pragma once

#include <cstdint>

#include "platform/sys/wintypes.h"

BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

namespace platform::sys {

// Counter frequency of QueryPerformanceCounter: nanoseconds.
inline constexpr std::int64_t kCounterFrequency = 1'000'000'000;

// Monotonic time in nanoseconds since the clock was first read (real) or since the virtual clock started.
std::int64_t MonotonicNanos();

// Sleeps until MonotonicNanos() reaches deadline_ns: an absolute deadline on the monotonic clock, so that the
// time spent before the call does not lengthen the wait. Returns at once when the deadline has passed. On the
// virtual clock the calling thread's time moves to the deadline at once.
void SleepUntilNanos(std::int64_t deadline_ns);

// Switch to virtual time: each thread's reads advance its own time by step_ns, its Sleep by the duration.
void UseVirtualClock(std::int64_t step_ns = 1000);
void UseRealClock();
bool IsVirtualClock();
// Tests: how often the calling thread has read the virtual clock since it was switched on (each read is a step).
std::int64_t VirtualClockReads();
// Move virtual time forward for every thread (no effect on the real clock).
void AdvanceVirtualClock(std::int64_t ns);

// Whether QueryPerformanceCounter reports a counter; tests can take it away to exercise the fallback.
void SetPerformanceCounterAvailable(bool available);

}  // namespace platform::sys

namespace platform::sys {
// Wall-clock seconds (time()); on the virtual clock, virtual seconds.
std::int64_t WallClockSeconds();
}  // namespace platform::sys
