// Availability checks of the motor data, the control mode (B20), the startup mode (C20) and the run mode
// (C60).
#include "model/check_functions.h"
#include "model/check_rules.h"

namespace model {

using namespace check_rules;

namespace {

constexpr std::uint16_t kMotorTypeElement = 29;    // B00 in records 42/43
constexpr std::uint16_t kControlModeElement = 6;   // B20 in records 40/41
constexpr std::uint16_t kStartupModeElement = 30;  // C20 in records 38/39
constexpr std::uint16_t kRunModeElement = 56;      // C60 in records 38/39
constexpr std::uint8_t kFamily2UserMotor = 60;

bool IsMotorRecord(std::uint16_t record) { return IsRecord(record, {42, 43}); }
bool IsControlRecord(std::uint16_t record) { return IsRecord(record, {40, 41}); }
bool IsMachineRecord(std::uint16_t record) { return IsRecord(record, {38, 39}); }

}  // namespace

std::uint8_t CheckUserDefinedMotor(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (!IsMotorRecord(record)) return kNotServed;
  std::uint8_t b00 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kMotorTypeElement, set, &b00)) return status;
  if (Family(set) == 2) {
    const bool family2_element = !IsOneOf<std::uint16_t>(element, {0, 2, 24, 27});
    return family2_element && b00 == kFamily2UserMotor ? kAvailable : kNotApplicable;
  }
  return element < 30 && b00 == 0 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckVfControl(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsControlRecord(record)) return kNotServed;
  if (Family(set) == 2) return kNotApplicable;
  return ByteIsOneOf(record, kControlModeElement, set, {0}, kNotApplicable);
}

std::uint8_t CheckSensorlessVectorControl(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsControlRecord(record)) return kNotServed;
  if (Family(set) == 2) return kNotApplicable;
  std::uint8_t b20 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kControlModeElement, set, &b20)) return status;
  return b20 == 1 || (b20 == 2 && Letter(set) >= kLetterE) ? kAvailable : kNotApplicable;
}

std::uint8_t CheckStartupMode(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsMachineRecord(record)) return kNotServed;
  return ByteIsOneOf(record, kStartupModeElement, set, {1}, kNotApplicable);
}

std::uint8_t CheckSpeedControllerVector(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (!IsMachineRecord(record)) return kNotServed;
  std::uint8_t b20 = 0;
  if (const std::uint8_t status = ReadCheckByte(SameSetRecord(record, 40), kControlModeElement, set, &b20)) {
    return status;
  }
  const bool family2 = Family(set) == 2;
  if (element == 52) return family2 ? kAvailable : kNotApplicable;
  return family2 || b20 == 2 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckControlModeNotVf(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (Family(set) == 2) return kNotApplicable;
  const std::uint8_t v = Letter(set);
  if (v < kLetterB || (v < kLetterE && element == 17)) return kNotInVersion;
  return ByteIsSet(record, kControlModeElement, set, kNotInVersion);
}

std::uint8_t CheckNotPositioningRunMode(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  std::uint8_t c60 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kRunModeElement, set, &c60)) return status;
  return c60 >= 2 ? kPositioningMode : kAvailable;
}

std::uint8_t CheckFeedbackControl(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsControlRecord(record)) return kNotServed;
  if (Family(set) == 3) return kNotApplicable;
  if (Letter(set) < kLetterB) return kNotInVersion;
  return ByteIsOneOf(record, kControlModeElement, set, {2, 3}, kNotApplicable);
}

std::uint8_t CheckFamily2MotorTable(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) != 2) return kNotApplicable;
  std::uint8_t b00 = 0;
  if (ReadCheckByte(record, kMotorTypeElement, set, &b00) != 0) return kNotApplicable;
  return b00 >= 61 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckSpeedControllerFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (Family(set) == 2) return kAvailable;
  if (Letter(set) < kLetterE) return kNotInVersion;
  return CheckSpeedControllerVector(record, element, set);
}

std::uint8_t CheckSensorlessFrom69(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsControlRecord(record)) return kNotServed;
  if (Family(set) == 2) return kNotApplicable;
  if (Letter(set) < kLetterE) return kNotInVersion;
  return ByteIsOneOf(record, kControlModeElement, set, {1}, kNotApplicable);
}

std::uint8_t CheckSkipSpeedNotVersionD(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (Letter(set) == kLetterD) return kNotInVersion;
  return CheckNotPositioningRunMode(record, element, set);
}

std::uint8_t CheckSpeedFilters(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  std::uint8_t c60 = 0;
  (void)ReadCheckByte(record, kRunModeElement, set, &c60);  // a failed read counts as 0
  if (Family(set) == 2) return c60 < 2 ? kAvailable : kNotApplicable;
  std::uint8_t b20 = 0;
  const std::uint16_t control = GoverningRecord(record, 40, 41, {39});
  if (const std::uint8_t status = ReadCheckByte(control, kControlModeElement, set, &b20)) return status;
  return c60 < 2 || b20 != 2 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckFamily2UserMotor(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) != 2) return kAvailable;
  if (!IsMotorRecord(record)) return kNotServed;
  return ByteIsOneOf(record, kMotorTypeElement, set, {kFamily2UserMotor}, kNotApplicable);
}

std::uint8_t CheckMotorDataForFeedback(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) == 2) return kAvailable;
  if (Letter(set) < kLetterE) return kNotInVersion;
  const std::uint16_t control = GoverningRecord(record, 40, 41, {43});
  return ByteIsOneOf(control, kControlModeElement, set, {2}, kNotApplicable);
}

}  // namespace model
