#include "platform/sys/clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

namespace platform::sys {
namespace {

// Virtual time: a shared base that AdvanceVirtualClock moves for every thread, plus each thread's own drift from its
// reads and its Sleep calls. A new epoch (UseVirtualClock) starts every thread's drift again at 0.
std::atomic<bool> g_virtual{false};
std::atomic<std::int64_t> g_virtual_base{0};
std::atomic<std::int64_t> g_virtual_step{1000};
std::atomic<std::uint64_t> g_epoch{0};
std::atomic<bool> g_counter_available{true};

struct ThreadDrift {
  std::uint64_t epoch = 0;
  std::int64_t ns = 0;
  std::int64_t reads = 0;
};
thread_local ThreadDrift t_drift;

ThreadDrift& ThisThread() {
  const std::uint64_t epoch = g_epoch.load();
  if (t_drift.epoch != epoch) t_drift = ThreadDrift{epoch, 0, 0};
  return t_drift;
}

std::int64_t& Drift() { return ThisThread().ns; }

// Moves the calling thread's time only (Sleep).
void AdvanceThreadVirtualClock(std::int64_t ns) {
  if (ns > 0) Drift() += ns;
}

constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

std::int64_t MonotonicRaw() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * kNanosPerSecond + ts.tv_nsec;
}

// CLOCK_MONOTONIC when the real clock was first read: the origin of the counter.
std::int64_t RealOrigin() {
  static const std::int64_t origin = MonotonicRaw();
  return origin;
}

std::int64_t RealNanos() {
  const std::int64_t origin = RealOrigin();
  return MonotonicRaw() - origin;
}

}  // namespace

std::int64_t MonotonicNanos() {
  if (g_virtual.load()) {
    ThreadDrift& self = ThisThread();
    ++self.reads;
    self.ns += g_virtual_step.load();
    return g_virtual_base.load() + self.ns;
  }
  return RealNanos();
}

void SleepUntilNanos(std::int64_t deadline_ns) {
  if (g_virtual.load()) {
    const std::int64_t now = g_virtual_base.load() + Drift();
    AdvanceThreadVirtualClock(deadline_ns - now);
    return;
  }
  const std::int64_t absolute = RealOrigin() + deadline_ns;
  if (absolute <= MonotonicRaw()) return;
  // The kernel may let a sleep end up to the thread's timer slack (50 us by default) late so as to group
  // wake-ups; a thread that sleeps to exact deadlines asks for none.
  thread_local const bool exact = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
  (void)exact;
  timespec until{};
  until.tv_sec = static_cast<time_t>(absolute / kNanosPerSecond);
  until.tv_nsec = static_cast<long>(absolute % kNanosPerSecond);
  // A signal ends the sleep early; the deadline stays the same, so sleep on to it.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

void UseVirtualClock(std::int64_t step_ns) {
  g_virtual_step.store(step_ns > 0 ? step_ns : 1);
  g_virtual_base.store(0);
  g_epoch.fetch_add(1);
  g_virtual.store(true);
}

void UseRealClock() { g_virtual.store(false); }

bool IsVirtualClock() { return g_virtual.load(); }

std::int64_t VirtualClockReads() { return g_virtual.load() ? ThisThread().reads : 0; }

void AdvanceVirtualClock(std::int64_t ns) {
  if (ns > 0) g_virtual_base.fetch_add(ns);
}

void SetPerformanceCounterAvailable(bool available) { g_counter_available.store(available); }

}  // namespace platform::sys

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!platform::sys::g_counter_available.load()) return FALSE;
  if (count) count->QuadPart = platform::sys::MonotonicNanos();
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!platform::sys::g_counter_available.load()) {
    if (frequency) frequency->QuadPart = 0;
    return FALSE;
  }
  if (frequency) frequency->QuadPart = platform::sys::kCounterFrequency;
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(platform::sys::MonotonicNanos() / 1'000'000); }

void Sleep(DWORD milliseconds) {
  if (platform::sys::IsVirtualClock()) {
    platform::sys::AdvanceThreadVirtualClock(static_cast<std::int64_t>(milliseconds) * 1'000'000);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

#include <ctime>

std::int64_t platform::sys::WallClockSeconds() {
  if (IsVirtualClock()) return MonotonicNanos() / 1'000'000'000;
  return static_cast<std::int64_t>(std::time(nullptr));
}
