// Stored forms of number elements: widening to a 64-bit float and storing a value already within its type's
// limits, least significant byte first as the machine holds it.
#pragma once

#include <cstdint>

namespace model {

// The stored value of a number type widened to double; 0.0 for any other type.
double LoadStoredAsDouble(const std::uint8_t* storage, std::uint8_t type);

// Stores value in the form of type: integer types take it truncated toward zero and wrapped to their width,
// type 11 rounded to a 32-bit float, type 12 unchanged. A value that is no number stores 0 for an integer type.
void StoreDoubleAs(std::uint8_t* storage, std::uint8_t type, double value);

}  // namespace model
