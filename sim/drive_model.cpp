#include "sim/drive_model.h"

#include <algorithm>
#include <cmath>

#include "sim/drive_scales.h"

namespace sim {
namespace {

constexpr double kMagnetising = 0.3;         // share of nominal current with the power section on
constexpr double kInertiaRate = 2.0 * 4096;  // raw per second that takes the nominal torque
constexpr double kCoastPerS = 4096;          // a coasting motor stops from 50 Hz in a second
constexpr double kRegenVoltsPerUnit = 60;    // DC link rise at nominal braking torque
constexpr double kHeatTimeS = 5;

// Moves `from` towards `to` by at most `step` (a step of 0 or less moves at once).
double Towards(double from, double to, double step) {
  if (step <= 0) return to;
  return from < to ? std::min(to, from + step) : std::max(to, from - step);
}

}  // namespace

DriveModel::DriveModel(std::uint32_t seed) : random_(seed == 0 ? 0x9E3779B9u : seed) {}

double DriveModel::Noise() {
  random_ = random_ * 1664525u + 1013904223u;
  return static_cast<double>(random_ >> 8) / static_cast<double>(1u << 23) - 1.0;
}

void DriveModel::Step(double dt, const DriveSettings& s, DriveMode mode, bool ramp_hold, std::int32_t reference) {
  double target = reference;
  if (s.max_speed > 0) target = std::clamp(target, -static_cast<double>(s.max_speed), static_cast<double>(s.max_speed));
  if (mode != DriveMode::kRun) target = 0;
  v_.reference = mode == DriveMode::kRun ? target : 0;
  const double before = v_.speed;
  if (mode == DriveMode::kOff) {
    v_.speed = Towards(v_.speed, 0, kCoastPerS * dt);
  } else if (!ramp_hold || mode != DriveMode::kRun) {
    // Away from zero along the acceleration ramp, towards it along the deceleration (or quick-stop) ramp.
    const bool speeding_up = std::abs(target) > std::abs(v_.speed) && (target >= 0) == (v_.speed >= 0);
    double rate = speeding_up ? s.accel_per_s : s.decel_per_s;
    if (mode == DriveMode::kQuickStop) rate = s.quick_per_s;
    v_.speed = Towards(v_.speed, target, rate * dt);
  }
  if (std::abs(v_.speed) < 0.5 && target == 0) v_.speed = 0;
  v_.acceleration = dt > 0 ? (v_.speed - before) / dt : 0;

  const bool powered = mode != DriveMode::kOff;
  const double direction = v_.speed > 0 ? 1.0 : v_.speed < 0 ? -1.0 : 0.0;
  v_.torque = powered ? s.load * direction + v_.acceleration / kInertiaRate : 0;
  v_.current = powered ? std::sqrt(kMagnetising * kMagnetising + v_.torque * v_.torque) * (1 + 0.01 * Noise()) : 0;
  const double speed_share = v_.speed / (50 * kSpeedRawPerHz);
  v_.power = powered ? v_.torque * speed_share : 0;
  const double regen = std::max(0.0, -v_.power) * kRegenVoltsPerUnit;
  v_.dc_link = s.mains_volts * std::sqrt(2.0) + regen + 1.5 * Noise();
  v_.motor_volts = powered ? std::min(s.mains_volts, s.mains_volts * std::abs(speed_share)) : 0;
  const double k = std::min(1.0, dt / kHeatTimeS);
  v_.heat += (v_.current * v_.current - v_.heat) * k;
}

}  // namespace sim
