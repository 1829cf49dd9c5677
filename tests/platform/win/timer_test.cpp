#include <gtest/gtest.h>

#include <thread>

#include "platform/sys/clock.h"

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

using platform::testing::MessageLog;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestTimer", Proc));
    hwnd_ = CreateWindowEx(0, "TestTimer", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  platform::testing::Session session_;
  HWND hwnd_ = nullptr;
};

TEST_F(TimerTest, ReArmedTimerReplacesAndDoesNotPileUp) {
  MessageLog log(hwnd_, {WM_TIMER});
  for (int i = 0; i < 5; ++i) SetTimer(hwnd_, 1001, 100, nullptr);
  EXPECT_EQ(platform::win::TimerCount(), 1);
  platform::testing::Advance(100);
  EXPECT_EQ(log.Count(WM_TIMER), 1);
  // Re-arming restarts the period.
  platform::testing::Advance(50);
  SetTimer(hwnd_, 1001, 100, nullptr);
  platform::testing::Advance(60);
  EXPECT_EQ(log.Count(WM_TIMER), 1);
  platform::testing::Advance(40);
  EXPECT_EQ(log.Count(WM_TIMER), 2);
}

TEST_F(TimerTest, ManyMissedPeriodsGiveOneMessage) {
  MessageLog log(hwnd_, {WM_TIMER});
  SetTimer(hwnd_, 1, 100, nullptr);
  platform::sys::AdvanceVirtualClock(1'000'000'000);
  platform::testing::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_TIMER), 1);
}

TEST_F(TimerTest, TimersFireInDueOrderAndDieWithTheirWindow) {
  MessageLog log(hwnd_, {WM_TIMER});
  SetTimer(hwnd_, 2, 350, nullptr);
  SetTimer(hwnd_, 1, 200, nullptr);
  platform::testing::Advance(650);
  std::vector<WPARAM> ids;
  for (const auto& e : log.Entries()) ids.push_back(e.wparam);
  EXPECT_EQ(ids, (std::vector<WPARAM>{1, 2, 1, 1}));
  EXPECT_TRUE(KillTimer(hwnd_, 1));
  EXPECT_FALSE(KillTimer(hwnd_, 1));
  DestroyWindow(hwnd_);
  EXPECT_EQ(platform::win::TimerCount(), 0);
}

TEST_F(TimerTest, ForcedFailureGivesZeroOnce) {
  platform::win::FailNextSetTimer();
  EXPECT_EQ(SetTimer(hwnd_, 1001, 200, nullptr), 0u);
  EXPECT_EQ(SetTimer(hwnd_, 1001, 200, nullptr), 1001u);
}

int g_ticks = 0;
INT_PTR CALLBACK TickingDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetTimer(dialog, 7, 100, nullptr);
    return TRUE;
  }
  if (message == WM_TIMER && ++g_ticks == 3) EndDialog(dialog, 42);
  return FALSE;
}

TEST_F(TimerTest, TimersRunInsideModalLoops) {
  g_ticks = 0;
  MessageLog owner_timers(hwnd_, {WM_TIMER});
  SetTimer(hwnd_, 1001, 150, nullptr);
  static constexpr DialogTemplate kEmpty{WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "d", {}};
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, &kEmpty, hwnd_, TickingDialog, 0), 42);
  EXPECT_EQ(g_ticks, 3);
  EXPECT_EQ(owner_timers.Count(WM_TIMER), 2);  // 150 and 300 ms passed while the dialog ran
  EXPECT_EQ(platform::testing::DeadlockCount(), 0);
}

}  // namespace
