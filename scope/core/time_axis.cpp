#include "scope/core/time_axis.h"

#include <algorithm>
#include <cmath>

#include "scope/core/plot_layout.h"
#include "scope/core/step_rule.h"
#include "scope/core/value_format.h"

namespace scope {

namespace {
// A trigger far outside the recording (a frame of 2^31) stays a position that pixels can be computed from.
int ClampedLogical(double position) {
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::clamp(position, -kLimit, kLimit));
}
}  // namespace

void TimeAxis::TakeOver(double time_base, std::uint32_t largest_count, std::int32_t trigger_frame) {
  if (time_base <= 0) return;
  time_per_division = NextStep(time_base * largest_count / kXDivisions, StepDirection::kUp);
  const double trigger_time = static_cast<double>(trigger_frame) * time_base;
  trigger_position = ClampedLogical(std::round(trigger_time / time_per_division) * kLogicalPerDivision);
  if (trigger_position == 0) trigger_position = kLogicalPerDivision;
}

namespace {
constexpr double kMiddle = kXDivisions * kLogicalPerDivision / 2.0;
}

bool TimeAxis::ZoomIn() {
  if (time_per_division < kZoomInLimit) return false;
  const double middle = TimeAt(kMiddle);
  time_per_division = NextStep(time_per_division, StepDirection::kDown);
  trigger_position = ClampedLogical(std::round(kMiddle - middle / time_per_division * kLogicalPerDivision));
  return true;
}

bool TimeAxis::ZoomOut() {
  if (time_per_division >= kZoomOutLimit) return false;
  const double middle = TimeAt(kMiddle);
  time_per_division = NextStep(time_per_division, StepDirection::kUp);
  trigger_position = ClampedLogical(std::round(kMiddle - middle / time_per_division * kLogicalPerDivision));
  return true;
}

void TimeAxis::Autoscale(double longest_duration, double largest_trigger_time, int x_step) {
  time_per_division = std::max(longest_duration, 1000.0) / kXDivisions;
  const double logical = std::max(largest_trigger_time, 10.0) / time_per_division * kLogicalPerDivision;
  if (x_step > 0) {
    const double pixels = logical * x_step / kLogicalPerDivision;
    trigger_position = ClampedLogical(std::round(pixels / x_step) * kLogicalPerDivision);
  } else {
    trigger_position = ClampedLogical(std::round(logical));
  }
  if (trigger_position == 0) trigger_position = kLogicalPerDivision;
}

double TimeAxis::TimeAt(double logical_x) const {
  return (logical_x - trigger_position) / kLogicalPerDivision * time_per_division;
}

double TimeAxis::LogicalAt(double time) const {
  return trigger_position + time / time_per_division * kLogicalPerDivision;
}

}  // namespace scope
