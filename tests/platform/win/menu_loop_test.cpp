// The menu loop as a user works it: the bar by a click, by Alt+letter, by F10 and by Alt alone; pop-ups, cascades,
// greyed items; the context menu; timers that run on while a menu is open; the non-client hit test; letters no item
// has (WM_MENUCHAR); pop-ups closing (WM_UNINITMENUPOPUP); the delay before a cascade opens under the pointer; the
// window menu by Alt+Space and by its box in the caption.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/menu_paint.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/sys/clock.h"
#include "platform/win/double_click.h"
#include "platform/win/message_box.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/move_size.h"
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
LRESULT g_menu_char_answer = 0;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) ++g_timer_ticks;
  if (m == WM_MENUCHAR) return g_menu_char_answer;
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
    g_menu_char_answer = 0;
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
      {{w.left + 4 + 8, w.top + 4 + 8}, HTSYSMENU},
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
  std::vector<int> start;  // VK_F10 alone, or 'F' / 'H' / Space with Alt; VK_MENU: Alt pressed and let go alone
  std::vector<int> keys;   // keys inside the menu
  UINT command;
  WPARAM system_command = 0;  // a window-menu pick (WM_SYSCOMMAND) instead
};

class MenuKeyTest : public MenuLoopTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MenuKeyTest, KeyboardWalksTheMenu) {
  const KeyCase& c = GetParam();
  MessageLog log(main_, {WM_COMMAND, WM_SYSCOMMAND, WM_ENTERMENULOOP, WM_EXITMENULOOP});
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
  std::vector<WPARAM> picks;
  for (const auto& e : log.Entries())
    if (e.message == WM_SYSCOMMAND && (e.wparam & 0xFFF0) != SC_KEYMENU) picks.push_back(e.wparam);
  EXPECT_EQ(picks, c.system_command ? std::vector<WPARAM>{c.system_command} : std::vector<WPARAM>{}) << log.Describe();
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
                      KeyCase{"LeftPassesTheWindowMenuToTheLastTitle", {'F'}, {VK_LEFT, VK_LEFT, VK_RETURN}, 2131},
                      KeyCase{"LeftFromTheFirstTitleToTheWindowMenu", {'F'}, {VK_LEFT, 'N'}, 0, SC_MINIMIZE},
                      KeyCase{"RightFromTheLastTitleToTheWindowMenu", {'H'}, {VK_RIGHT, 'N'}, 0, SC_MINIMIZE},
                      KeyCase{"AcrossAndBack", {'F'}, {VK_LEFT, VK_RIGHT, VK_RETURN}, 2000},
                      KeyCase{"RightFromTheWindowMenuToTheFirstTitle", {VK_SPACE}, {VK_RIGHT, VK_RETURN}, 2000},
                      KeyCase{"LeftFromTheWindowMenuToTheLastTitle", {VK_SPACE}, {VK_LEFT, VK_RETURN}, 2131},
                      KeyCase{"EscapeInTheCrossedWindowMenuCloses", {'F'}, {VK_LEFT, VK_ESCAPE}, 0},
                      KeyCase{"EscapeTwiceCloses", {'F'}, {VK_ESCAPE, VK_ESCAPE}, 0},
                      KeyCase{"AltClosesTheMenu", {'H'}, {VK_MENU}, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

// Moving along the bar with a drop-down open: a greyed title opens none, and the next title's opens again.
TEST_F(MenuLoopTest, RightAcrossAGreyedTitleKeepsTheDropDownsOpen) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu(), reverse = CreatePopupMenu(), help = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 3000, "&Open");
  AppendMenu(reverse, MF_STRING, 3100, "&Read");
  AppendMenu(help, MF_STRING, 3200, "&Contents");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenu(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(reverse), "&Reverse documentation");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  HMENU old = GetMenu(main_);
  SetMenu(main_, bar);
  std::vector<HMENU> open_after;
  int round = 0;
  drv::OnMenuIdle([&](HWND) {
    const auto windows = platform::win::OpenMenuWindows();
    open_after.push_back(windows.empty() ? nullptr : platform::win::MenuOfWindow(windows.back(), nullptr));
    if (++round <= 2) Key(VK_RIGHT);
    else if (round == 3) Key(VK_LEFT);
    else EndMenu();
  });
  AltKey('F');
  drv::PumpUntilIdle();
  EXPECT_EQ(open_after, (std::vector<HMENU>{file, nullptr, help, nullptr}));
  SetMenu(main_, old);
  DestroyMenu(bar);
}

// The window menu opened right after Maximize shows the maximized window's items.
TEST_F(MenuLoopTest, TheWindowMenuFollowsTheStateWhenItOpens) {
  std::vector<std::pair<bool, bool>> greyed;  // Minimize, Maximize
  drv::OnMenuIdle([&](HWND) {
    HMENU menu = GetSystemMenu(main_, FALSE);
    greyed.emplace_back((GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED) != 0,
                        (GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED) != 0);
    EndMenu();
  });
  AltKey(VK_SPACE);
  drv::PumpUntilIdle();
  SendMessage(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  AltKey(VK_SPACE);
  drv::PumpUntilIdle();
  SendMessage(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
  AltKey('F');
  bool crossed = false;
  drv::OnMenuIdle([&](HWND) {
    if (!crossed) {
      crossed = true;
      SendMessage(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      Key(VK_LEFT);  // from the first title over to the window menu
      return;
    }
    HMENU menu = GetSystemMenu(main_, FALSE);
    greyed.emplace_back((GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED) != 0,
                        (GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED) != 0);
    EndMenu();
  });
  drv::PumpUntilIdle();
  EXPECT_EQ(greyed, (std::vector<std::pair<bool, bool>>{{false, false}, {false, true}, {false, true}}));
}

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

namespace {

// A letter that no item has: the owner's WM_MENUCHAR answer decides what happens.
struct MenuCharCase {
  const char* name;
  int start;               // Alt+start opens the menu ('Q': no bar title has it)
  std::vector<int> keys;   // keys inside the menu
  LRESULT answer;
  UINT command;            // 0: none
  int beeps;
  bool open_after_keys;    // the menu is still open after the keys
};

class MenuCharTest : public MenuLoopTest, public ::testing::WithParamInterface<MenuCharCase> {};

TEST_P(MenuCharTest, OwnersAnswerDecides) {
  const MenuCharCase& c = GetParam();
  g_menu_char_answer = c.answer;
  MessageLog log(main_, {WM_MENUCHAR, WM_COMMAND});
  const int beeps = platform::win::BeepCount();
  int round = 0;
  bool open_after_keys = false;
  drv::OnMenuIdle([&](HWND) {
    if (round++ == 0) {
      for (int vk : c.keys) Key(vk);
      return;
    }
    open_after_keys = true;
    EndMenu();
  });
  AltKey(c.start);
  drv::PumpUntilIdle();
  EXPECT_EQ(platform::win::BeepCount() - beeps, c.beeps);
  EXPECT_EQ(open_after_keys, c.open_after_keys);
  ASSERT_EQ(log.Count(WM_MENUCHAR), 1) << log.Describe();
  const auto& asked = log.Entries()[0];
  const bool on_bar = c.start == 'Q';
  EXPECT_EQ(asked.wparam, MAKEWPARAM('q', on_bar ? 0 : MF_POPUP));
  EXPECT_EQ(asked.lparam, reinterpret_cast<LPARAM>(on_bar ? GetMenu(main_) : GetSubMenu(GetMenu(main_), 0)));
  const auto commands = log.Commands();
  if (c.command) {
    ASSERT_EQ(commands.size(), 1u) << log.Describe();
    EXPECT_EQ(commands[0].id, static_cast<int>(c.command));
  } else {
    EXPECT_TRUE(commands.empty()) << log.Describe();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MenuCharTest,
    ::testing::Values(MenuCharCase{"IgnoreBeepsAndTheMenuStays", 'F', {'Q'}, MAKELRESULT(0, MNC_IGNORE), 0, 1, true},
                      MenuCharCase{"CloseEndsTheMenu", 'F', {'Q'}, MAKELRESULT(0, MNC_CLOSE), 0, 0, false},
                      MenuCharCase{"ExecutePicksTheItem", 'F', {'Q'}, MAKELRESULT(4, MNC_EXECUTE), 2003, 0, false},
                      MenuCharCase{"SelectOnlyHighlights", 'F', {'Q', VK_RETURN}, MAKELRESULT(4, MNC_SELECT), 2003, 0, false},
                      MenuCharCase{"ExecuteOfASeparatorBeeps", 'F', {'Q'}, MAKELRESULT(2, MNC_EXECUTE), 0, 1, true},
                      MenuCharCase{"ItemPastTheEndBeeps", 'F', {'Q'}, MAKELRESULT(40, MNC_EXECUTE), 0, 1, true},
                      MenuCharCase{"BarLetterOpensTheTitleAnswered", 'Q', {VK_RETURN}, MAKELRESULT(1, MNC_EXECUTE), 2131, 0,
                                   false},
                      MenuCharCase{"BarLetterIgnoredOpensNothing", 'Q', {}, MAKELRESULT(0, MNC_IGNORE), 0, 1, false}),
    [](const ::testing::TestParamInfo<MenuCharCase>& info) { return std::string(info.param.name); });

TEST_F(MenuLoopTest, EachClosingPopUpIsUninitialisedInnermostFirst) {
  MessageLog log(main_, {WM_INITMENUPOPUP, WM_UNINITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND});
  drv::OnMenuIdle([&](HWND) {
    for (int vk : {VK_DOWN, VK_RIGHT, VK_RETURN}) Key(vk);  // File, Recent, "1 a.zpr"
  });
  AltKey('F');
  drv::PumpUntilIdle();
  HMENU file = GetSubMenu(GetMenu(main_), 0);
  HMENU recent = GetSubMenu(file, 1);
  const std::vector<UINT> expected{WM_INITMENUPOPUP, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP,
                                   WM_UNINITMENUPOPUP, WM_EXITMENULOOP,  WM_COMMAND};
  ASSERT_EQ(log.Messages(), expected) << log.Describe();
  EXPECT_EQ(log.Entries()[2].wparam, reinterpret_cast<WPARAM>(recent));
  EXPECT_EQ(log.Entries()[3].wparam, reinterpret_cast<WPARAM>(file));
}

TEST_F(MenuLoopTest, CascadeOpensAfterThePointerRestsOnItsItem) {
  SetTimer(main_, 1001, 100, nullptr);  // time goes on while the menu waits
  auto levels = [] { return platform::win::OpenMenuWindows().size(); };
  auto hover = [](int i) {
    HWND popup = platform::win::OpenMenuWindows().front();
    const RECT r = platform::gdi::LayoutPopupMenu(platform::win::MenuOfWindow(popup, nullptr)).items[static_cast<std::size_t>(i)];
    platform::win::InjectMouse(popup, WM_MOUSEMOVE, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  enum { kHoverRecent, kWaitForCascade, kAwayAndBack, kWaitWithout, kClick, kDone } phase = kHoverRecent;
  DWORD since = 0;
  DWORD opened_after = 0;
  std::size_t open_while_waiting = 0, open_after_moving_away = 0, open_after_click = 0;
  drv::OnMenuIdle([&](HWND) {
    switch (phase) {
      case kHoverRecent:
        hover(1);
        since = GetTickCount();
        phase = kWaitForCascade;
        return;
      case kWaitForCascade:
        if (GetTickCount() - since < platform::win::kCascadeDelayMs) open_while_waiting = std::max(open_while_waiting, levels() - 1);
        if (levels() < 2) return;
        opened_after = GetTickCount() - since;
        hover(0);  // away: the cascade closes at once
        hover(1);  // and back on it, then away again before the time is up
        hover(0);
        since = GetTickCount();
        phase = kWaitWithout;
        return;
      case kWaitWithout:
        if (GetTickCount() - since < 2 * platform::win::kCascadeDelayMs) return;
        open_after_moving_away = levels() - 1;
        ClickPopupItem(1);  // a click opens it at once
        phase = kClick;
        return;
      case kClick:
        open_after_click = levels() - 1;
        phase = kDone;
        EndMenu();
        return;
      default: EndMenu();
    }
  });
  const POINT bar = BarItem(0);
  drv::ClickAt(main_, bar.x, bar.y);
  drv::PumpUntilIdle();
  EXPECT_EQ(phase, kDone);
  EXPECT_EQ(open_while_waiting, 0u);
  EXPECT_GE(opened_after, platform::win::kCascadeDelayMs);
  EXPECT_LT(opened_after, platform::win::kCascadeDelayMs + 100);
  EXPECT_EQ(open_after_moving_away, 0u);
  EXPECT_EQ(open_after_click, 1u);
}

// The items of a window menu by style and state: id and greyed.
struct SystemMenuCase {
  const char* name;
  DWORD style;
  int show;  // SW_SHOWNORMAL, SW_MAXIMIZE, SW_MINIMIZE
  std::vector<std::pair<UINT, bool>> items;
};

class SystemMenuItemsTest : public MenuLoopTest, public ::testing::WithParamInterface<SystemMenuCase> {};

TEST_P(SystemMenuItemsTest, FollowStyleAndState) {
  const SystemMenuCase& c = GetParam();
  HWND w = CreateWindowEx(0, "TestMenuLoopMain", "s", c.style, 10, 10, 200, 150, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(w, c.show);
  platform::win::UpdateSystemMenuState(w);
  HMENU menu = GetSystemMenu(w, FALSE);
  if (c.items.empty()) {
    EXPECT_EQ(menu, nullptr);
    return;
  }
  ASSERT_NE(menu, nullptr);
  std::vector<std::pair<UINT, bool>> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    items.emplace_back(GetMenuItemID(menu, i), (state & MF_GRAYED) != 0);
  }
  EXPECT_EQ(items, c.items);
}

constexpr UINT kSep = 0;
INSTANTIATE_TEST_SUITE_P(
    Styles, SystemMenuItemsTest,
    ::testing::Values(
        SystemMenuCase{"MainWindow",
                       WS_OVERLAPPEDWINDOW,
                       SW_SHOWNORMAL,
                       {{SC_RESTORE, true}, {SC_MOVE, false}, {SC_SIZE, false}, {SC_MINIMIZE, false}, {SC_MAXIMIZE, false},
                        {kSep, false}, {SC_CLOSE, false}}},
        SystemMenuCase{"MaximizedMainWindow",
                       WS_OVERLAPPEDWINDOW,
                       SW_MAXIMIZE,
                       {{SC_RESTORE, false}, {SC_MOVE, true}, {SC_SIZE, true}, {SC_MINIMIZE, false}, {SC_MAXIMIZE, true},
                        {kSep, false}, {SC_CLOSE, false}}},
        SystemMenuCase{"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, SW_SHOWNORMAL, {{SC_MOVE, false}, {kSep, false}, {SC_CLOSE, false}}},
        SystemMenuCase{"NoWindowMenu", WS_POPUP | WS_CAPTION, SW_SHOWNORMAL, {}}),
    [](const ::testing::TestParamInfo<SystemMenuCase>& info) { return std::string(info.param.name); });

TEST_F(MenuLoopTest, AltSpaceOpensTheWindowMenuAndItsPickIsASysCommand) {
  HMENU system = GetSystemMenu(main_, FALSE);
  char close[32] = {};
  GetMenuString(system, static_cast<UINT>(SC_CLOSE), close, sizeof(close), MF_BYCOMMAND);
  EXPECT_STREQ(close, "&Close\tAlt+F4");
  MessageLog log(main_, {WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_UNINITMENUPOPUP, WM_SYSCOMMAND, WM_COMMAND});
  RECT placed{};
  drv::OnMenuIdle([&](HWND) {
    GetWindowRect(platform::win::OpenMenuWindows().back(), &placed);
    Key('N');  // Mi&nimize
  });
  AltKey(VK_SPACE);
  drv::PumpUntilIdle();
  EXPECT_TRUE(IsIconic(main_));
  const std::vector<UINT> expected{WM_SYSCOMMAND, WM_INITMENU,        WM_INITMENUPOPUP, WM_MENUSELECT,
                                   WM_MENUSELECT, WM_UNINITMENUPOPUP, WM_MENUSELECT,    WM_SYSCOMMAND};
  ASSERT_EQ(log.Messages(), expected) << log.Describe();
  const auto& e = log.Entries();
  EXPECT_EQ(e[0].wparam, SC_KEYMENU);
  EXPECT_EQ(e[0].lparam, ' ');
  EXPECT_EQ(e[1].wparam, reinterpret_cast<WPARAM>(system));
  EXPECT_EQ(HIWORD(e[2].lparam), TRUE);  // the window menu
  EXPECT_EQ(e[3].wparam, MAKEWPARAM(SC_RESTORE, MF_GRAYED | MF_HILITE | MF_SYSMENU));
  EXPECT_EQ(e[4].wparam, MAKEWPARAM(SC_MINIMIZE, MF_HILITE | MF_SYSMENU));
  EXPECT_EQ(e[5].lparam, MAKELPARAM(0, MF_SYSMENU));
  EXPECT_EQ(e[7].wparam, SC_MINIMIZE);
  EXPECT_EQ(e[7].lparam, 0);
  // Under the window-menu box of the caption.
  RECT w{};
  GetWindowRect(main_, &w);
  const RECT box = platform::gdi::SystemMenuBoxRect(main_);
  EXPECT_EQ(placed.left, w.left + box.left);
  EXPECT_EQ(placed.top, w.top + box.bottom);
}

// A second press on the window-menu box within the double-click time closes the window; later it only closes
// the menu. A double click given as such (headless input) closes it too.
TEST_F(MenuLoopTest, DoubleClickOnTheWindowMenuBoxClosesTheWindow) {
  struct Case {
    int after_ms;
    UINT second;
    bool closes;
  };
  for (const Case c : {Case{100, WM_LBUTTONDOWN, true}, Case{static_cast<int>(GetDoubleClickTime()) + 100, WM_LBUTTONDOWN, false},
                       Case{0, WM_LBUTTONDBLCLK, true}}) {
    HWND win = CreateWindowEx(0, "TestMenuLoopMain", "d", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 30, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
    MessageLog log(win, {WM_SYSCOMMAND, WM_CLOSE});
    RECT w{};
    GetWindowRect(win, &w);
    const RECT box = platform::gdi::SystemMenuBoxRect(win);
    POINT p{w.left + (box.left + box.right) / 2, w.top + (box.top + box.bottom) / 2};
    ScreenToClient(win, &p);
    bool pressed = false;
    drv::OnMenuIdle([&](HWND) {
      if (pressed) {
        EndMenu();
        return;
      }
      pressed = true;
      platform::sys::AdvanceVirtualClock(static_cast<std::int64_t>(c.after_ms) * 1'000'000);
      platform::win::InjectMouse(win, c.second, p.x, p.y);
      platform::win::InjectMouse(win, WM_LBUTTONUP, p.x, p.y);
    });
    drv::ClickAt(win, p.x, p.y);
    drv::PumpUntilIdle();
    drv::OnMenuIdle(nullptr);
    EXPECT_EQ(!IsWindow(win), c.closes) << c.after_ms;
    EXPECT_TRUE(platform::win::OpenMenuWindows().empty());
    EXPECT_EQ(log.Count(WM_CLOSE), c.closes ? 1 : 0) << log.Describe();
    bool sc_close = false;
    for (const auto& e : log.Entries()) sc_close = sc_close || (e.message == WM_SYSCOMMAND && e.wparam == SC_CLOSE);
    EXPECT_EQ(sc_close, c.closes) << log.Describe();
    if (IsWindow(win)) DestroyWindow(win);
  }
}

TEST_F(MenuLoopTest, ClickOnTheWindowMenuBoxThenCloseClosesTheWindow) {
  MessageLog log(main_, {WM_SYSCOMMAND, WM_CLOSE});
  drv::OnMenuIdle([&](HWND) {
    HMENU menu = platform::win::MenuOfWindow(platform::win::OpenMenuWindows().back(), nullptr);
    ClickPopupItem(GetMenuItemCount(menu) - 1);  // Close
  });
  RECT w{};
  GetWindowRect(main_, &w);
  const RECT box = platform::gdi::SystemMenuBoxRect(main_);
  POINT p{w.left + (box.left + box.right) / 2, w.top + (box.top + box.bottom) / 2};
  ScreenToClient(main_, &p);
  drv::ClickAt(main_, p.x, p.y);
  drv::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(main_));
  ASSERT_EQ(log.Count(WM_SYSCOMMAND), 2) << log.Describe();  // the click on the box, then Close
  EXPECT_EQ(log.Entries()[0].wparam, SC_MOUSEMENU | static_cast<WPARAM>(HTSYSMENU));
  EXPECT_EQ(log.Entries()[1].wparam, SC_CLOSE);
  EXPECT_NE(log.Entries()[1].lparam, 0);  // picked by mouse: the point
  EXPECT_EQ(log.Count(WM_CLOSE), 1);
}

}  // namespace

namespace {

// The window menu's Move and Size by keys, and by the pointer: where the window ends up.
struct MoveSizeCase {
  const char* name;
  WPARAM command;
  std::vector<int> keys;
  RECT change;  // of the window rectangle's left, top, right, bottom
};

class MoveSizeTest : public MenuLoopTest, public ::testing::WithParamInterface<MoveSizeCase> {};

TEST_P(MoveSizeTest, WindowFollowsTheKeys) {
  const MoveSizeCase& c = GetParam();
  RECT before{};
  GetWindowRect(main_, &before);
  MessageLog log(main_, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE});
  bool sent = false;
  drv::OnMenuIdle([&](HWND) {
    if (sent) {
      EndMenu();  // the keys are spent and it still tracks
      return;
    }
    sent = true;
    for (int vk : c.keys) Key(vk);
  });
  PostMessage(main_, WM_SYSCOMMAND, c.command, 0);
  drv::PumpUntilIdle();
  RECT after{};
  GetWindowRect(main_, &after);
  const RECT change{after.left - before.left, after.top - before.top, after.right - before.right, after.bottom - before.bottom};
  EXPECT_TRUE(EqualRect(&change, &c.change)) << change.left << "," << change.top << "," << change.right << "," << change.bottom;
  const std::vector<UINT> expected{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE};
  EXPECT_EQ(log.Messages(), expected);
}

constexpr int kStep = platform::win::kMoveSizeStep;
INSTANTIATE_TEST_SUITE_P(
    Keys, MoveSizeTest,
    ::testing::Values(MoveSizeCase{"MoveByArrows", SC_MOVE, {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}, {2 * kStep, kStep, 2 * kStep, kStep}},
                      MoveSizeCase{"EscapePutsItBack", SC_MOVE, {VK_RIGHT, VK_DOWN, VK_ESCAPE}, {0, 0, 0, 0}},
                      MoveSizeCase{"SizeRightEdge", SC_SIZE, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}, {0, 0, 2 * kStep, 0}},
                      MoveSizeCase{"SizeLeftEdgeInward", SC_SIZE, {VK_LEFT, VK_RIGHT, VK_RETURN}, {kStep, 0, 0, 0}},
                      MoveSizeCase{"SizeTopEdgeOutward", SC_SIZE, {VK_UP, VK_UP, VK_RETURN}, {0, -kStep, 0, 0}},
                      MoveSizeCase{"SizeStopsAtTheSmallestSize",
                                   SC_SIZE,
                                   [] {
                                     std::vector<int> keys{VK_DOWN};  // the bottom edge, then up far past the least
                                     keys.insert(keys.end(), 60, VK_UP);
                                     keys.push_back(VK_RETURN);
                                     return keys;
                                   }(),
                                   {0, 0, 0, 27 - 300}},  // SM_CYMINTRACK high, from 300
                      MoveSizeCase{"UnfinishedTrackingIsUndone", SC_MOVE, {VK_LEFT}, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<MoveSizeCase>& info) { return std::string(info.param.name); });

TEST_F(MenuLoopTest, MoveFollowsThePointerUntilAClick) {
  drv::OnMenuIdle([&](HWND) {
    POINT grip{};
    GetCursorPos(&grip);  // the pointer rides on the caption
    POINT to{grip.x + 30, grip.y + 20};
    ScreenToClient(main_, &to);
    platform::win::InjectMouse(main_, WM_MOUSEMOVE, to.x, to.y);
    platform::win::InjectMouse(main_, WM_LBUTTONDOWN, to.x, to.y);
  });
  RECT before{};
  GetWindowRect(main_, &before);
  PostMessage(main_, WM_SYSCOMMAND, SC_MOVE, 0);
  drv::PumpUntilIdle();
  RECT after{};
  GetWindowRect(main_, &after);
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 20);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
}

}  // namespace
