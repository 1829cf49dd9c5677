// How a numeric parameter value looks: its display text (its decimal places: element_attributes.h).
#pragma once

#include <cstdint>

namespace model {

// Display kinds that FormatValue serves.
inline constexpr std::uint8_t kDisplayDecimal = 1;
inline constexpr std::uint8_t kDisplayHex = 9;
inline constexpr std::uint8_t kDisplayBits16 = 10;
inline constexpr std::uint8_t kDisplayBits32 = 13;

// Writes the display text of a value in display units into out (at most size - 1 characters and a
// terminator), always with a decimal point whatever the process locale. Returns 0, or 1 for a display kind
// it does not serve or a size below 1 (out untouched).
std::uint8_t FormatValue(double value, std::uint8_t kind, std::uint8_t decimals, char* out, std::int16_t size);

}  // namespace model
