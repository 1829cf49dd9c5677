// Shared pieces of the value converters: direction, full scale, raw reads of the governing elements and the
// records that choose them.
#pragma once

#include <cstdint>

namespace model {

inline bool ToDisplay(std::uint8_t direction) { return direction != 0; }

// The physical value range F that a number type's full scale stands for; false for types without one.
bool TypeFullScale(std::uint8_t type, double* full_scale);

// Raw read of a number element by its layout type: 0 with the value, or the read's status (out untouched).
std::uint8_t ReadGoverning(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out);

// Element 61 of record 33 ("E84 active parameter set"): stored 1 is parameter set 2.
inline constexpr std::uint16_t kStatusRecord = 33;
inline constexpr std::uint16_t kActiveSetElement = 61;
// The motor record of the active parameter set: 43 when the active set reads 1, else 42 (also when unreadable).
std::uint16_t ActiveMotorRecord(std::uint8_t set);
// 0 or 1 for parameter set 1 or 2 as element 61 of record 33 holds it; 13 when it cannot be read.
std::uint8_t ReadActiveParameterSet(std::uint8_t set, std::uint8_t* parameter_set);

// The records of parameter set 2 whose speeds use the pole pairs of motor record 43.
bool IsSecondSetSpeedRecord(std::uint16_t record);

// A converter's truncated entry as a byte of a packed word: 0, 4 above 255, 5 below 0.
std::uint8_t EntryByte(double in, std::uint32_t* byte);

}  // namespace model
