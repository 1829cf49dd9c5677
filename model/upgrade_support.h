// Raw reads and writes of number elements for the layout upgrade, by the element's own layout type.
#pragma once

#include <cstdint>

namespace model::upgrade {

// 0 with the value, or the status of the failed read (3 absent, 12 not a number).
std::uint8_t ReadInt(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out);
// The value or `fallback` when it cannot be read.
std::int64_t IntOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t fallback);
// Writes v raw in the element's form (integers truncated and kept inside their type): 0, 3, 12 or the
// status of the write.
std::uint8_t WriteNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double v);

}  // namespace model::upgrade
