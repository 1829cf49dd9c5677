#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::MessageLog;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestFocus", Proc));
    top_ = CreateWindowEx(0, "TestFocus", "t", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    a_ = CreateWindowEx(0, "TestFocus", "a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top_, nullptr, nullptr, nullptr);
    b_ = CreateWindowEx(0, "TestFocus", "b", WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top_, nullptr, nullptr, nullptr);
    drv::PumpUntilIdle();
  }
  drv::Session session_;
  HWND top_ = nullptr;
  HWND a_ = nullptr;
  HWND b_ = nullptr;
};

TEST_F(FocusTest, KillFocusGoesToTheOldWindowBeforeSetFocusToTheNew) {
  SetFocus(a_);
  std::vector<std::pair<HWND, UINT>> seen;
  int id = platform::win::AddMessageObserver([&](HWND h, UINT m, WPARAM, LPARAM) {
    if (m == WM_SETFOCUS || m == WM_KILLFOCUS) seen.emplace_back(h, m);
  });
  EXPECT_EQ(SetFocus(b_), a_);
  platform::win::RemoveMessageObserver(id);
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, UINT>>{{a_, WM_KILLFOCUS}, {b_, WM_SETFOCUS}}));
  EXPECT_EQ(GetFocus(), b_);
}

int g_kills = 0;
LRESULT Refusing(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KILLFOCUS) {
    ++g_kills;
    SetFocus(h);  // a refused entry keeps the focus
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

TEST_F(FocusTest, AWindowThatTakesTheFocusBackInKillFocusKeepsIt) {
  g_kills = 0;
  SetFocus(a_);
  SetWindowLongPtr(a_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Refusing));
  MessageLog log(b_, {WM_SETFOCUS});
  SetFocus(b_);
  EXPECT_EQ(GetFocus(), a_);
  EXPECT_EQ(g_kills, 1);  // no second WM_KILLFOCUS while the first is handled
  EXPECT_EQ(log.Count(WM_SETFOCUS), 0);
  SetWindowLongPtr(a_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
}

TEST_F(FocusTest, KeyStateFollowsTheRetrievedInputAndHeldKeysAtOnce) {
  SetFocus(a_);
  platform::win::InjectKey(WM_KEYDOWN, VK_F3);
  EXPECT_LT(GetAsyncKeyState(VK_F3), 0);
  EXPECT_GE(GetKeyState(VK_F3), 0);  // not yet taken from the queue
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a_);
  EXPECT_LT(GetKeyState(VK_F3), 0);
  platform::win::InjectKey(WM_KEYUP, VK_F3);
  drv::PumpUntilIdle();
  EXPECT_GE(GetKeyState(VK_F3), 0);
  drv::HoldKey(VK_F1);
  EXPECT_LT(GetKeyState(VK_F1), 0);
  EXPECT_LT(GetAsyncKeyState(VK_F1), 0);
  drv::ReleaseKey(VK_F1);
  EXPECT_GE(GetKeyState(VK_F1), 0);
}

TEST_F(FocusTest, TypedKeysGoToTheFocusAtRetrievalAndBecomeCharacters) {
  SetFocus(a_);
  MessageLog la(a_, {WM_CHAR});
  MessageLog lb(b_, {WM_CHAR});
  platform::win::InjectKey(WM_KEYDOWN, 'Q');
  platform::win::InjectKey(WM_KEYUP, 'Q');
  SetFocus(b_);
  drv::PumpUntilIdle();
  EXPECT_EQ(la.Count(WM_CHAR), 0);
  ASSERT_EQ(lb.Count(WM_CHAR), 1);
  EXPECT_EQ(lb.Entries()[0].wparam, static_cast<WPARAM>('q'));
  drv::PressKey('Q', true);
  EXPECT_EQ(lb.Entries().back().wparam, static_cast<WPARAM>('Q'));
}

TEST_F(FocusTest, CaptureTakesTheMouseWhereverItIs) {
  MessageLog log(a_, {WM_MOUSEMOVE});
  SetCapture(a_);
  platform::win::InjectMouse(top_, WM_MOUSEMOVE, 150, 150);
  drv::PumpUntilIdle();
  ASSERT_EQ(log.Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(GET_X_LPARAM(log.Entries()[0].lparam), 150);
  ReleaseCapture();
  platform::win::InjectMouse(top_, WM_MOUSEMOVE, 70, 10);
  drv::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_MOUSEMOVE), 1);  // over b now
}

}  // namespace
