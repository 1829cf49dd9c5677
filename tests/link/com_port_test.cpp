#include "link/com_port.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "link/link_status.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/comm/termios_port.h"
#include "platform/sys/clock.h"

namespace {

namespace pc = platform::comm;

// The driver on an installed fake port, on the virtual clock.
class ComPortOnFake : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseVirtualClock(1000);
    pc::InstallPort("COM5", fake_);
  }
  void TearDown() override {
    ilink::ComPortClose();
    pc::InstallPort("COM5", nullptr);
    platform::sys::UseRealClock();
  }
  std::shared_ptr<pc::FakePort> fake_ = std::make_shared<pc::FakePort>();
};

TEST_F(ComPortOnFake, OpensEvenParityEightBitsOneStopAndRefusesASecondOpen) {
  ASSERT_EQ(ilink::ComPortOpen("COM5", 19200), ilink::kOk);
  const pc::LineSettings s = fake_->settings();
  EXPECT_EQ(s.baud, 19200u);
  EXPECT_EQ(s.data_bits, 8);
  EXPECT_EQ(s.parity, pc::Parity::kEven);
  EXPECT_TRUE(s.parity_check);
  EXPECT_EQ(s.stop_bits, 1);
  EXPECT_FALSE(s.xon_xoff_in || s.xon_xoff_out);
  HANDLE h = ilink::ComPortHandle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kAlreadyOpen);
  EXPECT_EQ(ilink::ComPortHandle(), h);
  EXPECT_EQ(fake_->settings().baud, 19200u);
  ilink::ComPortClose();
  EXPECT_EQ(ilink::ComPortHandle(), nullptr);
}

TEST_F(ComPortOnFake, OpenFailuresCloseAgainAndAnswerTheirCodes) {
  fake_->FailSettings(true, false);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kSettingsUnreadable);
  fake_->FailSettings(false, true);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kSettingsUnwritable);
  fake_->FailSettings(false, false);
  fake_->InjectErrors(pc::kErrFrame);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kErrorAfterOpen);
  fake_->FailStatus(true);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kErrorAfterOpen);
  fake_->FailStatus(false);
  const std::uint8_t stale[] = {1, 2, 3};
  fake_->Deliver(stale);
  fake_->FailReads(true);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kErrorAfterOpen);
  fake_->FailReads(false);
  EXPECT_EQ(ilink::ComPortHandle(), nullptr);
  // Every failure closed the device: the port opens afresh.
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kOk);
}

TEST_F(ComPortOnFake, LineStatusTakesTheFirstErrorInItsOrder) {
  ASSERT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kOk);
  const struct {
    std::uint32_t mask;
    std::uint8_t code;
  } cases[] = {
      {0, ilink::kOk},
      {pc::kErrBreak | pc::kErrFrame | pc::kErrRxParity, ilink::kBreak},
      {pc::kErrFrame | pc::kErrIo | pc::kErrOverrun, ilink::kFramingError},
      {pc::kErrIo | pc::kErrOverrun, ilink::kPortUnavailable},
      {pc::kErrMode, ilink::kPortUnavailable},
      {pc::kErrOverrun | pc::kErrRxParity, ilink::kOverrun},
      {pc::kErrRxOver, ilink::kOverrun},
      {pc::kErrRxParity | pc::kErrTxFull, ilink::kParityError},
      {pc::kErrTxFull, ilink::kTooMuchData},
  };
  for (const auto& c : cases) {
    fake_->InjectErrors(c.mask);
    EXPECT_EQ(ilink::ComLineStatus(nullptr), c.code) << std::hex << c.mask;
  }
  fake_->FailStatus(true);
  EXPECT_EQ(ilink::ComLineStatus(nullptr), ilink::kErrorAfterOpen);
  EXPECT_EQ(ilink::ComBytesWaiting(), -1);
}

TEST_F(ComPortOnFake, PurgeWithoutFlagsCallsNothingAndReadExactWithoutTimeReadsOnce) {
  ASSERT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kOk);
  EXPECT_EQ(ilink::ComPurge(false, false), 1);
  EXPECT_EQ(fake_->purge_calls(), 0u);
  EXPECT_EQ(ilink::ComPurge(true, false), 1);
  EXPECT_EQ(fake_->purge_calls(), 1u);

  const std::size_t before = fake_->read_calls();
  std::uint8_t buf[4];
  EXPECT_EQ(ilink::ComReadExact(buf, 4, 0), 0);
  EXPECT_EQ(fake_->read_calls() - before, 1u);

  const std::uint8_t late[] = {5, 6, 7, 8};
  fake_->Deliver(std::span(late, 2), 1'000'000);
  fake_->Deliver(std::span(late + 2, 2), 3'000'000);
  EXPECT_EQ(ilink::ComReadExact(buf, 4, 10), 1);
  EXPECT_EQ(buf[3], 8);
  std::uint8_t ok = 9;
  EXPECT_EQ(ilink::ComReadByte(5, &ok), 0);
  EXPECT_EQ(ok, 0);
}

TEST_F(ComPortOnFake, ShortAndFailedWritesAreSeen) {
  ASSERT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kOk);
  const std::uint8_t out[] = {1, 2, 3, 4, 5};
  EXPECT_EQ(ilink::ComWriteAll(out, 5), 1);
  fake_->LimitWrites(3);
  EXPECT_EQ(ilink::ComWriteRaw(out, 5), 3);
  EXPECT_EQ(ilink::ComWriteAll(out, 5), 0);
  fake_->FailWrites(true);
  EXPECT_EQ(ilink::ComWriteRaw(out, 5), -1);
  EXPECT_EQ(ilink::ComWriteByte(1), 0);
  fake_->FailReads(true);
  std::uint8_t buf[4];
  EXPECT_EQ(ilink::ComReadAvailable(buf, 4), -1);
}

TEST_F(ComPortOnFake, ClosedPortAnswersZeroAndKeepsTheWriteTimeout) {
  std::uint8_t buf[4] = {};
  EXPECT_EQ(ilink::ComLineStatus(nullptr), ilink::kOk);
  EXPECT_EQ(ilink::ComBytesWaiting(), 0);
  EXPECT_EQ(ilink::ComPurge(true, true), 0);
  EXPECT_EQ(ilink::ComReadExact(buf, 1, 100), 0);
  EXPECT_EQ(ilink::ComReadAvailable(buf, 4), 0);
  EXPECT_EQ(ilink::ComWriteAll(buf, 4), 0);
  EXPECT_EQ(ilink::ComWriteRaw(buf, 4), 0);
  EXPECT_EQ(ilink::ComSetWriteTimeout(250), 1);
  EXPECT_EQ(ilink::ComPortOpen("COM5", 9600), ilink::kOk);
  pc::COMMTIMEOUTS t;
  ASSERT_TRUE(pc::GetCommTimeouts(ilink::ComPortHandle(), &t));
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 250u);
  EXPECT_EQ(t.ReadIntervalTimeout, pc::kMaxDword);
  EXPECT_EQ(ilink::ComSetWriteTimeout(1000), 1);
  ASSERT_TRUE(pc::GetCommTimeouts(ilink::ComPortHandle(), &t));
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

// The driver on a real pseudo-terminal, reached through the COMn mapping.
class ComPortOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.ok());
    setenv("COM4", pty_.slave_path().c_str(), 1);
  }
  void TearDown() override {
    ilink::ComPortClose();
    unsetenv("COM4");
  }
  pc::PseudoTerminal pty_;
};

TEST_F(ComPortOnPty, OpenDiscardsWhatWaitsAndExchangesBytes) {
  const std::uint8_t stale[] = {0xEE, 0xEE, 0xEE};
  ASSERT_TRUE(pty_.Write(stale, sizeof stale));
  // The pseudo-terminal hands bytes to its slave side asynchronously: wait until they are there, so the open
  // really has something to discard (the probe stays open so that no last close drops them first).
  const int probe = open(pty_.slave_path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(probe, 0);
  pollfd p{probe, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 2000), 1);
  ASSERT_EQ(ilink::ComPortOpen("COM4", 9600), ilink::kOk);
  close(probe);
  EXPECT_EQ(ilink::ComBytesWaiting(), 0);
  const std::uint8_t out[] = {0x02, 0x03};
  EXPECT_EQ(ilink::ComWriteRaw(out, 2), 2);
  std::uint8_t buf[4];
  ASSERT_TRUE(pty_.WaitReadable(1000));
  EXPECT_EQ(pty_.Read(buf, sizeof buf), 2);
}

TEST_F(ComPortOnPty, UnknownAndBusyPortsAreRefused) {
  setenv("COM6", "/dev/zpr-missing", 1);
  EXPECT_EQ(ilink::ComPortOpen("COM6", 9600), ilink::kPortUnavailable);
  EXPECT_NE(ilink::ComPortOpenErrorText().find("/dev/zpr-missing"), std::string::npos);
  unsetenv("COM6");
  // Another holder of the device (here: this process through its own descriptor).
  auto holder = pc::TermiosPort::Open(pty_.slave_path());
  ASSERT_NE(holder.port, nullptr);
  EXPECT_EQ(ilink::ComPortOpen("COM4", 9600), ilink::kAlreadyOpen);
  holder.port.reset();
  EXPECT_EQ(ilink::ComPortOpen("COM4", 9600), ilink::kOk);
}

TEST_F(ComPortOnPty, DeviceGoneGivesAnIoErrorOnTheLine) {
  ASSERT_EQ(ilink::ComPortOpen("COM4", 9600), ilink::kOk);
  pty_.CloseMaster();
  std::uint8_t buf[4];
  EXPECT_EQ(ilink::ComReadAvailable(buf, 4), -1);
  EXPECT_EQ(ilink::ComLineStatus(nullptr), ilink::kPortUnavailable);
}

}  // namespace
