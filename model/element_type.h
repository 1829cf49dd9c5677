// Element type codes of the record layout: each fixes the size and encoding of an element's stored form.
#pragma once

#include <cstdint>

namespace model {

enum ElementTypeCode : std::uint8_t {
  kTypeU8Unused = 0,  // unsigned 8-bit (no row uses it)
  kTypeInvalid1 = 1,  // no size
  kTypeU8 = 2,
  kTypeI8 = 3,
  kTypeU16 = 4,
  kTypeI16 = 5,
  kTypeU32 = 6,
  kTypeI32 = 7,
  kTypeText8 = 8,     // up to 8 characters and terminator
  kTypeText16 = 9,    // up to 16 characters and terminator
  kTypeText80 = 10,   // up to 80 characters and terminator
  kTypeF32 = 11,
  kTypeF64 = 12,
  kTypeInvalid13 = 13,
  kTypeBlock240 = 14,  // 240 raw bytes
  kTypeText1023 = 15,  // up to 1023 characters and terminator, may hold line breaks
  kTypeRaw8 = 16,      // 8 raw bytes (no row uses it)
};

// Size in bytes of a type's stored form; 0 for the types without size and for unknown codes.
constexpr std::uint16_t ElementTypeSizeOf(std::uint8_t type) {
  switch (type) {
    case 0: case 2: case 3: return 1;
    case 4: case 5: return 2;
    case 6: case 7: case 11: return 4;
    case 8: return 9;
    case 9: return 17;
    case 10: return 81;
    case 12: case 16: return 8;
    case 14: return 240;
    case 15: return 1024;
    default: return 0;
  }
}

constexpr bool IsStringType(std::uint8_t type) { return type == 8 || type == 9 || type == 10 || type == 15; }
constexpr bool IsIntegerType(std::uint8_t type) { return type == 0 || (type >= 2 && type <= 7); }
constexpr bool IsFloatType(std::uint8_t type) { return type == 11 || type == 12; }
constexpr bool IsNumberType(std::uint8_t type) { return IsIntegerType(type) || IsFloatType(type); }

}  // namespace model
