// The lines inverter-sim takes on its standard input while it runs: switching the hardware enable input, making
// a drive trip or acknowledging its fault, the load, a look at the state, the end.
#pragma once

#include <optional>
#include <string>

namespace sim {

enum class ConsoleKind { kHardwareEnable, kTrip, kAcknowledge, kLoad, kState, kHelp, kQuit };

struct ConsoleCommand {
  ConsoleKind kind = ConsoleKind::kHelp;
  long value = 0;    // on/off as 1/0, the fault code, the load in percent
  int address = -1;  // -1: every simulated inverter
};

inline constexpr const char* kConsoleHelp =
    "commands: hw-enable on|off [ADDRESS], trip CODE [ADDRESS], ack [ADDRESS], load PERCENT [ADDRESS],\n"
    "          state [ADDRESS], help, quit\n";

// The command of one line; nothing for an empty line or a comment (#...), and nothing with `error` set for a line
// that is no command.
std::optional<ConsoleCommand> ParseConsoleLine(const std::string& line, std::string* error);

}  // namespace sim
