// Range functions whose pair depends on the device family, the file kind or other elements of the data set.
#include <algorithm>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_type.h"
#include "model/range_functions.h"
#include "model/range_support.h"
#include "model/raw_number.h"
#include "model/version_letter.h"

namespace model {

namespace {

constexpr std::uint8_t kE = 'E';
constexpr std::uint8_t kCurrentLayoutLetter = 'Q';

}  // namespace

std::uint8_t RangeMotorEncoder(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  switch (GetDeviceFamily(set)) {
    case 2: return PairByLetter(value, type, set, which, {Below(kE, 2, 2), Otherwise(2, 3)});
    case 1: return ApplyPair(value, type, which, 0, 1);
    default: return ApplyPair(value, type, which, 0, 0);
  }
}

std::uint8_t RangeControlMode(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  return GetDeviceFamily(set) == 2 ? ApplyPair(value, type, which, 3, 3) : ApplyPair(value, type, which, 0, 2);
}

std::uint8_t RangeProcessBlock(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  return GetDeviceFamily(set) == 2 ? ApplyPair(value, type, which, 0, 32) : ApplyPair(value, type, which, 0, 8);
}

std::uint8_t RangeX20Increments(void* value, const RangePair*, std::uint8_t type, std::uint8_t, std::uint8_t which) {
  return ApplyPair(value, type, which, 30, 4096);
}

std::uint8_t RangeRunMode(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  switch (GetDeviceFamily(set)) {
    case 2: return ApplyPair(value, type, which, 0, 3);
    case 1: return ApplyPair(value, type, which, 1, 2);
    default: {
      // The positioning variant (element 9 of the identity record); an unreadable variant counts as 0.
      std::int64_t variant = 0;
      ReadRawInteger(IdentityRecord(set, IdentitySource::kRecord5ForReverseDoc), 9, set, &variant);
      return variant < 2 ? ApplyPair(value, type, which, 1, 1) : ApplyPair(value, type, which, 1, 2);
    }
  }
}

std::uint8_t RangeOptionBoard(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  switch (GetDeviceFamily(set)) {
    case 2: return ApplyPair(value, type, which, 10, 13);
    case 3: return ApplyPair(value, type, which, 20, 21);
    default: return PairByLetter(value, type, set, which, {Below(kE, 0, 3), Otherwise(0, 7)});
  }
}

std::uint8_t RangeSwitchingFrequency(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                     std::uint8_t which) {
  return GetDeviceFamily(set) == 2 ? ApplyPair(value, type, which, 80, 80) : ApplyPair(value, type, which, 40, 160);
}

std::uint8_t RangeMotorTimeConstant(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                    std::uint8_t which) {
  if (pair == nullptr) return kRangeNotServed;
  // Family 2 accepts every value; its limits are the element's own pair.
  if (which == kRangeCheck && GetDeviceFamily(set) == 2) return kRangeOk;
  return ApplyPair(value, type, which, pair->min, pair->max);
}

std::uint8_t RangeX20Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  switch (GetDeviceFamily(set)) {
    case 1:
    case 2: return ApplyPair(value, type, which, 0, 5);
    default: return ApplyPair(value, type, which, 0, 0);
  }
}

std::uint8_t RangeSynchronEncoder(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  return GetDeviceFamily(set) == 2 ? ApplyPair(value, type, which, 0, 2) : ApplyPair(value, type, which, 0, 1);
}

std::uint8_t RangePositionEncoder(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  switch (GetDeviceFamily(set)) {
    case 2: return ApplyPair(value, type, which, 0, 3);
    case 1: return ApplyPair(value, type, which, 0, 2);
    default: return ApplyPair(value, type, which, 0, 0);
  }
}

std::uint8_t RangeGearRatio(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return GetDeviceFamily(set) == 2 ? ApplyPair(value, type, which, -32768, 32767)
                                   : ApplyPair(value, type, which, 0, 32767);
}

std::uint8_t RangeParameterSetIdent(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                    std::uint8_t which) {
  return GetFileTypeCode(set) == kFileKindReverseDoc ? ApplyPair(value, type, which, 0, 255)
                                                     : ApplyPair(value, type, which, 1, 253);
}

std::uint8_t RangeLanguage(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  // The third language needs firmware 'E' and the current layout (its letter is element 0 of record 4).
  std::int64_t layout_letter = 0;
  const std::uint8_t status = ReadRawInteger(4, 0, set, &layout_letter);
  if (status != 0) return status;
  if (layout_letter < kCurrentLayoutLetter) return ApplyPair(value, type, which, 0, 1);
  return PairByLetter(value, type, set, which, {Below(kE, 0, 1), Otherwise(0, 2)});
}

std::uint8_t RangeLowVoltageLevel(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  if (pair == nullptr) return kRangeNotServed;
  std::int32_t min = pair->min;
  std::int64_t level = 0;
  if (ReadRawInteger(305, 158, set, &level) == 0 && level != 2) {
    min = static_cast<std::int32_t>(std::clamp<std::int64_t>(level, -2147483647 - 1, 2147483647));
  }
  return ApplyPair(value, type, which, min, pair->max);
}

}  // namespace model
