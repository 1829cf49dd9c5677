// The stopwatch as a component of a form.
#pragma once

#include "handheld/common/stop_watch.h"
#include "platform/vcl/component.h"

class TQStop : public TComponent {
 public:
  explicit TQStop(TComponent* owner) : TComponent(owner) {}
  void Start() { watch_.Start(); }
  double Stop() { return watch_.Stop(); }
  double Elapsed() const { return watch_.Elapsed(); }
  void Pause(double ms, bool pump) const { watch_.Pause(pump, ms); }
  // One pass over the waiting messages.
  void Pause() const { handheld::StopWatch::PumpOnce(); }
  double Frequency() const { return watch_.Frequency(); }

 private:
  handheld::StopWatch watch_;
};
