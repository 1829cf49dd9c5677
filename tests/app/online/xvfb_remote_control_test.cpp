// The real vqpt32 on a virtual X server drives the simulated inverter by remote control with real X input: the
// menu opens the window (the operation-input questions answered Yes), the enable check box is set by keys and
// sent, and each way of closing (Stop and close, the window manager's close, the main window's close) stops the
// drive, switches the input back and shows exactly the message boxes it should. Screenshots are left in the test
// folder.
#include <gtest/gtest.h>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kRemoteCaption = "Remote control";
const std::string kQuestionCaption = "Conflict with connected device";  // 2.5 and 2.19
const std::string kInformationCaption = "Information:";                 // 7.15

class XvfbRemoteControlTest : public VqptXvfbTest {
 protected:
  // The program started with its windows watched; the names mapped up to its main window are skipped.
  void Start(const std::string& com1) {
    watched_ = std::make_unique<MappedWindows>(server_.display());
    ASSERT_TRUE(watched_->ok());
    program_ = std::make_unique<Program>(kVqptBinary, server_.display(), com1);
    ASSERT_TRUE(program_->started());
    main_ = WaitForWindow(kFreshTitle);
    ASSERT_NE(main_, 0u);
    Pause(300);
  }
  // Remote > Remote control, the two questions answered Yes: the window, and exactly those boxes on the way.
  Window OpenRemoteControl() {
    const std::size_t before = watched_->size();
    const std::size_t asked = Count(kQuestionCaption);
    const Window question = PickUntilShown(
        [&] {
          X({"key", "alt+r"});
          Pause(400);
          X({"key", "r"});
        },
        kQuestionCaption, 2);
    if (question == 0) return 0;
    X({"key", "Return"});  // 2.5: switch the input
    if (!watched_->WaitForCount(kQuestionCaption, asked + 2)) return 0;
    Pause(300);
    X({"key", "Return"});  // 2.19: really switch
    const Window window = WaitForWindow(kRemoteCaption);
    EXPECT_EQ(watched_->NamesAfter(before),
              (std::vector<std::string>{kQuestionCaption, kQuestionCaption, kRemoteCaption}));
    return window;
  }
  std::size_t Count(const std::string& name) const {
    const auto names = watched_->Names();
    return static_cast<std::size_t>(std::count(names.begin(), names.end(), name));
  }
  // The focus starts on the reference value: Tab to "enable", Space checks it and sends it.
  void Enable() {
    X({"key", "Tab"});
    X({"key", "space"});
  }

  std::unique_ptr<MappedWindows> watched_;
  std::unique_ptr<Program> program_;
  Window main_ = 0;
};

class XvfbRemoteControlOnServedInverter : public XvfbRemoteControlTest {
 protected:
  void SetUp() override {
    XvfbRemoteControlTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    identity.version = 'P';  // the first form of remote control
    ServeInverter(std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity));
  }
  sim::InverterDevice& device() { return *bus_->Device(0); }
  bool DriveStoppedAndInputBack() {
    return WaitFor([&] { return device().operation_input() == 0 && device().control_word() == 0; });
  }
};

// Each close shows 7.15 and nothing else: Stop and close, the window manager's close, the main window's close.
TEST_F(XvfbRemoteControlOnServedInverter, EveryCloseStopsTheDriveAndShowsOnlyTheInputMessage) {
  Start(com1_);
  if (HasFatalFailure()) return;
  const struct {
    const char* how;
    std::function<void(Window)> close;
  } closes[] = {
      {"Stop and close", [&](Window) { X({"key", "alt+s"}); }},
      {"the window manager's close", [&](Window w) { CloseAsWindowManager(user_, w); }},
      {"the main window's close", [&](Window) { CloseAsWindowManager(user_, main_); }},
  };
  for (const auto& c : closes) {
    SCOPED_TRACE(c.how);
    const Window window = OpenRemoteControl();
    ASSERT_NE(window, 0u) << "no remote-control window";
    ASSERT_TRUE(WaitFor([&] { return device().operation_input() == 1; })) << "the input was not switched to serial";
    Pause(300);
    Enable();
    ASSERT_TRUE(WaitFor([&] { return (device().control_flags() & 0x10) != 0; })) << "enable was not sent";
    Pause(300);
    SavePng(window, "vqpt32_xvfb_remote_control.png");
    const std::size_t before = watched_->size();
    c.close(window);
    const Window info = WaitForWindow(kInformationCaption);
    ASSERT_NE(info, 0u) << "no 7.15";
    EXPECT_TRUE(DriveStoppedAndInputBack());
    Pause(500);  // time for a further box to show, which would be a fault
    SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_remote_control_closed.png");
    X({"key", "Return"});
    EXPECT_TRUE(WaitForWindowGone(kRemoteCaption)) << "the window stayed";
    EXPECT_TRUE(WaitForWindowGone(kInformationCaption));
    Pause(500);
    EXPECT_EQ(watched_->NamesAfter(before), std::vector<std::string>{kInformationCaption});
  }
  // The main window's close ended the program (nothing unsaved).
  EXPECT_EQ(program_->WaitExit(10000), std::optional<int>(0));
}

}  // namespace
