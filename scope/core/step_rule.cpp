#include "scope/core/step_rule.h"

#include <cmath>
#include <cstdlib>

#include "scope/core/value_format.h"

namespace scope {

double NextStep(double x, StepDirection direction) {
  int e = 0;
  int d = 0;
  if (x > 0 && std::isfinite(x)) {
    e = static_cast<int>(std::floor(std::log10(x)));
    d = RoundHalfAway(x / std::pow(10.0, e));
    if (d > 9) {
      d = 1;
      ++e;
    }
  }
  if (direction == StepDirection::kUp) {
    if (d <= 1) {
      d = 2;
    } else if (d <= 4) {
      d = 5;
    } else {
      d = 1;
      ++e;
    }
  } else {
    if (d <= 1) {
      d = 5;
      --e;
    } else if (d <= 4) {
      d = 1;
    } else {
      d = 2;
    }
  }
  return d * std::pow(10.0, e);
}

int SnapToGrid(int position, int k) {
  if (k == 0) return position;
  const int spacing = 1000 / std::abs(k);
  if (spacing <= 0) return position;
  const int below = static_cast<int>(std::floor(static_cast<double>(position) / spacing)) * spacing;
  if (k > 0) return below == position ? position : below + spacing;
  return below;
}

}  // namespace scope
