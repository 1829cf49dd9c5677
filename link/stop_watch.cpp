#include "link/stop_watch.h"

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

StopWatchState g_watch;
std::function<void()> g_pump;
std::function<void(double)> g_observer;

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
  LARGE_INTEGER f{};
  if (QueryPerformanceFrequency(&f) && f.QuadPart != 0) {
    LARGE_INTEGER start{}, now{};
    QueryPerformanceCounter(&start);
    const double target = ms * static_cast<double>(f.QuadPart) / 1000.0;
    if (!pumping && ms > 2.0) Sleep(static_cast<DWORD>(ms) - 1);
    do {
      if (pumping) g_pump();
      QueryPerformanceCounter(&now);
    } while (static_cast<double>(now.QuadPart - start.QuadPart) < target);
    return;
  }
  const DWORD start = GetTickCount();
  do {
    if (pumping) g_pump();
  } while (static_cast<double>(GetTickCount() - start) < ms);
}

void SetDelayPump(std::function<void()> pump_one) { g_pump = std::move(pump_one); }
void SetDelayObserver(std::function<void(double)> observer) { g_observer = std::move(observer); }

}  // namespace ilink
