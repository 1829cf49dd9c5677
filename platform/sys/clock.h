// The process clock: the high-resolution counter, the tick count and Sleep, on the real monotonic clock or,
// for tests, on a virtual clock that moves forward by a small step on every read so that busy waits end.
//
// Virtual time with threads: each thread's reading is a shared base plus the thread's own drift. A read advances
// the reader's drift by the step and Sleep the sleeper's drift by its duration; AdvanceVirtualClock moves the base,
// so every thread. A worker's reads and sleeps therefore never move the window thread's time (its timers fire at
// the same points in every run), and every thread's busy wait still ends.
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

// Switch to virtual time at 0: every read of the counter advances the reader's time by step_ns; Sleep advances the
// sleeper's time by its duration.
void UseVirtualClock(std::int64_t step_ns = 1000);
void UseRealClock();
bool IsVirtualClock();
// Move virtual time forward for every thread (no effect on the real clock).
void AdvanceVirtualClock(std::int64_t ns);
// Move virtual time forward for the calling thread only.
void AdvanceThreadVirtualClock(std::int64_t ns);

// Whether QueryPerformanceCounter reports a counter; tests can take it away to exercise the fallback.
void SetPerformanceCounterAvailable(bool available);

}  // namespace platform::sys

namespace platform::sys {
// Wall-clock seconds (time()); on the virtual clock, virtual seconds.
std::int64_t WallClockSeconds();
}  // namespace platform::sys
