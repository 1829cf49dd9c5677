// The inverter-sim program's command line: help is no fault, and a value it cannot take is refused with a word
// instead of being cut into range. Garbage on its standard input gets a message and leaves it serving.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/comm/termios_port.h"
#include "tests/support/inverter_sim_process.h"

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
      {"--pty --hw-enable maybe", 2},
      {"--pty --hw-enable", 2},
      {"--pty --telegram-timeout 1s", 2},
      {"--pty --telegram-timeout 600001", 2},
      {"--pty --faults 11", 2},
      {"--pty --trip 0", 2},
      {"--pty --trip 256", 2},
      {"--pty --load 201", 2},
      {"--pty --reference 9001", 2},
      {"--pty --reference -9001", 2},
      {"--pty --reference 12rpm", 2},
      {"--pty --mains 1001", 2},
      {"--pty --seed -1", 2},
      {"", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(RunSimulator(c.arguments), c.exit_code) << c.arguments;
}

// The state the options give at the start is reported on the state lines like any later change: the hardware
// enable, the drive enabled at the terminals, a trip.
TEST(InverterSimOptions, TheStateGivenByTheOptionsIsReportedAtTheStart) {
  const auto log = std::filesystem::path(::testing::TempDir()) / "inverter_sim_start_state.log";
  sim_process::InverterSim running(ZPR_BIN_DIR, {"--hw-enable", "on", "--reference", "600"}, log);
  ASSERT_FALSE(running.path().empty());
  EXPECT_TRUE(running.WaitForLine("hardware enable on", 5000)) << running.Log();
  EXPECT_TRUE(running.WaitForLine(" enabled", 5000)) << running.Log();
  const auto tripped_log = std::filesystem::path(::testing::TempDir()) / "inverter_sim_start_trip.log";
  sim_process::InverterSim tripped(ZPR_BIN_DIR, {"--trip", "44"}, tripped_log);
  ASSERT_FALSE(tripped.path().empty());
  EXPECT_TRUE(tripped.WaitForLine("tripped code 44", 5000)) << tripped.Log();
}

TEST(InverterSimOptions, GarbageOnTheInputIsRefusedAndTheLineStillServed) {
  const auto log = std::filesystem::path(::testing::TempDir()) / "inverter_sim_garbage.log";
  sim_process::InverterSim sim(ZPR_BIN_DIR, {"--faults", "2"}, log);
  ASSERT_FALSE(sim.path().empty());
  const std::vector<std::string> garbage = {"bogus", "trip", "trip 999", "hw-enable sideways", "ack 99",
                                            std::string(300, 'x'), "\x02\x0A\x40\x01\xff", "load -5"};
  for (const std::string& g : garbage) ASSERT_TRUE(sim.Command(g));
  ASSERT_TRUE(sim.Command("hw-enable on"));
  EXPECT_TRUE(sim.WaitForLine("hardware enable on", 5000)) << sim.Log();
  EXPECT_GE(sim.Count("inverter-sim: "), garbage.size()) << sim.Log();
  EXPECT_EQ(sim.StateValue("state"), 4) << "enabled at the terminals";
  // The log-in of address 0 is still mirrored.
  auto opened = platform::comm::TermiosPort::Open(sim.path());
  ASSERT_NE(opened.port, nullptr);
  platform::comm::LineSettings settings;
  settings.parity = platform::comm::Parity::kEven;
  ASSERT_TRUE(opened.port->SetSettings(settings));
  const std::array<std::uint8_t, 12> login = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};
  ASSERT_EQ(opened.port->Write(login.data(), login.size(), 1000), 12);
  std::vector<std::uint8_t> back;
  std::array<std::uint8_t, 64> buffer{};
  while (back.size() < login.size() && opened.port->WaitReadable(3000)) {
    const long n = opened.port->Read(buffer.data(), buffer.size());
    if (n <= 0) break;
    back.insert(back.end(), buffer.begin(), buffer.begin() + n);
  }
  EXPECT_EQ(back, std::vector<std::uint8_t>(login.begin(), login.end()));
}

}  // namespace
