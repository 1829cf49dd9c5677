// Rounding of parameter values: half away from zero, to whole numbers or to 1, 2 or 3 decimal places.
#pragma once

#include <cstdint>

namespace model {

// Rounds half away from zero to a whole number (2.5 -> 3, -2.5 -> -3); a zero result is always +0.0.
double RoundValue(double x);

// RoundValue(v * 10^places) * 10^-places, the power applied as the multiplier 0.1, 0.01 or 0.001.
// places 1, 2 or 3; any other value rounds to a whole number.
double RoundToPlaces(double v, std::uint8_t places);

// Rounding by a decimal-places byte as converters and limits read it: 1, 2, 3 places; 255 not at all;
// any other value a whole number.
inline constexpr std::uint8_t kNoRounding = 255;
double RoundByDecimals(double v, std::uint8_t decimals);

}  // namespace model
