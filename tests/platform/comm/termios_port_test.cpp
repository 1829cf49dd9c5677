#include "platform/comm/termios_port.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/comm/pseudo_terminal.h"

namespace {

using platform::comm::LineSettings;
using platform::comm::Parity;
using platform::comm::PseudoTerminal;
using platform::comm::QueueStatus;
using platform::comm::TermiosPort;

class TermiosPortOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.ok()) << std::strerror(pty_.error());
    auto opened = TermiosPort::Open(pty_.slave_path());
    ASSERT_NE(opened.port, nullptr) << std::strerror(opened.error);
    port_ = std::move(opened.port);
  }
  // Waits (poll, bounded) until the port sees n bytes.
  void AwaitIncoming(std::uint32_t n) {
    for (int i = 0; i < 200; ++i) {
      QueueStatus s;
      ASSERT_TRUE(port_->Status(&s));
      if (s.in_queue >= n) return;
      port_->WaitReadable(10);
    }
    FAIL() << "bytes did not arrive";
  }
  PseudoTerminal pty_;
  std::unique_ptr<TermiosPort> port_;
};

TEST_F(TermiosPortOnPty, SecondOpenIsRefusedUntilTheFirstCloses) {
  auto second = TermiosPort::Open(pty_.slave_path());
  EXPECT_EQ(second.port, nullptr);
  EXPECT_EQ(second.error, EBUSY);
  port_.reset();
  auto third = TermiosPort::Open(pty_.slave_path());
  EXPECT_NE(third.port, nullptr);
}

// The error of an open of path by a user who is not root (a child that drops root first): 0 when it opened.
// Root is exempt from the exclusive mode, so this is how an ordinary user meets it.
int OpenErrorAsOrdinaryUser(const std::string& path) {
  if (::geteuid() != 0) {
    auto opened = TermiosPort::Open(path);
    return opened.port ? 0 : opened.error;
  }
  ::chmod(path.c_str(), 0666);
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(255);
    auto opened = TermiosPort::Open(path);
    ::_exit(opened.port ? 0 : (opened.error & 0x7F) + 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  const int code = WEXITSTATUS(status);
  return code == 0 ? 0 : code == 255 ? -1 : code - 1;
}

TEST_F(TermiosPortOnPty, AnOrdinaryUserIsKeptOutWhileOpenAndOpensAfterTheClose) {
  EXPECT_EQ(OpenErrorAsOrdinaryUser(pty_.slave_path()), EBUSY);
  port_.reset();
  EXPECT_EQ(OpenErrorAsOrdinaryUser(pty_.slave_path()), 0);
}

TEST_F(TermiosPortOnPty, RawSettingsApplyAndParityIsNotVerifiedBack) {
  LineSettings s;
  s.baud = 19200;
  s.parity = Parity::kEven;
  s.parity_check = true;
  ASSERT_TRUE(port_->SetSettings(s));
  LineSettings back;
  ASSERT_TRUE(port_->GetSettings(&back));
  EXPECT_EQ(back.baud, 19200u);
  EXPECT_EQ(back.data_bits, 8);
  EXPECT_EQ(back.stop_bits, 1);
  EXPECT_FALSE(back.xon_xoff_out);
  // Asking again for what the line has (parity aside, which a pty drops) is no failure either.
  ASSERT_TRUE(port_->SetSettings(s));
  s.baud = 12345;
  EXPECT_FALSE(port_->SetSettings(s));
  EXPECT_EQ(port_->LastErrno(), EINVAL);
}

TEST_F(TermiosPortOnPty, BytesTravelBothWaysAndReadsNeverBlock) {
  std::uint8_t buf[16] = {};
  EXPECT_EQ(port_->Read(buf, sizeof buf), 0);
  const std::uint8_t out[] = {0x02, 0x0A, 0x40};
  EXPECT_EQ(port_->Write(out, sizeof out, 1000), 3);
  ASSERT_TRUE(pty_.WaitReadable(1000));
  EXPECT_EQ(pty_.Read(buf, sizeof buf), 3);
  EXPECT_EQ(buf[2], 0x40);

  const std::uint8_t in[] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(pty_.Write(in, sizeof in));
  AwaitIncoming(5);
  EXPECT_EQ(port_->Read(buf, 2), 2);
  EXPECT_EQ(port_->Read(buf, sizeof buf), 3);
  EXPECT_EQ(buf[0], 3);
}

TEST_F(TermiosPortOnPty, NoLineCountersOnAPtyMeansNoErrorsAndPurgeDiscards) {
  EXPECT_FALSE(port_->HasLineCounters());
  const std::uint8_t in[] = {9, 9, 9};
  ASSERT_TRUE(pty_.Write(in, sizeof in));
  AwaitIncoming(3);
  QueueStatus s;
  ASSERT_TRUE(port_->Status(&s));
  EXPECT_EQ(s.errors, 0u);
  EXPECT_EQ(s.in_queue, 3u);
  EXPECT_EQ(s.out_queue, 0u);
  ASSERT_TRUE(port_->Purge(true, false));
  ASSERT_TRUE(port_->Status(&s));
  EXPECT_EQ(s.in_queue, 0u);
}

TEST_F(TermiosPortOnPty, DeviceGoneIsAnIoErrorNotASilentLine) {
  pty_.CloseMaster();
  QueueStatus s;
  ASSERT_TRUE(port_->Status(&s));
  EXPECT_NE(s.errors & platform::comm::kErrIo, 0u);
  std::uint8_t buf[4];
  EXPECT_EQ(port_->Read(buf, sizeof buf), -1);
  EXPECT_EQ(port_->LastErrno(), EIO);
}

// The errors alone, asked right after a read as the link does: a live line has none, a line that went away
// reports the I/O error, whether or not a read came between.
TEST_F(TermiosPortOnPty, ErrorsAloneAfterAReadTellALiveLineFromOneThatWentAway) {
  std::uint8_t buf[8] = {};
  std::uint32_t errors = 99;
  EXPECT_EQ(port_->Read(buf, sizeof buf), 0);
  ASSERT_TRUE(port_->Errors(&errors));
  EXPECT_EQ(errors, 0u);
  const std::uint8_t in[] = {7, 8};
  ASSERT_TRUE(pty_.Write(in, sizeof in));
  AwaitIncoming(2);
  EXPECT_EQ(port_->Read(buf, sizeof buf), 2);
  EXPECT_EQ(buf[1], 8);

  pty_.CloseMaster();
  ASSERT_TRUE(port_->Errors(&errors));
  EXPECT_EQ(errors, platform::comm::kErrIo);  // without a read: the poll of the errors' own sees it
  EXPECT_EQ(port_->Read(buf, sizeof buf), -1);
  EXPECT_EQ(port_->LastErrno(), EIO);
  ASSERT_TRUE(port_->Errors(&errors));
  EXPECT_EQ(errors, platform::comm::kErrIo);
}

TEST(TermiosPortOpen, KeepsTheErrnoOfAFailedOpen) {
  EXPECT_EQ(TermiosPort::Open("/dev/does-not-exist-zpr").error, ENOENT);
  EXPECT_EQ(TermiosPort::Open("/dev/null").error, ENOTTY);
}

}  // namespace
