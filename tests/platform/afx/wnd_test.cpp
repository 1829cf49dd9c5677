#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/handle_map.h"
#include "platform/afx/wnd.h"
#include "platform/testing/driver.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

// Every handler writes one line; a test compares the lines with its expected table.
std::vector<std::string> g_calls;
void Note(std::string line) { g_calls.push_back(std::move(line)); }

LRESULT ForeignProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP + 3) Note("foreign app+3");
  return DefWindowProc(h, m, w, l);
}

// A class that others derive from publishes its map as kMessageMap, for theirs to name as base.
class BaseWnd : public afx::CWnd {
 public:
  int post_nc_destroy = 0;
  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }
  void OnSize(UINT type, int cx, int cy) { Note("base size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy)); }
  void OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hWnd, &ps);
    EndPaint(m_hWnd, &ps);
    Note("base paint");
  }
  void PostNcDestroy() override { ++post_nc_destroy; }

 private:
  static const afx::MessageMapEntry kEntries[2];
};

const afx::MessageMapEntry BaseWnd::kEntries[2] = {
    afx::OnSize<&BaseWnd::OnSize>(),
    afx::OnPaint<&BaseWnd::OnPaint>(),
};
const afx::MessageMap BaseWnd::kMessageMap{&afx::CWnd::kMessageMap, kEntries};

class ScopeLikeWnd : public BaseWnd {
 public:
  BOOL consume_keys = FALSE;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) Note("pretranslate keydown " + std::to_string(msg->wParam));
    return msg->message == WM_KEYDOWN ? consume_keys : FALSE;
  }

 protected:
  const afx::MessageMap* GetMessageMap() const override;
  int OnCreate(CREATESTRUCT* cs) {
    Note(std::string("create ") + cs->lpszName);
    return 0;
  }
  void OnSize(UINT, int cx, int cy) { Note("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
  void OnGetMinMaxInfo(MINMAXINFO* mmi) {
    mmi->ptMinTrackSize = POINT{150, 120};
    Note("minmax");
  }
  void OnSysCommand(UINT command, LPARAM) {
    Note("syscommand " + std::to_string(command));
    Default();
  }
  void OnDestroy() { Note("destroy"); }
  void OnLButtonDown(UINT flags, POINT p) {
    Note("lbuttondown " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
  }
  void OnRButtonUp(UINT, POINT p) { Note("rbuttonup " + std::to_string(p.x) + "," + std::to_string(p.y)); }
  void OnMouseMove(UINT, POINT p) { Note("mousemove " + std::to_string(p.x) + "," + std::to_string(p.y)); }
  void OnKeyDown(UINT vk, UINT repeat, UINT) { Note("keydown " + std::to_string(vk) + " " + std::to_string(repeat)); }
  LRESULT OnChannel(WPARAM w, LPARAM) {
    Note("app+3 " + std::to_string(w));
    return 33;
  }
  void OnMode(UINT id) { Note("mode " + std::to_string(id)); }
  void OnColour() { Note("colour button"); }
  void OnEditChange(UINT id) { Note("edit change " + std::to_string(id)); }
  void OnToolTipText(UINT id, NMHDR* header, LRESULT* result) {
    Note("tooltip " + std::to_string(id));
    reinterpret_cast<NMTTDISPINFO*>(header)->lpszText = const_cast<char*>("tip");
    *result = 5;
  }
};

const afx::MessageMap* ScopeLikeWnd::GetMessageMap() const {
  static constexpr afx::MessageMapEntry kEntries[] = {
      afx::OnCreate<&ScopeLikeWnd::OnCreate>(),
      afx::OnSize<&ScopeLikeWnd::OnSize>(),
      afx::OnGetMinMaxInfo<&ScopeLikeWnd::OnGetMinMaxInfo>(),
      afx::OnSysCommand<&ScopeLikeWnd::OnSysCommand>(),
      afx::OnDestroy<&ScopeLikeWnd::OnDestroy>(),
      afx::OnLButtonDown<&ScopeLikeWnd::OnLButtonDown>(),
      afx::OnRButtonUp<&ScopeLikeWnd::OnRButtonUp>(),
      afx::OnMouseMove<&ScopeLikeWnd::OnMouseMove>(),
      afx::OnKeyDown<&ScopeLikeWnd::OnKeyDown>(),
      afx::OnMessage<WM_APP + 3, &ScopeLikeWnd::OnChannel>(),
      afx::OnCommandRange<32781, 32802, &ScopeLikeWnd::OnMode>(),
      afx::OnButtonClicked<1002, &ScopeLikeWnd::OnColour>(),
      afx::OnControlRange<EN_CHANGE, 1400, 1410, &ScopeLikeWnd::OnEditChange>(),
      afx::OnNotify<TTN_GETDISPINFO, &ScopeLikeWnd::OnToolTipText>(),
  };
  static constexpr afx::MessageMap kMap{&BaseWnd::kMessageMap, kEntries};
  return &kMap;
}

class AfxWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("AfxPlain", DefWindowProc));
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("AfxForeign", ForeignProc));
  }
  void TearDown() override { EXPECT_EQ(afx::BoundWindowCount(), 0u); }
  HWND Foreign() {
    return CreateWindowEx(0, "AfxForeign", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                          nullptr);
  }
  platform::testing::Session session_;
};

TEST_F(AfxWndTest, CreatedWindowGetsItsMessagesThroughTheMapFromTheFirstOn) {
  ScopeLikeWnd w;
  ASSERT_TRUE(w.CreateEx(0, "AfxPlain", "scope", WS_POPUP, RECT{10, 10, 310, 210}, nullptr, 0));
  // The object is bound before WM_GETMINMAXINFO, the very first message of a top-level window.
  const std::vector<std::string> kCreation = {"minmax", "create scope", "size 300x200"};
  EXPECT_EQ(g_calls, kCreation);
  EXPECT_EQ(afx::CWnd::FromHandlePermanent(w.m_hWnd), &w);
  EXPECT_EQ(afx::CWnd::FromHandle(w.m_hWnd), &w);
}

TEST_F(AfxWndTest, MessageMapRoutesMessagesNotificationsAndCommandRanges) {
  ScopeLikeWnd w;
  ASSERT_TRUE(w.CreateEx(0, "AfxPlain", "scope", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
  NMTTDISPINFO tip{};
  tip.hdr = NMHDR{nullptr, 1049, TTN_GETDISPINFO};
  NMHDR other{nullptr, 1049, TVN_SELCHANGED};
  struct Case {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
    std::vector<std::string> calls;
  };
  const Case kCases[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKEPOINTLPARAM(3, -4), 0, {"lbuttondown 9 3,-4"}},
      {WM_RBUTTONUP, 0, MAKEPOINTLPARAM(20, 30), 0, {"rbuttonup 20,30"}},
      {WM_MOUSEMOVE, 0, MAKEPOINTLPARAM(7, 8), 0, {"mousemove 7,8"}},
      {WM_KEYDOWN, VK_UP, 1, 0, {"keydown 38 1"}},
      {WM_APP + 3, 4, 0, 33, {"app+3 4"}},
      {WM_APP + 4, 0, 0, 0, {}},  // no row: the default processing answers
      {WM_COMMAND, MAKEWPARAM(32781, 0), 0, 0, {"mode 32781"}},
      {WM_COMMAND, MAKEWPARAM(32802, 0), 0, 0, {"mode 32802"}},
      {WM_COMMAND, MAKEWPARAM(32803, 0), 0, 0, {}},
      {WM_COMMAND, MAKEWPARAM(32790, 1), 0, 0, {}},  // another notification code than the row's
      {WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0, 0, {"colour button"}},
      {WM_COMMAND, MAKEWPARAM(1002, BN_DOUBLECLICKED), 0, 0, {}},
      {WM_COMMAND, MAKEWPARAM(1405, EN_CHANGE), 0, 0, {"edit change 1405"}},
      {WM_COMMAND, MAKEWPARAM(1411, EN_CHANGE), 0, 0, {}},
      {WM_NOTIFY, 1049, reinterpret_cast<LPARAM>(&tip), 5, {"tooltip 1049"}},
      {WM_NOTIFY, 1049, reinterpret_cast<LPARAM>(&other), 0, {}},
  };
  for (const Case& c : kCases) {
    g_calls.clear();
    EXPECT_EQ(w.SendMessage(c.message, c.wparam, c.lparam), c.result) << c.message;
    EXPECT_EQ(g_calls, c.calls) << "message " << c.message << " wparam " << c.wparam;
  }
  EXPECT_STREQ(tip.lpszText, "tip");
  // Unmapped messages reach the window's own procedure: the text is kept.
  w.SetWindowText("renamed");
  EXPECT_EQ(w.GetWindowText(), "renamed");
}

TEST_F(AfxWndTest, DerivedRowsWinAndUnmatchedMessagesFallToTheBaseMap) {
  ScopeLikeWnd w;
  ASSERT_TRUE(w.CreateEx(0, "AfxPlain", "scope", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr, 0));
  platform::testing::PumpUntilIdle();
  g_calls.clear();
  w.MoveWindow(0, 0, 200, 160);
  w.Invalidate();
  platform::testing::PumpUntilIdle();
  RECT client;
  w.GetClientRect(&client);
  const std::vector<std::string> kExpected = {
      "minmax", "size " + std::to_string(client.right) + "x" + std::to_string(client.bottom), "base paint"};
  EXPECT_EQ(g_calls, kExpected);
  // The minimum tracking size the handler gave holds.
  w.MoveWindow(0, 0, 50, 50);
  RECT r;
  w.GetWindowRect(&r);
  EXPECT_EQ(RectWidth(r), 150);
  EXPECT_EQ(RectHeight(r), 120);
}

TEST_F(AfxWndTest, DefaultRunsTheWindowsOwnProcessingOfTheCurrentMessage) {
  ScopeLikeWnd w;
  ASSERT_TRUE(w.CreateEx(0, "AfxPlain", "scope", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
  HWND hwnd = w.m_hWnd;
  g_calls.clear();
  w.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  const std::vector<std::string> kExpected = {"syscommand 61536", "destroy"};
  EXPECT_EQ(g_calls, kExpected);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(w.m_hWnd, nullptr);
  EXPECT_EQ(w.post_nc_destroy, 1);
  EXPECT_EQ(afx::CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(AfxWndTest, AttachWrapsAForeignHandleWithoutTakingItsMessages) {
  HWND host = Foreign();
  {
    ScopeLikeWnd w;
    ASSERT_TRUE(w.Attach(host));
    EXPECT_EQ(afx::CWnd::FromHandle(host), &w);
    ScopeLikeWnd second;
    EXPECT_FALSE(second.Attach(host));  // bound to another object already
    EXPECT_FALSE(w.Attach(host));       // holds a handle already
    SendMessage(host, WM_APP + 3, 1, 0);
    const std::vector<std::string> kForeignOnly = {"foreign app+3"};
    EXPECT_EQ(g_calls, kForeignOnly);
    EXPECT_EQ(w.Detach(), host);
    EXPECT_EQ(afx::CWnd::FromHandlePermanent(host), nullptr);
    ASSERT_TRUE(w.Attach(host));
  }  // an attached foreign window outlives the object
  EXPECT_TRUE(IsWindow(host));
  EXPECT_EQ(afx::CWnd::FromHandlePermanent(host), nullptr);
  EXPECT_FALSE(afx::CWnd().Attach(nullptr));
  DestroyWindow(host);
}

TEST_F(AfxWndTest, SubclassedWindowRoutesThroughTheObjectUntilItIsLetGo) {
  HWND host = Foreign();
  ScopeLikeWnd w;
  ASSERT_TRUE(w.SubclassWindow(host));
  SendMessage(host, WM_APP + 3, 2, 0);
  const std::vector<std::string> kObjectFirst = {"app+3 2"};
  EXPECT_EQ(g_calls, kObjectFirst);
  g_calls.clear();
  SendMessage(host, WM_APP + 4, 0, 0);  // unmapped: the window's own procedure gets it
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(w.UnsubclassWindow(), host);
  SendMessage(host, WM_APP + 3, 2, 0);
  const std::vector<std::string> kForeignAgain = {"foreign app+3"};
  EXPECT_EQ(g_calls, kForeignAgain);
  DestroyWindow(host);
}

TEST_F(AfxWndTest, DeletingTheObjectDestroysItsWindowWithoutCallingItsHandlers) {
  HWND hwnd;
  {
    auto w = std::make_unique<afx::CWnd>();
    ASSERT_TRUE(w->CreateEx(0, "AfxPlain", "plain", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    hwnd = w->m_hWnd;
    HWND child = nullptr;
    ScopeLikeWnd child_object;
    ASSERT_TRUE(child_object.Create("AfxPlain", "child", WS_VISIBLE, RECT{0, 0, 10, 10}, w.get(), 100));
    child = child_object.m_hWnd;
    EXPECT_EQ(GetDlgCtrlID(child), 100);
    EXPECT_EQ(w->GetDlgItem(100), &child_object);
    g_calls.clear();
    w.reset();
    EXPECT_FALSE(IsWindow(child));
    // The child's object was still bound: it saw its own destruction.
    const std::vector<std::string> kChildOnly = {"destroy"};
    EXPECT_EQ(g_calls, kChildOnly);
    EXPECT_EQ(child_object.m_hWnd, nullptr);
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(AfxWndTest, TemporaryObjectsServeUnboundHandlesAndGoWithTheirWindow) {
  HWND host = Foreign();
  afx::CWnd* temp = afx::CWnd::FromHandle(host);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, host);
  EXPECT_EQ(afx::CWnd::FromHandle(host), temp);
  EXPECT_EQ(afx::CWnd::FromHandlePermanent(host), nullptr);
  EXPECT_EQ(temp->GetWindowText(), "host");
  EXPECT_EQ(afx::CWnd::FromHandle(nullptr), nullptr);
  DestroyWindow(host);
  EXPECT_EQ(afx::BoundWindowCount(), 0u);
}

TEST_F(AfxWndTest, PreTranslateMessageRunsFromTheTargetUpToItsTopLevelWindow) {
  ScopeLikeWnd top;
  ASSERT_TRUE(top.CreateEx(0, "AfxPlain", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr, 0));
  ScopeLikeWnd child;
  ASSERT_TRUE(child.Create("AfxPlain", "child", WS_VISIBLE, RECT{0, 0, 50, 50}, &top, 100));
  platform::testing::PumpUntilIdle();
  g_calls.clear();
  PostMessage(child.m_hWnd, WM_KEYDOWN, 'A', 1);
  platform::testing::PumpUntilIdle();
  const std::vector<std::string> kPassed = {"pretranslate keydown 65", "pretranslate keydown 65", "keydown 65 1"};
  EXPECT_EQ(g_calls, kPassed);
  g_calls.clear();
  top.consume_keys = TRUE;
  PostMessage(child.m_hWnd, WM_KEYDOWN, 'B', 1);
  platform::testing::PumpUntilIdle();
  const std::vector<std::string> kConsumed = {"pretranslate keydown 66", "pretranslate keydown 66"};
  EXPECT_EQ(g_calls, kConsumed);
}

TEST_F(AfxWndTest, FailedCreationLeavesNothingBound) {
  ScopeLikeWnd w;
  EXPECT_FALSE(w.CreateEx(0, "NoSuchClass", "x", WS_OVERLAPPEDWINDOW, RECT{0, 0, 10, 10}, nullptr, 0));
  EXPECT_EQ(w.m_hWnd, nullptr);

  class Refusing : public afx::CWnd {
   protected:
    const afx::MessageMap* GetMessageMap() const override {
      static constexpr afx::MessageMapEntry kEntries[] = {afx::OnCreate<&Refusing::OnCreate>()};
      static constexpr afx::MessageMap kMap{&afx::CWnd::kMessageMap, kEntries};
      return &kMap;
    }
    int OnCreate(CREATESTRUCT*) { return -1; }
  } refusing;
  EXPECT_FALSE(refusing.CreateEx(0, "AfxPlain", "x", WS_OVERLAPPEDWINDOW, RECT{0, 0, 10, 10}, nullptr, 0));
  EXPECT_EQ(refusing.m_hWnd, nullptr);
  // The hook is gone: a later plain window is bound to nothing.
  HWND plain = CreateWindowEx(0, "AfxPlain", "p", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(afx::CWnd::FromHandlePermanent(plain), nullptr);
  DestroyWindow(plain);
}

}  // namespace
