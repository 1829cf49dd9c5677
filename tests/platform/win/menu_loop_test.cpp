// The menu loop as a user works it: the bar by a click, by Alt+letter, by F10 and by Alt alone; pop-ups, cascades,
// greyed items; the context menu; timers that run on while a menu is open; the non-client hit test.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/menu_paint.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::MessageLog;

constexpr MenuTemplateItem kMenu[] = {
    {0, MF_POPUP, 0, "&File"},
    {1, MF_STRING, 2000, "&Open"},
    {1, MF_POPUP, 0, "&Recent"},
    {2, MF_STRING, 2015, "&1 a.zpr"},
    {2, MF_STRING, 2016, "&2 b.zpr"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING | MF_GRAYED, 2002, "&Save"},
    {1, MF_STRING, 2003, "E&xit"},
    {0, MF_POPUP | MF_RIGHTJUSTIFY, 0, "&Help"},
    {1, MF_STRING, 2131, "&Contents\tF1"},
};

HMENU g_context = nullptr;
UINT g_context_pick = 0;
POINT g_context_at{};
int g_timer_ticks = 0;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) ++g_timer_ticks;
  if (m == WM_CONTEXTMENU && g_context) {
    g_context_at = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    g_context_pick = static_cast<UINT>(
        TrackPopupMenu(g_context, TPM_RIGHTBUTTON | TPM_RETURNCMD, g_context_at.x, g_context_at.y, 0, h, nullptr));
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class MenuLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      platform::win::RegisterMenuTemplate(nullptr, MAKEINTRESOURCE(7), kMenu);
      registered = true;
    }
    ASSERT_TRUE(drv::RegisterTestWindowClass("TestMenuLoopMain", Proc));
    main_ = CreateWindowEx(0, "TestMenuLoopMain", "m", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 30, 400, 300, nullptr,
                           LoadMenu(nullptr, MAKEINTRESOURCE(7)), nullptr, nullptr);
    g_context = nullptr;
    g_context_pick = 0;
    g_timer_ticks = 0;
    drv::PumpUntilIdle();
  }
  void TearDown() override {
    if (g_context) DestroyMenu(g_context);
    g_context = nullptr;
  }

  // The middle of bar item i in the client coordinates of the main window (a negative y: above the client area).
  POINT BarItem(int i) {
    const RECT r = platform::gdi::MenuBarItemRects(main_)[static_cast<std::size_t>(i)];
    RECT window{};
    GetWindowRect(main_, &window);
    POINT p{window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
    ScreenToClient(main_, &p);
    return p;
  }
  // Clicks item i of the innermost open pop-up menu.
  static void ClickPopupItem(int i, bool right = false) {
    HWND popup = platform::win::OpenMenuWindows().back();
    const auto layout = platform::gdi::LayoutPopupMenu(platform::win::MenuOfWindow(popup, nullptr));
    const RECT r = layout.items[static_cast<std::size_t>(i)];
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    platform::win::InjectMouse(popup, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, x, y);
    platform::win::InjectMouse(popup, right ? WM_RBUTTONUP : WM_LBUTTONUP, x, y);
  }
  static void Key(int vk) {
    platform::win::InjectKey(WM_KEYDOWN, vk);
    platform::win::InjectKey(WM_KEYUP, vk);
  }
  static void AltKey(int vk) {
    platform::win::InjectKey(WM_KEYDOWN, VK_MENU);
    platform::win::InjectKey(WM_SYSKEYDOWN, vk);
    platform::win::InjectKey(WM_SYSKEYUP, vk);
    platform::win::InjectKey(WM_SYSKEYUP, VK_MENU);
  }

  drv::Session session_;
  HWND main_ = nullptr;
};

TEST_F(MenuLoopTest, HitTestTellsCaptionMenuBarClientAndFrame) {
  RECT w{};
  GetWindowRect(main_, &w);
  POINT client{0, 0};
  ClientToScreen(main_, &client);
  struct Case {
    POINT p;
    LRESULT hit;
  };
  const Case cases[] = {
      {{w.left + 50, w.top + 4 + 5}, HTCAPTION},
      {{w.left + 50, client.y - 5}, HTMENU},
      {{client.x + 10, client.y + 10}, HTCLIENT},
      {{w.left + 1, w.top + 100}, HTBORDER},
      {{w.right + 5, w.top + 100}, HTNOWHERE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessage(main_, WM_NCHITTEST, 0, MAKEPOINTLPARAM(c.p.x, c.p.y)), c.hit) << c.p.x << "," << c.p.y;
}

TEST_F(MenuLoopTest, ClickOnTheBarOpensThePopUpAndAClickOnAnItemPicksIt) {
  MessageLog log(main_, {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_ENTERIDLE, WM_EXITMENULOOP,
                         WM_COMMAND});
  std::vector<HWND> shown;
  HMENU file = GetSubMenu(GetMenu(main_), 0);
  drv::OnMenuIdle([&](HWND) {
    shown = platform::win::OpenMenuWindows();
    EXPECT_EQ(platform::win::MenuBarHotItem(main_), 0);
    ClickPopupItem(0);
  });
  const POINT bar = BarItem(0);
  drv::ClickAt(main_, bar.x, bar.y);
  drv::PumpUntilIdle();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_FALSE(IsWindow(shown[0]));  // the pop-up window is gone with the menu
  EXPECT_EQ(platform::win::MenuBarHotItem(main_), -1);
  EXPECT_EQ(GetActiveWindow(), main_);  // the pop-up never took the activation
  const std::vector<UINT> expected{WM_ENTERMENULOOP, WM_INITMENU,   WM_MENUSELECT,   WM_INITMENUPOPUP, WM_ENTERIDLE,
                                   WM_MENUSELECT,    WM_MENUSELECT, WM_EXITMENULOOP, WM_COMMAND};
  ASSERT_EQ(log.Messages(), expected) << log.Describe();
  const auto& e = log.Entries();
  EXPECT_EQ(e[2].wparam, MAKEWPARAM(0, MF_POPUP | MF_HILITE | MF_MOUSESELECT));
  EXPECT_EQ(e[3].wparam, reinterpret_cast<WPARAM>(file));
  EXPECT_EQ(e[4].wparam, static_cast<WPARAM>(MSGF_MENU));
  EXPECT_EQ(e[4].lparam, reinterpret_cast<LPARAM>(shown[0]));
  EXPECT_EQ(e[5].wparam, MAKEWPARAM(2000, MF_HILITE | MF_MOUSESELECT));
  EXPECT_EQ(e[5].lparam, reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(e[6].wparam, MAKEWPARAM(0, 0xFFFF));
  EXPECT_EQ(e[6].lparam, 0);
  EXPECT_EQ(e[8].wparam, MAKEWPARAM(2000, 0));
}

TEST_F(MenuLoopTest, TimersRunWhileTheMenuIsOpen) {
  SetTimer(main_, 1001, 100, nullptr);
  drv::OnMenuIdle([](HWND) {
    if (g_timer_ticks >= 3) EndMenu();  // else nothing: time passes with the menu open
  });
  const POINT bar = BarItem(0);
  drv::ClickAt(main_, bar.x, bar.y);
  EXPECT_GE(g_timer_ticks, 3);
  EXPECT_TRUE(platform::win::OpenMenuWindows().empty());
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(MenuLoopTest, GreyedItemsAreNotPickedAndAClickOutsideClosesTheMenu) {
  MessageLog log(main_, {WM_COMMAND, WM_EXITMENULOOP});
  int round = 0;
  drv::OnMenuIdle([&](HWND) {
    if (round++ == 0) {
      ClickPopupItem(3);  // "Save", greyed: the menu stays open
      return;
    }
    EXPECT_EQ(platform::win::OpenMenuWindows().size(), 1u);
    POINT p{350, 250};  // the client area, far from the menu
    platform::win::InjectMouse(main_, WM_LBUTTONDOWN, p.x, p.y);
  });
  const POINT bar = BarItem(0);
  drv::ClickAt(main_, bar.x, bar.y);
  drv::PumpUntilIdle();
  EXPECT_EQ(round, 2);
  EXPECT_EQ(log.Count(WM_COMMAND), 0) << log.Describe();
  EXPECT_EQ(log.Count(WM_EXITMENULOOP), 1);
}

// Keyboard paths through the menu, each ending in the command it picks (0: none).
struct KeyCase {
  const char* name;
  std::vector<int> start;  // VK_F10 alone, or 'F' / 'H' with Alt; VK_MENU: Alt pressed and let go alone
  std::vector<int> keys;   // keys inside the menu
  UINT command;
};

class MenuKeyTest : public MenuLoopTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MenuKeyTest, KeyboardWalksTheMenu) {
  const KeyCase& c = GetParam();
  MessageLog log(main_, {WM_COMMAND, WM_ENTERMENULOOP, WM_EXITMENULOOP});
  bool sent = false;
  drv::OnMenuIdle([&](HWND) {
    if (sent) {
      EndMenu();  // the keys are spent and the menu is still open
      return;
    }
    sent = true;
    for (int vk : c.keys) Key(vk);
  });
  for (int vk : c.start) {
    if (vk == VK_F10) Key(VK_F10);
    else if (vk == VK_MENU) Key(VK_MENU);
    else AltKey(vk);
  }
  drv::PumpUntilIdle();
  EXPECT_EQ(log.Count(WM_ENTERMENULOOP), 1) << log.Describe();
  EXPECT_EQ(log.Count(WM_EXITMENULOOP), 1);
  const auto commands = log.Commands();
  if (c.command) {
    ASSERT_EQ(commands.size(), 1u) << log.Describe();
    EXPECT_EQ(commands[0].id, static_cast<int>(c.command));
  } else {
    EXPECT_TRUE(commands.empty()) << log.Describe();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MenuKeyTest,
    ::testing::Values(KeyCase{"AltFEnterPicksTheFirstItem", {'F'}, {VK_RETURN}, 2000},
                      KeyCase{"MnemonicInThePopUp", {'F'}, {'X'}, 2003},
                      KeyCase{"CascadeByRightArrow", {'F'}, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 2016},
                      KeyCase{"DownSkipsTheSeparator", {'F'}, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 2003},
                      KeyCase{"GreyedItemIsNotPicked", {'F'}, {'S', VK_RETURN}, 0},
                      KeyCase{"F10ThenRightAndDownToHelp", {VK_F10}, {VK_RIGHT, VK_DOWN, VK_RETURN}, 2131},
                      KeyCase{"AltAloneThenEnter", {VK_MENU}, {VK_RETURN, VK_RETURN}, 2000},
                      KeyCase{"LeftWrapsToTheLastTitle", {'F'}, {VK_LEFT, VK_RETURN}, 2131},
                      KeyCase{"EscapeTwiceCloses", {'F'}, {VK_ESCAPE, VK_ESCAPE}, 0},
                      KeyCase{"AltClosesTheMenu", {'H'}, {VK_MENU}, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(MenuLoopTest, RightClickOpensTheContextMenuAtThePointer) {
  g_context = CreatePopupMenu();
  AppendMenu(g_context, MF_STRING, 2800, "&Copy");
  AppendMenu(g_context, MF_STRING, 2801, "&Paste");
  MessageLog log(main_, {WM_CONTEXTMENU, WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP});
  RECT placed{};
  drv::OnMenuIdle([&](HWND) {
    GetWindowRect(platform::win::OpenMenuWindows().back(), &placed);
    ClickPopupItem(1, true);
  });
  platform::win::InjectMouse(main_, WM_RBUTTONDOWN, 40, 50);
  platform::win::InjectMouse(main_, WM_RBUTTONUP, 40, 50);
  drv::PumpUntilIdle();
  POINT expect{40, 50};
  ClientToScreen(main_, &expect);
  EXPECT_EQ(g_context_at.x, expect.x);
  EXPECT_EQ(g_context_at.y, expect.y);
  EXPECT_EQ(placed.left, expect.x);
  EXPECT_EQ(placed.top, expect.y);
  EXPECT_EQ(g_context_pick, 2801u);
  const std::vector<UINT> expected{WM_CONTEXTMENU, WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP};
  EXPECT_EQ(log.Messages(), expected) << log.Describe();
  EXPECT_EQ(log.Entries()[3].wparam, static_cast<WPARAM>(TRUE));  // a pop-up menu's loop
}

TEST_F(MenuLoopTest, OpenMenuIsPaintedWithItsTitleAndItemHighlighted) {
  drv::OnMenuIdle([&](HWND) {
    HWND popup = platform::win::OpenMenuWindows().back();
    auto bar_surface = platform::gdi::FindTopLevelSurface(main_);
    auto popup_surface = platform::gdi::FindTopLevelSurface(popup);
    ASSERT_TRUE(bar_surface && popup_surface);
    const RECT title = platform::gdi::MenuBarItemRects(main_)[0];
    const RECT item = platform::gdi::LayoutPopupMenu(GetSubMenu(GetMenu(main_), 0)).items[0];
    const std::uint32_t highlight = 0x000080;  // the classic selection blue
    EXPECT_EQ(bar_surface->Pixel(title.left + 1, title.top + 1), highlight);
    EXPECT_EQ(popup_surface->Pixel(item.left + 1, item.top + 1), highlight);
    EndMenu();
  });
  platform::win::InjectKey(WM_KEYDOWN, VK_MENU);
  platform::win::InjectKey(WM_SYSKEYDOWN, 'F');
  drv::PumpUntilIdle();
}

}  // namespace
