// Shared pieces of the after-write actions: raw reads and writes of number elements by their layout type,
// writes to both records of a parameter-set pair, chained calls with the replaced value, motor images.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "model/motor_rows.h"

namespace model {

// Raw read of a number element: 0 with the value (floats truncated), else the read's status.
std::uint8_t ReadInt(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out);
// The value, or `fallback` when the read fails.
std::int64_t IntOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t fallback);

// Raw write (mode 8) of a number element in its own stored form: integer types truncated and saturated at
// their range, f32 / f64 as floats. 3 for an absent element, 12 for one that holds no number.
std::uint8_t WriteNumberRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set, double value);
// The same into `first` and `first + 1` (the records of parameter sets 1 and 2); the last failed status.
std::uint8_t WriteBothSets(std::uint16_t first, std::uint16_t element, std::uint8_t set, double value);
// In both records of the pair: a value above `limit` becomes `value`.
void ClampBothSets(std::uint16_t first, std::uint16_t element, std::uint8_t set, std::int64_t limit,
                   std::int64_t value);

// Writes (record, element) raw and then runs `action` with the previous-value buffer holding the value that
// the write replaced. Returns the action's status, or the failed read or write.
using ChainedAction = std::uint8_t (*)(std::uint16_t record, std::uint16_t element, std::uint8_t set);
std::uint8_t WriteAndChain(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t value,
                           ChainedAction action);

// A motor record image (records 42/43, the built-in rows).
using MotorImage = std::array<std::uint8_t, kMotorRowSize>;
inline std::int32_t ImageI16(const std::uint8_t* image, std::size_t offset) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(image[offset] | (image[offset + 1] << 8)));
}
inline std::int32_t ImageU16(const std::uint8_t* image, std::size_t offset) {
  return static_cast<std::uint16_t>(image[offset] | (image[offset + 1] << 8));
}
// Stores the low 16 bits of a value that the caller has kept in range.
inline void PutImageWord(std::uint8_t* image, std::size_t offset, std::int32_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  image[offset] = static_cast<std::uint8_t>(v & 0xFFu);
  image[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}
// Saturating 16-bit stores of a computed value, signed and unsigned.
void PutImageI16(std::uint8_t* image, std::size_t offset, std::int64_t value);
void PutImageU16(std::uint8_t* image, std::size_t offset, std::int64_t value);

// Offsets of a motor record.
namespace motor {
inline constexpr std::size_t kFNominal = 0, kVNominal = 2, kINominal = 4, kPNominal = 6, kNNominal = 8, kR1 = 10,
                             kX1S = 12, kKpIq = 14, kKiIq = 16, kKpId = 18, kKiId = 20, kB61 = 22, kTb = 24,
                             kB63 = 25, kPoles = 26, kMotorType = 29, kEmc = 30, kWord32 = 32, kLMotor = 34,
                             kWord38 = 38, kWord40 = 40, kWord44 = 44, kWord46 = 46, kM0 = 60, kFan = 62;
}  // namespace motor

// The family of a device type: 1 up to 64, 3 for 70..77, else 2.
std::uint8_t FamilyOfDeviceType(std::int64_t type);
// The built-in row of a standard motor type 1..29 (second table when the letter is 'E').
std::uint8_t StandardMotorRow(std::uint8_t motor_type, bool second_table);
// Whether the data set's record 304 holds firmware letter 'E' (a failed read counts as not).
bool UsesSecondMotorTable(std::uint8_t set);

}  // namespace model
