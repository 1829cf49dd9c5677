// The transfer dialog against the simulated inverter served on a pseudo-terminal by a thread, in real time: the
// same read and send as on the fake line, through the terminal device the program opens as COM1.
#include <gtest/gtest.h>

#include "platform/sys/clock.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

TEST_F(TransferTest, OverAPseudoTerminalTheInverterIsReadAndSentBack) {
  sim::DeviceIdentity identity;
  identity.device_type = 43;
  auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
  auto line = std::make_unique<sim::PtyLine>();
  ASSERT_TRUE(line->ok());
  const std::string path = line->slave_path();
  sim::InverterServer server(bus, std::move(line));
  server.Start();
  bus->Device(0)->WriteNumber(52, 112, 1);
  std::vector<std::uint8_t> read, changed;
  Run({[&] {
    platform::sys::UseRealClock();
    setenv("COM1", path.c_str(), 1);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), app::kTransferSucceeded);
    read = DeviceRecord(*bus->Device(0), 38);
    changed = read;
    for (auto& b : changed) b = static_cast<std::uint8_t>(b ^ 0x5A);
    bus->Device(0)->WriteStored(38, 0, changed);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), app::kTransferSucceeded);
    platform::sys::UseVirtualClock();
  }});
  server.Stop();
  EXPECT_EQ(DeviceRecord(*bus->Device(0), 38), read);
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
}

}  // namespace
}  // namespace shell_test
