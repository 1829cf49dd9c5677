// Availability checks of the technology functions (records 46/47): PID controller (G00), winding operation
// (G10) and electronic gear (G20), all tied to the speed run mode.
#include "model/check_functions.h"
#include "model/check_rules.h"
#include "model/function_tables.h"

namespace model {

using namespace check_rules;

namespace {

constexpr std::uint16_t kPidElement = 8;       // G00 (1 active)
constexpr std::uint16_t kGearElement = 9;      // G20
constexpr std::uint16_t kWindingElement = 23;  // G10
constexpr std::uint16_t kRunModeElement = 56;  // C60 in records 38/39

bool IsTechnologyRecord(std::uint16_t record) { return IsRecord(record, {46, 47}); }

// Checks 45 and 46: records 46/47, speed run mode, version 'B', and the function switched on.
std::uint8_t TechnologyFunction(std::uint16_t record, std::uint16_t element, std::uint8_t set,
                                std::uint16_t function) {
  if (!IsTechnologyRecord(record)) return kNotServed;
  if (CheckPidRunMode(record, element, set) != 0) return kNotInVersion;
  if (Letter(set) < kLetterB) return kNotInVersion;
  return ByteIsSet(record, function, set, kNotInVersion);
}

// Checks 48, 49, 64, 69 and 84: a version threshold in front of check 45 or 46 (7 below it).
std::uint8_t From(std::uint8_t letter, CheckFunction then, std::uint16_t record, std::uint16_t element,
                  std::uint8_t set) {
  if (Letter(set) < letter) return kNotApplicable;
  return then(record, element, set);
}

}  // namespace

std::uint8_t CheckPidController(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTechnologyRecord(record)) return kNotServed;
  if (Letter(set) < kLetterB) return kNotInVersion;
  return ByteIsOneOf(record, kPidElement, set, {1}, kNotInVersion);
}

std::uint8_t CheckWindingOperation(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return TechnologyFunction(record, element, set, kWindingElement);
}

std::uint8_t CheckElectronicGear(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return TechnologyFunction(record, element, set, kGearElement);
}

std::uint8_t CheckWindingOperationFrom67(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return From(kLetterC, &CheckWindingOperation, record, element, set);
}

std::uint8_t CheckElectronicGearFrom67(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return From(kLetterC, &CheckElectronicGear, record, element, set);
}

std::uint8_t CheckPidRunMode(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  std::uint8_t c60 = 0;  // a failed read counts as 0
  (void)ReadCheckByte(GoverningRecord(record, 38, 39, {47}), kRunModeElement, set, &c60);
  return Letter(set) >= kLetterB && c60 == 1 ? kAvailable : kNotInVersion;
}

std::uint8_t CheckWindingOperationFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return From(kLetterE, &CheckWindingOperation, record, element, set);
}

std::uint8_t CheckPidSecondLimit(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Letter(set) < kLetterE) return kNotInVersion;
  return ByteIsSet(record, kPidElement, set, kNotInVersion);
}

std::uint8_t CheckElectronicGearFrom68(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return From(kLetterD, &CheckElectronicGear, record, element, set);
}

std::uint8_t CheckElectronicGearFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return From(kLetterE, &CheckElectronicGear, record, element, set);
}

}  // namespace model
