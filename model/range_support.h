// Building blocks of the range functions: checks and limits against a (min, max) in an element's stored form,
// bounds taken from other elements, and pairs chosen by the firmware version letter.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "model/function_tables.h"

namespace model {

// Status bytes of a range function.
inline constexpr std::uint8_t kRangeOk = 0;
inline constexpr std::uint8_t kRangeTooGreat = 4;
inline constexpr std::uint8_t kRangeTooSmall = 5;
inline constexpr std::uint8_t kRangeWrongValue = 6;
inline constexpr std::uint8_t kRangeNotServed = 12;

// `which` of a range function.
inline constexpr std::uint8_t kRangeCheck = 0;
inline constexpr std::uint8_t kRangeUpper = 1;
inline constexpr std::uint8_t kRangeLower = 2;

// The values WriteElement lets through for an integer type (0/2 0..255, 3 -128..127, 4 0..65535,
// 5 -32767..32767, 6 0..4294967295, 7 -2147483647..2147483647); floats have no limits. False for other types.
bool WritableTypeRange(std::uint8_t type, double* low, double* high);

// Judges or gives limits against [min, max]:
// - which 0: 4 above max, 5 below min, else 0. Integer types compare exactly; f32/f64 compare their integer
//   part when truncate_floats, else the value itself; a float that is no number is wrong (6). Type 0 and the
//   types that hold no number are never refused.
// - which 1 / 2: writes max / min in the element's stored form, clamped to WritableTypeRange so that a limit
//   is always a value the write accepts (type 0 gets 0); 12 for a type that holds no number.
std::uint8_t ApplyRange(void* value, std::uint8_t type, std::uint8_t which, double min, double max,
                        bool truncate_floats = true);

// A pair's ends as an element type reads them: unsigned types take max as an unsigned 32-bit number (so
// (0, -1) is 0..4294967295) and a negative min as 0; the others take both as signed.
double PairMinForType(std::int32_t min, std::uint8_t type);
double PairMaxForType(std::int32_t max, std::uint8_t type);

// RangeFromPair's rule on an explicit (min, max).
std::uint8_t ApplyPair(void* value, std::uint8_t type, std::uint8_t which, std::int32_t min, std::int32_t max);

// RangeFromPairScaled's rule with the pair's min and max given explicitly and its bound elements from `pair`:
// the lower bound raises min, the upper bound lowers max; a failed bound read returns its status.
std::uint8_t ApplyBoundedPair(void* value, const BoundedRangePair& pair, std::int32_t min, std::int32_t max,
                              std::uint8_t type, std::uint8_t set, std::uint8_t which);

// The bounded pair behind a RangePairTable entry (see BoundedRangePair).
inline const BoundedRangePair& BoundedPairOf(const RangePair* pair) {
  return *static_cast<const BoundedRangePair*>(pair);
}

// Pairs chosen by the firmware version letter V of the data set: the first step whose condition holds.
struct LetterStep {
  enum When : std::uint8_t { kBelow, kEquals, kOtherwise } when;
  std::uint8_t letter;
  std::int32_t min;
  std::int32_t max;
};
inline constexpr LetterStep Below(std::uint8_t letter, std::int32_t min, std::int32_t max) {
  return {LetterStep::kBelow, letter, min, max};
}
inline constexpr LetterStep Equals(std::uint8_t letter, std::int32_t min, std::int32_t max) {
  return {LetterStep::kEquals, letter, min, max};
}
inline constexpr LetterStep Otherwise(std::int32_t min, std::int32_t max) {
  return {LetterStep::kOtherwise, 0, min, max};
}
// The step for letter v (a letter of 0 counts as below every threshold).
const LetterStep& ChooseStep(std::uint8_t v, std::initializer_list<LetterStep> steps);

// A row without a type of its own: RangeFromPair on the step of the data set's letter.
std::uint8_t PairByLetter(void* value, std::uint8_t type, std::uint8_t set, std::uint8_t which,
                          std::initializer_list<LetterStep> steps);
// A row that names its element type: another type, or an unreadable letter (0), gives 12.
std::uint8_t TypedPairByLetter(void* value, std::uint8_t type, std::uint8_t required_type, std::uint8_t set,
                               std::uint8_t which, std::initializer_list<LetterStep> steps);

}  // namespace model
