// The vertical bar gauge of the drive monitor: a bar from the zero row to the value's row.
#include <algorithm>
#include <cmath>

#include "app/drawing/instrument_math.h"
#include "app/drawing/instruments.h"

namespace app {

namespace {
constexpr int kInset = 3;  // the drawn area is this much smaller than the outer size
}

void DrawBarGauge(BarGaugeRecord& record, float value) {
  const double minimum = record.minimum, maximum = record.maximum;
  if (value == record.last || std::isnan(value)) return;
  if (!instrument::UsableRange(minimum, maximum) || !(minimum <= 0.0 && 0.0 < maximum)) return;
  const double v = std::clamp(static_cast<double>(value), minimum, maximum);
  const int w = record.width - kInset, h = record.height - kInset;
  const int x = record.x, y = record.y;
  const int zero_row = instrument::RoundToCoord(y + maximum / (maximum - minimum) * h);
  int value_row = instrument::RoundToCoord(y + (maximum - v) / (maximum - minimum) * h);
  if (value_row == zero_row) value_row = zero_row + 1;
  const int upper = std::min(zero_row, value_row), lower = std::max(zero_row, value_row);
  SelectBrush(kPaletteWhite);
  FillRectangle(x, y, x + w, upper);
  FillRectangle(x, lower, x + w, y + h);
  SelectBrush(record.colour);
  FillRectangle(x, upper, x + w, lower);
  SelectBrush(kPaletteWhite);
  record.last = value;
}

}  // namespace app
