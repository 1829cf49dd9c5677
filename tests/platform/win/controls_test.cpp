#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::Command;
using platform::testing::MessageLog;

constexpr int kEdit = 10;
constexpr int kList = 11;
constexpr int kMulti = 12;
constexpr int kDrop = 13;
constexpr int kBar = 14;

constexpr DialogItemTemplate kItems[] = {
    {kEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 80, 12},
    {kList, WC_LISTBOX, "", LBS_NOTIFY | WS_BORDER | WS_TABSTOP, 5, 20, 80, 40},
    {kMulti, WC_LISTBOX, "", LBS_NOTIFY | LBS_MULTIPLESEL | WS_BORDER | WS_TABSTOP, 90, 20, 80, 40},
    {kDrop, WC_COMBOBOX, "", CBS_DROPDOWN | WS_TABSTOP, 5, 65, 80, 60},
    {kBar, WC_SCROLLBAR, "", SBS_HORZ, 5, 90, 100, 10},
};
constexpr DialogTemplate kPage{WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, "", kItems};

// A modeless page whose commands the tests read back.
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = CreateDialogIndirectParam(nullptr, &kPage, nullptr, Proc, 0);
    ASSERT_TRUE(page_);
    drv::AddModelessDialog(page_);
    drv::PumpUntilIdle();
    log_ = std::make_unique<MessageLog>(page_, std::initializer_list<UINT>{WM_COMMAND, WM_HSCROLL});
  }
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
  HWND Item(int id) { return GetDlgItem(page_, id); }
  std::vector<Command> Commands() { return log_->Commands(); }
  int CountOf(Command c) {
    auto all = log_->Commands();
    return static_cast<int>(std::count(all.begin(), all.end(), c));
  }
  drv::Session session_;
  HWND page_ = nullptr;
  std::unique_ptr<MessageLog> log_;
};

TEST_F(ControlsTest, EditLimitSelectionAndReplace) {
  HWND edit = Item(kEdit);
  SendMessage(edit, EM_LIMITTEXT, 4, 0);
  drv::Type(edit, "123456");
  EXPECT_EQ(drv::Text(edit), "1234");
  EXPECT_EQ(CountOf(Command{kEdit, EN_MAXTEXT}), 2);
  SendMessage(edit, EM_SETSEL, 1, 3);
  DWORD a = 0;
  DWORD b = 0;
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  EXPECT_EQ(a, 1u);
  EXPECT_EQ(b, 3u);
  drv::Type(edit, "x");
  EXPECT_EQ(drv::Text(edit), "1x4");
  SendMessage(edit, EM_SETSEL, 0, -1);
  drv::PressKey(VK_DELETE);
  EXPECT_EQ(drv::Text(edit), "");
  EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  SetWindowText(edit, "program");  // the program's own text clears the mark but still notifies
  EXPECT_FALSE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(Commands().back(), (Command{kEdit, EN_CHANGE}));
}

TEST_F(ControlsTest, ReadOnlyEditRefusesTyping) {
  HWND edit = Item(kEdit);
  SetWindowText(edit, "fixed");
  SendMessage(edit, EM_SETREADONLY, TRUE, 0);
  log_->Clear();
  drv::Type(edit, "zz");
  EXPECT_EQ(drv::Text(edit), "fixed");
  EXPECT_EQ(CountOf(Command{kEdit, EN_CHANGE}), 0);
}

TEST_F(ControlsTest, ListBoxSingleSelection) {
  HWND list = Item(kList);
  for (const char* s : {"alpha", "beta", "gamma"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(CountOf(Command{kList, LBN_SELCHANGE}), 0);
  drv::SelectItem(list, 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(CountOf(Command{kList, LBN_SELCHANGE}), 1);
  drv::PressKey(VK_UP);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("GA")), 2);
  char text[16];
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "alpha");
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(text)), LB_ERR);
}

TEST_F(ControlsTest, ListBoxMultipleSelectionTogglesRows) {
  HWND list = Item(kMulti);
  for (const char* s : {"a", "b", "c", "d"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  drv::SelectItem(list, 1);
  drv::SelectItem(list, 3);
  drv::SelectItem(list, 1);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 1);
  int rows[4] = {};
  EXPECT_EQ(SendMessage(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(rows)), 1);
  EXPECT_EQ(rows[0], 3);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 0, 0), LB_ERR);
  SendMessage(list, LB_SETSEL, TRUE, -1);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 4);
}

TEST_F(ControlsTest, DropDownComboWithEditNotifiesLikeTheOriginal) {
  HWND combo = Item(kDrop);
  for (const char* s : {"one", "two", "three"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(drv::Text(combo), "two");
  EXPECT_TRUE(Commands().empty());  // neither CBN_SELCHANGE nor CBN_EDITCHANGE for the program's own choice
  drv::SelectItem(combo, 2);
  EXPECT_EQ(drv::Text(combo), "three");
  std::vector<Command> expected{{kEdit, EN_KILLFOCUS}, {kDrop, CBN_SETFOCUS}, {kDrop, CBN_DROPDOWN}, {kDrop, CBN_SELCHANGE},
                                {kDrop, CBN_SELENDOK}, {kDrop, CBN_CLOSEUP}};
  EXPECT_EQ(Commands(), expected);
  log_->Clear();
  drv::Type(GetDlgItem(combo, kComboEditId), "x");
  EXPECT_EQ(Commands(), (std::vector<Command>{{kDrop, CBN_EDITUPDATE}, {kDrop, CBN_EDITCHANGE}}));
  log_->Clear();
  SetFocus(Item(kEdit));
  EXPECT_EQ(Commands(), (std::vector<Command>{{kDrop, CBN_KILLFOCUS}, {kEdit, EN_SETFOCUS}}));
  // The focus given to the box itself (by the program or the Tab key) passes to its edit, notified as one.
  log_->Clear();
  SetFocus(combo);
  EXPECT_EQ(GetFocus(), GetDlgItem(combo, kComboEditId));
  SetFocus(Item(kEdit));
  EXPECT_EQ(Commands(), (std::vector<Command>{{kEdit, EN_KILLFOCUS}, {kDrop, CBN_SETFOCUS}, {kDrop, CBN_KILLFOCUS},
                                              {kEdit, EN_SETFOCUS}}));
}

TEST_F(ControlsTest, ScrollBarArrowsReportToTheParent) {
  HWND bar = Item(kBar);
  SetScrollRange(bar, SB_CTL, 0, 10, FALSE);
  SetScrollPos(bar, SB_CTL, 20, FALSE);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 10);  // clamped to the range
  RECT r{};
  GetClientRect(bar, &r);
  drv::ClickAt(bar, 2, r.bottom / 2);
  ASSERT_EQ(log_->Count(WM_HSCROLL), 2);
  EXPECT_EQ(LOWORD(log_->Entries()[0].wparam), SB_LINEUP);
  EXPECT_EQ(LOWORD(log_->Entries()[1].wparam), SB_ENDSCROLL);
}

TEST_F(ControlsTest, DisabledControlTakesNoClickAndNoFocus) {
  HWND edit = Item(kEdit);
  EnableWindow(edit, FALSE);
  drv::Click(edit);
  EXPECT_NE(GetFocus(), edit);
  EXPECT_EQ(SetFocus(edit), nullptr);
  EXPECT_NE(GetFocus(), edit);
}

}  // namespace
