// What the simulated drive takes from its inputs: under serial control the control word (the speed reference,
// a value) and the control flags of the last control telegram; at the terminals the hardware enable input. The
// binary inputs BE1..BE5 (flags under serial control) act through the functions of the parameter set; the
// simulated terminals have them unwired, so that there the hardware enable alone runs the drive.
#pragma once

#include <array>
#include <cstdint>

namespace sim {

// The control flags of services 1..3 as the master packs them from the remote-control record.
inline constexpr std::uint8_t kFlagBe4Off = 0x01;  // set while BE4 is off
inline constexpr std::uint8_t kFlagBe3 = 0x02;
inline constexpr std::uint8_t kFlagBe1 = 0x04;
inline constexpr std::uint8_t kFlagBe2 = 0x08;
inline constexpr std::uint8_t kFlagEnable = 0x10;
inline constexpr std::uint8_t kFlagBe5 = 0x20;
// Control word 0 with the flags "?" is the master's stop: whatever the bits say, the drive is disabled.
inline constexpr std::uint8_t kStopFlags = 0x3F;

// Operation input (record 55 element 6): 1 is the serial interface; every other value the terminals.
inline constexpr std::uint8_t kOperationSerial = 1;

inline constexpr std::size_t kBinaryInputs = 5;

// Functions of a binary input (record 34/35 elements 19..23).
enum class InputFunction : std::uint8_t {
  kInactive = 0,
  kEnableRight = 1,
  kEnableLeft = 2,
  kQuickStop = 3,
  kFaultReset = 4,
  kParameterSet = 5,
  kExternalFault = 11,
  kRampHold = 12,
};

struct BinaryInputSetup {
  std::array<std::uint8_t, kBinaryInputs> function{};  // InputFunction values; others do nothing here
  std::array<bool, kBinaryInputs> inverted{};
};

struct ControlSources {
  std::uint8_t operation_input = 0;
  bool hw_enable = false;
  bool control_seen = false;        // a control telegram came since the input became serial
  std::uint16_t control_word = 0;   // of the last control telegram
  std::uint8_t control_flags = 0;
  std::uint8_t terminal_inputs = 0;  // BE1..BE5 at the terminals, bit 0 = BE1
  std::int16_t terminal_reference = 0;
  bool master_enable = true;         // record 52 element 112
  BinaryInputSetup setup;
};

struct DriveCommand {
  bool enable = false;  // power section on, following the reference
  bool enable_request = false;  // the enable alone, before the direction and quick-stop inputs
  bool quick_stop = false;
  bool ramp_hold = false;
  bool fault_reset = false;  // the level; the drive acts on its rising edge
  bool external_fault = false;
  bool second_set = false;
  bool set_by_input = false;  // a binary input selects the parameter set
  bool stop_telegram = false;
  std::int32_t reference = 0;  // raw speed (the actual speed's scale), the sign is the direction
  std::uint8_t inputs = 0;     // BE1..BE5 as the drive sees them (after inversion), bit 0 = BE1
};

bool IsSerial(std::uint8_t operation_input);
// BE1..BE5 (bit 0 = BE1) that the control flags carry.
std::uint8_t InputsFromFlags(std::uint8_t flags);
DriveCommand DecodeControl(const ControlSources& s);

}  // namespace sim
