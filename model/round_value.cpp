#include "model/round_value.h"

#include <cmath>

namespace model {

double RoundValue(double x) {
  if (!std::isfinite(x)) return x;
  const double magnitude = std::fabs(x);
  const double whole = std::trunc(magnitude);
  const double rounded = (magnitude - whole >= 0.5) ? std::ceil(magnitude) : std::floor(magnitude);
  // Adding 0.0 turns a negative zero (from e.g. -0.4) into +0.0, so that it never prints as "-0".
  return std::copysign(rounded, x) + 0.0;
}

double RoundToPlaces(double v, std::uint8_t places) {
  switch (places) {
    case 1: return RoundValue(v * 10.0) * 0.1 + 0.0;
    case 2: return RoundValue(v * 100.0) * 0.01 + 0.0;
    case 3: return RoundValue(v * 1000.0) * 0.001 + 0.0;
    default: return RoundValue(v);
  }
}

double RoundByDecimals(double v, std::uint8_t decimals) {
  if (decimals == kNoRounding) return v;
  return RoundToPlaces(v, decimals);
}

}  // namespace model
