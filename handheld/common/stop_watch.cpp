#include "handheld/common/stop_watch.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/sys/clock.h"
#include "platform/vcl/application.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"

namespace handheld {

namespace {
// A timer due at once (its message is made when the queue is empty) moves the wait on by this much.
constexpr std::int64_t kVirtualTimerStepNs = 100'000;
}  // namespace

StopWatch::StopWatch() {
  LARGE_INTEGER f{};
  if (QueryPerformanceFrequency(&f) && f.QuadPart > 0) {
    use_counter_ = true;
    frequency_ = static_cast<double>(f.QuadPart);
  }
}

std::int64_t StopWatch::Now() const {
  if (use_counter_) {
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return c.QuadPart;
  }
  return static_cast<std::int64_t>(GetTickCount());
}

void StopWatch::Start() {
  start_ = Now();
  elapsed_ms_ = -1.0;
}

double StopWatch::Stop() {
  stop_ = Now();
  difference_ = stop_ - start_;
  elapsed_ms_ = use_counter_ ? static_cast<double>(difference_) * 1000.0 / frequency_
                             : static_cast<double>(static_cast<std::uint32_t>(difference_));
  return elapsed_ms_;
}

double StopWatch::Running() const {
  const std::int64_t d = Now() - start_;
  return use_counter_ ? static_cast<double>(d) * 1000.0 / frequency_
                      : static_cast<double>(static_cast<std::uint32_t>(d));
}

void StopWatch::PumpOnce() {
  if (!Application->OnWindowThread()) return;
  MSG msg{};
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the program's own loop
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void StopWatch::Pause(bool pump, double ms) const {
  if (platform::sys::IsVirtualClock()) {
    PauseOnVirtualClock(pump, ms);
    return;
  }
  StopWatch w;
  w.Start();
  for (;;) {
    if (pump) PumpOnce();
    const double left = ms - w.Running();
    if (left <= 0) break;
    // A short sleep between rounds keeps the wait accurate to well under a millisecond without spinning a core.
    if (left > 0.5) std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

void StopWatch::PauseOnVirtualClock(bool pump, double ms) {
  // A sleep moves this thread's virtual time on at once, so no part of the wait is walked through read by read:
  // a wait is one sleep to its end, or, pumping on the window thread, one sleep to each timer due before it, so
  // that every WM_TIMER comes at its time.
  const std::int64_t deadline = platform::sys::MonotonicNanos() + static_cast<std::int64_t>(ms * 1e6);
  pump = pump && Application->OnWindowThread();
  for (;;) {
    if (pump) PumpOnce();
    const std::int64_t now = platform::sys::MonotonicNanos();
    if (now >= deadline) return;
    std::int64_t until = deadline;
    if (pump) {
      const long long timer = platform::win::NanosUntilNextTimer(false);
      if (timer >= 0) until = std::min<std::int64_t>(deadline, now + std::max<std::int64_t>(timer, kVirtualTimerStepNs));
    }
    platform::sys::SleepUntilNanos(until);
  }
}

}  // namespace handheld
