// A framed scale with two captions above it and a pointer triangle on its left edge.
#include <array>

#include "app/drawing/instrument_math.h"
#include "app/drawing/instruments.h"

namespace app {
namespace {

constexpr int kCaptionFontHeight = 12;
constexpr int kPointerLength = 5;
constexpr int kPointerHalfWidth = 3;

void Centred(int centre, int base_row, const std::string& text) {
  DrawTextAt(centre - GetTextWidth(text) / 2, base_row, text);
}

}  // namespace

void DrawScalePointer(const ScalePointerRecord& r, float value) {
  SelectFontForHeight(kCaptionFontHeight);
  const int centre = r.x + r.width / 2;
  if (r.caption1) Centred(centre, r.y - 3 * (GetTextHeight(*r.caption1) / 2), *r.caption1);
  if (r.caption2) Centred(centre, r.y - GetTextHeight(*r.caption2) / 2, *r.caption2);
  const std::array<DrawPoint, 5> frame = {
      {{r.x, r.y}, {r.x, r.y + r.height}, {r.x + r.width, r.y + r.height}, {r.x + r.width, r.y}, {r.x, r.y}}};
  DrawPolyline(frame);
  const double minimum = r.minimum, maximum = r.maximum;
  if (!(minimum < value && value < maximum)) return;  // also false for an empty range and a NaN
  const double percent = (value - minimum) / (maximum - minimum) * 100.0;
  const int row = instrument::RoundToCoord(r.y + r.height - percent * r.height * 0.01);
  const std::array<DrawPoint, 4> pointer = {{{r.x - kPointerLength, row + kPointerHalfWidth},
                                             {r.x, row},
                                             {r.x - kPointerLength, row - kPointerHalfWidth},
                                             {r.x - kPointerLength, row + kPointerHalfWidth}}};
  SelectBrush(kPaletteBlack);
  DrawPolygon(pointer);
  SelectBrush(kPaletteWhite);
}

}  // namespace app
