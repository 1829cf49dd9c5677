#include <gtest/gtest.h>

#include <thread>

#include "platform/sys/clock.h"

#include "platform/testing/driver.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestQueue", platform::testing::BlankWindowProc));
    hwnd_ = CreateWindowEx(0, "TestQueue", "q", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    platform::testing::PumpUntilIdle();
  }
  platform::testing::Session session_;
  HWND hwnd_ = nullptr;
};

TEST_F(QueueTest, RetrievalOrderIsPostedInputPaintTimerAndQuitAfterThePosted) {
  SetTimer(hwnd_, 5, 10, nullptr);
  platform::sys::AdvanceVirtualClock(20'000'000);
  InvalidateRect(hwnd_, nullptr, FALSE);
  platform::win::InjectMouse(hwnd_, WM_MOUSEMOVE, 3, 4);
  PostQuitMessage(3);
  PostMessage(hwnd_, WM_USER + 1, 0, 0);
  PostMessage(hwnd_, WM_USER + 2, 0, 0);
  std::vector<UINT> order;
  MSG m;
  while (order.size() < 6 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(m.message);
    if (m.message == WM_QUIT) {
      EXPECT_EQ(m.wParam, 3u);
    }
    DispatchMessage(&m);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(QueueTest, GetMessageReturnsFalseOnQuit) {
  PostMessage(hwnd_, WM_USER, 0, 0);
  PostQuitMessage(7);
  MSG m;
  EXPECT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(QueueTest, GetMessageWithNothingToComeEndsThroughTheDeadlockHandler) {
  MSG m;
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(platform::testing::DeadlockCount(), 1);
}

TEST_F(QueueTest, PostedFromAnotherThreadArrives) {
  std::thread worker([this] { PostMessage(hwnd_, WM_USER + 9, 1, 2); });
  worker.join();
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 9));
}

TEST_F(QueueTest, FilterRunsBeforeDispatchInTheDriversPump) {
  int seen = 0;
  int id = platform::win::AddMessageFilter([&](MSG& m) {
    if (m.message != WM_USER + 3) return false;
    ++seen;
    return true;
  });
  PostMessage(hwnd_, WM_USER + 3, 0, 0);
  platform::testing::PumpUntilIdle();
  platform::win::RemoveMessageFilter(id);
  EXPECT_EQ(seen, 1);
}

}  // namespace
