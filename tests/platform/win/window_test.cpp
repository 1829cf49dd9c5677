#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/metrics.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

using platform::testing::MessageLog;

LRESULT PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestPlain", PlainProc, 16));
  }
  HWND Top(const char* title = "top", DWORD style = WS_OVERLAPPEDWINDOW) {
    return CreateWindowEx(0, "TestPlain", title, style, 10, 20, 300, 200, nullptr, nullptr, nullptr, nullptr);
  }
  platform::testing::Session session_;
};

TEST_F(WindowTest, DestroyedHandleIsInertForEveryCall) {
  HWND top = Top();
  HWND child = CreateWindowEx(0, "TestPlain", "c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  ASSERT_TRUE(IsWindow(child));
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));  // children go with their parent
  RECT r{1, 2, 3, 4};
  char buf[8] = "x";
  EXPECT_EQ(SendMessage(top, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("t")), 0);
  EXPECT_FALSE(PostMessage(top, WM_USER, 0, 0));
  EXPECT_FALSE(SetWindowText(top, "t"));
  EXPECT_EQ(GetWindowText(top, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_FALSE(GetWindowRect(top, &r));
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_FALSE(EnableWindow(top, FALSE));
  EXPECT_FALSE(SetWindowPos(top, nullptr, 0, 0, 5, 5, 0));
  EXPECT_EQ(SetTimer(top, 1, 100, nullptr), 0u);
  EXPECT_EQ(SetFocus(child), nullptr);
  EXPECT_EQ(GetParent(child), nullptr);
  EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 0);
  EXPECT_FALSE(DestroyWindow(top));
  // A new window may reuse the slot; the old handle stays stale.
  HWND again = Top();
  EXPECT_NE(again, top);
  EXPECT_FALSE(IsWindow(top));
}

TEST_F(WindowTest, MessagesPostedToAWindowThatDiesAreDropped) {
  HWND top = Top();
  MessageLog log(top, {WM_USER});
  PostMessage(top, WM_USER, 1, 0);
  DestroyWindow(top);
  HWND other = Top();
  EXPECT_EQ(platform::testing::PumpUntilIdle(), 0);
  EXPECT_EQ(log.Count(WM_USER), 0);
  (void)other;
}

TEST_F(WindowTest, TreeOwnerAndGeometry) {
  HWND top = Top("main", WS_OVERLAPPED | WS_CAPTION | WS_BORDER);
  HWND owned = CreateWindowEx(0, "TestPlain", "owned", WS_POPUP, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "TestPlain", "c", WS_CHILD | WS_VISIBLE, 5, 6, 40, 30, top,
                              reinterpret_cast<HMENU>(7), nullptr, nullptr);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
  EXPECT_EQ(GetParent(owned), top);  // a pop-up's parent is its owner
  EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
  EXPECT_EQ(GetDlgItem(top, 7), child);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  RECT wr{};
  RECT cr{};
  GetWindowRect(top, &wr);
  GetClientRect(top, &cr);
  EXPECT_EQ(wr.left, 10);
  EXPECT_EQ(wr.top, 20);
  EXPECT_EQ(cr.right, 300 - 2 * 3);        // a captioned window has the dialog frame
  EXPECT_EQ(cr.bottom, 200 - 2 * 3 - 19);  // and the caption
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 10 + 3 + 5);
  EXPECT_EQ(p.y, 20 + 3 + 19 + 6);
  POINT q{0, 0};
  MapWindowPoints(child, top, &q, 1);
  EXPECT_EQ(q.x, 5);
  EXPECT_EQ(q.y, 6);
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(owned));  // owned windows go with their owner
}

TEST_F(WindowTest, SetWindowPosSendsMoveAndSizeOnlyForWhatChanged) {
  HWND top = Top("t", WS_POPUP);
  MessageLog log(top, {WM_MOVE, WM_SIZE});
  SetWindowPos(top, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_MOVE}));
  log.Clear();
  MoveWindow(top, 50, 60, 120, 80, TRUE);
  ASSERT_EQ(log.Messages(), (std::vector<UINT>{WM_SIZE}));
  EXPECT_EQ(log.Entries()[0].lparam, MAKELPARAM(120, 80));
}

LRESULT MinSizeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_GETMINMAXINFO) {
    reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = POINT{200, 150};
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

TEST_F(WindowTest, ResizingKeepsToTheMinimumTrackingSize) {
  HWND top = Top("t", WS_OVERLAPPEDWINDOW);
  SetWindowLongPtr(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MinSizeProc));
  MoveWindow(top, 0, 0, 50, 400, FALSE);
  RECT r{};
  GetWindowRect(top, &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 400);
}

// Steps are window-menu commands (SC_*, sent as WM_SYSCOMMAND) or ShowWindow commands; the window starts shown
// at (10, 20, 310, 220) on a work area that leaves out a panel at the top.
struct StateCase {
  const char* name;
  std::vector<WPARAM> steps;
  bool iconic;
  bool zoomed;
  RECT rect;
  int minimized_events;  // how often the display was told to iconify
  int shown_events;      // how often it was told to show (the first show included)
};

class WindowStateTest : public WindowTest, public ::testing::WithParamInterface<StateCase> {
 protected:
  void TearDown() override { platform::win::SetWorkArea(RECT{0, 0, 0, 0}); }
};

constexpr RECT kNormal{10, 20, 310, 220};
constexpr RECT kWork{0, 24, 1280, 1000};

TEST_P(WindowStateTest, MinimizeMaximizeRestoreKeepTheNormalPlace) {
  const StateCase& c = GetParam();
  platform::win::SetWorkArea(kWork);
  int minimized = 0, shown = 0;
  const int hook = platform::win::AddWindowEventHook([&](platform::win::WindowEvent e, HWND, const RECT&) {
    if (e == platform::win::WindowEvent::kMinimized) ++minimized;
    if (e == platform::win::WindowEvent::kShown) ++shown;
  });
  HWND top = Top();
  ShowWindow(top, SW_SHOW);
  for (WPARAM step : c.steps) {
    if (step >= 0xF000) SendMessage(top, WM_SYSCOMMAND, step, 0);
    else ShowWindow(top, static_cast<int>(step));
  }
  platform::win::RemoveWindowEventHook(hook);
  RECT r{};
  GetWindowRect(top, &r);
  EXPECT_EQ(IsIconic(top) != FALSE, c.iconic);
  EXPECT_EQ(IsZoomed(top) != FALSE, c.zoomed);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}));
  EXPECT_EQ(minimized, c.minimized_events);
  EXPECT_EQ(shown, c.shown_events);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WindowStateTest,
    ::testing::Values(StateCase{"Maximize", {SC_MAXIMIZE}, false, true, kWork, 0, 1},
                      StateCase{"MaximizeRestore", {SC_MAXIMIZE, SC_RESTORE}, false, false, kNormal, 0, 1},
                      StateCase{"Minimize", {SC_MINIMIZE}, true, false, kNormal, 1, 1},
                      StateCase{"MinimizeRestore", {SC_MINIMIZE, SC_RESTORE}, false, false, kNormal, 1, 2},
                      StateCase{"ShowKeepsMinimized", {SC_MINIMIZE, SW_SHOW}, true, false, kNormal, 1, 1},
                      StateCase{"MaxMinRestoreIsMaximized", {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE}, false, true, kWork, 1, 2},
                      StateCase{"MaxMinRestoreRestore", {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_RESTORE}, false, false,
                                kNormal, 1, 2},
                      StateCase{"MinShowNormal", {SC_MINIMIZE, SW_SHOWNORMAL}, false, false, kNormal, 1, 2}),
    [](const ::testing::TestParamInfo<StateCase>& i) { return i.param.name; });

TEST_F(WindowTest, TextAndWindowData) {
  HWND top = Top("caption");
  char small[4];
  EXPECT_EQ(GetWindowText(top, small, sizeof small), 3);
  EXPECT_STREQ(small, "cap");  // bounded by the buffer, always terminated
  EXPECT_EQ(GetWindowTextLength(top), 7);
  SetWindowLongPtr(top, 8, 0x1234);
  EXPECT_EQ(GetWindowLongPtr(top, 8), 0x1234);
  EXPECT_EQ(GetWindowLongPtr(top, 16), 0);  // beyond the extra bytes: nothing
  SetWindowLongPtr(top, GWLP_USERDATA, 99);
  EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 99);
}

TEST_F(WindowTest, PaintComesFromTheUpdateRectangleOnceUntilValidated) {
  HWND top = Top("t", WS_POPUP | WS_VISIBLE);
  platform::testing::PumpUntilIdle();
  MessageLog log(top, {WM_PAINT});
  RECT a{0, 0, 10, 10};
  RECT b{20, 20, 30, 30};
  InvalidateRect(top, &a, FALSE);
  InvalidateRect(top, &b, FALSE);
  platform::testing::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_PAINT), 1);
  ShowWindow(top, SW_HIDE);
  InvalidateRect(top, nullptr, TRUE);
  platform::testing::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_PAINT), 1);  // hidden windows are not painted
}

}  // namespace
