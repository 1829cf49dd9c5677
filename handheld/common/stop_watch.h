// A stopwatch on the high-resolution counter (or the millisecond tick where there is none), with a pause
// that waits to the millisecond and may keep the window responsive meanwhile.
#pragma once

#include <cstdint>

namespace handheld {

class StopWatch {
 public:
  // The counter frequency used without a high-resolution counter (the tick count then measures).
  static constexpr double kFallbackFrequency = 18.0;

  StopWatch();
  void Start();  // elapsed becomes -1.0 until Stop
  // Takes the stop count; returns the elapsed milliseconds since Start.
  double Stop();
  double Elapsed() const { return elapsed_ms_; }
  // Milliseconds since Start without stopping.
  double Running() const;
  // Waits ms milliseconds; with pump, the window thread's waiting messages are dispatched on every round
  // (on any other thread pumping does nothing, so no window code runs on a worker).
  void Pause(bool pump, double ms) const;
  // One pass over the waiting messages (window thread only).
  static void PumpOnce();

  bool HasCounter() const { return use_counter_; }
  double Frequency() const { return frequency_; }

 private:
  std::int64_t Now() const;

  bool use_counter_ = false;
  double frequency_ = kFallbackFrequency;
  std::int64_t start_ = 0;
  std::int64_t stop_ = 0;
  std::int64_t difference_ = 0;
  double elapsed_ms_ = -1.0;
};

}  // namespace handheld
