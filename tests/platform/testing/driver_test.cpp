#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::Command;
using platform::testing::MessageLog;

constexpr DialogItemTemplate kItems[] = {
    {100, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 5, 40, 14},
};
constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION, 0, 0, 120, 30, "Page", kItems};

INT_PTR CALLBACK Page(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_COMMAND && LOWORD(w) == IDOK) {
    // A store that finds an error asks the user before it closes.
    char text[16];
    GetDlgItemText(d, 100, text, sizeof text);
    if (text[0] == '\0' && MessageBox(d, "Empty. Close anyway?", "Page", MB_YESNO) != IDYES) return TRUE;
    EndDialog(d, 1);
  }
  return FALSE;
}

TEST(Driver, AModalDialogIsAnsweredByItsScriptAndNestedBoxesByTheirAnswers) {
  drv::Session session;
  platform::win::RegisterDialogTemplate(nullptr, MAKEINTRESOURCE(9), &kDialog);
  int runs = 0;
  drv::OnDialogIdle(9, [&](HWND d) {
    ++runs;
    drv::ClickItem(d, IDOK);
  });
  drv::AnswerMessageBox(IDNO);
  drv::AnswerMessageBox(IDYES);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(9), nullptr, Page, 0), 1);
  EXPECT_EQ(runs, 2);  // the first OK was answered No and the page stayed open
  ASSERT_EQ(drv::MessageBoxes().size(), 2u);
  EXPECT_EQ(drv::MessageBoxes()[0].answer, IDNO);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST(Driver, MessageLogComparesWithAnExpectedTable) {
  drv::Session session;
  HWND d = CreateDialogIndirectParam(nullptr, &kDialog, nullptr, Page, 0);
  ASSERT_TRUE(d);
  MessageLog log(d, {WM_COMMAND});
  SetDlgItemText(d, 100, "x");
  drv::Type(GetDlgItem(d, 100), "y");
  EXPECT_EQ(log.Commands(), (std::vector<Command>{{100, EN_UPDATE}, {100, EN_CHANGE}, {100, EN_UPDATE}, {100, EN_CHANGE}}))
      << log.Describe();
  EXPECT_EQ(drv::ItemText(d, 100), "yx");  // setting the text puts the caret at its start
  MessageLog all(d, {}, true);
  drv::ClickItem(d, IDOK);
  EXPECT_GT(all.Count(WM_LBUTTONDOWN), 0);  // the subtree log sees the button's own messages
}

TEST(Driver, FindsDialogsByTemplate) {
  drv::Session session;
  platform::win::RegisterDialogTemplate(nullptr, MAKEINTRESOURCE(9), &kDialog);
  EXPECT_EQ(drv::FindDialog(9), nullptr);
  HWND d = CreateDialogParam(nullptr, MAKEINTRESOURCE(9), nullptr, Page, 0);
  EXPECT_EQ(drv::FindDialog(9), d);
  HWND inside = nullptr;
  drv::OnDialogIdle(9, [&](HWND modal) {
    inside = drv::FindDialog(9);
    EndDialog(modal, 1);
  });
  DialogBoxParam(nullptr, MAKEINTRESOURCE(9), d, Page, 0);
  EXPECT_NE(inside, nullptr);
  EXPECT_NE(inside, d);  // the newest one
}

TEST(Driver, AdvanceFiresEveryPeriodOnTheWay) {
  drv::Session session;
  HWND d = CreateDialogIndirectParam(nullptr, &kDialog, nullptr, Page, 0);
  MessageLog log(d, {WM_TIMER});
  SetTimer(d, 1, 100, nullptr);
  drv::Advance(1000);
  EXPECT_EQ(log.Count(WM_TIMER), 10);
}

TEST(Driver, SessionLeavesNothingBehind) {
  {
    drv::Session session;
    HWND d = CreateDialogIndirectParam(nullptr, &kDialog, nullptr, Page, 0);
    SetTimer(d, 1, 100, nullptr);
    SetTimer(nullptr, 0, 100, nullptr);  // a timer of no window
    drv::HoldKey(VK_F2);
  }
  EXPECT_EQ(platform::win::TimerCount(), 0);
  EXPECT_GE(GetKeyState(VK_F2), 0);
  EXPECT_EQ(FindWindow(nullptr, "Page"), nullptr);
}

}  // namespace
