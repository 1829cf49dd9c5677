// The shell's small services on the headless layer's fixed metrics: dialog placement by code, the help-context
// rules and the wait cursor.
#include <gtest/gtest.h>

#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace {

namespace drv = platform::testing;

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

struct PlaceCase {
  int x;
  int y;
  int left;
  int top;
};

class PlaceDialogTest : public ::testing::TestWithParam<PlaceCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("ShellPlain", PlainProc));
    app::ResetShellState();
    app::Shell().main = CreateWindow("ShellPlain", "main", WS_OVERLAPPEDWINDOW, 100, 50, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr);
    dialog_ = CreateWindow("ShellPlain", "dialog", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override { app::ResetShellState(); }
  drv::Session session_;
  HWND dialog_ = nullptr;
};

TEST_P(PlaceDialogTest, PutsTheWindowRelativeToTheMainWindow) {
  const PlaceCase& c = GetParam();
  app::PlaceDialog(dialog_, c.x, c.y);
  RECT r{};
  GetWindowRect(dialog_, &r);
  EXPECT_EQ(r.left, c.left);
  EXPECT_EQ(r.top, c.top);
  EXPECT_EQ(r.right - r.left, 120);  // never sized
  EXPECT_EQ(r.bottom - r.top, 80);
}

// Main window 100,50 - 500,350; the window 120 x 80.
const int kFrameX = GetSystemMetrics(SM_CXFRAME);
const int kFrameY = GetSystemMetrics(SM_CYFRAME);
const int kBelowMenu = GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + kFrameY;

INSTANTIATE_TEST_SUITE_P(Codes, PlaceDialogTest,
                         ::testing::Values(PlaceCase{-1, -1, 100 + kFrameX, 50 + kBelowMenu},
                                           PlaceCase{-2, -2, 100 + (400 - 120) / 2, 50 + (300 - 80) / 2},
                                           PlaceCase{-3, -3, 500 - 120 - kFrameX, 350 - 80 - kFrameY},
                                           PlaceCase{10, 20, 110, 70}, PlaceCase{-2, -1, 240, 50 + kBelowMenu},
                                           PlaceCase{-150, -60, 0, 0},  // a negative result becomes 0
                                           PlaceCase{2000, 2000, 1280 - 120, 1024 - 80}));  // kept on the screen

struct LargeCase {
  const char* name;
  SIZE size;
  DWORD style;
  RECT expected;
};

// Windows larger than the main window (100,50 - 500,350) on the headless 1280 x 1024 screen.
TEST_F(PlaceDialogTest, AWindowLargerThanTheMainWindowLiesOnTheScreen) {
  const LargeCase cases[] = {
      {"wider than the main window", {1063, 200}, WS_POPUP, {(1280 - 1063) / 2, 100, (1280 + 1063) / 2, 300}},
      {"taller too", {600, 700}, WS_POPUP, {340, 162, 940, 862}},
      {"wider than the screen", {1400, 200}, WS_POPUP, {0, 100, 1400, 300}},
      {"sizable, wider than the screen", {1400, 200}, WS_POPUP | WS_THICKFRAME, {0, 100, 1280, 300}},
  };
  for (const LargeCase& c : cases) {
    HWND w = CreateWindow("ShellPlain", "large", c.style, 0, 0, c.size.cx, c.size.cy, nullptr, nullptr, nullptr, nullptr);
    app::PlaceDialog(w, app::kPlaceCentred, app::kPlaceCentred);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, c.expected.left) << c.name;
    EXPECT_EQ(r.top, c.expected.top) << c.name;
    EXPECT_EQ(r.right, c.expected.right) << c.name;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
    DestroyWindow(w);
  }
}

TEST(HelpContext, DefaultKeepsAContextInsideTheRangeAndReplacesOneOutside) {
  app::SetHelpContext(705);
  EXPECT_EQ(app::SetDefaultHelpContext(31, 700, 720), 705);
  EXPECT_EQ(app::GetHelpContext(), 705);
  app::SetHelpContext(2003);
  EXPECT_EQ(app::SetDefaultHelpContext(31, 700, 720), 2003);
  EXPECT_EQ(app::GetHelpContext(), 31);
  app::SetDefaultHelpContext(1, -1, -1);
  EXPECT_EQ(app::GetHelpContext(), 1);
}

TEST(HelpContext, CommandsSetItOnlyForTheFourNotificationCodes) {
  struct Row {
    std::uint16_t code;
    int control;
    std::uint16_t expected;
  };
  const Row rows[] = {{0, 710, 710}, {3, 711, 711}, {4, 712, 712}, {256, 713, 713},
                      {512, 714, 713}, {1, 715, 713}, {768, 716, 713}, {0, 900, 31}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.control);
    app::SetHelpContextFromCommand(31, 700, 720, r.control, r.code);
    EXPECT_EQ(app::GetHelpContext(), r.expected);
  }
}

TEST(WaitCursor, DoesNotNestAndTheFirstEndRestores) {
  drv::Session session;
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  app::BeginWaitCursor();
  app::BeginWaitCursor();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcWait);
  app::EndWaitCursor();
  EXPECT_EQ(GetCursor(), arrow);
  app::EndWaitCursor();
  EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
