// The bevelled panel gauge: a frame, a scale of five values with ticks, a pointer and a bar, all at the
// record's own scale factor.
#include <algorithm>
#include <array>
#include <cmath>

#include "app/drawing/instrument_math.h"
#include "app/drawing/instruments.h"

namespace app {
namespace {

constexpr int kSmallFontHeight = 6;
constexpr int kBarLeft = 15;
constexpr int kBarRight = 25;
constexpr int kBarTop = 15;
constexpr int kBarBottom = 100;
constexpr DrawPoint kValueText{20, 118};
constexpr std::array<int, 5> kScaleTextRows = {27, 44, 61, 78, 97};
constexpr int kScaleTextColumn = 33;
constexpr std::array<int, 5> kTickRows = {15, 32, 49, 66, 83};
constexpr int kTickLeft = 25;
constexpr int kTickRight = 33;
constexpr DrawPoint kCaption{10, -1};

// The bevel: a shape and its palette colour, each polygon closed on its first point.
struct BevelShape {
  int colour;
  std::array<DrawPoint, 6> points;
  std::size_t count;
};
constexpr std::array<BevelShape, 5> kBevel = {{
    {kPaletteBlack, {{{0, 120}, {60, 120}, {60, 0}, {57, 3}, {3, 117}, {0, 120}}}, 6},
    {kPaletteLightGrey, {{{3, 3}, {3, 117}, {57, 117}, {57, 3}, {3, 3}}}, 5},
    {kPaletteBlack, {{{7, 7}, {7, 103}, {53, 103}, {53, 7}, {7, 7}}}, 5},
    {kPaletteWhite, {{{7, 103}, {53, 103}, {53, 7}, {51, 9}, {9, 101}, {7, 103}}}, 6},
    {kPaletteLightGrey, {{{9, 9}, {9, 101}, {51, 101}, {51, 9}, {9, 9}}}, 5},
}};

// Puts the record's factor on the layer's scale for as long as it lives.
class GaugeScale {
 public:
  explicit GaugeScale(float factor) : previous_(GetDrawScale()) { SetDrawScale(previous_ * factor); }
  ~GaugeScale() { SetDrawScale(previous_); }
  GaugeScale(const GaugeScale&) = delete;
  GaugeScale& operator=(const GaugeScale&) = delete;

 private:
  float previous_;
};

// The row of a value on the scale, held in the bar's rows; the bottom row for an empty range. The minimum is
// added to a percentage here, which holds only for a range that starts at 0.
int PanelRow(double value, double minimum, double maximum) {
  if (!instrument::UsableRange(minimum, maximum) || std::isnan(value)) return kBarBottom;
  const double row = 100.0 - ((value - minimum) * 100.0 / (maximum - minimum) * 0.85 + minimum);
  return std::clamp(instrument::RoundToCoord(row), kBarTop, kBarBottom);
}

// The first four characters of a number text; a point in the fourth place becomes a blank or goes.
std::string FourCharacters(std::string text, bool drop_point) {
  text.resize(4, ' ');
  if (text[3] == '.') {
    if (drop_point) {
      text.resize(3);
    } else {
      text[3] = ' ';
    }
  }
  return text;
}

void Polyline(const PanelGaugeRecord& r, std::span<DrawPoint> points) {
  OffsetPoints(points, r.x, r.y);
  DrawPolyline(points);
}

}  // namespace

void OffsetPoints(std::span<DrawPoint> points, int dx, int dy) {
  for (DrawPoint& p : points) {
    p.x += dx;
    p.y += dy;
  }
}

void DrawPanelGauge(const PanelGaugeRecord& r) {
  const double minimum = r.minimum, maximum = r.maximum;
  {
    GaugeScale scale(r.scale);
    SelectBrush(kPaletteWhite);
    SetPenWidth(1);
    FillRectangle(r.x, r.y, r.x + 40, r.y + 120);
    std::array<DrawPoint, 5> frame = {{{0, 0}, {0, 120}, {60, 120}, {60, 0}, {0, 0}}};
    Polyline(r, frame);
    for (const BevelShape& shape : kBevel) {
      std::array<DrawPoint, 6> points = shape.points;
      const std::span<DrawPoint> used(points.data(), shape.count);
      OffsetPoints(used, r.x, r.y);
      SelectBrush(shape.colour);
      DrawPolygon(used);
    }
    SelectBrush(kPaletteWhite);

    SelectFontForHeight(kSmallFontHeight);
    DrawTextAt(r.x + kValueText.x, r.y + kValueText.y, FourCharacters(instrument::FormatFixed(minimum, 4, 6), false));
    for (std::size_t k = 0; k < kScaleTextRows.size(); ++k) {
      const double mark = maximum - (maximum - minimum) * 0.2 * static_cast<double>(k);
      DrawTextAt(r.x + kScaleTextColumn, r.y + kScaleTextRows[k],
                 FourCharacters(instrument::FormatFixed(mark, 4, 6), true));
    }
    for (int row : kTickRows) {
      std::array<DrawPoint, 2> tick = {{{kTickLeft, row}, {kTickRight, row}}};
      Polyline(r, tick);
    }
    FillRectangle(r.x + kBarLeft, r.y + kBarTop, r.x + kBarRight, r.y + kBarBottom);
    if (r.caption) DrawTextAt(r.x + kCaption.x, r.y + kCaption.y, *r.caption);
    if (minimum < r.value && r.value < maximum) {
      const int row = PanelRow(r.value, minimum, maximum);
      std::array<DrawPoint, 4> pointer = {{{10, row + 3}, {15, row}, {10, row - 3}, {10, row + 3}}};
      OffsetPoints(pointer, r.x, r.y);
      SelectBrush(kPaletteBlack);
      DrawPolygon(pointer);
      SelectBrush(kPaletteWhite);
    }
  }
  DrawPanelBar(r, r.minimum);
}

void DrawPanelBar(const PanelGaugeRecord& r, float value) {
  GaugeScale scale(r.scale);
  SelectFontForHeight(kSmallFontHeight);
  const int row = PanelRow(value, r.minimum, r.maximum);
  SelectBrush(r.colour);
  FillRectangle(r.x + kBarLeft, r.y + row, r.x + kBarRight, r.y + kBarBottom);
  SelectBrush(kPaletteWhite);
  FillRectangle(r.x + kBarLeft, r.y + kBarTop, r.x + kBarRight, r.y + row);
  std::string text = "  ";
  text += instrument::FormatFixed(value, 4, 1);
  DrawTextAt(r.x + kValueText.x, r.y + kValueText.y, FourCharacters(text, false));
}

}  // namespace app
