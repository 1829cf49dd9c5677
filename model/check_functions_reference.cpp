// Availability checks of the reference values and ramps: the reference value source (D90), the fast
// reference value (D99) and the reference value generator (D93).
#include "model/check_functions.h"
#include "model/check_rules.h"

namespace model {

using namespace check_rules;

namespace {

constexpr std::uint16_t kSourceElement = 24;  // D90 in records 53/54
constexpr std::uint16_t kFastElement = 29;    // D99 in records 53/54 (1 active)

bool IsReferenceRecord(std::uint16_t record) { return IsRecord(record, {53, 54}); }

}  // namespace

std::uint8_t CheckReferenceValueSource(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  // Ramps (48/49) and reference values (53/54) both follow the reference records of their set.
  const std::uint16_t governing = GoverningRecord(record, 53, 54, {54, 49});
  std::uint8_t d90 = 0;
  if (const std::uint8_t status = ReadCheckByte(governing, kSourceElement, set, &d90)) return status;
  const std::uint8_t v = Letter(set);
  if (Family(set) == 2) {
    std::uint8_t d99 = 0;
    if (const std::uint8_t status = ReadCheckByte(governing, kFastElement, set, &d99)) return status;
    if (d99 == 1) return IsReferenceRecord(record) && element == 18 ? kAvailable : kNotApplicable;
    if (v == kLetterD && IsReferenceRecord(record) && IsOneOf<std::uint16_t>(element, {16, 20, 25, 28})) {
      return kNotApplicable;
    }
  }
  if (v < kLetterB) return d90 == 0 ? kAvailable : kNotApplicable;
  return d90 != 1 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckReferenceSourceNotZero(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsReferenceRecord(record)) return kNotServed;
  std::uint8_t d90 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kSourceElement, set, &d90)) return status;
  if (Family(set) == 2) {
    std::uint8_t d99 = 0;
    if (const std::uint8_t status = ReadCheckByte(record, kFastElement, set, &d99)) return status;
    if (d99 == 1) return kNotApplicable;
  }
  return d90 != 0 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckReferenceSourceFamily2(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsReferenceRecord(record)) return kNotServed;
  if (Family(set) != 2) return kAvailable;
  std::uint8_t d99 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kFastElement, set, &d99)) return status;
  return d99 == 1 ? kNotApplicable : kAvailable;
}

std::uint8_t CheckReferenceGenerator(std::uint16_t, std::uint16_t, std::uint8_t set) {
  if (Family(set) == 2) {
    std::uint8_t d93 = 0;
    if (ReadCheckByte(52, 88, set, &d93) != 0) return kNotApplicable;
    return d93 == 1 ? kAvailable : kNotApplicable;
  }
  return Letter(set) >= kLetterE ? kAvailable : kNotInVersion;
}

std::uint8_t CheckFastReferenceInactive(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  std::uint8_t d90 = 0;
  std::uint8_t d99 = 0;
  if (ReadCheckByte(record, kSourceElement, set, &d90) != 0 || ReadCheckByte(record, kFastElement, set, &d99) != 0) {
    return kNotApplicable;
  }
  if (d90 == 1) return kNotApplicable;
  if (Family(set) == 2) return d99 != 0 ? kNotApplicable : kAvailable;
  return Letter(set) < kLetterE ? kNotApplicable : kAvailable;
}

}  // namespace model
