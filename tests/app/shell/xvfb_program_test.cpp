// The real vqpt32 on a virtual X server: its window appears with its title and logo, a menu opened with a real
// click, a command picked there, the window manager's close; the exit code is 0 each time. Screenshots are
// left in the test folder. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

using XvfbProgramTest = VqptXvfbTest;

TEST_F(XvfbProgramTest, WindowAppearsWithTitleAndLogoAndTheWindowManagersCloseEndsIt) {
  Program program(kVqptBinary, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u) << "no window named " << kFreshTitle;
  // The logo of the fresh build (its dark blue band) lies in the middle of the window.
  EXPECT_GT(CountPixels(main, 0x143C8C), 5000);
  SavePng(main, "vqpt32_xvfb_main.png");
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

TEST_F(XvfbProgramTest, MenuOpenedByARealClickAndACommandPicked) {
  Program program(kVqptBinary, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(ClickFileMenu(main));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_menu.png");
  // "E&xit" by its mnemonic in the open pop-up.
  ASSERT_TRUE(X({"key", "x"}));
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
