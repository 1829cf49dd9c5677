// A small drive, deterministic under its seed: the speed follows the reference along the ramps while the power
// section is on and runs down along the deceleration ramp (or the quick-stop ramp) when it is switched off under
// control; after a trip it coasts. The current follows the speed change and the load, the DC-link voltage comes
// from the mains. Values are in the raw scales of the inverter's actual values (see drive_scales.h).
#pragma once

#include <cstdint>

namespace sim {

struct DriveSettings {
  double accel_per_s = 0;  // raw speed per second; 0 = no ramp
  double decel_per_s = 0;
  double quick_per_s = 0;
  std::int32_t max_speed = 0;  // raw; 0 = no limit
  double mains_volts = 400;
  double load = 0;  // load torque as a share of the nominal torque
};

enum class DriveMode : std::uint8_t {
  kOff,       // power section off, the motor at rest or coasting
  kRun,       // following the reference
  kStop,      // running down along the deceleration ramp, power section on
  kQuickStop  // running down along the quick-stop ramp
};

struct DriveValues {
  double speed = 0;      // raw
  double reference = 0;  // raw, after the limit
  double torque = 0;     // share of nominal torque
  double current = 0;    // share of nominal current
  double power = 0;      // share of nominal power
  double dc_link = 0;    // V
  double motor_volts = 0;
  double heat = 0;       // filtered current squared, share of nominal
  double acceleration = 0;  // raw per second
};

class DriveModel {
 public:
  explicit DriveModel(std::uint32_t seed = 1);
  // One step of `dt` seconds.
  void Step(double dt, const DriveSettings& settings, DriveMode mode, bool ramp_hold, std::int32_t reference);
  const DriveValues& values() const { return v_; }
  bool AtRest() const { return v_.speed == 0; }

 private:
  double Noise();  // -1..1, from the seed

  std::uint32_t random_;
  DriveValues v_;
};

}  // namespace sim
