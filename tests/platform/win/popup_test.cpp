// Pop-up windows, the combo box's drop-down list on one, WM_SETCURSOR and the class data of Get/SetClassLongPtr.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/popup.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::Command;
using platform::testing::MessageLog;

LRESULT Plain(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

constexpr int kCombo = 20;
constexpr int kEdit = 21;
constexpr DialogItemTemplate kItems[] = {
    {kEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 80, 12},
    {kCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 5, 25, 80, 50},
};
constexpr DialogTemplate kPage{WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 200, 120, "Popups", kItems};

class PopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("PopupTestPlain", Plain));
    page_ = CreateDialogIndirectParam(nullptr, &kPage, nullptr, Proc, 0);
    ASSERT_TRUE(page_);
    drv::AddModelessDialog(page_);
    drv::PumpUntilIdle();
    log_ = std::make_unique<MessageLog>(page_, std::initializer_list<UINT>{WM_COMMAND});
  }
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
  HWND Item(int id) { return GetDlgItem(page_, id); }
  HWND Combo(int rows) {
    HWND combo = Item(kCombo);
    static const char* const kNames[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"};
    for (int i = 0; i < rows; ++i) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNames[i]));
    return combo;
  }
  static HWND ListOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
  }
  drv::Session session_;
  HWND page_ = nullptr;
  std::unique_ptr<MessageLog> log_;
};

TEST_F(PopupTest, APopupShowsOnTopWithoutTakingActivationOrFocus) {
  SetFocus(Item(kEdit));
  const RECT at{40, 50, 140, 90};
  HWND popup = platform::win::CreatePopupWindow("PopupTestPlain", Item(kEdit), at, WS_BORDER);
  ASSERT_TRUE(popup);
  EXPECT_TRUE(platform::win::IsPopupWindow(popup));
  EXPECT_FALSE(platform::win::IsPopupWindow(page_));
  EXPECT_EQ(GetWindow(popup, GW_OWNER), page_);
  platform::win::ShowPopupWindow(popup, at);
  drv::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_EQ(GetActiveWindow(), page_);
  EXPECT_EQ(GetFocus(), Item(kEdit));
  EXPECT_EQ(platform::win::ShownPopups(), std::vector<HWND>{popup});
  // It lies above the dialog for the mouse, and a click on it activates nothing.
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), popup);
  drv::ClickAt(popup, 5, 5);
  EXPECT_EQ(GetActiveWindow(), page_);
  EXPECT_EQ(SetActiveWindow(popup), nullptr);
  EXPECT_EQ(GetActiveWindow(), page_);
  platform::win::HidePopupWindow(popup);
  EXPECT_FALSE(IsWindowVisible(popup));
  EXPECT_TRUE(platform::win::ShownPopups().empty());
  EXPECT_NE(WindowFromPoint(POINT{60, 60}), popup);
}

TEST_F(PopupTest, PlacementStaysOnTheScreen) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    RECT anchor;
    SIZE size;
    RECT expected;
  };
  const Case cases[] = {
      {{10, 10, 110, 30}, {100, 80}, {10, 30, 110, 110}},                      // below
      {{10, h - 30, 110, h - 10}, {100, 80}, {10, h - 110, 110, h - 30}},      // above: no room below
      {{w - 50, 10, w - 10, 30}, {100, 80}, {w - 100, 30, w, 110}},            // moved left
      {{10, h - 100, 110, h - 80}, {100, 60}, {10, h - 80, 110, h - 20}},      // fits below
  };
  for (const Case& c : cases) {
    RECT r = platform::win::PlacePopup(c.anchor, c.size);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
}

TEST_F(PopupTest, TheComboListIsAPopupBelowTheFieldThatTheMouseDrives) {
  HWND combo = Combo(3);
  drv::Click(combo);
  ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  HWND list = ListOf(combo);
  ASSERT_TRUE(list);
  EXPECT_TRUE(platform::win::IsPopupWindow(list));
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetActiveWindow(), page_);
  EXPECT_EQ(GetFocus(), combo);
  RECT box{}, lr{};
  GetWindowRect(combo, &box);
  GetWindowRect(list, &lr);
  EXPECT_EQ(lr.top, box.bottom);
  EXPECT_EQ(lr.left, box.left);
  EXPECT_EQ(lr.right, box.right);
  const int h = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(lr.bottom - lr.top, 3 * h + 2);  // three rows and the border
  // Hovering highlights a row without choosing it.
  platform::win::InjectMouse(list, WM_MOUSEMOVE, 10, h + h / 2);
  drv::PumpUntilIdle();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  log_->Clear();
  drv::ClickAt(list, 10, 2 * h + h / 2);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(log_->Commands(), (std::vector<Command>{{kCombo, CBN_SELCHANGE}, {kCombo, CBN_SELENDOK}, {kCombo, CBN_CLOSEUP}}));
}

TEST_F(PopupTest, TheComboListClosesOnAClickElsewhereOnFocusLossAndOnEscape) {
  HWND combo = Combo(3);
  struct Case {
    const char* name;
    void (*close)(HWND page);
  };
  const Case cases[] = {
      {"click outside", [](HWND page) { drv::ClickAt(page, 250, 5); }},
      {"focus elsewhere", [](HWND page) { SetFocus(GetDlgItem(page, kEdit)); }},
      {"escape", [](HWND) { drv::PressKey(VK_ESCAPE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (GetFocus() != combo) SetFocus(combo);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    drv::PumpUntilIdle();
    ASSERT_TRUE(IsWindowVisible(ListOf(combo)));
    log_->Clear();
    c.close(page_);
    drv::PumpUntilIdle();
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(ListOf(combo)));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    auto commands = log_->Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), Command{kCombo, CBN_SELENDCANCEL}), commands.end());
  }
}

TEST_F(PopupTest, TheKeyboardMovesThroughALongListAndScrollsIt) {
  HWND combo = Combo(10);
  SetFocus(combo);
  drv::PressKey(VK_F4);
  HWND list = ListOf(combo);
  ASSERT_TRUE(IsWindowVisible(list));
  RECT lr{};
  GetClientRect(list, &lr);
  const int h = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const int shown = lr.bottom / h;
  ASSERT_LT(shown, 10);  // the template leaves room for fewer rows than the list holds
  drv::PressKey(VK_END);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 9);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 10 - shown);
  drv::PressKey(VK_HOME);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
  drv::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
  // The driver scrolls a row into view and clicks it.
  EXPECT_TRUE(drv::SelectItem(combo, 8));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 8);
}

TEST_F(PopupTest, TheComboListGoesWithItsBox) {
  HWND combo = Combo(2);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  HWND list = ListOf(combo);
  ASSERT_TRUE(IsWindow(list));
  DestroyWindow(combo);
  EXPECT_FALSE(IsWindow(list));
}

// ---- WM_SETCURSOR ----

HCURSOR g_parent_cursor = nullptr;
LRESULT ParentTakesCursor(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETCURSOR && g_parent_cursor) {
    SetCursor(g_parent_cursor);
    return TRUE;
  }
  return DefWindowProc(h, m, w, l);
}

TEST(SetCursor, TheParentDecidesFirstThenTheClassCursorShows) {
  drv::Session session;
  ASSERT_TRUE(drv::RegisterTestWindowClass("CursorHost", ParentTakesCursor));
  HWND top = CreateWindowEx(0, "CursorHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, top, nullptr, nullptr, nullptr);
  HWND button = CreateWindowEx(0, WC_BUTTON, "", WS_CHILD | WS_VISIBLE, 100, 10, 80, 20, top, nullptr, nullptr, nullptr);
  MessageLog log(edit, {WM_SETCURSOR});
  platform::win::InjectMouse(top, WM_MOUSEMOVE, 20, 15);
  drv::PumpUntilIdle();
  ASSERT_EQ(log.Count(WM_SETCURSOR), 1);
  EXPECT_EQ(log.Entries()[0].wparam, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(log.Entries()[0].lparam)), HTCLIENT);
  EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(log.Entries()[0].lparam)), WM_MOUSEMOVE);
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcIbeam);
  platform::win::InjectMouse(top, WM_MOUSEMOVE, 120, 15);
  drv::PumpUntilIdle();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcArrow);
  g_parent_cursor = LoadCursor(nullptr, IDC_WAIT);
  platform::win::InjectMouse(top, WM_MOUSEMOVE, 20, 15);
  drv::PumpUntilIdle();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcWait);
  g_parent_cursor = nullptr;
  // A window without a class cursor leaves the shape alone; so does a window that holds the capture.
  SetCapture(button);
  log.Clear();
  platform::win::InjectMouse(top, WM_MOUSEMOVE, 20, 15);
  drv::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_SETCURSOR), 0);
  ReleaseCapture();
}

// ---- class data ----

TEST(ClassLong, ClassDataIsSharedByTheWindowsOfTheClassAndChecked) {
  drv::Session session;
  WNDCLASS wc{};
  wc.lpfnWndProc = Plain;
  wc.cbClsExtra = 16;
  wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(6));
  wc.lpszClassName = "ClassLongTest";
  UnregisterClass("ClassLongTest", nullptr);
  ASSERT_TRUE(RegisterClass(&wc));
  HWND a = CreateWindowEx(0, "ClassLongTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND b = CreateWindowEx(0, "ClassLongTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetClassLongPtr(a, GCLP_HCURSOR), reinterpret_cast<ULONG_PTR>(wc.hCursor));
  EXPECT_EQ(GetClassLongPtr(a, GCLP_HBRBACKGROUND), 6u);
  EXPECT_EQ(GetClassLongPtr(a, GCL_CBCLSEXTRA), 16u);
  EXPECT_EQ(GetClassLongPtr(a, GCLP_WNDPROC), reinterpret_cast<ULONG_PTR>(&Plain));
  // The display control takes its class cursor away; every window of the class follows.
  EXPECT_EQ(SetClassLongPtr(a, GCLP_HCURSOR, 0), reinterpret_cast<ULONG_PTR>(wc.hCursor));
  EXPECT_EQ(GetClassLongPtr(b, GCLP_HCURSOR), 0u);
  EXPECT_EQ(SetClassLongPtr(a, 8, 0x1234), 0u);
  EXPECT_EQ(GetClassLongPtr(b, 8), 0x1234u);
  EXPECT_EQ(GetClassLong(b, 8), 0x1234u);
  // Out of range, fixed sizes and stale handles give 0 and change nothing.
  EXPECT_EQ(SetClassLongPtr(a, 12, 1), 0u);
  EXPECT_EQ(GetClassLongPtr(a, 12), 0u);
  EXPECT_EQ(SetClassLongPtr(a, GCL_CBWNDEXTRA, 99), 0u);
  EXPECT_EQ(GetClassLongPtr(a, GCL_CBWNDEXTRA), 0u);
  DestroyWindow(a);
  EXPECT_EQ(GetClassLongPtr(a, GCLP_HBRBACKGROUND), 0u);
  EXPECT_EQ(SetClassLongPtr(a, GCLP_HBRBACKGROUND, 3), 0u);
  EXPECT_EQ(GetClassLongPtr(b, GCLP_HBRBACKGROUND), 6u);
}

}  // namespace

namespace {

TEST(ToolTipPopup, TheTipShowsOnAPopupAtThePointerAndGoesWithPop) {
  drv::Session session;
  ASSERT_TRUE(drv::RegisterTestWindowClass("TipHost", Plain));
  HWND host = CreateWindowEx(0, "TipHost", "", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASS, "", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, host, nullptr, nullptr, nullptr);
  ASSERT_TRUE(platform::win::IsPopupWindow(tip));
  TOOLINFO info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = host;
  info.uId = 1;
  info.rect = RECT{0, 0, 100, 100};
  info.lpszText = const_cast<char*>("Drehzahl\nin 1/min");
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
  drv::PumpUntilIdle();
  platform::win::InjectMouse(host, WM_MOUSEMOVE, 20, 20);
  drv::Advance(600);  // past the initial delay
  EXPECT_STREQ(platform::win::ShownToolTip(tip), "Drehzahl\nin 1/min");
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(GetActiveWindow(), host);
  RECT r{};
  GetWindowRect(tip, &r);
  EXPECT_GE(r.top, 10 + 20);  // below the pointer
  EXPECT_GT(r.bottom - r.top, 2 * 10);  // two lines
  platform::win::InjectMouse(host, WM_MOUSEMOVE, 200, 150);
  drv::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(tip));
  static_assert(TTN_NEEDTEXT == static_cast<UINT>(-520), "the text callback keeps its number under both names");
  DestroyWindow(host);
}

}  // namespace
