// The decimal-places byte of an element, chosen by its descriptor's attribute selector.
#pragma once

#include <cstdint>

namespace model {

// Attribute selectors that GetElementAttributes computes; every other selector is the decimal-places byte.
inline constexpr std::uint8_t kSelectorByFamily = 253;
inline constexpr std::uint8_t kSelectorPositionDecimals = 254;
inline constexpr std::uint8_t kSelectorPolePairs = 255;

// 255: pole pairs of the record's motor (0 or 1 place; 251/254 by pole pairs x factor: 0..3); 254: element 76
// of record 512; 253: 0 for family 2, else 1. A failed read gives 0.
std::uint8_t GetElementAttributes(std::uint16_t record, std::uint8_t selector, std::uint8_t set);

}  // namespace model
