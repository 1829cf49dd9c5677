// The real vqpt32 on a virtual X server drives the simulated inverter, served on a pseudo-terminal, by remote
// control with real X input: the menu opens the window (the operation-input questions answered Yes), the enable
// check box is set by keys and sent, Stop and close sends the stop and switches the input back. A screenshot of
// the window is left in the test folder.
#include <gtest/gtest.h>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kRemoteCaption = "Remote control";

class XvfbRemoteControlTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    identity.version = 'P';  // the first form of remote control
    ServeInverter(std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity));
  }
  sim::InverterDevice& device() { return *bus_->Device(0); }
};

TEST_F(XvfbRemoteControlTest, EnableByRealKeysIsSentAndStopAndCloseStopsTheDrive) {
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Window window = 0;
  for (int attempt = 0; attempt < 3 && window == 0; ++attempt) {
    X({"key", "alt+r"});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    X({"key", "r"});
    // The operation-input questions (2.5, 2.19) are answered with their first button.
    for (int i = 0; i < 4 && window == 0; ++i) {
      window = WaitForWindow(kRemoteCaption, 1500);
      if (window == 0) X({"key", "Return"});
    }
  }
  ASSERT_NE(window, 0u) << "no remote-control window";
  ASSERT_TRUE(WaitFor([&] { return device().operation_input() == 1; })) << "the input was not switched to serial";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // The focus starts on the reference value: Tab to "enable", Space checks it and sends it.
  X({"key", "Tab"});
  X({"key", "space"});
  EXPECT_TRUE(WaitFor([&] { return (device().control_flags() & 0x10) != 0; })) << "enable was not sent";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(window, "vqpt32_xvfb_remote_control.png");
  X({"key", "alt+s"});  // "&Stop and close"
  // 7.15 says the input is back as before: its button ends it.
  for (int i = 0; i < 5 && FindWindowNamed(user_, kRemoteCaption) != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    X({"key", "Return"});
  }
  EXPECT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kRemoteCaption) == 0; })) << "the window stayed";
  EXPECT_TRUE(WaitFor([&] { return device().operation_input() == 0 && device().control_word() == 0; }));
}

}  // namespace
