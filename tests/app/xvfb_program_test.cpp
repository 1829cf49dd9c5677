// The real vqpt32 on a virtual X server: its window appears with its title and logo, a menu opened with a real
// click, a command picked there, the window manager's close; the exit code is 0 each time. Screenshots are
// left in the test folder. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win/win.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;

const std::string kBinary = std::string(ZPR_BIN_DIR) + "/vqpt32";
const std::string kFreshTitle = "ZPR-Tool - File 1: NONAME1.ZPR";  // the title of a fresh start

class XvfbProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
  }
  void TearDown() override {
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; });
    return w;
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((std::filesystem::path(::testing::TempDir()) / name).string());
  }

  VirtualServer server_;
  Display* user_ = nullptr;
};

TEST_F(XvfbProgramTest, WindowAppearsWithTitleAndLogoAndTheWindowManagersCloseEndsIt) {
  Program program(kBinary, server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u) << "no window named " << kFreshTitle;
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto shot = Screenshot(user_, main);
  // The logo of the fresh build (its dark blue band) lies in the middle of the window.
  int band = 0;
  for (int y = 0; y < shot->height(); ++y) {
    for (int x = 0; x < shot->width(); ++x) band += shot->Pixel(x, y) == 0x143C8C;
  }
  EXPECT_GT(band, 5000);
  shot->WritePng((std::filesystem::path(::testing::TempDir()) / "vqpt32_xvfb_main.png").string());
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

TEST_F(XvfbProgramTest, MenuOpenedByARealClickAndACommandPicked) {
  Program program(kBinary, server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // "File", the first item of the menu bar, just below the caption.
  const int x = GetSystemMetrics(SM_CXFRAME) + 12;
  const int y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
  const std::string id = std::to_string(main);
  ASSERT_TRUE(Xdotool(server_.display(), {"mousemove", "--window", id, std::to_string(x), std::to_string(y)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"click", "1"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_menu.png");
  // "E&xit" by its mnemonic in the open pop-up.
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "x"}));
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
