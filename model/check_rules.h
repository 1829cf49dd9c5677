// Shared pieces of the availability checks: their status codes and the questions most rows ask.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "model/check_support.h"
#include "model/device_identity.h"
#include "model/version_letter.h"

namespace model::check_rules {

inline constexpr std::uint8_t kAvailable = 0;
inline constexpr std::uint8_t kNotServed = 3;
inline constexpr std::uint8_t kPositioningMode = 4;
inline constexpr std::uint8_t kNotInVersion = 5;
inline constexpr std::uint8_t kNotApplicable = 7;

// Firmware letters as numbers.
inline constexpr std::uint8_t kLetterA = 'A';  // 65
inline constexpr std::uint8_t kLetterB = 'B';  // 66
inline constexpr std::uint8_t kLetterC = 'C';  // 67
inline constexpr std::uint8_t kLetterD = 'D';  // 68
inline constexpr std::uint8_t kLetterE = 'E';  // 69

template <typename T>
constexpr bool IsOneOf(T value, std::initializer_list<T> list) {
  for (T v : list) {
    if (v == value) return true;
  }
  return false;
}

inline bool IsRecord(std::uint16_t record, std::initializer_list<std::uint16_t> records) {
  return IsOneOf(record, records);
}

inline std::uint8_t Family(std::uint8_t set) { return GetDeviceFamily(set); }
inline std::uint8_t Letter(std::uint8_t set) { return GetVersionLetter(set); }

// 0 when the firmware letter is at least `letter`, else 5.
inline std::uint8_t VersionAtLeast(std::uint8_t letter, std::uint8_t set) {
  return Letter(set) >= letter ? kAvailable : kNotInVersion;
}

// 0 when the governing byte is one of the values, else `refusal`; a failed read gives its status.
inline std::uint8_t ByteIsOneOf(std::uint16_t record, std::uint16_t element, std::uint8_t set,
                                std::initializer_list<std::uint8_t> values, std::uint8_t refusal) {
  std::uint8_t value = 0;
  if (const std::uint8_t status = ReadCheckByte(record, element, set, &value)) return status;
  return IsOneOf(value, values) ? kAvailable : refusal;
}

// 0 when the governing byte is not 0, else `refusal`; a failed read gives its status.
inline std::uint8_t ByteIsSet(std::uint16_t record, std::uint16_t element, std::uint8_t set,
                              std::uint8_t refusal) {
  std::uint8_t value = 0;
  if (const std::uint8_t status = ReadCheckByte(record, element, set, &value)) return status;
  return value != 0 ? kAvailable : refusal;
}

}  // namespace model::check_rules
