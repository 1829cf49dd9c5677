#include <gtest/gtest.h>

#include <array>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::MessageLog;

constexpr MenuTemplateItem kMenu[] = {
    {0, MF_POPUP, 0, "&File"},
    {1, MF_STRING, 2000, "&Open"},
    {1, MF_POPUP, 0, "&Recent"},
    {2, MF_STRING, 2015, "&1 a.zpr"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, 2003, "E&xit"},
    {0, MF_POPUP, 0, "&Help"},
    {1, MF_STRING, 2131, "&Contents\tF1"},
};
constexpr std::array<ACCEL, 1> kAccel{{{FVIRTKEY, VK_F1, 2131}}};

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      platform::win::RegisterMenuTemplate(nullptr, MAKEINTRESOURCE(1), kMenu);
      platform::win::RegisterAcceleratorTable(nullptr, MAKEINTRESOURCE(1), kAccel);
      WNDCLASS wc{};
      wc.lpfnWndProc = Proc;
      wc.lpszClassName = "TestMenuMain";
      wc.lpszMenuName = MAKEINTRESOURCE(1);
      ASSERT_NE(RegisterClass(&wc), 0);
      registered = true;
    }
    main_ = CreateWindowEx(0, "TestMenuMain", "m", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
    drv::PumpUntilIdle();
  }
  drv::Session session_;
  HWND main_ = nullptr;
};

TEST_F(MenuTest, ClassMenuIsLoadedWithItsPopUps) {
  HMENU bar = GetMenu(main_);
  ASSERT_TRUE(bar);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(GetMenuItemID(file, 0), 2000u);
  EXPECT_EQ(GetMenuItemID(file, 1), 0xFFFFFFFFu);  // a pop-up
  char text[32];
  EXPECT_EQ(GetMenuString(bar, 2015, text, sizeof text, MF_BYCOMMAND), 8);
  EXPECT_STREQ(text, "&1 a.zpr");
  RECT client{};
  GetClientRect(main_, &client);
  EXPECT_EQ(client.bottom, 200 - 2 * 4 - 19 - 19);  // frame, caption and menu bar
}

TEST_F(MenuTest, PickingSendsTheMenuSequenceThenPostsTheCommand) {
  MessageLog log(main_, {WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_ENTERIDLE, WM_COMMAND});
  ASSERT_TRUE(drv::PickMenu(main_, 2015));
  std::vector<UINT> expected{WM_INITMENU, WM_MENUSELECT, WM_INITMENUPOPUP, WM_MENUSELECT, WM_INITMENUPOPUP,
                             WM_MENUSELECT, WM_ENTERIDLE, WM_MENUSELECT, WM_COMMAND};
  EXPECT_EQ(log.Messages(), expected) << log.Describe();
  const auto& e = log.Entries();
  EXPECT_EQ(LOWORD(e[1].wparam), 0);  // pop-up 0 by position
  EXPECT_TRUE(HIWORD(e[1].wparam) & MF_POPUP);
  EXPECT_EQ(LOWORD(e[5].wparam), 2015);
  EXPECT_EQ(e[6].wparam, static_cast<WPARAM>(MSGF_MENU));
  EXPECT_EQ(e[7].wparam, MAKEWPARAM(0, 0xFFFF));  // closed
  EXPECT_EQ(e[7].lparam, 0);
  EXPECT_EQ(e[8].wparam, MAKEWPARAM(2015, 0));
}

TEST_F(MenuTest, GreyedItemsAndPopUpsAreNotPicked) {
  HMENU bar = GetMenu(main_);
  EXPECT_EQ(EnableMenuItem(bar, 2000, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
  EXPECT_EQ(GetMenuState(bar, 2000, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  MessageLog log(main_, {WM_COMMAND});
  EXPECT_FALSE(drv::PickMenu(main_, 2000));
  EnableMenuItem(bar, 1, MF_BYPOSITION | MF_GRAYED);
  EXPECT_FALSE(drv::PickMenu(main_, 2131));
  EXPECT_EQ(log.Count(WM_COMMAND), 0);
  EXPECT_FALSE(drv::PickMenu(main_, 4711));
}

TEST_F(MenuTest, ChangingItems) {
  HMENU bar = GetMenu(main_);
  EXPECT_EQ(CheckMenuItem(bar, 2003, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_TRUE(GetMenuState(bar, 2003, MF_BYCOMMAND) & MF_CHECKED);
  drv::MenuItemState state = drv::MenuState(main_, 2003);
  EXPECT_TRUE(state.checked);
  EXPECT_FALSE(state.grayed);
  EXPECT_EQ(state.text, "E&xit");
  EXPECT_TRUE(ModifyMenu(bar, 2000, MF_BYCOMMAND | MF_STRING, 2000, "&Open..."));
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_TRUE(InsertMenu(file, 2003, MF_BYCOMMAND | MF_STRING, 2019, "Before exit"));
  EXPECT_EQ(GetMenuItemID(file, 3), 2019u);
  EXPECT_TRUE(DeleteMenu(bar, 2015, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(bar, 2015, MF_BYCOMMAND), 0xFFFFFFFFu);
  EXPECT_EQ(EnableMenuItem(bar, 2015, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(MenuTest, AcceleratorTurnsF1IntoItsCommand) {
  HACCEL accel = LoadAccelerators(nullptr, MAKEINTRESOURCE(1));
  ASSERT_TRUE(accel);
  MessageLog log(main_, {WM_COMMAND});
  MSG key{main_, WM_KEYDOWN, VK_F1, 1, 0, {0, 0}};
  EXPECT_TRUE(TranslateAccelerator(main_, accel, &key));
  MSG other{main_, WM_KEYDOWN, VK_F2, 1, 0, {0, 0}};
  EXPECT_FALSE(TranslateAccelerator(main_, accel, &other));
  ASSERT_EQ(log.Count(WM_COMMAND), 1);
  EXPECT_EQ(log.Entries()[0].wparam, MAKEWPARAM(2131, 1));
}

TEST_F(MenuTest, PopupMenuAnswersThroughTheResponder) {
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, 10, "a");
  AppendMenu(popup, MF_STRING | MF_GRAYED, 11, "b");
  platform::win::SetPopupMenuResponder([](HMENU, HWND) { return 10u; });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, main_, nullptr), 10);
  platform::win::SetPopupMenuResponder([](HMENU, HWND) { return 11u; });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, main_, nullptr), 0);  // greyed
  DestroyMenu(popup);
  EXPECT_FALSE(IsMenu(popup));
}

}  // namespace
