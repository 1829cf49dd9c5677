// The real vqpt32 with the real scope library on a virtual X server, the simulated inverter holding a finished
// recording on a pseudo-terminal: the scope control window opened from the Remote menu by real keys, Read pressed
// by its mnemonic, the recording read and shown in the trend window; the settings and comments dialogs opened and
// left; then the window manager's close.
// Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include "sim/scope_recording.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kControlCaption = "T.. ZPR-Scope-control";
const std::string kTrendCaption = "ZPR-Scope display";

class XvfbScopeTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
    sim::InstallScopeRecording(*bus->Device(0));
    bus->Device(0)->WriteNumber(33, 59, 5);  // ready
    ServeInverter(std::move(bus));
  }
  void SavePng(const std::string& name) { VqptXvfbTest::SavePng(DefaultRootWindow(user_), name); }
  bool Keys(const std::string& keys) { return X({"key", keys}); }
};

TEST_F(XvfbScopeTest, ReadFromTheControlWindowShowsTheRecordingInTheTrendWindow) {
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  // Remote > ZPR-Scope...; a fresh project holds no recording: the message first, Return answers it.
  Window control = 0;
  for (int attempt = 0; attempt < 3 && control == 0; ++attempt) {
    Keys("alt+r");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Keys("z");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    Keys("Return");
    control = WaitForWindow(kControlCaption, 5000);
  }
  ASSERT_NE(control, 0u) << "no scope control window";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  SavePng("vqpt32_xvfb_scope_control.png");

  // Read (enabled: the inverter says ready) by its mnemonic; the transfer runs, then the trend window shows.
  Window trend = 0;
  for (int attempt = 0; attempt < 3 && trend == 0; ++attempt) {
    Keys("alt+r");
    trend = WaitForWindow(kTrendCaption, 20000);
  }
  ASSERT_NE(trend, 0u) << "no trend window after the read, " << bus_->telegrams() << " telegrams";
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  SavePng("vqpt32_xvfb_scope_trend.png");
  // Traces are drawn: the display holds more than its background and grid.
  const auto shot = Screenshot(user_, trend);
  int coloured = 0;
  for (int y = 0; y < shot->height(); ++y) {
    for (int x = 0; x < shot->width(); ++x) {
      const auto p = shot->Pixel(x, y);
      coloured += p != 0x000000 && p != 0xFFFFFF && p != 0xC0C0C0 && p != 0x00FFFF && p != 0xFFFF00;
    }
  }
  EXPECT_GT(coloured, 200);

  // Back in the control window (a click on its state field): Settings and Comments by their mnemonics, each shown
  // and left with Escape.
  X({"mousemove", "--window", std::to_string(control), "40", "40"});
  X({"click", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::vector<std::pair<std::string, std::string>> dialogs = {
      {"alt+s", "T.. ZPR-Scope-settings"}, {"alt+o", "T.. ZPR-Scope-comments"}};
  for (const auto& [keys, caption] : dialogs) {
    Keys(keys);
    ASSERT_NE(WaitForWindow(caption), 0u) << caption;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    SavePng("vqpt32_xvfb_" + caption.substr(4) + ".png");
    Keys("Escape");
    EXPECT_TRUE(WaitForWindowGone(caption)) << caption;
  }

  // The window manager closes the main window; what was read is not saved (n), and the program ends with 0.
  CloseAsWindowManager(user_, main);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  Keys("n");
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
  EXPECT_EQ(FindWindowNamed(user_, kTrendCaption), 0u);
}

}  // namespace
