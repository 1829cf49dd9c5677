// Range functions whose limits come from the device: its family and its row of the InverterTypeTable.
#include <algorithm>
#include <cmath>

#include "model/device_identity.h"
#include "model/element_type.h"
#include "model/range_functions.h"
#include "model/range_support.h"
#include "model/raw_number.h"
#include "model/saturating_cast.h"
#include "model/version_letter.h"

namespace model {

namespace {

constexpr std::uint8_t kC = 'C';
constexpr std::uint8_t kD = 'D';
constexpr std::uint8_t kE = 'E';

// Limits (lo, hi) of the device type in record 304 (rows 11, 12, 18, 19, 21 read it through ReadDeviceType).
std::uint8_t DeviceValueRange(void* value, std::uint8_t type, std::uint8_t set, std::uint8_t which, int lo_value,
                              std::int32_t fixed_lo, int hi_value, std::int32_t fixed_hi, bool strict_read) {
  if (type != kTypeI16) return kRangeNotServed;
  std::uint8_t device_type = kFallbackInverterType;
  if (strict_read) {
    const std::uint8_t status = ReadDeviceType(set, &device_type);
    if (status != 0) return status;
  } else {
    device_type = DeviceTypeOrFallback(set);
  }
  const InverterTypeRow& row = InverterTypeRowOf(device_type);
  const std::int32_t lo = lo_value != 0 ? DeviceValue(row, lo_value) : fixed_lo;
  const std::int32_t hi = hi_value != 0 ? DeviceValue(row, hi_value) : fixed_hi;
  return ApplyPair(value, type, which, lo, hi);
}

}  // namespace

std::uint8_t RangeDeviceType(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                             std::uint8_t which) {
  if (type != kTypeU8) return kRangeNotServed;
  // The family of the target device decides which types it may be.
  std::int64_t family = 0;
  const std::uint8_t status = ReadRawInteger(304, 0, set, &family);
  if (status != 0) return status;
  if (family == 1) {
    const std::uint8_t result = ApplyPair(value, type, which, 39, 64);
    if (which == kRangeCheck && result == kRangeOk) {
      const std::int64_t v = LoadInteger(value, type);
      if (v == 42 || v == 44 || v == 54) return kRangeWrongValue;
    }
    return result;
  }
  if (family == 2) return ApplyPair(value, type, which, 90, 97);
  return ApplyPair(value, type, which, 70, 77);
}

std::uint8_t RangeFirmwareVersion(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  if (type != kTypeU8) return kRangeNotServed;
  std::int64_t device_type = kFallbackInverterType;
  if (ReadRawInteger(304, 1, set, &device_type) != 0) device_type = kFallbackInverterType;
  if (device_type >= 96) return ApplyPair(value, type, which, 'E', 'E');
  if (device_type >= 90) return ApplyPair(value, type, which, 'D', 'E');
  if (device_type >= 70 && device_type <= 77) return ApplyPair(value, type, which, 'E', 'E');
  if (device_type >= 51 && device_type <= 64) return ApplyPair(value, type, which, 'B', 'E');
  return ApplyPair(value, type, which, '@', 'A');
}

std::uint8_t RangeDevicePower(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  if (which == kRangeCheck) return kRangeNotServed;
  if (type != kTypeU8 && type != kTypeU16 && type != kTypeI16) return kRangeNotServed;
  const InverterTypeRow& row = InverterTypeRowOf(DeviceTypeOrFallback(set));
  const double power = static_cast<double>(row.mains_voltage) * static_cast<double>(row.nominal_current) * 3.4641 *
                       0.0001;
  if (type == kTypeI16) {
    const std::int32_t upper = SaturatingToInt32(power * 32767 / 1028);
    return ApplyPair(value, type, which, -upper, upper);
  }
  std::int32_t upper = SaturatingToInt32(power * 65535 / 3570);
  if (type == kTypeU8 && upper > 255) upper = 255;
  return ApplyPair(value, type, which, 0, upper);
}

std::uint8_t RangeMirroredBySelection(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                      std::uint8_t which) {
  if (which == kRangeCheck || type != kTypeI16) return kRangeNotServed;
  // The selector and two of the four records are not in the layout; their failed reads are passed on.
  static constexpr std::uint16_t kRecords[] = {254, 251, 248, 245};
  std::int64_t selection = 0;
  std::uint8_t status = ReadRawInteger(12, 30, set, &selection);
  if (status != 0) return status;
  if (selection < 0 || selection > 3) return kRangeNotServed;
  std::int64_t upper = 0;
  status = ReadRawInteger(kRecords[selection], 10, set, &upper);
  if (status != 0) return status;
  const auto bound = static_cast<std::int32_t>(std::clamp<std::int64_t>(upper, 0, 32767));
  return ApplyPair(value, type, which, -bound, bound);
}

std::uint8_t RangeLowVoltageLimit(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  if (type != kTypeI16) return kRangeNotServed;
  if (GetDeviceFamily(set) == 2) return ApplyPair(value, type, which, 1500, 5700);
  std::uint8_t device_type = 0;
  const std::uint8_t status = ReadDeviceType(set, &device_type);
  if (status != 0) return status;
  const std::uint8_t v = GetVersionLetter(set);
  if (v == 0) return kRangeNotServed;
  const bool low_class = InverterTypeRowOf(device_type).mains_voltage < 2501;
  if (low_class) {
    return v < kC ? ApplyPair(value, type, which, 1500, 2300) : ApplyPair(value, type, which, 1200, 3000);
  }
  if (v < kC) return ApplyPair(value, type, which, 2500, 4000);
  if (v <= kD) return ApplyPair(value, type, which, 2200, 5700);
  return ApplyPair(value, type, which, 1500, 5700);
}

std::uint8_t RangeMotorVoltage(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 0, 0, 1, 0, true);
}

std::uint8_t RangeMotorCurrent(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 0, 0, 6, 0, false);
}

std::uint8_t RangeMotorPower(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                             std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 4, 0, 5, 0, false);
}

std::uint8_t RangeBrakeResistance(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 2, 0, 0, 6000, false);
}

std::uint8_t RangeBrakeRating(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 0, 0, 3, 0, false);
}

std::uint8_t RangeBrakeType(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                            std::uint8_t which) {
  if (type != kTypeU8) return kRangeNotServed;
  std::uint8_t device_type = 0;
  const std::uint8_t status = ReadDeviceType(set, &device_type);
  if (status != 0) return status;
  std::int32_t lower = 0;
  if (GetDeviceFamily(set) == 2) {
    const std::uint8_t v = GetVersionLetter(set);
    if (v == 0) return kRangeNotServed;
    lower = v < kE ? 20 : 19;
  }
  return ApplyPair(value, type, which, lower, InverterTypeRowOf(device_type).device_byte1);
}

std::uint8_t RangeMotorType(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                            std::uint8_t which) {
  if (type != kTypeU8) return kRangeNotServed;
  std::uint8_t device_type = 0;
  const std::uint8_t status = ReadDeviceType(set, &device_type);
  if (status != 0) return status;
  return ApplyPair(value, type, which, device_type < 90 ? 0 : 60, InverterTypeRowOf(device_type).device_byte3);
}

std::uint8_t RangeMainsVoltage(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  return DeviceValueRange(value, type, set, which, 7, 0, 9, 0, true);
}

}  // namespace model
