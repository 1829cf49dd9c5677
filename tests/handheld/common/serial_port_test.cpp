// The handheld serial port on pseudo-terminals: settings, renumbering, assembled blocks, time-outs and the
// error sites of failing calls.
#include "handheld/common/serial_port.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "handheld/common/simple_port.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/sys/clock.h"

namespace handheld {
namespace {

using platform::comm::PseudoTerminal;

// A pseudo-terminal reachable as "COMn" for the test's lifetime.
class ComPty {
 public:
  explicit ComPty(int n) : name_("COM" + std::to_string(n)) { ::setenv(name_.c_str(), pty_.slave_path().c_str(), 1); }
  ~ComPty() { ::unsetenv(name_.c_str()); }
  PseudoTerminal& pty() { return pty_; }
  void Send(std::vector<std::uint8_t> bytes) { ASSERT_TRUE(pty_.Write(bytes.data(), bytes.size())); }

 private:
  std::string name_;
  PseudoTerminal pty_;
};

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    if (!com.pty().ok()) GTEST_SKIP() << "no pseudo-terminal";
    port.SetComNumber(41);
  }
  ComPty com{41};
  SerialPort port;
};

TEST_F(SerialPortTest, OpensWithItsDefaultsAndKeepsEightDataBitsAgainstNine) {
  EXPECT_EQ(port.Baudrate(), 9600u);
  EXPECT_EQ(port.Parity(), kParityEven);
  EXPECT_EQ(port.Stopbits(), kStopBitsOne);
  EXPECT_EQ(port.InBuff(), 4096u);
  port.SetOpen(true);
  ASSERT_TRUE(port.Open()) << port.ErrorSite();
  port.SetDatabits(9);
  EXPECT_EQ(port.Databits(), 8);
  port.SetDatabits(4);  // no terminal line carries 4 data bits: the write of the settings fails
  EXPECT_EQ(port.Databits(), 8);
  EXPECT_EQ(port.ErrorSite(), kSiteDataBitsWrite);
  port.SetStopbits(kStopBitsOneFive);
  EXPECT_EQ(port.Stopbits(), kStopBitsOne);
  EXPECT_EQ(port.ErrorSite(), kSiteStopBitsWrite);
  port.SetParity(kParityMark);
  EXPECT_EQ(port.Parity(), kParityEven);
  EXPECT_EQ(port.ErrorSite(), kSiteParityWrite);
  port.SetBaudrate(38400);
  EXPECT_EQ(port.Baudrate(), 38400u);
  platform::comm::DCB dcb{};
  ASSERT_TRUE(platform::comm::GetCommState(port.Handle(), &dcb));
  EXPECT_EQ(dcb.BaudRate, 38400u);
  EXPECT_EQ(dcb.ByteSize, 8);  // (a pseudo-terminal drops parity, so it is not read back here)
}

TEST_F(SerialPortTest, TelegramBytesThatATerminalWouldTranslatePassUnchanged) {
  port.SetOpen(true);
  ASSERT_TRUE(port.Open());
  const std::vector<std::uint8_t> bytes = {0x02, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0x7F, 0xFF};
  com.Send(bytes);
  std::vector<std::uint8_t> got(bytes.size());
  ASSERT_TRUE(port.ReadBlock(got.data(), got.size(), 1000));
  EXPECT_EQ(got, bytes);
  ASSERT_TRUE(port.WriteBlock(bytes.data(), bytes.size()));
  std::vector<std::uint8_t> out(bytes.size());
  std::size_t total = 0;
  while (total < out.size() && com.pty().WaitReadable(1000)) {
    total += static_cast<std::size_t>(com.pty().Read(out.data() + total, out.size() - total));
  }
  EXPECT_EQ(out, bytes);
}

TEST_F(SerialPortTest, ABlockInThreePiecesIsAssembledInOrder) {
  port.SetOpen(true);
  ASSERT_TRUE(port.Open());
  std::thread writer([this] {
    for (std::uint8_t piece = 0; piece < 3; ++piece) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      const std::uint8_t b[3] = {static_cast<std::uint8_t>(piece * 3), static_cast<std::uint8_t>(piece * 3 + 1),
                                 static_cast<std::uint8_t>(piece * 3 + 2)};
      com.pty().Write(b, 3);
    }
  });
  std::uint8_t got[9] = {};
  const bool ok = port.ReadBlock(got, 9, 1000);
  writer.join();
  ASSERT_TRUE(ok);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(got[i], i);
}

TEST_F(SerialPortTest, AReadTimesOutAfterItsTimeAndNotLongBeyond) {
  port.SetOpen(true);
  ASSERT_TRUE(port.Open());
  bool ok = true;
  const auto start = std::chrono::steady_clock::now();
  port.ReadChar(100, &ok);
  const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_FALSE(ok);
  EXPECT_GE(ms, 100.0);
  // The exact overshoot is a matter for a loaded machine's scheduler; this only catches a wait that does not end.
  EXPECT_LE(ms, 2000.0);
  EXPECT_EQ(port.CharReady(), 0u);
  com.Send({1, 2, 3});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(port.CharReady(), 3u);
  EXPECT_TRUE(port.FlushBuffer(true, true));
  EXPECT_EQ(port.CharReady(), 0u);
}

TEST_F(SerialPortTest, RenumberingAnOpenPortReopensItUnderTheNewName) {
  ComPty other(42);
  port.SetOpen(true);
  ASSERT_TRUE(port.Open());
  port.SetComNumber(42);
  ASSERT_TRUE(port.Open());
  EXPECT_EQ(port.ComNumber(), 42);
  other.Send({0x55});
  bool ok = false;
  EXPECT_EQ(port.ReadChar(1000, &ok), 0x55);
  EXPECT_TRUE(ok);
}

TEST_F(SerialPortTest, FailuresKeepTheirSiteAndAFailedCloseLeavesThePortOpen) {
  SerialPort missing;
  missing.SetComNumber(43);
  ::setenv("COM43", "/nonexistent/tty", 1);
  missing.SetOpen(true);
  ::unsetenv("COM43");
  EXPECT_FALSE(missing.Open());
  EXPECT_EQ(missing.ErrorSite(), kSiteOpen);
  EXPECT_EQ(missing.LastError(), platform::comm::kErrorFileNotFound);
  EXPECT_FALSE(missing.FlushBuffer(true, true));
  EXPECT_EQ(missing.CharReady(), 0u);

  port.SetOpen(true);
  ASSERT_TRUE(port.Open());
  ASSERT_TRUE(platform::comm::CloseHandle(port.Handle()));  // the handle goes away under the port
  port.SetOpen(false);
  EXPECT_TRUE(port.Open());
  EXPECT_EQ(port.ErrorSite(), kSiteClose);
  EXPECT_EQ(port.LastError(), platform::comm::kErrorInvalidHandle);
  const std::uint8_t b = 1;
  EXPECT_FALSE(port.WriteBlock(&b, 1));
  EXPECT_EQ(port.ErrorSite(), kSiteWrite);
  std::uint8_t r = 0;
  EXPECT_FALSE(port.ReadBlock(&r, 1, 10));
  EXPECT_EQ(port.ErrorSite(), kSiteBlockRead);
}

TEST_F(SerialPortTest, TheComponentPortReportsATimeOutWhereThePlainPortReportsSuccess) {
  TSimplePort simple(nullptr);
  EXPECT_EQ(simple.ComNumber(), 1);
  EXPECT_EQ(simple.Databits(), 8);
  EXPECT_EQ(simple.Parity(), epEven);
  EXPECT_EQ(simple.Stopbits(), esOne);
  EXPECT_EQ(simple.Baudrate(), 9600u);
  EXPECT_EQ(simple.OutBuff(), 4096u);
  simple.SetComNumber(41);
  simple.SetOpen(true);
  ASSERT_TRUE(simple.Open());
  EXPECT_TRUE(simple.SetWriteTimeout(50));
  bool timed_out = false;
  simple.ReadChar(20, &timed_out);
  EXPECT_TRUE(timed_out);
  com.Send({0x13});
  EXPECT_EQ(simple.ReadChar(1000, &timed_out), 0x13);
  EXPECT_FALSE(timed_out);
  EXPECT_TRUE(simple.WriteChar(0x11));
  std::uint8_t b = 0;
  ASSERT_TRUE(com.pty().WaitReadable(1000));
  EXPECT_EQ(com.pty().Read(&b, 1), 1);
  EXPECT_EQ(b, 0x11);
  platform::comm::CloseHandle(simple.GetHandle());
  simple.ReadChar(10, &timed_out);
  EXPECT_TRUE(timed_out);
  EXPECT_EQ(simple.ErrorSite(), kSiteCharRead);
}

}  // namespace
}  // namespace handheld
