#include "scope/core/plot_layout.h"

#include <cmath>

namespace scope {

namespace {
int ToPixels(double logical, int step) {
  double p = std::floor(logical * step / kLogicalPerDivision);
  if (p > 1e9) return 1000000000;
  if (p < -1e9) return -1000000000;
  return static_cast<int>(p);
}
}  // namespace

int PlotLayout::XPixels(double logical) const { return ToPixels(logical, x_step); }
int PlotLayout::YPixels(double logical) const { return ToPixels(logical, y_step); }
double PlotLayout::XLogical(int pixels) const {
  return x_step > 0 ? static_cast<double>(pixels) * kLogicalPerDivision / x_step : 0.0;
}
double PlotLayout::YLogical(int pixels) const {
  return y_step > 0 ? static_cast<double>(pixels) * kLogicalPerDivision / y_step : 0.0;
}

PlotLayout LayOutPlot(const RECT& client, bool time_marker_shown, bool value_marker_shown) {
  PlotLayout layout;
  const int top_margin = time_marker_shown ? kTopMargin : 0;
  const int usable_w = (client.right - client.left) - 2 - kLeftMargin - (value_marker_shown ? kRightMargin : 0);
  const int usable_h = (client.bottom - client.top) - 1 - kBottomMargin - top_margin;
  if (usable_w < kXDivisions || usable_h < kYDivisions) return layout;
  layout.x_step = (usable_w / kXDivisions) & ~1;
  layout.y_step = (usable_h / kYDivisions) & ~1;
  // A step of one pixel rounds down to none: no grid can be drawn or addressed then.
  if (layout.x_step == 0 || layout.y_step == 0) return layout;
  layout.plot.left = client.left + kLeftMargin + (usable_w - layout.width()) / 2;
  layout.plot.right = layout.plot.left + layout.width() + 1;
  layout.plot.top = client.top + top_margin + (usable_h - layout.height()) / 2;
  layout.plot.bottom = layout.plot.top + layout.height() + 1;
  layout.valid = true;
  return layout;
}

}  // namespace scope
