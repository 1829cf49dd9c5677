#include "model/range_support.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/element_type.h"
#include "model/raw_number.h"
#include "model/version_letter.h"

namespace model {

namespace {

bool IsUnsignedType(std::uint8_t type) {
  return type == kTypeU8Unused || type == kTypeU8 || type == kTypeU16 || type == kTypeU32;
}

std::uint8_t Compare(double v, double min, double max) {
  if (std::isnan(v)) return kRangeWrongValue;
  if (v > max) return kRangeTooGreat;
  if (v < min) return kRangeTooSmall;
  return kRangeOk;
}

}  // namespace

bool WritableTypeRange(std::uint8_t type, double* low, double* high) {
  switch (type) {
    case kTypeU8Unused: case kTypeU8: *low = 0.0; *high = 255.0; return true;
    case kTypeI8: *low = -128.0; *high = 127.0; return true;
    case kTypeU16: *low = 0.0; *high = 65535.0; return true;
    case kTypeI16: *low = -32767.0; *high = 32767.0; return true;
    case kTypeU32: *low = 0.0; *high = 4294967295.0; return true;
    case kTypeI32: *low = -2147483647.0; *high = 2147483647.0; return true;
    default: return false;
  }
}

std::uint8_t ApplyRange(void* value, std::uint8_t type, std::uint8_t which, double min, double max,
                        bool truncate_floats) {
  if (which == kRangeCheck) {
    if (type == kTypeU8Unused || !IsNumberType(type)) return kRangeOk;
    double v = LoadNumber(value, type);
    if (IsFloatType(type) && truncate_floats) v = std::trunc(v);
    return Compare(v, min, max);
  }
  if (which != kRangeUpper && which != kRangeLower) return kRangeNotServed;
  if (!IsNumberType(type)) return kRangeNotServed;
  double limit = which == kRangeUpper ? max : min;
  if (type == kTypeU8Unused) {
    limit = 0.0;
  } else if (double low = 0.0, high = 0.0; WritableTypeRange(type, &low, &high)) {
    limit = std::isnan(limit) ? low : std::clamp(std::trunc(limit), low, high);
  } else if (type == kTypeF32 && std::isfinite(limit)) {
    // The nearest f32 may lie beyond the limit (2147483647 becomes 2147483648): take the one inside.
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    limit = std::clamp(limit, -kFloatMax, kFloatMax);
    float f = static_cast<float>(limit);
    if (which == kRangeUpper && f > limit) f = std::nextafter(f, -std::numeric_limits<float>::infinity());
    if (which == kRangeLower && f < limit) f = std::nextafter(f, std::numeric_limits<float>::infinity());
    limit = f;
  }
  StoreNumber(value, type, limit);
  return kRangeOk;
}

double PairMinForType(std::int32_t min, std::uint8_t type) {
  if (IsUnsignedType(type) && min < 0) return 0.0;
  return min;
}

double PairMaxForType(std::int32_t max, std::uint8_t type) {
  if (IsUnsignedType(type)) return static_cast<std::uint32_t>(max);
  return max;
}

std::uint8_t ApplyPair(void* value, std::uint8_t type, std::uint8_t which, std::int32_t min, std::int32_t max) {
  return ApplyRange(value, type, which, PairMinForType(min, type), PairMaxForType(max, type));
}

std::uint8_t ApplyBoundedPair(void* value, const BoundedRangePair& pair, std::int32_t min, std::int32_t max,
                              std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  if (!IsNumberType(type)) return kRangeNotServed;
  double lower = PairMinForType(min, type);
  double upper = PairMaxForType(max, type);
  if (pair.lower_record != 0) {
    double bound = 0.0;
    const std::uint8_t status = ReadRawNumber(pair.lower_record, pair.lower_element, set, &bound);
    if (status != 0) return status;
    lower = std::max(lower, bound);
  }
  if (pair.upper_record != 0) {
    double bound = 0.0;
    const std::uint8_t status = ReadRawNumber(pair.upper_record, pair.upper_element, set, &bound);
    if (status != 0) return status;
    upper = std::min(upper, bound);
  }
  // Type 0 is judged as the unsigned byte it is.
  const std::uint8_t judged_type = type == kTypeU8Unused ? std::uint8_t{kTypeU8} : type;
  return ApplyRange(value, judged_type, which, lower, upper, false);
}

const LetterStep& ChooseStep(std::uint8_t v, std::initializer_list<LetterStep> steps) {
  for (const LetterStep& step : steps) {
    if (step.when == LetterStep::kOtherwise) return step;
    if (step.when == LetterStep::kBelow && v < step.letter) return step;
    if (step.when == LetterStep::kEquals && v == step.letter) return step;
  }
  return *(steps.end() - 1);
}

std::uint8_t PairByLetter(void* value, std::uint8_t type, std::uint8_t set, std::uint8_t which,
                          std::initializer_list<LetterStep> steps) {
  const LetterStep& step = ChooseStep(GetVersionLetter(set), steps);
  return ApplyPair(value, type, which, step.min, step.max);
}

std::uint8_t TypedPairByLetter(void* value, std::uint8_t type, std::uint8_t required_type, std::uint8_t set,
                               std::uint8_t which, std::initializer_list<LetterStep> steps) {
  if (type != required_type) return kRangeNotServed;
  const std::uint8_t v = GetVersionLetter(set);
  if (v == 0) return kRangeNotServed;
  const LetterStep& step = ChooseStep(v, steps);
  return ApplyPair(value, type, which, step.min, step.max);
}

}  // namespace model
