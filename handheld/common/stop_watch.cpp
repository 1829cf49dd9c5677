#include "handheld/common/stop_watch.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/sys/clock.h"
#include "platform/vcl/application.h"
#include "platform/win/message_loop.h"

namespace handheld {

namespace {
constexpr double kVirtualRoundMs = 5.0;
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
  StopWatch w;
  w.Start();
  const bool virtual_time = platform::sys::IsVirtualClock();
  for (;;) {
    if (pump) PumpOnce();
    const double left = ms - w.Running();
    if (left <= 0) break;
    // A short sleep between rounds keeps the wait accurate to well under a millisecond without spinning a
    // core. On the virtual clock a sleep moves this thread's time on by itself, so a long wait takes a round
    // every few milliseconds instead of one a counter step; the last part ends by the reads' own steps.
    if (virtual_time) {
      if (left >= 1.0) ::Sleep(static_cast<DWORD>(std::min(left, kVirtualRoundMs)));
    } else if (left > 0.5) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
}

}  // namespace handheld
