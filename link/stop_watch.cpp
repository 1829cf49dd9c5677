#include "link/stop_watch.h"

#include <time.h>

#include <cstdint>

#include "platform/sys/clock.h"

namespace ilink {
namespace {

struct StopWatchState {
  bool counter_available = false;
  std::int64_t frequency = 0;
  std::int64_t start = 0;
  std::int64_t stop = 0;
  double elapsed = 0.0;
};

// The wait sleeps to this much before its end and spins the rest: enough for the usual wake-up (0.1-0.2 ms late
// here), short enough to leave the core to others. Twice as long doubled the CPU time of a read and did not make
// its pauses measurably more exact.
constexpr double kFinalSpinMs = 0.25;

StopWatchState g_watch;
std::function<void()> g_pump;
std::function<void(double)> g_observer;
bool g_accounting = false;
DelayAccount g_account;

double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void Wait(double ms, bool pumping) {
  LARGE_INTEGER f{};
  if (QueryPerformanceFrequency(&f) && f.QuadPart != 0) {
    LARGE_INTEGER start{}, now{};
    QueryPerformanceCounter(&start);
    const double per_ms = static_cast<double>(f.QuadPart) / 1000.0;
    const auto deadline = start.QuadPart + static_cast<std::int64_t>(ms * per_ms);
    // The counter counts nanoseconds of the process clock, the sleep's own time scale.
    if (!pumping && ms > kFinalSpinMs && f.QuadPart == platform::sys::kCounterFrequency) {
      platform::sys::SleepUntilNanos(deadline - static_cast<std::int64_t>(kFinalSpinMs * per_ms));
    }
    do {
      if (pumping) g_pump();
      QueryPerformanceCounter(&now);
    } while (now.QuadPart < deadline);
    return;
  }
  const DWORD start = GetTickCount();
  do {
    if (pumping) g_pump();
  } while (static_cast<double>(GetTickCount() - start) < ms);
}

std::int64_t Now() {
  if (g_watch.counter_available) {
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return c.QuadPart;
  }
  return platform::sys::WallClockSeconds();
}

}  // namespace

void StopWatchInit() {
  LARGE_INTEGER f{};
  g_watch.counter_available = QueryPerformanceFrequency(&f) && f.QuadPart != 0;
  g_watch.frequency = g_watch.counter_available ? f.QuadPart : 0;
  g_watch.elapsed = 0.0;
}

void StopWatchStart() {
  g_watch.start = Now();
  g_watch.elapsed = -1.0;
}

void StopWatchElapsed() {
  g_watch.stop = Now();
  const double diff = static_cast<double>(g_watch.stop - g_watch.start);
  g_watch.elapsed = g_watch.counter_available ? diff * 1000.0 / static_cast<double>(g_watch.frequency)
                                              : diff * 1000.0;
}

double StopWatchElapsedMs() { return g_watch.elapsed; }

void DelayMs(double ms, bool pump) {
  if (g_observer) g_observer(ms);
  // Without a pump hook a pumping wait sleeps like any other.
  const bool pumping = pump && g_pump;
  if (!g_accounting) {
    Wait(ms, pumping);
    return;
  }
  const std::int64_t wall = platform::sys::MonotonicNanos();
  const double cpu = ThreadCpuMs();
  Wait(ms, pumping);
  g_account.spent_cpu_ms += ThreadCpuMs() - cpu;
  g_account.spent_ms += static_cast<double>(platform::sys::MonotonicNanos() - wall) / 1e6;
  g_account.asked_ms += ms;
  ++g_account.waits;
}

void SetDelayPump(std::function<void()> pump_one) { g_pump = std::move(pump_one); }
void SetDelayObserver(std::function<void(double)> observer) { g_observer = std::move(observer); }

void SetDelayAccounting(bool on) {
  if (on) g_account = DelayAccount{};
  g_accounting = on;
}

DelayAccount DelayAccounting() { return g_account; }

}  // namespace ilink
