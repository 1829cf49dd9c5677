// Numbers in their stored form: loading and storing by element type, and raw reads of number elements
// that widen by the element's own layout type (so a caller's variable never receives more bytes than it has).
#pragma once

#include <cstdint>

namespace model {

// The integer held at p in the stored form of an integer type (0 and 2 u8, 3 i8, 4 u16, 5 i16, 6 u32, 7 i32).
std::int64_t LoadInteger(const void* p, std::uint8_t type);
// Any number type as a double (11 f32, 12 f64 included); 0.0 for other types.
double LoadNumber(const void* p, std::uint8_t type);
// Writes v in the width of an integer type (the caller keeps v inside the type's range).
void StoreInteger(void* p, std::uint8_t type, std::int64_t v);
// Writes v in the element's form: integer types take it truncated and saturated, 11 as f32, 12 as f64.
void StoreNumber(void* p, std::uint8_t type, double v);

// Reads (record, element) of `set` raw: 0 with the value, 3 for an absent element, 12 for an element that is
// not a number, otherwise the read status. Float elements are truncated toward zero by ReadRawInteger.
std::uint8_t ReadRawInteger(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out);
std::uint8_t ReadRawNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double* out);

}  // namespace model
