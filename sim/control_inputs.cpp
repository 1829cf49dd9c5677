#include "sim/control_inputs.h"

#include <cstdlib>

namespace sim {

bool IsSerial(std::uint8_t operation_input) { return operation_input == kOperationSerial; }

std::uint8_t InputsFromFlags(std::uint8_t flags) {
  std::uint8_t in = 0;
  if (flags & kFlagBe1) in |= 0x01;
  if (flags & kFlagBe2) in |= 0x02;
  if (flags & kFlagBe3) in |= 0x04;
  if (!(flags & kFlagBe4Off)) in |= 0x08;
  if (flags & kFlagBe5) in |= 0x10;
  return in;
}

DriveCommand DecodeControl(const ControlSources& s) {
  DriveCommand c;
  const bool serial = IsSerial(s.operation_input);
  const std::uint8_t raw = serial ? InputsFromFlags(s.control_flags) : s.terminal_inputs;
  bool any_direction_input = false;
  bool right = false;
  bool left = false;
  for (std::size_t i = 0; i < kBinaryInputs; ++i) {
    const bool level = ((raw >> i) & 1) != (s.setup.inverted[i] ? 1 : 0);
    if (level) c.inputs |= static_cast<std::uint8_t>(1u << i);
    switch (static_cast<InputFunction>(s.setup.function[i])) {
      case InputFunction::kEnableRight: any_direction_input = true; right = right || level; break;
      case InputFunction::kEnableLeft: any_direction_input = true; left = left || level; break;
      case InputFunction::kQuickStop: c.quick_stop = c.quick_stop || level; break;
      case InputFunction::kFaultReset: c.fault_reset = c.fault_reset || level; break;
      case InputFunction::kParameterSet:
        c.set_by_input = true;
        c.second_set = c.second_set || level;
        break;
      case InputFunction::kExternalFault: c.external_fault = c.external_fault || level; break;
      case InputFunction::kRampHold: c.ramp_hold = c.ramp_hold || level; break;
      default: break;
    }
  }
  std::int32_t reference = serial ? static_cast<std::int16_t>(s.control_word) : s.terminal_reference;
  bool enable = s.hw_enable && s.master_enable;
  if (serial) {
    c.stop_telegram = s.control_seen && s.control_word == 0 && s.control_flags == kStopFlags;
    enable = enable && s.control_seen && (s.control_flags & kFlagEnable) != 0 && !c.stop_telegram;
  }
  c.enable_request = enable;
  if (any_direction_input && serial) {
    // Enable right / left give the direction; both or neither hold the drive.
    enable = enable && right != left;
    reference = right ? std::abs(reference) : -std::abs(reference);
  }
  c.enable = enable && !c.quick_stop;
  c.reference = c.enable ? reference : 0;
  return c;
}

}  // namespace sim
