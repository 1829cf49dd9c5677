#include "model/action_support.h"

#include <algorithm>
#include <array>

#include "model/element_access.h"
#include "model/element_type.h"
#include "model/raw_number.h"
#include "model/record_layout.h"

namespace model {

std::uint8_t ReadInt(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out) {
  return ReadRawInteger(record, element, set, out);
}

std::int64_t IntOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t fallback) {
  std::int64_t value = 0;
  return ReadRawInteger(record, element, set, &value) == 0 ? value : fallback;
}

namespace {

// A computed value at the nearest end of an integer type's range (floats and NaN pass unchanged).
double SaturateForType(double value, std::uint8_t type) {
  double low = 0.0, high = 0.0;
  switch (type) {
    case kTypeU8Unused: case kTypeU8: high = 255.0; break;
    case kTypeI8: low = -128.0; high = 127.0; break;
    case kTypeU16: high = 65535.0; break;
    case kTypeI16: low = -32768.0; high = 32767.0; break;
    case kTypeU32: high = 4294967295.0; break;
    case kTypeI32: low = -2147483648.0; high = 2147483647.0; break;
    default: return value;
  }
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

std::uint8_t WriteNumberRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set, double value) {
  const std::uint8_t type = GetElementType(record, element);
  if (type == 255) return 3;
  if (!IsNumberType(type)) return 12;
  std::array<std::uint8_t, 8> stored{};
  StoreNumber(stored.data(), type, SaturateForType(value, type));
  return WriteElement(record, element, stored.data(), kModeRaw, set);
}

std::uint8_t WriteBothSets(std::uint16_t first, std::uint16_t element, std::uint8_t set, double value) {
  const std::uint8_t one = WriteNumberRaw(first, element, set, value);
  const std::uint8_t two = WriteNumberRaw(static_cast<std::uint16_t>(first + 1), element, set, value);
  return two != 0 ? two : one;
}

void ClampBothSets(std::uint16_t first, std::uint16_t element, std::uint8_t set, std::int64_t limit,
                   std::int64_t value) {
  for (const std::uint16_t record : {first, static_cast<std::uint16_t>(first + 1)}) {
    std::int64_t current = 0;
    if (ReadInt(record, element, set, &current) == 0 && current > limit) {
      WriteNumberRaw(record, element, set, static_cast<double>(value));
    }
  }
}

std::uint8_t WriteAndChain(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t value,
                           ChainedAction action) {
  const std::uint8_t type = GetElementType(record, element);
  if (!IsIntegerType(type)) return 3;
  std::array<std::uint8_t, 8> replaced{};
  const std::uint8_t read = ReadElement(record, element, replaced.data(), kModeRaw, set);
  if (read != 0) return read;
  const std::uint8_t written = WriteNumberRaw(record, element, set, static_cast<double>(value));
  if (written != 0) return written;
  SetPreviousElementValue(replaced.data(), ElementTypeSize(type));
  return action(record, element, set);
}

void PutImageI16(std::uint8_t* image, std::size_t offset, std::int64_t value) {
  PutImageWord(image, offset, static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -32768, 32767)));
}

void PutImageU16(std::uint8_t* image, std::size_t offset, std::int64_t value) {
  PutImageWord(image, offset, static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, 65535)));
}

std::uint8_t FamilyOfDeviceType(std::int64_t type) {
  if (type <= 64) return 1;
  if (type >= 70 && type <= 77) return 3;
  return 2;
}

std::uint8_t StandardMotorRow(std::uint8_t motor_type, bool second_table) {
  return static_cast<std::uint8_t>(motor_type + (second_table ? 30 : 0));
}

bool UsesSecondMotorTable(std::uint8_t set) { return IntOr(304, 5, set, 0) == 'E'; }

}  // namespace model
