// Single elements between the data set and the inverter; the operation-input switch.
#include "link/link_status.h"
#include "link/online_state.h"
#include "link/uss_driver.h"

namespace ilink {
namespace {

using detail::ReadByte;
using detail::WriteByte;

constexpr std::uint16_t kOperationRecord = 55;
constexpr std::uint16_t kOperationElement = 6;
constexpr std::uint16_t kEnableRecord = 36;
constexpr std::uint16_t kEnableElement = 9;

// One element with a log-in before the request, whether logged in or not.
std::uint8_t OneElement(std::uint8_t service, std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0(); code != kOk) return code;
  return detail::ElementRequest(service, record, element, set);
}

}  // namespace

std::uint8_t ReadParameterOnline(std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  return OneElement(4, set, record, element);
}

std::uint8_t WriteParameterOnline(std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  if ((record != 38 && record != 39) || element != 56) return OneElement(5, set, record, element);
  // The run mode C60: older firmware of family 1 takes it as the run-mode copy 512.67. The inverter's family
  // and version are read into the set and the set's own values put back afterwards.
  std::uint8_t own_family = 0, own_version = 0;
  if (!ReadByte(5, 0, set, &own_family) || !ReadByte(4, 0, set, &own_version)) return kSoftwareError;
  std::uint8_t code = ReadParameterOnline(set, 5, 0);
  if (code == kOk) code = ReadParameterOnline(set, 4, 0);
  std::uint8_t family = 0, version = 0;
  if (code == kOk && (!ReadByte(5, 0, set, &family) || !ReadByte(4, 0, set, &version))) code = kSoftwareError;
  if (code == kOk) {
    if (family == 1 && version <= 'I') {
      std::uint8_t run_mode = 0;
      code = ReadByte(record, element, set, &run_mode) && WriteByte(512, 67, set, run_mode)
                 ? OneElement(5, set, 512, 67)
                 : kSoftwareError;
    } else {
      code = OneElement(5, set, record, element);
    }
  }
  const bool restored = WriteByte(5, 0, set, own_family) && WriteByte(4, 0, set, own_version);
  if (code == kOk && !restored) code = kSoftwareError;
  return code;
}

std::uint8_t WriteRecord33TripleOnline(std::uint8_t set) {
  for (std::uint16_t element : {139, 140, 141}) {
    if (!WriteByte(33, element, set, 0)) return kSoftwareError;
    if (const std::uint8_t code = WriteParameterOnline(set, 33, element); code != kOk) return code;
  }
  return kOk;
}

std::uint8_t SwitchOperationInputSerial(std::uint8_t mode, std::uint8_t set) {
  auto& m = detail::Online();
  switch (mode) {
    case 0: {
      std::uint8_t input = 0;
      if (!ReadByte(kOperationRecord, kOperationElement, set, &input)) return 1;
      m.saved_operation_input = input;
      return input == 1 ? 18 : 19;
    }
    case 1: {
      if (m.saved_operation_input == 1) return 18;
      if (!WriteByte(kOperationRecord, kOperationElement, set, 1)) return 1;
      const std::uint8_t code = WriteParameterOnline(set, kOperationRecord, kOperationElement);
      if (code == kOk) return 20;
      return code == 25 ? 21 : 24;
    }
    case 2: {
      if (m.saved_operation_input == 1) return 18;
      if (ReadParameterOnline(set, kEnableRecord, kEnableElement) != kOk) return 23;
      std::uint8_t enable = 0;
      if (!ReadByte(kEnableRecord, kEnableElement, set, &enable)) return 1;
      if (enable != 0) return 25;
      if (!WriteByte(kOperationRecord, kOperationElement, set, m.saved_operation_input)) return 1;
      return WriteParameterOnline(set, kOperationRecord, kOperationElement) == kOk ? 22 : 23;
    }
    default:
      return 18;
  }
}

}  // namespace ilink
