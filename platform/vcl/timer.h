// A timer component: OnTimer every Interval milliseconds while Enabled (on the window thread's loop). A
// handler may disable the timer, and may run a loop of its own that never returns: the timer does not fire
// into its own running handler.
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/vcl/component.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  TNotifyEvent OnTimer;
  // OnTimer as the timer runs it (tests, and the window procedure).
  void Timer();

 private:
  void Update();
  HWND window_ = nullptr;
  bool enabled_ = true;
  bool running_ = false;
  unsigned interval_ = 1000;
};
