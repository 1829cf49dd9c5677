// Conversions from a double to an integer width that never invoke undefined behaviour.
//
// A double outside the target's range, or not a number, cannot be cast to an integer in C++. Every place
// in the model that truncates a computed value to an integer width goes through these helpers instead:
// the value is truncated toward zero, values beyond the range saturate at its nearest end, and NaN gives 0.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace model {

template <typename Int>
inline Int SaturatingTruncate(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = static_cast<double>(std::numeric_limits<Int>::min());
  constexpr double kHigh = static_cast<double>(std::numeric_limits<Int>::max());
  if (value <= kLow) return std::numeric_limits<Int>::min();
  if (value >= kHigh) return std::numeric_limits<Int>::max();
  return static_cast<Int>(value);  // truncates toward zero; in range here
}

inline std::int16_t SaturatingToInt16(double value) { return SaturatingTruncate<std::int16_t>(value); }
inline std::int32_t SaturatingToInt32(double value) { return SaturatingTruncate<std::int32_t>(value); }
inline std::uint32_t SaturatingToUint32(double value) { return SaturatingTruncate<std::uint32_t>(value); }
inline std::int64_t SaturatingToInt64(double value) { return SaturatingTruncate<std::int64_t>(value); }

// The 32 bits of a value truncated toward zero: negative values as their two's-complement pattern
// (saturating at -2^31), others as unsigned (saturating at 2^32 - 1).
inline std::uint32_t TruncateToBits32(double value) {
  if (value < 0.0) return static_cast<std::uint32_t>(SaturatingToInt32(value));
  return SaturatingToUint32(value);
}

}  // namespace model
