// The global scale factor and the scaling of logical coordinates.
#include <algorithm>
#include <cmath>

#include "app/drawing/drawing_state.h"

namespace app {
namespace drawing {

int ScaleX(int x) {
  const State& s = Get();
  x = Saturate16(x);
  return s.scaling ? MulDiv(x, s.x_numerator, s.x_denominator) : x;
}

int ScaleY(int y) {
  const State& s = Get();
  y = Saturate16(y);
  return s.scaling ? MulDiv(y, s.y_numerator, s.y_denominator) : y;
}

POINT ScalePoint(DrawPoint p) { return POINT{ScaleX(p.x), ScaleY(p.y)}; }

const std::vector<POINT>& ScalePoints(std::span<const DrawPoint> points) {
  std::vector<POINT>& work = Get().work;
  work.resize(points.size());
  std::transform(points.begin(), points.end(), work.begin(), ScalePoint);
  return work;
}

}  // namespace drawing

int SetDrawScale(float factor) {
  if (std::isnan(factor)) return kDrawRefused;
  drawing::State& s = drawing::Get();
  factor = std::clamp(factor, kMinDrawScale, kMaxDrawScale);
  if (factor != s.scale) ReleaseFonts();  // made anew at the new height on next use
  s.scale = factor;
  s.x_numerator = s.y_numerator = static_cast<int>(std::lround(factor * 1000.0f));
  s.x_denominator = s.y_denominator = 1000;
  s.scaling = factor < kUnscaledLow || factor > kUnscaledHigh;
  return kDrawDone;
}

float GetDrawScale() { return drawing::Get().scale; }

}  // namespace app
