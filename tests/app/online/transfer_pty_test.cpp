// The transfer dialog against the simulated inverter served on a pseudo-terminal by a thread, in real time: the
// same read and send as on the fake line, through the terminal device the program opens as COM1.
#include <gtest/gtest.h>

#include "platform/sys/clock.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

// The device is touched only while no server thread runs: each phase serves a terminal of its own.
TEST_F(TransferTest, OverAPseudoTerminalTheInverterIsReadAndSentBack) {
  sim::DeviceIdentity identity;
  identity.device_type = 43;
  auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
  bus->Device(0)->WriteNumber(52, 112, 1);
  auto serve = [&bus](std::unique_ptr<sim::InverterServer>* server) {
    auto line = std::make_unique<sim::PtyLine>();
    if (!line->ok()) return false;
    setenv("COM1", line->slave_path().c_str(), 1);
    *server = std::make_unique<sim::InverterServer>(bus, std::move(line));
    (*server)->Start();
    return true;
  };
  std::unique_ptr<sim::InverterServer> server;
  std::vector<std::uint8_t> read;
  Run({[&] {
    platform::sys::UseRealClock();
    ASSERT_TRUE(serve(&server));
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), app::kTransferSucceeded);
    server->Stop();
    read = DeviceRecord(*bus->Device(0), 38);
    std::vector<std::uint8_t> changed = read;
    for (auto& b : changed) b = static_cast<std::uint8_t>(b ^ 0x5A);
    bus->Device(0)->WriteStored(38, 0, changed);
    ASSERT_TRUE(serve(&server));
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), app::kTransferSucceeded);
    server->Stop();
    platform::sys::UseVirtualClock();
  }});
  EXPECT_EQ(DeviceRecord(*bus->Device(0), 38), read);
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
}

}  // namespace
}  // namespace shell_test
