// The real vqpt32 with the real scope library on a virtual X server against the real inverter-sim program, whose
// drive runs at the terminals: the scope control window opened from the Remote menu, Start pressed by its
// mnemonic, the simulator's recorder reported ready on its state lines, Read pressed, and the trend window shows
// the recorded speed and current as traces above the zero line. Every window shown on the way is counted.
// Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <climits>

#include "tests/app/xvfb_sim_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kControlCaption = "T.. ZPR-Scope-control";
const std::string kTrendCaption = "ZPR-Scope display";
const std::string kTrendMapped = "ZprScope";    // the trend window's name when it is mapped, before its caption
const std::string kTransferCaption = "ZPR-Tool";  // the transfer dialog

constexpr std::uint32_t kGrid = 0xFFFF00;      // the display's grid lines
constexpr std::uint32_t kChannel1 = 0x00FF00;  // the default colours of channels 1 and 2
constexpr std::uint32_t kChannel2 = 0x0000FF;

// Where the trend window draws its grid, and how many pixels of a colour lie in its upper half (positive values)
// and lower half.
struct GridCount {
  int above = 0;
  int below = 0;
};
GridCount CountInGrid(const platform::gdi::Surface& shot, std::uint32_t colour) {
  int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (shot.Pixel(x, y) != kGrid) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  GridCount n;
  const int middle = (top + bottom) / 2;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (shot.Pixel(x, y) != colour) continue;
      if (y < middle - 2) ++n.above;
      if (y > middle + 2) ++n.below;
    }
  }
  return n;
}

class XvfbScopeOnSimulator : public VqptSimTest {
 protected:
  void SetUp() override {
    VqptSimTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // The drive runs at the terminals at 1500 rpm with half the nominal torque as load.
    StartSimulator({"--hw-enable", "on", "--reference", "1500", "--load", "50"});
  }
};

TEST_F(XvfbScopeOnSimulator, StartThenReadShowsTheRecordedDriveInTheTrendWindow) {
  ASSERT_TRUE(sim_->WaitForLine(" enabled", 3000)) << sim_->Log();
  ASSERT_TRUE(WaitFor([&] { return sim_->StateValue("speed") > 4000; })) << sim_->Log();
  MappedWindows watched(server_.display());
  ASSERT_TRUE(watched.ok());
  Program program(kVqptBinary, server_.display(), com1_);
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  const std::size_t before = watched.size();

  // Remote > ZPR-Scope...: a fresh project holds no recording (7.17), then the control window.
  ASSERT_NE(PickRemoteItem(main, "z", kInformationCaption), 0u);
  ASSERT_TRUE(Answer(kInformationCaption));
  const Window control = WaitForWindow(kControlCaption);
  ASSERT_NE(control, 0u) << "no scope control window";
  Pause(500);
  SavePng(control, "vqpt32_xvfb_scope_sim_control.png");

  // Start: the program stops the recorder, sends the settings and starts it; the simulator's recorder runs to
  // ready on its own (the default trigger is immediate).
  ASSERT_EQ(sim_->Count("address 0 recorder"), 0u) << sim_->Log();
  X({"windowfocus", "--sync", std::to_string(control)});
  X({"key", "alt+t"});
  ASSERT_TRUE(sim_->WaitForLine("recorder armed", 10000)) << sim_->Log();
  ASSERT_TRUE(sim_->WaitForLine("recorder ready", 10000)) << sim_->Log();
  EXPECT_EQ(sim_->Count("recorder armed"), 1u) << "one press, one start\n" << sim_->Log();

  // Read is enabled once the window's next poll has seen the state ready; the transfer runs, then the trend window.
  const Window trend = PickUntilShown([&] { X({"key", "alt+r"}); }, kTrendCaption, 0);
  ASSERT_NE(trend, 0u) << "no trend window after the read\n" << sim_->Log();
  Pause(800);
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_scope_sim_trend.png");
  const auto shot = Screenshot(user_, trend);
  const GridCount speed = CountInGrid(*shot, kChannel1);
  const GridCount current = CountInGrid(*shot, kChannel2);
  EXPECT_GT(speed.above, 100) << "no speed trace above the zero line";
  EXPECT_GT(current.above, 100) << "no current trace above the zero line";
  EXPECT_EQ(speed.below + current.below, 0);
  EXPECT_EQ(watched.NamesAfter(before),
            (std::vector<std::string>{kInformationCaption, kControlCaption, kTransferCaption, kTrendMapped}));

  // The window manager closes the main window: a recording read into the fresh file asks nothing, and the program
  // ends with 0.
  const std::size_t read = watched.size();
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
  EXPECT_TRUE(watched.NamesAfter(read).empty());
}

}  // namespace
