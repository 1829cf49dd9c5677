// A trace: the scope display's own copy of one channel, with its value scale (step per division), its vertical
// offset (logical units, 1000 a division, positive downwards), its switches and, for the bit display, the bits
// drawn as their own lanes. Points are computed in pixels relative to the plot's left edge and the trace's zero
// line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/wintypes.h"
#include "scope/core/plot_layout.h"
#include "scope/core/step_rule.h"
#include "scope/core/time_axis.h"
#include "scope/core/trend_channel.h"

namespace scope {

// The bits of a binary trace that are drawn, each as a stair-step lane.
struct BitGroup {
  std::uint8_t bits = 0;         // data-type width x 8
  std::uint32_t mask = 0;        // bit n set = lane for bit n
  std::uint8_t lane_divisor = 1;  // 1 for up to 8 lanes, 2 for up to 16, 4 above
};

class Trace {
 public:
  int index = 0;
  std::vector<double> samples;
  std::uint32_t first_visible = 0;
  std::uint32_t last_visible = 0;
  double step_per_division = 1.0;
  int vertical_offset = 0;
  std::int32_t time_base = 0;
  std::int32_t trigger_frame = 0;
  std::int32_t key = 0;
  std::string unit;
  std::string name;
  std::int8_t decimals = 0;
  std::int16_t data_type = 0;
  std::uint8_t kind = 0;
  bool has_data = false;
  bool visible = true;
  bool inverted = false;
  bool ground_line = false;
  bool analogue = true;
  COLORREF colour = 0;
  bool has_bits = false;  // the bit display is on
  BitGroup bit_group;
  std::vector<POINT> points;  // from the last ComputePoints: x from the plot's left, y from the zero line

  std::uint32_t count() const { return static_cast<std::uint32_t>(samples.size()); }

  // Empties the trace's data and texts (key, type, decimals, kind 0; visible); keeps colour and switches.
  void Clear();
  // Takes a channel over: texts, numbers and a copy of its samples, then scales (SetSamples). False when the
  // copy could not be allocated.
  bool TakeOver(const TrendChannel& channel, std::int32_t trigger_frame, std::int32_t time_base);
  // Replaces the samples and scales the trace so that the whole range shows; a bit display stays on. False when
  // the copy could not be allocated: the trace is left without data.
  bool SetSamples(const double* values, std::uint32_t n);

  double Minimum() const;  // 0 included
  double Maximum() const;
  // The sample at a time (microseconds from the trigger) when it lies in the visible range, else kUnsetValue.
  double ValueAt(double time) const;
  // The sample index at a time (rounded down); false when the time base is not positive or the index is not a
  // sample's.
  bool IndexAt(double time, std::uint32_t* index) const;

  // One scale step (up: coarser, down: finer) with the value at the plot's middle line kept in place; with the
  // bit display on, the lane divisor 1 -> 2 -> 4 up and back down. False (nothing changed) when no step is left.
  bool ScaleStep(StepDirection direction);
  bool CanScale(StepDirection direction) const;
  // Scales so that every sample and 0 show (the bit display is left as it is).
  void Autoscale();

  bool CanShowBits() const;
  // Bit display on with the lanes of mask (only when the trace can show bits), or off.
  void SetBitDisplay(bool on, std::uint32_t mask);

  // The points for painting on a laid-out plot with the time axis; empty when nothing of the trace is visible
  // or the time base is not positive.
  void ComputePoints(const PlotLayout& layout, const TimeAxis& axis);
  // The y of a sample value from the zero line, in pixels (negative above it).
  int YOf(double value, const PlotLayout& layout) const;
  // The zero line's y in client pixels.
  int ZeroLineY(const PlotLayout& layout) const { return layout.middle_y() + layout.YPixels(vertical_offset); }
};

}  // namespace scope
