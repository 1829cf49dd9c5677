// The time axis of the scope display: the time per division and where the trigger sample lies (logical units
// from the plot's left edge, 1000 a division). Times are counted from the trigger sample.
#pragma once

#include <cstdint>

namespace scope {

inline constexpr double kInitialTimePerDivision = 100000.0;
inline constexpr double kZoomInLimit = 20.0;            // microseconds per division: no finer step from below it
inline constexpr double kZoomOutLimit = 5000000000.0;  // no coarser step from here on

struct TimeAxis {
  double time_per_division = kInitialTimePerDivision;  // microseconds
  int trigger_position = 1000;                          // logical units

  // After a take-over: the 1-2-5 step above the recording's length per division, the trigger on the nearest grid
  // line (one division in when that is the left edge). A time base <= 0 leaves the axis as it is.
  void TakeOver(double time_base, std::uint32_t largest_count, std::int32_t trigger_frame);
  // One step finer (zoom in) or coarser (zoom out); the time at the plot's middle keeps its place. False when
  // the limit stops it.
  bool ZoomIn();
  bool ZoomOut();

  // The whole recording in the plot: the longest duration (at least 1000 us) over the divisions, unrounded; the
  // trigger at the largest trigger time (at least 10 us) on the nearest grid column of the x step, one division
  // in when that is the left edge.
  void Autoscale(double longest_duration, double largest_trigger_time, int x_step);

  // The time (microseconds from the trigger) at a logical x position, and back.
  double TimeAt(double logical_x) const;
  double LogicalAt(double time) const;
};

}  // namespace scope
