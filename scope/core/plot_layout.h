// Where the grid of the scope display lies in its client area: margins for the ground-line indicators (left),
// the trigger indicator (bottom) and the marker labels (right while a value marker exists, top while a time
// marker exists), and even pixel steps per division. Positions on both axes are logical units, 1000 a division.
#pragma once

#include "platform/sys/wintypes.h"

namespace scope {

inline constexpr int kXDivisions = 10;
inline constexpr int kYDivisions = 8;
inline constexpr int kLeftMargin = 30;
inline constexpr int kBottomMargin = 14;
inline constexpr int kRightMargin = 19;
inline constexpr int kTopMargin = 9;
inline constexpr int kLogicalPerDivision = 1000;

struct PlotLayout {
  bool valid = false;  // false: too small for a grid; only the background is drawn
  int x_step = 0;      // pixels per division, even, at least 2
  int y_step = 0;
  RECT plot{};         // the grid's outer rectangle (right and bottom one past the last grid line)

  int width() const { return x_step * kXDivisions; }
  int height() const { return y_step * kYDivisions; }
  int middle_y() const { return plot.top + height() / 2; }
  // Logical units <-> pixels along the time axis (x) and the value axis (y).
  int XPixels(double logical) const;
  int YPixels(double logical) const;
  double XLogical(int pixels) const;
  double YLogical(int pixels) const;
};

PlotLayout LayOutPlot(const RECT& client, bool time_marker_shown, bool value_marker_shown);

}  // namespace scope
