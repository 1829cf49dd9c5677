// How a numeric parameter value looks: its decimal places and its display text.
#pragma once

#include <cstdint>

namespace model {

// Display kinds that FormatValue serves.
inline constexpr std::uint8_t kDisplayDecimal = 1;
inline constexpr std::uint8_t kDisplayHex = 9;
inline constexpr std::uint8_t kDisplayBits16 = 10;
inline constexpr std::uint8_t kDisplayBits32 = 13;

// Attribute selectors that GetElementAttributes computes; every other selector is the decimal-places byte.
inline constexpr std::uint8_t kSelectorByFamily = 253;
inline constexpr std::uint8_t kSelectorPositionDecimals = 254;
inline constexpr std::uint8_t kSelectorPolePairs = 255;

// The decimal-places byte of an element of record `record` in data set `set` from its attribute selector.
std::uint8_t GetElementAttributes(std::uint16_t record, std::uint8_t selector, std::uint8_t set);

// Writes the display text of a value in display units into out (at most size - 1 characters and a
// terminator), always with a decimal point whatever the process locale. Returns 0, or 1 for a display kind
// it does not serve or a size below 1 (out untouched).
std::uint8_t FormatValue(double value, std::uint8_t kind, std::uint8_t decimals, char* out, std::int16_t size);

}  // namespace model
