// The x-y characteristic plot of the reference-value page, drawn straight on the caller's DC.
#include <array>
#include <cmath>
#include <string>

#include "app/drawing/instrument_math.h"
#include "app/drawing/instruments.h"

namespace app {
namespace {

constexpr char kUnit[] = "rpm";
constexpr char kLeftLabel[] = "-100%";
constexpr char kRightLabel[] = "100%";
constexpr int kLabelGap = 2;
// Extents taken when the DC cannot measure.
constexpr SIZE kUnmeasuredLowerLabel{30, 10};
constexpr SIZE kUnmeasuredSideLabel{20, 10};

SIZE Extent(HDC dc, const std::string& text, SIZE fallback) {
  SIZE size{};
  if (!GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size)) return fallback;
  return size;
}

void Text(HDC dc, int x, int y, const std::string& text) {
  TextOut(dc, x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace

void DrawCrossPlot(HDC dc, double left, double top, double right, double bottom, double full_scale, double a1,
                   double b1, double a2, double b2) {
  const int l = instrument::RoundToCoord(left), t = instrument::RoundToCoord(top);
  const int r = instrument::RoundToCoord(right), b = instrument::RoundToCoord(bottom);
  const int hw = (r - l) / 2, hh = (b - t) / 2;
  const int cx = l + hw, cy = t + hh;

  Rectangle(dc, l, t, r, b);
  MoveToEx(dc, cx, t, nullptr);
  LineTo(dc, cx, b);
  MoveToEx(dc, l, cy, nullptr);
  LineTo(dc, r, cy);

  std::string upper = instrument::FormatGeneral(full_scale, 5);
  upper += ' ';
  upper += kUnit;
  std::string lower = "-";
  lower += upper;
  Text(dc, cx + kLabelGap, t + kLabelGap, upper);
  Text(dc, cx + kLabelGap, b - Extent(dc, lower, kUnmeasuredLowerLabel).cy - kLabelGap, lower);
  const SIZE side = Extent(dc, kLeftLabel, kUnmeasuredSideLabel);
  Text(dc, l + kLabelGap, cy - side.cy - kLabelGap, kLeftLabel);
  Text(dc, r - side.cx - kLabelGap, cy - side.cy - kLabelGap, kRightLabel);

  // The characteristic divides by the full scale: without a positive one there is none to draw.
  const bool finite = std::isfinite(a1) && std::isfinite(b1) && std::isfinite(a2) && std::isfinite(b2);
  if (!(std::isfinite(full_scale) && full_scale > 0.0) || !finite) return;
  auto X = [&](double offset) { return instrument::RoundToCoord(cx + offset); };
  auto Y = [&](double offset) { return instrument::RoundToCoord(cy + offset); };
  const int row1_low = Y(hh * a1 / full_scale), row1_high = Y(-hh * a1 / full_scale);
  const int row2_low = Y(hh * a2 / full_scale), row2_high = Y(-hh * a2 / full_scale);
  const std::array<POINT, 8> points = {{{l, row1_low},
                                        {X(-hw * 0.01 * b1), row1_low},
                                        {X(-hw * 0.01 * b2), row2_low},
                                        {cx, row2_low},
                                        {cx, row2_high},
                                        {X(hw * 0.01 * b2), row2_high},
                                        {X(hw * 0.01 * b1), row1_high},
                                        {r, row1_high}}};
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(dc, points[i].x, points[i].y);
}

}  // namespace app
