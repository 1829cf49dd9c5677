// The real vqpt32 on virtual X servers of two sizes opens wide windows by real keys (pages G and I from the
// Projecting menu, wider than the main window on both screens, and the fieldbus monitor from the Remote menu, wider
// than the main window on the narrow one): each lies on the screen as far as it can, its left edge and title bar
// visible and nothing at negative coordinates. On a screen narrower than the window (1024 px) it starts at the
// screen's left edge; on one wide enough for the window but not for the main window and the window side by side it
// lies wholly on the screen. Screenshots of the screen are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/element_access.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

struct Screen {
  const char* name;  // for the screenshots
  const char* size;
  int width, height;
};

constexpr Screen kScreens[] = {
    {"narrow", "1024x768x24", 1024, 768},
    {"wide", "1600x1200x24", 1600, 1200},
};

// Where a window lies on the screen.
struct Placement {
  int x = 0, y = 0, width = 0, height = 0;
};

class XvfbWideWindowsTest : public VqptXvfbTest, public ::testing::WithParamInterface<Screen> {
 protected:
  XvfbWideWindowsTest() : VqptXvfbTest(GetParam().size) {}
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    ServeInverter(std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity));
    // A device of version 'E' with positioning in use: the positioning pages are open to it.
    ASSERT_NO_FATAL_FAILURE(WriteProject(project_, [] {
      const std::uint8_t letter = 'E', positioning = 2;
      model::WriteElement(304, 5, &letter, model::kModeRaw, 1);
      model::WriteElement(38, 56, &positioning, model::kModeRaw, 1);
      model::WriteElement(39, 56, &positioning, model::kModeRaw, 1);
    }));
  }
  Placement PlacementOf(Window w) {
    Placement p;
    XWindowAttributes a;
    Window child = 0;
    if (!XGetWindowAttributes(user_, w, &a) ||
        !XTranslateCoordinates(user_, w, DefaultRootWindow(user_), 0, 0, &p.x, &p.y, &child))
      return p;
    p.width = a.width;
    p.height = a.height;
    return p;
  }
  // The window lies on the screen as far as its size lets it: wholly where it fits, else from the left edge; its
  // title bar is always on the screen.
  void ExpectOnScreen(Window w, const std::string& what) {
    const Screen& screen = GetParam();
    const Placement p = PlacementOf(w);
    EXPECT_GE(p.x, 0) << what;
    EXPECT_GE(p.y, 0) << what;
    EXPECT_LE(p.y + GetSystemMetrics(SM_CYCAPTION), screen.height) << what;
    if (p.width <= screen.width) {
      EXPECT_LE(p.x + p.width, screen.width) << what;
    } else {
      EXPECT_EQ(p.x, 0) << what;
    }
    if (p.height <= screen.height) {
      EXPECT_LE(p.y + p.height, screen.height) << what;
    }
  }
  void SaveScreen(const std::string& what) {
    SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_wide_" + what + "_" + GetParam().name + ".png");
  }

  std::filesystem::path project_ = folder_.path() / "wide.zpr";
};

TEST_P(XvfbWideWindowsTest, WindowsWiderThanTheMainWindowLieOnTheScreen) {
  const Screen& screen = GetParam();
  Program program(kVqptBinary, server_.display(), com1_, {project_.string()});
  const Window main = WaitForMainWindow(program, "ZPR-Tool - File 1: WIDE.ZPR");
  ASSERT_NE(main, 0u);
  const Placement main_at = PlacementOf(main);

  // Projecting: G.. Technology 16 rows below its first item, I.. Posi. machine 18.
  const struct {
    int steps;
    const char* title;
    const char* name;
  } pages[] = {
      {16, "G.. Technology (Parameter set 1)", "page_g"},
      {18, "I.. Posi. machine", "page_i"},
  };
  for (const auto& page : pages) {
    const Window w = PickUntilShown([&] { PickProjectingItem(main, page.steps); }, page.title, 2);
    ASSERT_NE(w, 0u) << page.title;
    Pause(300);
    SaveScreen(page.name);
    const Placement p = PlacementOf(w);
    EXPECT_GT(p.width, main_at.width) << page.title;
    // The wide screen holds the page, but not beside the main window.
    if (screen.width >= p.width) {
      EXPECT_GT(main_at.width + p.width, screen.width) << page.title;
    }
    ExpectOnScreen(w, page.title);
    ASSERT_TRUE(X({"key", "Escape"}));
    ASSERT_TRUE(WaitForWindowGone(page.title)) << page.title;
  }

  // Remote: the fieldbus monitor by its access key.
  const std::string monitor_title = "Fieldbus monitor";
  const Window monitor = PickUntilShown(
      [&] {
        X({"windowfocus", "--sync", std::to_string(main)});
        X({"key", "alt+r"});
        Pause(400);
        X({"key", "f"});
      },
      monitor_title, 3);
  ASSERT_NE(monitor, 0u);
  Pause(300);
  SaveScreen("fieldbus_monitor");
  ExpectOnScreen(monitor, monitor_title);
  CloseAsWindowManager(user_, monitor);
  ASSERT_TRUE(WaitForWindowGone(monitor_title));

  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

INSTANTIATE_TEST_SUITE_P(Screens, XvfbWideWindowsTest, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<Screen>& info) { return std::string(info.param.name); });

}  // namespace
