#include "scope/core/trace.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>
#include <stdexcept>

#include "scope/core/step_rule.h"
#include "scope/core/value_format.h"

namespace scope {

void Trace::Clear() {
  samples.clear();
  points.clear();
  first_visible = last_visible = 0;
  key = 0;
  data_type = 0;
  decimals = 0;
  kind = 0;
  unit.clear();
  name.clear();
  has_data = false;
  visible = true;
}

bool Trace::TakeOver(const TrendChannel& channel, std::int32_t frame, std::int32_t base) {
  key = channel.key;
  unit = channel.unit;
  name = channel.name;
  decimals = channel.decimals;
  data_type = channel.data_type;
  kind = channel.kind;
  trigger_frame = frame;
  time_base = base;
  return SetSamples(channel.samples.data(), channel.count());
}

bool Trace::SetSamples(const double* values, std::uint32_t n) {
  const bool had_bits = has_bits;
  const std::uint32_t mask = bit_group.mask;
  // The old buffers go first, so that their memory is free for the new copy.
  std::vector<double>().swap(samples);
  std::vector<POINT>().swap(points);
  first_visible = last_visible = 0;
  has_bits = false;
  bit_group = BitGroup{};
  analogue = true;
  has_data = false;
  if (!values || n == 0) return true;
  try {
    samples.assign(values, values + n);
  } catch (const std::bad_alloc&) {
    std::vector<double>().swap(samples);
    return false;
  } catch (const std::length_error&) {
    std::vector<double>().swap(samples);
    return false;
  }
  has_data = true;
  double max = 1, min = -1;
  for (double v : samples) {
    if (v > max) max = v;
    if (v < min) min = v;
  }
  step_per_division = NextStep(RoundHalfAway((max - min) / kYDivisions), StepDirection::kUp);
  const int m = RoundHalfAway((max + min) / step_per_division);
  vertical_offset = m * kLogicalPerDivision / 2;
  if (had_bits) SetBitDisplay(true, mask);
  return true;
}

namespace {
constexpr double kFinestStep = 0.001;
}  // namespace

bool Trace::CanScale(StepDirection direction) const {
  if (!has_data) return false;
  if (has_bits) return direction == StepDirection::kUp ? bit_group.lane_divisor < 4 : bit_group.lane_divisor > 1;
  return direction == StepDirection::kUp || NextStep(step_per_division, StepDirection::kDown) >= kFinestStep;
}

bool Trace::ScaleStep(StepDirection direction) {
  if (!CanScale(direction)) return false;
  if (has_bits) {
    bit_group.lane_divisor = direction == StepDirection::kUp ? bit_group.lane_divisor * 2 : bit_group.lane_divisor / 2;
    return true;
  }
  const double middle_value = static_cast<double>(vertical_offset) * step_per_division / kLogicalPerDivision;
  step_per_division = NextStep(step_per_division, direction);
  vertical_offset = RoundHalfAway(middle_value * kLogicalPerDivision / step_per_division);
  return true;
}

void Trace::Autoscale() {
  if (!has_data || has_bits) return;
  const double max = Maximum();
  const double min = Minimum();
  step_per_division = NextStep(RoundHalfAway((max - min) / kYDivisions), StepDirection::kUp);
  const int m = RoundHalfAway((max + min) / step_per_division);
  vertical_offset = m * kLogicalPerDivision / 2;
}

double Trace::Minimum() const {
  double min = 0;
  for (double v : samples) min = std::min(min, v);
  return min;
}

double Trace::Maximum() const {
  double max = 0;
  for (double v : samples) max = std::max(max, v);
  return max;
}

bool Trace::IndexAt(double time, std::uint32_t* index) const {
  if (time_base <= 0 || samples.empty()) return false;
  const double i = std::floor(time / time_base + trigger_frame);
  if (!(i >= 0) || i >= static_cast<double>(samples.size())) return false;
  *index = static_cast<std::uint32_t>(i);
  return true;
}

double Trace::ValueAt(double time) const {
  std::uint32_t i;
  if (!IndexAt(time, &i) || i < first_visible || i > last_visible || points.empty()) return kUnsetValue;
  return samples[i];
}

bool Trace::CanShowBits() const {
  const int bits = DataTypeWidth(data_type) * 8;
  return has_data && data_type != 0 && bits <= 32 && decimals == 0 &&
         static_cast<double>(count()) * bits < 2147483647.0 && (kind == 0 || kind == 3 || kind == 4);
}

void Trace::SetBitDisplay(bool on, std::uint32_t mask) {
  if (on && CanShowBits()) {
    has_bits = true;
    bit_group.bits = static_cast<std::uint8_t>(DataTypeWidth(data_type) * 8);
    bit_group.mask = bit_group.bits >= 32 ? mask : mask & ((1u << bit_group.bits) - 1u);
    const int lanes = std::popcount(bit_group.mask);
    bit_group.lane_divisor = lanes <= 8 ? 1 : lanes <= 16 ? 2 : 4;
    analogue = false;
  } else {
    has_bits = false;
    bit_group = BitGroup{};
    analogue = true;
  }
}

int Trace::YOf(double value, const PlotLayout& layout) const {
  double y = -(value / step_per_division * layout.y_step);
  if (inverted) y = -y;
  if (!(y > -1e9)) return -1000000000;
  if (y > 1e9) return 1000000000;
  return static_cast<int>(y);
}

void Trace::ComputePoints(const PlotLayout& layout, const TimeAxis& axis) {
  points.clear();
  first_visible = last_visible = 0;
  if (!layout.valid || samples.empty() || time_base <= 0 || axis.time_per_division <= 0) return;
  const double width = layout.width();
  const double px_per_us = width / (kXDivisions * axis.time_per_division);
  const double px_per_sample = time_base * px_per_us;
  const double start = layout.XPixels(axis.trigger_position) -
                       static_cast<double>(trigger_frame) * time_base * px_per_us;
  double first = std::max(0.0, std::floor(-start / px_per_sample));
  double last = std::min(static_cast<double>(samples.size() - 1), std::ceil((width - start) / px_per_sample));
  if (!(last >= first)) return;
  const auto i0 = static_cast<std::uint32_t>(first);
  const auto i1 = static_cast<std::uint32_t>(last);
  points.reserve(i1 - i0 + 1);
  for (std::uint32_t i = i0; i <= i1; ++i) {
    double x = start + std::round(px_per_sample * i);
    x = std::clamp(x, -1e9, 1e9);
    points.push_back(POINT{static_cast<int>(x), YOf(samples[i], layout)});
  }
  if (points.front().x < 0) points.front().x = 0;
  if (points.back().x > layout.width()) points.back().x = layout.width();
  first_visible = i0;
  last_visible = i1;
}

}  // namespace scope
