// Range functions whose bounds come from other elements named by a BoundedRangePair, and the other rows that
// compute a limit from stored values: torque and current caps, speed limits, CAN transmission types.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/device_identity.h"
#include "model/element_type.h"
#include "model/range_functions.h"
#include "model/range_support.h"
#include "model/raw_number.h"
#include "model/round_value.h"
#include "model/saturating_cast.h"
#include "model/version_letter.h"

namespace model {

namespace {

constexpr std::uint8_t kE = 'E';

// 16384 x "INFI / INM" (the f64 element 18 of record 320 for parameter set 1, 26 for set 2), taken as a 32-bit
// float when as_float, capped at 32767 and truncated.
std::uint8_t CurrentRatioLimit(std::uint8_t set, bool second_set, bool as_float, std::int32_t* out) {
  double ratio = 0.0;
  const std::uint8_t status = ReadRawNumber(320, second_set ? 26 : 18, set, &ratio);
  if (status != 0) return status;
  double k = 16384.0 * ratio;
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  if (as_float && !std::isnan(k)) k = static_cast<float>(std::clamp(k, -kFloatMax, kFloatMax));
  *out = SaturatingToInt16(std::min(k, 32767.0));
  return 0;
}

bool NamesRecord(const BoundedRangePair& pair, std::uint16_t record) {
  return pair.lower_record == record || pair.upper_record == record;
}

}  // namespace

std::uint8_t RangeFromPairScaled(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                 std::uint8_t which) {
  if (pair == nullptr) return kRangeNotServed;
  const BoundedRangePair& bounded = BoundedPairOf(pair);
  return ApplyBoundedPair(value, bounded, bounded.min, bounded.max, type, set, which);
}

std::uint8_t RangeBoundedTwice(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  if (pair == nullptr || !IsIntegerType(type)) return kRangeNotServed;
  const BoundedRangePair& bounded = BoundedPairOf(pair);
  if (bounded.lower_record == 0 || bounded.upper_record == 0) return kRangeNotServed;
  double lower = 0.0;
  double upper_bound = 0.0;
  std::uint8_t status = ReadRawNumber(bounded.lower_record, bounded.lower_element, set, &lower);
  if (status != 0) return status;
  status = ReadRawNumber(bounded.upper_record, bounded.upper_element, set, &upper_bound);
  if (status != 0) return status;
  const double upper = std::min(PairMaxForType(bounded.max, type), 2.0 * upper_bound);
  return ApplyRange(value, type, which, lower, upper);
}

std::uint8_t RangeBoundedOneAndHalf(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                    std::uint8_t which) {
  if (pair == nullptr || !IsIntegerType(type)) return kRangeNotServed;
  const BoundedRangePair& bounded = BoundedPairOf(pair);
  if (bounded.upper_record == 0) return kRangeNotServed;
  std::int64_t bound = 0;
  const std::uint8_t status = ReadRawInteger(bounded.upper_record, bounded.upper_element, set, &bound);
  if (status != 0) return status;
  const double upper = std::min(PairMaxForType(bounded.max, type), static_cast<double>(3 * bound / 2));
  return ApplyRange(value, type, which, 0.0, upper);
}

std::uint8_t RangeFloatWithGap(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t,
                               std::uint8_t which) {
  if (pair == nullptr || !IsFloatType(type)) return kRangeNotServed;
  // The pair's 16 bytes hold four f32: min, gap low, gap high, max.
  static_assert(sizeof(BoundedRangePair) == 4 * sizeof(float));
  float bounds[4];
  std::memcpy(bounds, &BoundedPairOf(pair), sizeof bounds);
  const double min = bounds[0], gap_low = bounds[1], gap_high = bounds[2], max = bounds[3];
  if (which != kRangeCheck) return ApplyRange(value, type, which, min, max, false);
  const double v = LoadNumber(value, type);
  if (std::isnan(v)) return kRangeWrongValue;
  if (v < min) return kRangeTooSmall;
  if (v > max) return kRangeTooGreat;
  if (v > gap_low && v < gap_high) return kRangeWrongValue;
  return kRangeOk;
}

std::uint8_t RangeCurrentCapped(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                std::uint8_t which) {
  if (pair == nullptr || type != kTypeI16) return kRangeNotServed;
  const BoundedRangePair& bounded = BoundedPairOf(pair);
  std::int32_t k = 0;
  std::uint8_t status = CurrentRatioLimit(set, bounded.lower_record == 41, false, &k);
  if (status != 0) return status;
  const double cap = RoundValue(RoundValue(k * 0.0122074037903989) * 81.9175);
  if (which == kRangeLower) return RangeFromPairScaled(value, pair, type, set, which);
  std::int16_t pair_upper = 0;
  status = RangeFromPairScaled(which == kRangeCheck ? value : &pair_upper, pair, type, set, which);
  if (status != 0) return status;
  if (which == kRangeCheck) return LoadNumber(value, type) > cap ? kRangeTooGreat : kRangeOk;
  return ApplyRange(value, type, kRangeUpper, 0.0, std::min<double>(pair_upper, cap));
}

std::uint8_t RangeTorqueLimit(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  if (pair == nullptr || type != kTypeI16) return kRangeNotServed;
  const bool second_set = NamesRecord(BoundedPairOf(pair), 41);
  std::int32_t upper = 0;
  if (GetDeviceFamily(set) != 2) {
    const std::uint8_t status = CurrentRatioLimit(set, second_set, true, &upper);
    if (status != 0) return status;
  } else {
    const std::uint16_t motor = second_set ? 43 : 42;
    double standstill_torque = 0.0, word44 = 0.0, emc_constant = 0.0;
    std::uint8_t status = ReadRawNumber(motor, 60, set, &standstill_torque);
    if (status == 0) status = ReadRawNumber(motor, 44, set, &word44);
    if (status == 0) status = ReadRawNumber(motor, 30, set, &emc_constant);
    if (status != 0) return status;
    const std::int64_t current = SaturatingToInt64(static_cast<double>(GetDeviceNominalCurrent(set)) * 100.0);
    // An EMC constant of 0 would divide by zero; it is treated as d = 0.
    const std::int16_t d =
        emc_constant == 0.0
            ? 0
            : SaturatingToInt16((standstill_torque + word44 * 0.1) / (emc_constant * 0.0011695451));
    if (d == 0) {
      upper = 32767;
    } else {
      const std::int64_t limit = current * 16384 / d;
      upper = static_cast<std::int32_t>(std::clamp<std::int64_t>(limit, -32767, 32767));
    }
  }
  return ApplyRange(value, type, which, 0.0, upper);
}

std::uint8_t RangeOperatingRange(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                 std::uint8_t which) {
  if (pair == nullptr) return kRangeNotServed;
  const BoundedRangePair& bounded = BoundedPairOf(pair);
  const std::int32_t min = GetVersionLetter(set) < kE ? bounded.min : -32768;
  return ApplyBoundedPair(value, bounded, min, bounded.max, type, set, which);
}

namespace {

// The element's pair with its non-zero ends replaced by the speed limits of the family and letter.
std::uint8_t SpeedEnds(const RangePair& pair, std::uint8_t set, std::int32_t* min, std::int32_t* max) {
  std::int32_t low = -6000, high = 6000;
  if (GetDeviceFamily(set) != 2) {
    const std::uint8_t v = GetVersionLetter(set);
    if (v == 0) return kRangeNotServed;
    if (v < kE) {
      low = -16384;
      high = 16384;
    } else {
      low = -32768;
      high = 32767;
    }
  }
  *min = pair.min != 0 ? low : 0;
  *max = pair.max != 0 ? high : 0;
  return kRangeOk;
}

}  // namespace

std::uint8_t RangeSpeed(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                        std::uint8_t which) {
  if (pair == nullptr || type != kTypeI16) return kRangeNotServed;
  std::int32_t min = 0, max = 0;
  const std::uint8_t status = SpeedEnds(*pair, set, &min, &max);
  if (status != 0) return status;
  return ApplyPair(value, type, which, min, max);
}

std::uint8_t RangeSpeedBounded(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  if (pair == nullptr || type != kTypeI16) return kRangeNotServed;
  std::int32_t min = 0, max = 0;
  const std::uint8_t status = SpeedEnds(*pair, set, &min, &max);
  if (status != 0) return status;
  return ApplyBoundedPair(value, BoundedPairOf(pair), min, max, type, set, which);
}

std::uint8_t RangeCanTransmissionType(void* value, const RangePair*, std::uint8_t type, std::uint8_t,
                                      std::uint8_t which) {
  if (which != kRangeCheck) return ApplyRange(value, type, which, 1, 254);
  // The candidate value is judged: bytes 2 and 3 of the packed receive/transmit types, or the byte itself.
  std::uint8_t bytes[2];
  if (type == kTypeU32 || type == kTypeI32) {
    const auto packed = static_cast<std::uint32_t>(LoadInteger(value, type));
    bytes[0] = static_cast<std::uint8_t>(packed >> 16);
    bytes[1] = static_cast<std::uint8_t>(packed >> 24);
  } else if (type == kTypeU8) {
    bytes[0] = bytes[1] = static_cast<std::uint8_t>(LoadInteger(value, type));
  } else {
    return kRangeNotServed;
  }
  const auto either = [&bytes](auto predicate) { return predicate(bytes[0]) || predicate(bytes[1]); };
  if (either([](std::uint8_t b) { return b == 0; })) return kRangeTooSmall;
  if (either([](std::uint8_t b) { return b == 255; })) return kRangeTooGreat;
  if (either([](std::uint8_t b) { return b >= 241 && b <= 253; })) return kRangeWrongValue;
  return kRangeOk;
}

}  // namespace model
