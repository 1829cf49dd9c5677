// The inverter-sim program's command line: help is no fault, and a value it cannot take is refused with a word
// instead of being cut into range. Garbage on its standard input gets a message and leaves it serving; commands
// on it and telegrams on the line may come at the same time (under scripts/tsan, with its threads checked).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/comm/termios_port.h"
#include "tests/sim/sim_frames.h"
#include "tests/support/inverter_sim_process.h"

namespace {

// The simulator's line opened as the program opens it (8E1).
std::unique_ptr<platform::comm::TermiosPort> OpenLine(const std::string& path) {
  auto opened = platform::comm::TermiosPort::Open(path);
  if (!opened.port) return nullptr;
  platform::comm::LineSettings settings;
  settings.parity = platform::comm::Parity::kEven;
  if (!opened.port->SetSettings(settings)) return nullptr;
  return std::move(opened.port);
}

// The reply to `telegram`, as many bytes as `expected` has, within 3 s.
std::vector<std::uint8_t> Exchange(platform::comm::TermiosPort& port, const std::vector<std::uint8_t>& telegram,
                                   std::size_t expected) {
  std::vector<std::uint8_t> back;
  if (port.Write(telegram.data(), telegram.size(), 1000) != static_cast<long>(telegram.size())) return back;
  std::array<std::uint8_t, 64> buffer{};
  while (back.size() < expected && port.WaitReadable(3000)) {
    const long n = port.Read(buffer.data(), buffer.size());
    if (n <= 0) break;
    back.insert(back.end(), buffer.begin(), buffer.begin() + n);
  }
  return back;
}

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
  auto port = OpenLine(sim.path());
  ASSERT_NE(port, nullptr);
  const std::vector<std::uint8_t> login = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};
  EXPECT_EQ(Exchange(*port, login, login.size()), login);
}

// Commands on the standard input while the drive runs under serial control and telegrams arrive: every command
// is taken, every telegram answered, and the program ends on quit.
TEST(InverterSimOptions, CommandsAndTelegramsAtTheSameTimeAreAllServed) {
  const auto log = std::filesystem::path(::testing::TempDir()) / "inverter_sim_console_and_line.log";
  sim_process::InverterSim sim(ZPR_BIN_DIR, {"--telegram-timeout", "0"}, log);
  ASSERT_FALSE(sim.path().empty());
  auto port = OpenLine(sim.path());
  ASSERT_NE(port, nullptr);
  using sim_test::Frame;
  const std::vector<std::uint8_t> login = Frame(0x40, {0, 1, 2, 3, 4, 5, 6, 7});
  ASSERT_EQ(Exchange(*port, login, login.size()), login);
  // Operation input serial (service 5 writes 55.6; the enable input is still off), then control telegrams with
  // enable and a reference (the reply: status, status word and device state, 8 bytes framed).
  const std::vector<std::uint8_t> serial = Frame(0x00, {0x05, 0x00, 55, 0x00, 6, 1});
  ASSERT_EQ(Exchange(*port, serial, 4), Frame(0x00, {0x00}));
  const char* commands[] = {"state", "load 80", "hw-enable off", "hw-enable on", "trip 44", "ack", "load 0"};
  constexpr int kRounds = 20;
  for (int round = 0; round < kRounds; ++round) {
    for (const char* c : commands) ASSERT_TRUE(sim.Command(c));
    const std::vector<std::uint8_t> control = Frame(0x00, {0x03, 0x08, 0x00, 0x15});
    EXPECT_EQ(Exchange(*port, control, 8).size(), 8u) << "round " << round << "\n" << sim.Log();
  }
  ASSERT_TRUE(sim.WaitForLine(" state ", 5000, kRounds - 1)) << sim.Log();
  EXPECT_GE(sim.Count("tripped code 44"), 1u);
  EXPECT_EQ(sim.Count("ThreadSanitizer"), 0u) << sim.Log();
  ASSERT_TRUE(sim.Command("quit"));
  EXPECT_EQ(sim.WaitForExit(5000), std::optional<int>(0)) << sim.Log();
  EXPECT_EQ(sim.Count("ThreadSanitizer"), 0u) << sim.Log();
}

}  // namespace
