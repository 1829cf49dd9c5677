// The one-include header compiles on its own and keeps the numbers the application relies on.
#include "platform/win/win.h"

#include <gtest/gtest.h>

namespace {

TEST(WinNumbers, NotificationAndAnswerCodesKeepTheirValues) {
  EXPECT_EQ(BN_CLICKED, 0);
  EXPECT_EQ(CBN_SELCHANGE, 1);
  EXPECT_EQ(CBN_SETFOCUS, 3);
  EXPECT_EQ(CBN_KILLFOCUS, 4);
  EXPECT_EQ(CBN_EDITCHANGE, 5);
  EXPECT_EQ(EN_SETFOCUS, 256);
  EXPECT_EQ(EN_KILLFOCUS, 512);
  EXPECT_EQ(EN_CHANGE, 768);
  EXPECT_EQ(IDOK, 1);
  EXPECT_EQ(IDCANCEL, 2);
  EXPECT_EQ(IDYES, 6);
  EXPECT_EQ(IDNO, 7);
  EXPECT_EQ(MSGF_DIALOGBOX, 0u);
  EXPECT_EQ(MSGF_MENU, 2u);
  EXPECT_EQ(WM_USER, 0x400u);
  EXPECT_EQ(WM_APP, 0x8000u);
  EXPECT_EQ(SB_SETTEXT, WM_USER + 1);
}

}  // namespace
