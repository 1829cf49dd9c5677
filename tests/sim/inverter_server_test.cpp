#include "sim/inverter_transport.h"

#include <gtest/gtest.h>

#include "platform/comm/termios_port.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kLogin0 = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};

// The simulator serving a device it opened (here the slave of a pty), the test on the other end.
TEST(InverterServer, ServesADeviceAndSendsEachReplyInOneWrite) {
  platform::comm::PseudoTerminal pty;
  ASSERT_TRUE(pty.ok());
  auto opened = platform::comm::TermiosPort::Open(pty.slave_path());
  ASSERT_NE(opened.port, nullptr);
  auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  sim::InverterServer server(bus, std::make_unique<sim::PortLine>(std::move(opened.port)));
  server.Start();
  // Sent in two pieces: the simulator collects them into one telegram.
  ASSERT_TRUE(pty.Write(kLogin0.data(), 4));
  ASSERT_TRUE(pty.Write(kLogin0.data() + 4, kLogin0.size() - 4));
  Bytes got;
  for (int i = 0; i < 100 && got.size() < kLogin0.size(); ++i) {
    if (!pty.WaitReadable(20)) continue;
    std::uint8_t buf[64];
    const long n = pty.Read(buf, sizeof buf);
    if (n > 0) got.insert(got.end(), buf, buf + n);
  }
  server.Stop();
  EXPECT_EQ(got, kLogin0);
  EXPECT_EQ(bus->telegrams(), 1u);
}

}  // namespace
