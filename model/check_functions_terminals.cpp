// Availability checks of the control terminals (records 34/35 and 59/60): binary and analog inputs and
// outputs, relay 2 and the brake, the encoder connectors, and what the option board provides.
#include "model/check_functions.h"
#include "model/check_rules.h"

namespace model {

using namespace check_rules;

namespace {

// Elements of records 34/35.
constexpr std::uint16_t kBinaryInput5 = 23;   // F35
constexpr std::uint16_t kAnalogInput2 = 24;   // F20
constexpr std::uint16_t kAnalogOutput1 = 25;  // F40
constexpr std::uint16_t kRelay2 = 26;         // F00 (1 brake)
constexpr std::uint16_t kAnalogInput1 = 62;   // F25
constexpr std::uint16_t kConnectorX20 = 63;   // H20
// Elements of records 59/60.
constexpr std::uint16_t kAnalogOutput2 = 4;   // F45
constexpr std::uint16_t kConnectorX41 = 9;    // H40
constexpr std::uint16_t kBrake = 20;          // F08
// Other governing elements.
constexpr std::uint16_t kControlMode = 6;     // B20 in records 40/41
constexpr std::uint16_t kRunMode = 56;        // C60 in records 38/39

bool IsTerminalRecord(std::uint16_t record) { return IsRecord(record, {34, 35}); }

bool BoardIsOneOf(std::uint8_t set, std::initializer_list<std::uint8_t> boards) {
  return IsOneOf(GetOptionBoard(set), boards);
}

// Checks 80-82: family 3 always, the others with one of the boards.
std::uint8_t ExtensionBoard(std::uint8_t set, std::initializer_list<std::uint8_t> boards) {
  if (Family(set) == 3) return kAvailable;
  return BoardIsOneOf(set, boards) ? kAvailable : kNotInVersion;
}

// Checks 62 and 94: the run mode of the active parameter set (E84 = 1: set 2). A failed read of E84 counts
// as 0, one of C60 as 1.
std::uint8_t ActiveRunMode(std::uint8_t set) {
  std::uint8_t e84 = 0;
  (void)ReadCheckByte(33, 61, set, &e84);
  std::uint8_t c60 = 1;
  if (ReadCheckByte(e84 == 1 ? 39 : 38, kRunMode, set, &c60) != 0) c60 = 1;
  return c60;
}

// Checks 73 and 74: the X20 function of the asked record's set (set 2 for records 60 and 35).
std::uint8_t ReadX20Function(std::uint16_t record, std::uint8_t set, std::uint8_t* h20) {
  return ReadCheckByte(GoverningRecord(record, 34, 35, {60, 35}), kConnectorX20, set, h20);
}

std::uint8_t EncoderX20(std::uint16_t record, std::uint8_t set, std::initializer_list<std::uint8_t> family2) {
  std::uint8_t h20 = 0;
  if (const std::uint8_t status = ReadX20Function(record, set, &h20)) return status;
  switch (Family(set)) {
    case 1:
      return GetOptionBoard(set) == 5 && h20 == 5 ? kAvailable : kNotInVersion;
    case 2:
      return IsOneOf(h20, family2) ? kAvailable : kNotInVersion;
    default:
      return kNotInVersion;
  }
}

}  // namespace

std::uint8_t CheckBrakeRelayTimes(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  std::uint8_t f00 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kRelay2, set, &f00)) return status;
  if (f00 != 1) return kNotApplicable;
  if (Letter(set) < kLetterB) return kAvailable;
  std::uint8_t b20 = 0;
  if (const std::uint8_t status = ReadCheckByte(SameSetRecord(record, 40), kControlMode, set, &b20)) {
    return status;
  }
  return b20 == 2 ? kNotApplicable : kAvailable;
}

std::uint8_t CheckRelay2Function(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  std::uint8_t f00 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kRelay2, set, &f00)) return status;
  if (Family(set) == 2) return f00 == 1 ? kNotApplicable : kAvailable;
  return f00 != 0 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckAnalogInput2(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) == 3) return kNotApplicable;
  if (!IsTerminalRecord(record)) return kNotServed;
  return ByteIsSet(record, kAnalogInput2, set, kNotApplicable);
}

std::uint8_t CheckAnalogOutput1(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  return ByteIsSet(record, kAnalogOutput1, set, kNotApplicable);
}

std::uint8_t CheckBinaryInput5Frequency(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  return ByteIsOneOf(record, kBinaryInput5, set, {14}, kNotApplicable);
}

std::uint8_t CheckBrakeControl(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  if (Family(set) == 2) return ByteIsSet(SameSetRecord(record, 59), kBrake, set, kNotApplicable);
  if (Letter(set) < kLetterB) return kNotApplicable;
  std::uint8_t f00 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kRelay2, set, &f00)) return status;
  if (f00 != 1) return kNotApplicable;
  return ByteIsOneOf(SameSetRecord(record, 40), kControlMode, set, {2}, kNotApplicable);
}

std::uint8_t CheckAnalogInput2Extended(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  if (Family(set) == 3 || Letter(set) < kLetterB) return kNotApplicable;
  return ByteIsSet(record, kAnalogInput2, set, kNotApplicable);
}

std::uint8_t CheckRunModeNotPositioning(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotServed;
  const std::uint8_t v = Letter(set);
  if (v < kLetterA) return kNotApplicable;
  if (v < kLetterB) return kAvailable;
  std::uint8_t c60 = 0;
  if (const std::uint8_t status = ReadCheckByte(SameSetRecord(record, 38), kRunMode, set, &c60)) return status;
  return c60 < 2 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckOptionBoardAnalogInput(std::uint16_t, std::uint16_t, std::uint8_t set) {
  const std::uint8_t family = Family(set);
  if (family == 3) return kNotInVersion;
  if (BoardIsOneOf(set, {1, 2, 4, 5, 6, 7})) return kAvailable;
  return family == 2 ? kAvailable : kNotInVersion;
}

std::uint8_t CheckOptionBoardBinaryInputs(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (Family(set) == 3) return element == 44 && IsTerminalRecord(record) ? kNotInVersion : kAvailable;
  return BoardIsOneOf(set, {2, 4, 5, 7, 12, 13}) ? kAvailable : kNotInVersion;
}

std::uint8_t CheckBinaryInputsByFamily(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (!IsTerminalRecord(record)) return kNotApplicable;
  switch (Family(set)) {
    case 3:
      return kAvailable;
    case 2:
      return CheckExtensionBoardOutputs(record, element, set);
    default:
      if (element == kBinaryInput5) return kAvailable;
      if (element == 36) return Letter(set) >= kLetterB ? kAvailable : kNotInVersion;
      return kNotApplicable;
  }
}

std::uint8_t CheckAnalogInput1(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) != 2 && Letter(set) < kLetterE) return kNotApplicable;
  return ByteIsSet(record, kAnalogInput1, set, kNotApplicable);
}

std::uint8_t CheckAnalogOutput2(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) != 2) return kNotApplicable;
  return ByteIsSet(record, kAnalogOutput2, set, kNotApplicable);
}

std::uint8_t CheckConnectorX20(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  switch (Family(set)) {
    case 1:
      return BoardIsOneOf(set, {1, 2, 5, 6, 7}) ? kAvailable : kNotInVersion;
    case 2: {
      std::uint8_t h20 = 0;
      if (ReadCheckByte(record, kConnectorX20, set, &h20) != 0) return kNotApplicable;
      return IsOneOf<std::uint8_t>(h20, {2, 3, 5}) ? kAvailable : kNotApplicable;
    }
    default:
      return kNotInVersion;
  }
}

std::uint8_t CheckPositionRunModeInput(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  return ActiveRunMode(set) == 2 ? CheckConnectorX20(record, element, set) : kNotInVersion;
}

std::uint8_t CheckAnalogInput1Function(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return Family(set) != 2 && Letter(set) < kLetterE ? kNotApplicable : kAvailable;
}

std::uint8_t CheckConnectorX20Board(std::uint16_t, std::uint16_t, std::uint8_t set) {
  switch (Family(set)) {
    case 1:
      return BoardIsOneOf(set, {5, 6, 7}) ? kAvailable : kNotInVersion;
    case 2:
      return kAvailable;
    default:
      return kNotInVersion;
  }
}

std::uint8_t CheckEncoderSimulation(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  switch (Family(set)) {
    case 1:
      if (!IsRecord(record, {59, 60})) return kNotInVersion;
      return element == 5 && GetOptionBoard(set) == 6 ? kAvailable : kNotInVersion;
    case 2: {
      std::uint8_t h20 = 0;
      if (const std::uint8_t status = ReadX20Function(record, set, &h20)) return status;
      return h20 == 1 ? kAvailable : kNotInVersion;
    }
    default:
      return kNotInVersion;
  }
}

std::uint8_t CheckConnectorX41(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (Family(set) != 2) return kNotInVersion;
  std::uint8_t h40 = 0;
  if (const std::uint8_t status = ReadCheckByte(record, kConnectorX41, set, &h40)) return status;
  return h40 >= 2 ? kAvailable : kNotInVersion;
}

std::uint8_t CheckSsiEncoder(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return EncoderX20(record, set, {5});
}

std::uint8_t CheckSsiEncoderOrX20(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return EncoderX20(record, set, {4, 5});
}

std::uint8_t CheckAnalogOutput1From69(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (Family(set) == 3) return kNotApplicable;
  if (Letter(set) < kLetterE) return kNotInVersion;
  return CheckAnalogOutput1(record, element, set);
}

std::uint8_t CheckExtensionBoardOutputs(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return ExtensionBoard(set, {4, 12, 13});
}

std::uint8_t CheckExtensionBoardInputs(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return ExtensionBoard(set, {4, 5, 7, 12, 13});
}

std::uint8_t CheckExtensionBoardRelay(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return ExtensionBoard(set, {4, 5, 12, 13});
}

std::uint8_t CheckFieldBusBoard(std::uint16_t, std::uint16_t, std::uint8_t set) {
  return BoardIsOneOf(set, {12, 13}) ? kAvailable : kNotInVersion;
}

std::uint8_t CheckGearInputRunMode(std::uint16_t, std::uint16_t, std::uint8_t set) {
  if (ActiveRunMode(set) != 2) return kNotInVersion;
  return Letter(set) >= kLetterD ? kAvailable : kNotInVersion;
}

}  // namespace model
