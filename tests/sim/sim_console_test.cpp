// The command lines inverter-sim takes while it runs: each command with its values, an address where one is
// given; blank lines and comments are nothing, anything else a message that names the fault.
#include <gtest/gtest.h>

#include "sim/sim_console.h"

namespace {

using sim::ConsoleKind;

TEST(SimConsole, LinesBecomeCommandsOrMessages) {
  const struct {
    const char* line;
    bool command;
    ConsoleKind kind;
    long value;
    int address;
    const char* error;
  } cases[] = {
      {"hw-enable on\n", true, ConsoleKind::kHardwareEnable, 1, -1, ""},
      {"  hw-enable   off  3", true, ConsoleKind::kHardwareEnable, 0, 3, ""},
      {"trip 52", true, ConsoleKind::kTrip, 52, -1, ""},
      {"trip 75 0", true, ConsoleKind::kTrip, 75, 0, ""},
      {"ack", true, ConsoleKind::kAcknowledge, 0, -1, ""},
      {"load 150 1", true, ConsoleKind::kLoad, 150, 1, ""},
      {"state", true, ConsoleKind::kState, 0, -1, ""},
      {"quit", true, ConsoleKind::kQuit, 0, -1, ""},
      {"", false, ConsoleKind::kHelp, 0, -1, ""},
      {"   \t\r\n", false, ConsoleKind::kHelp, 0, -1, ""},
      {"# a comment", false, ConsoleKind::kHelp, 0, -1, ""},
      {"hw-enable", false, ConsoleKind::kHelp, 0, -1, "hw-enable takes on or off"},
      {"hw-enable maybe", false, ConsoleKind::kHelp, 0, -1, "hw-enable takes on or off"},
      {"trip 0", false, ConsoleKind::kHelp, 0, -1, "trip takes a fault code 1..255"},
      {"trip 256", false, ConsoleKind::kHelp, 0, -1, "trip takes a fault code 1..255"},
      {"trip -3", false, ConsoleKind::kHelp, 0, -1, "trip takes a fault code 1..255"},
      {"trip 99999999999999", false, ConsoleKind::kHelp, 0, -1, "trip takes a fault code 1..255"},
      {"load 201", false, ConsoleKind::kHelp, 0, -1, "load takes a percentage 0..200"},
      {"ack 32", false, ConsoleKind::kHelp, 0, -1, "an address is 0..31, not \"32\""},
      {"ack 1 2", false, ConsoleKind::kHelp, 0, -1, "too many words for ack"},
      {"quit now", false, ConsoleKind::kHelp, 0, -1, "too many words for quit"},
      {"\x02\x07\x40\xff", false, ConsoleKind::kHelp, 0, -1, "unknown command \"\x02\x07\x40\xff\""},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto command = sim::ParseConsoleLine(c.line, &error);
    EXPECT_EQ(command.has_value(), c.command) << c.line;
    EXPECT_EQ(error, c.error) << c.line;
    if (!command) continue;
    EXPECT_EQ(command->kind, c.kind) << c.line;
    EXPECT_EQ(command->value, c.value) << c.line;
    EXPECT_EQ(command->address, c.address) << c.line;
  }
}

}  // namespace
