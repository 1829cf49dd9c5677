// The inverter-sim program's command line: help is no fault, and a value it cannot take is refused with a word
// instead of being cut into range.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

// The exit code of inverter-sim with the arguments (its output discarded).
int RunSimulator(const std::string& arguments) {
  const std::string command = std::string(ZPR_BIN_DIR) + "/inverter-sim " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InverterSimOptions, HelpEndsWellAndValuesOutOfRangeAreRefused) {
  const struct {
    const char* arguments;
    int exit_code;
  } cases[] = {
      {"--help", 0},
      {"--pty --fault status=999", 2},
      {"--pty --fault status=256", 2},
      {"--pty --fault status=12x", 2},
      {"--pty --fault status=", 2},
      {"--pty --fault status=-1", 2},
      {"--pty --fault sideways", 2},
      {"--pty --address 300", 2},
      {"--pty --type 256", 2},
      {"--pty --family x", 2},
      {"--pty --baud 9600baud", 2},
      {"--pty --first-byte-delay-ms -5", 2},
      {"--pty --no-such-option", 2},
      {"", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(RunSimulator(c.arguments), c.exit_code) << c.arguments;
}

}  // namespace
