#include "platform/vcl/timer.h"

#include "platform/vcl/application.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

constexpr const char* kTimerClass = "ZprVclTimer";
constexpr const char* kTimerProp = "ZprVclTimer";
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK TimerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kTimerId) {
    if (auto* timer = static_cast<TTimer*>(GetProp(hwnd, kTimerProp))) {
      try {
        timer->Timer();
      } catch (const std::exception& e) {
        Application->HandleException(e);
      }
    }
    return 0;
  }
  return DefWindowProc(hwnd, message, wparam, lparam);
}

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
  if (window_ && IsWindow(window_)) {
    RemoveProp(window_, kTimerProp);
    DestroyWindow(window_);
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Update();
}

void TTimer::Update() {
  if (!window_ || !IsWindow(window_)) {
    window_ = nullptr;
    if (!enabled_ || interval_ == 0) return;
    HINSTANCE instance = GetModuleHandle(nullptr);
    WNDCLASS probe;
    if (!GetClassInfo(instance, kTimerClass, &probe)) {
      WNDCLASS wc{0, TimerProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, kTimerClass};
      RegisterClass(&wc);
    }
    window_ = CreateWindowEx(0, kTimerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window_) throw EInvalidOperation("Not enough timers available");
    SetProp(window_, kTimerProp, this);
  }
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ > 0 && !running_)
    if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EInvalidOperation("Not enough timers available");
}

void TTimer::Timer() {
  if (!enabled_ || !OnTimer || running_) return;
  // While the handler runs the timer stays quiet; it starts again when the handler returns still enabled.
  // (A handler that destroys its own timer destroys the window too, and the restart is skipped.)
  running_ = true;
  HWND window = window_;
  KillTimer(window, kTimerId);
  struct Restart {
    TTimer* timer;
    HWND window;
    ~Restart() {
      if (!IsWindow(window)) return;
      timer->running_ = false;
      if (timer->enabled_ && timer->interval_ > 0) SetTimer(window, kTimerId, timer->interval_, nullptr);
    }
  } restart{this, window};
  OnTimer(this);
}
