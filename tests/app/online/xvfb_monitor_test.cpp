// The real vqpt32 on a virtual X server opens the drive monitor from its Remote menu with real X keys, polls the
// simulated inverter served on a pseudo-terminal and draws the three bars in their colours; the window
// manager's close ends the monitor and the poll. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kDriveMonitor = "Drive monitor";
const std::string kLinkFaultCaption = "Fault serial communication";

class XvfbMonitorTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
    // Values for the three bars (n-motor, I-active, P-motor) and the DC-link voltage, set before the server runs.
    sim::InverterDevice& device = *bus->Device(0);
    device.WriteNumber(33, 2, 9000);
    device.WriteNumber(33, 6, 8192);  // E150 I-active: the device nominal current
    device.WriteNumber(33, 12, 150);
    device.WriteNumber(33, 8, 565);
    // Pole pairs: the inverter's (33.68) for the actual speed, the motors' (42.26, 43.26) for the ranges.
    device.WriteNumber(33, 68, 2);
    device.WriteNumber(42, 26, 2);
    device.WriteNumber(43, 26, 2);
    ServeInverter(std::move(bus));
  }
  // Alt+R opens the Remote menu, D its drive monitor (repeated when a busy machine took the keys too early).
  Window OpenDriveMonitorByKeys() {
    return PickUntilShown(
        [&] {
          X({"key", "alt+r"});
          Pause(400);
          X({"key", "d"});
        },
        kDriveMonitor, 3);
  }
};

TEST_F(XvfbMonitorTest, TheDriveMonitorOpensByKeysPollsAndDrawsItsBars) {
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  const Window drive = OpenDriveMonitorByKeys();
  ASSERT_NE(drive, 0u) << "no drive monitor";
  // The first poll comes 200 ms after the opening, the next after the polling interval.
  const std::size_t opened = bus_->telegrams();
  ASSERT_TRUE(WaitFor([&] { return bus_->telegrams() > opened + 2; })) << "no poll";
  // The speed bar red and the current bar green (palette colours 2 and 3; the power bar, navy, stands at 0).
  const bool drawn = WaitFor([&] { return CountPixels(drive, 0xFF0000) > 500 && CountPixels(drive, 0x008000) > 500; });
  SavePng(drive, "vqpt32_xvfb_drive_monitor.png");
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_drive_monitor_screen.png");
  EXPECT_TRUE(drawn) << CountPixels(drive, 0xFF0000) << " " << CountPixels(drive, 0x008000);
  EXPECT_EQ(FindWindowNamed(user_, kLinkFaultCaption), 0u);

  // The window manager's close ends the monitor, and with it the poll.
  CloseAsWindowManager(user_, drive);
  ASSERT_TRUE(WaitForWindowGone(kDriveMonitor)) << "the monitor stayed";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::size_t closed = bus_->telegrams();
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(bus_->telegrams(), closed) << "the poll went on";

  // Nothing of the file was changed by the monitor: the program ends without a question.
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
