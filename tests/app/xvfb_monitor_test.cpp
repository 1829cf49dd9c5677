// The real vqpt32 on a virtual X server opens the drive monitor from its Remote menu with real X keys, polls the
// simulated inverter served on a pseudo-terminal and draws the three bars in their colours; the window
// manager's close ends the monitor and the poll. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win/win.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;

const std::string kBinary = std::string(ZPR_BIN_DIR) + "/vqpt32";
const std::string kFreshTitle = "ZPR-Tool - File 1: NONAME1.ZPR";
const std::string kDriveMonitor = "Drive monitor";
const std::string kLinkFaultCaption = "Fault serial communication";

class XvfbMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
    // Values for the three bars (n-motor, I-active, P-motor) and the DC-link voltage, set before the server runs.
    sim::InverterDevice& device = *bus_->Device(0);
    device.WriteNumber(33, 2, 9000);
    device.WriteNumber(33, 6, 40);
    device.WriteNumber(33, 12, 150);
    device.WriteNumber(33, 8, 565);
    // Pole pairs: the inverter's (33.68) for the actual speed, the motors' (42.26, 43.26) for the ranges.
    device.WriteNumber(33, 68, 2);
    device.WriteNumber(42, 26, 2);
    device.WriteNumber(43, 26, 2);
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    com1_ = line->slave_path();
    inverter_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    inverter_->Start();
  }
  void TearDown() override {
    if (inverter_) inverter_->Stop();
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name, int ms = 10000) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; }, ms);
    return w;
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((std::filesystem::path(::testing::TempDir()) / name).string());
  }
  // Alt+R opens the Remote menu, D its drive monitor (repeated when a busy machine took the keys too early).
  Window OpenDriveMonitorByKeys() {
    const std::string display = server_.display();
    for (int attempt = 0; attempt < 3; ++attempt) {
      Xdotool(display, {"key", "alt+r"});
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
      Xdotool(display, {"key", "d"});
      if (const Window w = WaitForWindow(kDriveMonitor, 4000)) return w;
      for (int i = 0; i < 3; ++i) Xdotool(display, {"key", "Escape"});
    }
    return 0;
  }
  // Pixels of one colour (0xRRGGBB) in the window.
  int CountPixels(Window w, std::uint32_t colour) {
    const auto shot = Screenshot(user_, w);
    int n = 0;
    for (int y = 0; y < shot->height(); ++y) {
      for (int x = 0; x < shot->width(); ++x) n += shot->Pixel(x, y) == colour;
    }
    return n;
  }

  VirtualServer server_;
  Display* user_ = nullptr;
  std::shared_ptr<sim::InverterBus> bus_;
  std::unique_ptr<sim::InverterServer> inverter_;
  std::string com1_;
};

TEST_F(XvfbMonitorTest, TheDriveMonitorOpensByKeysPollsAndDrawsItsBars) {
  Program program(kBinary, server_.display(), com1_);
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
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kDriveMonitor) == 0; })) << "the monitor stayed";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::size_t closed = bus_->telegrams();
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(bus_->telegrams(), closed) << "the poll went on";

  // Nothing of the file was changed by the monitor: the program ends without a question.
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
