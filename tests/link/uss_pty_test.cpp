// The USS master against the simulated inverter over a real pseudo-terminal, in real time.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "link/com_port.h"
#include "link/link_status.h"
#include "link/uss_driver.h"
#include "platform/comm/termios_port.h"
#include "platform/sys/clock.h"
#include "sim/inverter_transport.h"

namespace {

class UssOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    path_ = line->slave_path();
    setenv("COM1", path_.c_str(), 1);
    server_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    server_->Start();
    // A 600 ms first-byte window: the simulator answers on its own thread, which a loaded machine may hold back.
    ilink::SetUssDriverSettings(0, 1, 1, 555, 0, 60000, 0, 0);
    ilink::UssCommand(2, 0);
    ilink::UssCommand(0, 0);
    ASSERT_EQ(ilink::UssCommand(1, 0), ilink::kOk);
    ilink::UssSlotAt(0).address = 0;
    ASSERT_EQ(ilink::UssCommand(3, 0), ilink::kOk);
  }
  void TearDown() override {
    ilink::UssCommand(2, 0);
    server_->Stop();
    unsetenv("COM1");
  }
  std::uint8_t ReadDeviceType() {
    ilink::UssSlot& s = ilink::UssSlotAt(0);
    s.service = 4;
    s.parameter = 5;
    s.index = 1;
    s.data_length = 1;
    s.reply_data = ilink::UssScratch();
    return ilink::UssCommand(4, 0);
  }
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0, 1});
  std::unique_ptr<sim::InverterServer> server_;
  std::string path_;
};

TEST_F(UssOverPty, LogInAndReadsGoEndToEnd) {
  EXPECT_EQ(ilink::UssScratch()[0], sim::DeviceIdentity{}.device_type);
  bus_->Device(0)->WriteNumber(5, 1, 77);
  EXPECT_EQ(ReadDeviceType(), ilink::kOk);
  EXPECT_EQ(ilink::UssScratch()[0], 77);
  // The second inverter on the same line answers its own address.
  ilink::UssSlotAt(1).address = 1;
  EXPECT_EQ(ilink::UssCommand(3, 1), ilink::kOk);
}

TEST_F(UssOverPty, ReplyFaultsGiveTheirCodes) {
  const struct {
    sim::Fault fault;
    std::uint8_t code;
  } cases[] = {
      {{sim::FaultKind::kBadBcc}, ilink::kBadBcc},
      {{sim::FaultKind::kTruncate}, ilink::kReplyIncomplete},
      {{sim::FaultKind::kExtraBytes}, ilink::kTooManyBytes},
      {{sim::FaultKind::kWrongStx}, ilink::kNoStx},
      {{sim::FaultKind::kWrongAddress}, ilink::kWrongSlave},
      {{sim::FaultKind::kEcho}, ilink::kEcho},
      {{sim::FaultKind::kStatus, 25}, 25},
      {{sim::FaultKind::kStall}, ilink::kReplyIncomplete},
  };
  for (const auto& c : cases) {
    bus_->QueueFault(c.fault);
    EXPECT_EQ(ReadDeviceType(), c.code) << int(c.fault.kind);
  }
  EXPECT_EQ(ReadDeviceType(), ilink::kOk);
}

TEST_F(UssOverPty, SilenceIsNoReplyAndADelayedReplyStillCounts) {
  ilink::UssCommand(2, 0);
  // A 400 ms first-byte window: wide enough that a 10 ms delayed reply counts even on a loaded machine.
  ilink::SetUssDriverSettings(0, 1, 1, 555, 0, 40000, 0, 0);
  ASSERT_EQ(ilink::UssCommand(1, 0), ilink::kOk) << ilink::ComPortOpenErrorText();
  bus_->QueueFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ReadDeviceType(), ilink::kNoReply);
  EXPECT_EQ(ilink::UssSlotAt(0).logged_in, 0);
  bus_->SetFirstByteDelay(10'000'000);
  ASSERT_EQ(ilink::UssCommand(3, 0), ilink::kOk);
}

TEST_F(UssOverPty, TheOpenPortIsRefusedToASecondOpener) {
  auto second = platform::comm::TermiosPort::Open(path_);
  EXPECT_EQ(second.port, nullptr);
  EXPECT_EQ(second.error, EBUSY);
  EXPECT_EQ(ilink::UssCommand(1, 0), ilink::kSoftwareError);
}

TEST(InverterSimProgram, ServesAPseudoTerminalThatItNames) {
  const std::string program = std::string(ZPR_BIN_DIR) + "/inverter-sim";
  if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "no " << program;
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    execl(program.c_str(), program.c_str(), "--pty", "--address", "3", "--type", "55", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE* in = fdopen(out[0], "r");
  char line[256] = {};
  ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
  std::string path(line);
  while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
  platform::sys::UseRealClock();
  setenv("COM2", path.c_str(), 1);
  ilink::SetUssDriverSettings(1, 1, 2, 555, 0, 20000, 3, 0);
  ilink::UssCommand(2, 0);
  ilink::UssCommand(0, 0);
  ASSERT_EQ(ilink::UssCommand(1, 0), ilink::kOk);
  ilink::UssSlotAt(3).address = 3;
  EXPECT_EQ(ilink::UssCommand(3, 3), ilink::kOk);
  EXPECT_EQ(ilink::UssScratch()[0], 55);
  ilink::UssCommand(2, 0);
  unsetenv("COM2");
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  std::fclose(in);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
