// The simulated device that Trevant masters, driven with the master's fixed telegrams byte for byte.
#include "sim/handheld/unit_device.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <vector>

#include "platform/comm/pseudo_terminal.h"

namespace sim::tasto {
namespace {

using Bytes = std::vector<std::uint8_t>;

class UnitDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminal";
    fd = ::open(pty.slave_path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
  }
  void TearDown() override {
    if (fd >= 0) ::close(fd);
  }
  // Sends a telegram as the master, lets the device serve it and returns what came back.
  Bytes Exchange(const Bytes& request) {
    EXPECT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    device.ServeOne(500);
    Bytes reply;
    std::uint8_t b[64];
    for (int i = 0; i < 20; ++i) {
      const ssize_t n = ::read(fd, b, sizeof b);
      if (n > 0) reply.insert(reply.end(), b, b + n);
      else break;
    }
    return reply;
  }

  platform::comm::PseudoTerminal pty;
  Line line{pty};
  UnitDevice device{line};
  int fd = -1;
};

TEST_F(UnitDeviceTest, AnswersTheMastersTelegrams) {
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  const Bytes probe = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};
  const Bytes ok = {0x02, 0x03, 0x00, 0x00, 0x01};
  EXPECT_EQ(Exchange(probe), probe);
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x00, 0x32, 0x00, 0x23, 0x01, 0x1F}), ok);
  Bytes table = {0x02, 0x7E, 0x00, 0x07, 0x04, 0x04, 0x00, 0x00};
  table.resize(8 + 7 * 17, 0);
  std::uint8_t bcc = 0;
  for (const std::uint8_t v : table) bcc ^= v;
  table.push_back(bcc);
  device.script().text_table_status = 0x13;
  EXPECT_EQ(Exchange(table), (Bytes{0x02, 0x03, 0x00, 0x13, 0x12}));
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x00, 0x32, 0x00, 0x22, 0x07, 0x07 ^ 0x1F}), ok);
  device.script().line1 = {0x8A, 'p', 'e', 'e', 'd', '~'};
  device.script().led = 0x09;
  device.script().job = 15;
  const Bytes status = Exchange({0x02, 0x07, 0x00, 0x06, 0x00, 0x32, 0x00, 0x00, 0x31});
  ASSERT_EQ(status.size(), 43u);
  EXPECT_EQ(status[4], 0x8A);
  EXPECT_EQ(status[40], 0x09);
  EXPECT_EQ(status[41], 15);
  device.script().pending = 1;
  const Bytes job = Exchange({0x02, 0x07, 0x00, 0x06, 0x04, 0x02, 0x00, 0x00, 0x05});
  ASSERT_EQ(job.size(), 15u);
  EXPECT_EQ(job[4], 1);
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x04, 0x02, 0x00, 0x00, 0x00, 0x09}), ok);
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x04, 0x02, 0x00, 0x01, 0x02, 0x0A}), ok);
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x00, 0x0E, 0x00, 0x08, 0x02, 0x0B}), ok);
  EXPECT_EQ(Exchange({0x02, 0x08, 0x00, 0x05, 0x00, 0x0D, 0x00, 0x08, 0x01, 0x0B}), ok);
  EXPECT_EQ(Exchange(probe), probe);  // "at the new baud"
  const DeviceLog& log = device.log();
  EXPECT_EQ(log.probes, 2);
  EXPECT_EQ(log.starts, 1);
  EXPECT_EQ(log.text_tables, 1);
  EXPECT_EQ(log.keys, (Bytes{7}));
  EXPECT_EQ(log.jobs_cleared, 1);
  EXPECT_EQ(log.jobs_done, (Bytes{2}));
  EXPECT_EQ(log.bauds_set, (Bytes{2}));
  EXPECT_EQ(log.bauds_applied, 1);
  EXPECT_EQ(log.unknown, 0);
}

TEST_F(UnitDeviceTest, RefusesOrStaysSilentAsScripted) {
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  device.script().refuse_status = true;
  EXPECT_EQ(Exchange({0x02, 0x07, 0x00, 0x06, 0x00, 0x32, 0x00, 0x00, 0x31}), (Bytes{0x02, 0x03, 0x00, 0x13, 0x12}));
  device.script().silent = true;
  EXPECT_TRUE(Exchange({0x02, 0x07, 0x00, 0x06, 0x00, 0x32, 0x00, 0x00, 0x31}).empty());
  device.script().silent = false;
  // A garbled telegram (wrong BCC) is not answered.
  EXPECT_TRUE(Exchange({0x02, 0x07, 0x00, 0x06, 0x00, 0x32, 0x00, 0x00, 0x32}).empty());
}

}  // namespace
}  // namespace sim::tasto
