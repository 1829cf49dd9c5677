// The horizontal percent bar of the transfer progress, with its caption under the bar.
#include <algorithm>
#include <cmath>

#include "app/drawing/instrument_math.h"
#include "app/drawing/instruments.h"

namespace app {

namespace {
constexpr int kInset = 3;
constexpr int kCaptionHeight = 12;
constexpr char kFrame[] = "   ";  // blanks around the caption text, so that a shorter text covers a longer one
}  // namespace

void DrawPercentBar(PercentBarRecord& record, float value) {
  const double minimum = record.minimum, maximum = record.maximum;
  if (value == record.last || std::isnan(value) || !instrument::UsableRange(minimum, maximum)) return;
  const int w = record.width - kInset, h = record.height - kInset;
  const int x = record.x, y = record.y;
  if (record.caption) {
    SelectFontForHeight(kCaptionHeight);
    std::string text = kFrame;
    text += *record.caption;
    text += ' ';
    text += instrument::FormatFixed(value, 4, 1);
    text += " %";
    text += kFrame;
    const int text_width = GetTextWidth(text), text_height = GetTextHeight(text);
    DrawTextAt(x + (w - text_width) / 2, y + h + 2 * text_height + 1, text);
  }
  const double v = std::clamp(static_cast<double>(value), minimum, maximum);
  const double percent = v / (maximum - minimum) * 100.0 - minimum * 100.0 / (maximum - minimum);
  const int end = instrument::RoundToCoord(x + w * percent * 0.01);
  SelectBrush(record.colour);
  FillRectangle(x, y, end, y + h);
  SelectBrush(kPaletteWhite);
  FillRectangle(end, y, x + w, y + h);
  record.last = value;
}

}  // namespace app
