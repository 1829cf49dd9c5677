// Availability checks that ask only the version, family, file kind or one plain setting: versions, fault
// reactions, braking resistor, link settings.
#include "model/check_functions.h"
#include "model/check_rules.h"
#include "model/data_set.h"

namespace model {

using namespace check_rules;

namespace {

constexpr std::uint16_t kBrakeRecord = 55;
constexpr std::uint16_t kLinkSettingsRecord = 305;

// Checks 16-20: records 57/58 only; 0 when the reaction at `reaction` is 2 (it has a time or level), else 7.
std::uint8_t ReactionWithTime(std::uint16_t record, std::uint16_t reaction, std::uint8_t set) {
  if (!IsRecord(record, {57, 58})) return kNotServed;
  return ByteIsOneOf(record, reaction, set, {2}, kNotApplicable);
}

bool IsReverseDocumentation(std::uint8_t set) { return GetFileTypeCode(set) == kFileKindReverseDoc; }

}  // namespace

std::uint8_t CheckAlwaysAvailable(std::uint16_t, std::uint16_t, std::uint8_t) { return kAvailable; }

std::uint8_t CheckUserDefinedBrakeResistor(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (record != kBrakeRecord || !IsOneOf<std::uint16_t>(element, {10, 12, 14})) return kNotServed;
  return ByteIsOneOf(kBrakeRecord, 16, set, {1, 21}, kNotApplicable);  // A20
}

std::uint8_t CheckLinkSettingsByFileKind(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (record != kLinkSettingsRecord) return kNotServed;
  const bool reverse_doc = IsReverseDocumentation(set);
  switch (element) {
    case 44:
      return reverse_doc ? kNotApplicable : kAvailable;
    case 45:
    case 49:
      return reverse_doc ? kAvailable : kNotApplicable;
    case 52: {
      if (HasScopeData(set) != 1) return kNotApplicable;
      std::uint8_t print_to_file = 0;  // a link setting of data set 0, whatever set is asked
      if (const std::uint8_t status = ReadCheckByte(kLinkSettingsRecord, 10, 0, &print_to_file)) return status;
      return print_to_file == 0 ? kAvailable : kNotApplicable;
    }
    default:
      return kNotServed;
  }
}

std::uint8_t CheckLowVoltageReaction(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 56) return kNotServed;
  return ByteIsOneOf(56, 0, set, {2}, kNotApplicable);  // U00
}

std::uint8_t CheckReactionU10(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return ReactionWithTime(record, 0, set);
}
std::uint8_t CheckReactionU20(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return ReactionWithTime(record, 2, set);
}
std::uint8_t CheckReactionU30(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return ReactionWithTime(record, 21, set);
}
std::uint8_t CheckReactionU40(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return ReactionWithTime(record, 40, set);
}
std::uint8_t CheckReactionU50(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return ReactionWithTime(record, 59, set);
}

std::uint8_t CheckNotReverseDocumentation(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return IsReverseDocumentation(set) ? kNotApplicable : kAvailable;
}

std::uint8_t CheckReverseDocumentationOnly(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return IsReverseDocumentation(set) ? kAvailable : kNotApplicable;
}

std::uint8_t CheckAutoReset(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kBrakeRecord) return kNotServed;
  return ByteIsOneOf(kBrakeRecord, 17, set, {1}, kNotApplicable);  // A32
}

std::uint8_t CheckVersionAtLeast65(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return VersionAtLeast(kLetterA, set);
}
std::uint8_t CheckVersionAtLeast66(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return VersionAtLeast(kLetterB, set);
}
std::uint8_t CheckVersionAtLeast67(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return VersionAtLeast(kLetterC, set);
}
std::uint8_t CheckVersionAtLeast68(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return VersionAtLeast(kLetterD, set);
}
std::uint8_t CheckVersionAtLeast69(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return VersionAtLeast(kLetterE, set);
}

std::uint8_t CheckLowVoltageMode(std::uint16_t, std::uint16_t, std::uint8_t set) {
  if (Letter(set) < kLetterD) return kNotApplicable;
  return ByteIsOneOf(56, 2, set, {2}, kNotApplicable);  // U02
}

std::uint8_t CheckSoftwareVersionA(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return ByteIsOneOf(304, 5, set, {kLetterA}, kNotInVersion);  // P01 of the project target
}

std::uint8_t CheckNotFamily2(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) == 2 ? kNotApplicable : kAvailable;
}

std::uint8_t CheckFamily2Only(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) == 2 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckNotVersionD(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Letter(set) == kLetterD ? kNotInVersion : kAvailable;
}

std::uint8_t CheckFamily2From69(std::uint16_t, std::uint16_t, std::uint8_t set) {
  if (Letter(set) < kLetterE) return kNotApplicable;
  return Family(set) == 2 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckNotFamily3(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) == 3 ? kNotApplicable : kAvailable;
}

std::uint8_t CheckPositioningEncoder(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) != 3 && Letter(set) >= kLetterD ? kAvailable : kNotApplicable;
}

std::uint8_t CheckFamily3Only(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) == 3 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckNotFamily2From69(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) != 2 && Letter(set) >= kLetterE ? kAvailable : kNotApplicable;
}

}  // namespace model
