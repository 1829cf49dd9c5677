// Menus, cursors and window-manager behaviour on a real X display (a virtual X server), driven by real pointer and
// key input through the XTest extension: the menu bar by a click and by Alt+F, a context menu, the pointer moved
// and held in a rectangle, the hints a window manager reads, focus leaving the program, and the close request of
// a window manager; the window menu by Alt+Space and by its box in the caption, a letter no item has, a cascade
// that opens when the pointer rests on its item, the window menu's Move by keys, a program's own cursor shown with
// its picture. Screenshots of
// the open menu and of the window menu are written as x11_open_menu.png and x11_window_menu.png. Skipped without
// Xvfb.
#include <gtest/gtest.h>

#ifdef ZPR_HAVE_XTEST

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#ifdef ZPR_HAVE_XFIXES
#include <X11/extensions/Xfixes.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/x11_display.h"
#include "platform/gdi/menu_paint.h"
#include "platform/gdi/surface.h"
#include "platform/sys/clock.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
#include "platform/win/cursor_image.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/move_size.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"
#include "tests/support/xvfb.h"

namespace {

namespace drv = platform::testing;

constexpr MenuTemplateItem kMenu[] = {
    {0, MF_POPUP, 0, "&File"},      {1, MF_STRING, 2000, "&Open"}, {1, MF_STRING | MF_CHECKED, 2001, "&Auto save"},
    {1, MF_SEPARATOR, 0, nullptr},  {1, MF_STRING | MF_GRAYED, 2002, "&Print\tCtrl+P"},
    {1, MF_STRING, 2003, "E&xit"},  {1, MF_POPUP, 0, "&Recent"},   {2, MF_STRING, 2015, "&1 a.zpr"},
    {0, MF_POPUP, 0, "&Help"},      {1, MF_STRING, 2131, "&Contents\tF1"},
};

struct Seen {
  std::vector<UINT> commands;
  std::vector<UINT> messages;  // WM_SYSCOMMAND, WM_CLOSE, WM_ACTIVATE (inactive), WM_MENUCHAR
  std::vector<WPARAM> syscommands;
  HMENU context = nullptr;
  UINT context_pick = 0;
};
Seen g_seen;

LRESULT MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_COMMAND: g_seen.commands.push_back(LOWORD(w)); return 0;
    case WM_SYSCOMMAND:
      g_seen.messages.push_back(m);
      g_seen.syscommands.push_back(w & 0xFFF0);
      break;
    case WM_MENUCHAR: g_seen.messages.push_back(m); break;
    case WM_CLOSE: g_seen.messages.push_back(m); break;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) g_seen.messages.push_back(m);
      break;
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
      mmi->ptMinTrackSize = POINT{300, 200};
      return 0;
    }
    case WM_CONTEXTMENU:
      if (g_seen.context) {
        g_seen.context_pick = static_cast<UINT>(TrackPopupMenu(g_seen.context, TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                               GET_X_LPARAM(l), GET_Y_LPARAM(l), 0, h, nullptr));
      }
      return 0;
    default: break;
  }
  return DefWindowProc(h, m, w, l);
}

template <class Done>
bool PumpUntil(Done done, int rounds = 1500) {
  for (int i = 0; i < rounds; ++i) {
    platform::backend::PumpX11Display();
    drv::PumpUntilIdle();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

class X11MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (server_.display().empty()) GTEST_SKIP() << "no Xvfb";
    setenv("DISPLAY", server_.display().c_str(), 1);
    std::string error;
    ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    int event = 0, error_base = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(user_, &event, &error_base, &major, &minor)) GTEST_SKIP() << "no XTest";
    static bool registered = false;
    if (!registered) {
      platform::win::RegisterMenuTemplate(nullptr, MAKEINTRESOURCE(31), kMenu);
      registered = true;
    }
    ASSERT_TRUE(drv::RegisterTestWindowClass("X11MenuMain", MainProc));
    g_seen = Seen{};
    main_ = CreateWindowEx(0, "X11MenuMain", "Men\xFC test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 300,
                           nullptr, LoadMenu(nullptr, MAKEINTRESOURCE(31)), nullptr, nullptr);
    ASSERT_NE(main_, nullptr);
    // A short timer keeps the loops' wait for X events bounded while a menu is open.
    SetTimer(main_, 1, 20, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(main_) != 0; }));
    xwin_ = platform::backend::X11WindowOf(main_);
    XSetInputFocus(user_, xwin_, RevertToParent, CurrentTime);
    XSync(user_, False);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main_; }));
  }
  void TearDown() override {
    drv::OnMenuIdle(nullptr);
    if (g_seen.context) DestroyMenu(g_seen.context);
    g_seen = Seen{};
    if (user_) XCloseDisplay(user_);
    platform::backend::StopX11Display();
  }

  void MoveTo(POINT screen) {
    XTestFakeMotionEvent(user_, -1, screen.x, screen.y, CurrentTime);
    XSync(user_, False);
  }
  void Click(POINT screen, unsigned button = 1) {
    MoveTo(screen);
    XTestFakeButtonEvent(user_, button, True, CurrentTime);
    XTestFakeButtonEvent(user_, button, False, CurrentTime);
    XSync(user_, False);
  }
  void Key(KeySym sym, bool alt = false) {
    const KeyCode alt_code = XKeysymToKeycode(user_, XK_Alt_L);
    if (alt) XTestFakeKeyEvent(user_, alt_code, True, CurrentTime);
    XTestFakeKeyEvent(user_, XKeysymToKeycode(user_, sym), True, CurrentTime);
    XTestFakeKeyEvent(user_, XKeysymToKeycode(user_, sym), False, CurrentTime);
    if (alt) XTestFakeKeyEvent(user_, alt_code, False, CurrentTime);
    XSync(user_, False);
  }
  POINT BarItem(int i) {
    const RECT r = platform::gdi::MenuBarItemRects(main_)[static_cast<std::size_t>(i)];
    RECT w{};
    GetWindowRect(main_, &w);
    return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
  }
  // Item i of the innermost open menu, on the screen.
  static POINT MenuItem(int i) {
    HWND popup = platform::win::OpenMenuWindows().back();
    const RECT r = platform::gdi::LayoutPopupMenu(platform::win::MenuOfWindow(popup, nullptr)).items[static_cast<std::size_t>(i)];
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(popup, &p);
    return p;
  }
  // The screen around the main window (and what lies over it) as a picture, written to the test's temp folder.
  std::unique_ptr<platform::gdi::Surface> Screenshot(const char* file) {
    RECT w{};
    GetWindowRect(main_, &w);
    XImage* image = XGetImage(user_, DefaultRootWindow(user_), w.left, w.top, static_cast<unsigned>(w.right - w.left),
                              static_cast<unsigned>(w.bottom - w.top), AllPlanes, ZPixmap);
    auto copy = std::make_unique<platform::gdi::Surface>(w.right - w.left, w.bottom - w.top);
    if (!image) return copy;
    for (int y = 0; y < copy->height(); ++y)
      for (int x = 0; x < copy->width(); ++x) copy->Row(y)[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    XDestroyImage(image);
    copy->WritePng((std::filesystem::path(::testing::TempDir()) / file).string());
    return copy;
  }
  bool Picked(UINT id) const {
    for (UINT c : g_seen.commands)
      if (c == id) return true;
    return false;
  }
  // Whether the X server shows the open menu window (mapped, at the place the layer gave it).
  static bool MenuOnScreen(Display* d) {
    const auto open = platform::win::OpenMenuWindows();
    if (open.empty()) return false;
    const unsigned long w = platform::backend::X11WindowOf(open.back());
    XWindowAttributes a{};
    if (!w || !XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    RECT r{};
    GetWindowRect(open.back(), &r);
    return a.x == r.left && a.y == r.top;
  }

  xtest::VirtualServer server_;
  drv::Session session_;
  Display* user_ = nullptr;
  HWND main_ = nullptr;
  Window xwin_ = 0;
};

TEST_F(X11MenuTest, ClickOnTheBarThenOnAnItemPicksIt) {
  int rounds = 0;
  bool clicked = false;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (!clicked && MenuOnScreen(user_)) {
      clicked = true;
      Click(MenuItem(0));
    }
  });
  Click(BarItem(0));
  EXPECT_TRUE(PumpUntil([&] { return Picked(2000); }));
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(platform::win::OpenMenuWindows().empty());
}

TEST_F(X11MenuTest, AClickOutsideTheProgramClosesTheMenu) {
  int rounds = 0;
  bool clicked = false;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (!clicked && MenuOnScreen(user_)) {
      clicked = true;
      Click(POINT{760, 560});  // the bare screen, away from every window of the program
    }
  });
  Click(BarItem(1));
  EXPECT_TRUE(PumpUntil([&] { return clicked && platform::win::OpenMenuWindows().empty(); }));
  EXPECT_LT(rounds, 300);  // closed by the click, not by the test's limit
  EXPECT_TRUE(g_seen.commands.empty());
}

TEST_F(X11MenuTest, AltFOpensTheMenuByKeyboardAndItShowsOnTheScreen) {
  int rounds = 0;
  bool shot = false;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (shot || !MenuOnScreen(user_)) return;
    shot = true;
    // The menu is a pop-up the window manager leaves alone: no frame, no placement of its own.
    XWindowAttributes menu_attributes{};
    XGetWindowAttributes(user_, platform::backend::X11WindowOf(platform::win::OpenMenuWindows().back()), &menu_attributes);
    EXPECT_TRUE(menu_attributes.override_redirect);
    // The screen around the window and its open menu, as the user sees it.
    RECT w{};
    GetWindowRect(main_, &w);
    XImage* image = XGetImage(user_, DefaultRootWindow(user_), w.left, w.top, static_cast<unsigned>(w.right - w.left),
                              static_cast<unsigned>(w.bottom - w.top), AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    platform::gdi::Surface copy(w.right - w.left, w.bottom - w.top);
    for (int y = 0; y < copy.height(); ++y)
      for (int x = 0; x < copy.width(); ++x) copy.Row(y)[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    XDestroyImage(image);
    copy.WritePng((std::filesystem::path(::testing::TempDir()) / "x11_open_menu.png").string());
    // Opened by keyboard: the title and the first item are highlighted on the screen.
    const RECT title = platform::gdi::MenuBarItemRects(main_)[0];
    HWND popup = platform::win::OpenMenuWindows().back();
    RECT first = platform::gdi::LayoutPopupMenu(platform::win::MenuOfWindow(popup, nullptr)).items[0];
    RECT pw{};
    GetWindowRect(popup, &pw);
    EXPECT_EQ(copy.Pixel(title.left + 2, title.top + 2), 0x000080u);
    EXPECT_EQ(copy.Pixel(pw.left - w.left + first.left + 2, pw.top - w.top + first.top + 2), 0x000080u);
    Key(XK_x);  // E&xit
  });
  Key(XK_f, true);
  EXPECT_TRUE(PumpUntil([&] { return Picked(2003); }));
  EXPECT_TRUE(shot);
}

TEST_F(X11MenuTest, RightClickPicksFromTheContextMenu) {
  g_seen.context = CreatePopupMenu();
  AppendMenu(g_seen.context, MF_STRING, 2800, "&Copy");
  AppendMenu(g_seen.context, MF_STRING, 2801, "&Paste");
  bool clicked = false;
  int rounds = 0;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (!clicked && MenuOnScreen(user_)) {
      clicked = true;
      Click(MenuItem(1));
    }
  });
  POINT p{100, 80};
  ClientToScreen(main_, &p);
  Click(p, 3);
  EXPECT_TRUE(PumpUntil([&] { return g_seen.context_pick != 0; }));
  EXPECT_EQ(g_seen.context_pick, 2801u);
}

TEST_F(X11MenuTest, PointerIsMovedAndHeldInsideTheClipRectangle) {
  auto pointer = [&] {
    Window root, child;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(user_, DefaultRootWindow(user_), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return POINT{rx, ry};
  };
  SetCursorPos(123, 234);
  EXPECT_TRUE(PumpUntil([&] { return pointer().x == 123 && pointer().y == 234; }));
  POINT inside{50, 50};
  ClientToScreen(main_, &inside);
  const RECT clip{inside.x, inside.y, inside.x + 40, inside.y + 30};
  ClipCursor(&clip);
  MoveTo(POINT{inside.x + 150, inside.y + 100});  // over the window, outside the rectangle
  EXPECT_TRUE(PumpUntil([&] {
    const POINT p = pointer();
    return p.x == clip.right - 1 && p.y == clip.bottom - 1;
  })) << pointer().x << "," << pointer().y;
  ClipCursor(nullptr);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));  // shown over every window of the program (no error from the server)
  XSync(user_, False);
}

TEST_F(X11MenuTest, WindowManagerSeesOwnerTypeAndSizesAndItsCloseIsSysCommandClose) {
  static constexpr DialogItemTemplate kItems[] = {{IDOK, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 7, 50, 14}};
  static constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT, 20, 20, 100, 40, "Dialog",
                                          kItems, "MS Sans Serif", 8};
  HWND dialog = CreateDialogIndirectParam(nullptr, &kDialog, main_, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(dialog) != 0; }));
  const Window xdialog = platform::backend::X11WindowOf(dialog);
  Window owner = 0;
  ASSERT_TRUE(XGetTransientForHint(user_, xdialog, &owner));
  EXPECT_EQ(owner, xwin_);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(user_, xdialog, XInternAtom(user_, "_NET_WM_WINDOW_TYPE", False), 0, 1, False, XA_ATOM,
                               &type, &format, &count, &after, &data),
            Success);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(*reinterpret_cast<Atom*>(data), XInternAtom(user_, "_NET_WM_WINDOW_TYPE_DIALOG", False));
  XFree(data);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(user_, xwin_, &hints, &supplied));
  EXPECT_EQ(hints.min_width, 300);  // from WM_GETMINMAXINFO
  EXPECT_EQ(hints.min_height, 200);
  ASSERT_TRUE(XGetWMNormalHints(user_, xdialog, &hints, &supplied));
  EXPECT_EQ(hints.min_width, hints.max_width);  // no sizing frame: the size is fixed
  DestroyWindow(dialog);

  // The title as UTF-8 for the window manager.
  data = nullptr;
  ASSERT_EQ(XGetWindowProperty(user_, xwin_, XInternAtom(user_, "_NET_WM_NAME", False), 0, 64, False,
                               XInternAtom(user_, "UTF8_STRING", False), &type, &format, &count, &after, &data),
            Success);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), "Men\xC3\xBC test");
  XFree(data);

  // The keyboard goes to another program's window: this one turns inactive.
  const Window other = XCreateSimpleWindow(user_, DefaultRootWindow(user_), 600, 400, 50, 50, 0, 0, 0);
  XMapWindow(user_, other);
  XSync(user_, False);
  XSetInputFocus(user_, other, RevertToParent, CurrentTime);
  XSync(user_, False);
  EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == nullptr; }));

  // The window manager's close: WM_DELETE_WINDOW arrives as WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE closes it.
  g_seen.messages.clear();
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = xwin_;
  ev.xclient.message_type = XInternAtom(user_, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(user_, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(user_, xwin_, False, NoEventMask, &ev);
  XSync(user_, False);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main_); }));
  const std::vector<UINT> expected{WM_SYSCOMMAND, WM_CLOSE};
  EXPECT_EQ(g_seen.messages, expected);
}

TEST_F(X11MenuTest, AltSpaceOpensTheWindowMenuAndItsCloseClosesTheWindow) {
  int rounds = 0;
  bool shot = false;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (shot || !MenuOnScreen(user_)) return;
    shot = true;
    HWND popup = platform::win::OpenMenuWindows().back();
    EXPECT_EQ(platform::win::MenuOfWindow(popup, nullptr), GetSystemMenu(main_, FALSE));
    const auto screen = Screenshot("x11_window_menu.png");
    // Under the window-menu box, its first item (Restore, greyed) highlighted.
    RECT w{}, pw{};
    GetWindowRect(main_, &w);
    GetWindowRect(popup, &pw);
    const RECT box = platform::gdi::SystemMenuBoxRect(main_);
    EXPECT_EQ(pw.left, w.left + box.left);
    EXPECT_EQ(pw.top, w.top + box.bottom);
    const RECT first = platform::gdi::LayoutPopupMenu(platform::win::MenuOfWindow(popup, nullptr)).items[0];
    EXPECT_EQ(screen->Pixel(pw.left - w.left + first.left + 2, pw.top - w.top + first.top + 2), 0x000080u);
    Key(XK_q);  // no item has it: the owner is asked, then a beep
    Key(XK_c);  // &Close
  });
  Key(XK_space, true);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main_); }));
  EXPECT_TRUE(shot);
  std::erase(g_seen.messages, WM_ACTIVATE);  // the closing window's deactivation
  const std::vector<UINT> expected{WM_SYSCOMMAND, WM_MENUCHAR, WM_SYSCOMMAND, WM_CLOSE};
  EXPECT_EQ(g_seen.messages, expected);
  const std::vector<WPARAM> commands{SC_KEYMENU, SC_CLOSE};
  EXPECT_EQ(g_seen.syscommands, commands);
}

TEST_F(X11MenuTest, ClickOnTheWindowMenuBoxThenOnMinimize) {
  int rounds = 0;
  bool clicked = false;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 300) EndMenu();
    if (!clicked && MenuOnScreen(user_)) {
      clicked = true;
      Click(MenuItem(3));  // Restore, Move, Size, Mi&nimize
    }
  });
  RECT w{};
  GetWindowRect(main_, &w);
  const RECT box = platform::gdi::SystemMenuBoxRect(main_);
  // Acting as the window manager: the iconify request reaches the root window.
  XSelectInput(user_, DefaultRootWindow(user_), SubstructureNotifyMask);
  XSync(user_, False);
  const POINT box_point{w.left + (box.left + box.right) / 2, w.top + (box.top + box.bottom) / 2};
  Click(box_point);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(main_) != FALSE; }));
  const std::vector<WPARAM> commands{SC_MOUSEMENU, SC_MINIMIZE};
  EXPECT_EQ(g_seen.syscommands, commands);
  const Atom change_state = XInternAtom(user_, "WM_CHANGE_STATE", False);
  bool iconify_asked = false;
  PumpUntil([&] {
    XEvent ev{};
    while (XPending(user_)) {
      XNextEvent(user_, &ev);
      if (ev.type == ClientMessage && ev.xclient.window == xwin_ && ev.xclient.message_type == change_state &&
          ev.xclient.data.l[0] == IconicState)
        iconify_asked = true;
    }
    return iconify_asked;
  });
  EXPECT_TRUE(iconify_asked);
  XSelectInput(user_, DefaultRootWindow(user_), NoEventMask);

  // The window manager maps it again: restored; it unmaps it (iconifies) and maps it: minimized, then restored.
  auto wm = [&](bool map) {
    if (map) XMapWindow(user_, xwin_);
    else XUnmapWindow(user_, xwin_);
    XSync(user_, False);
  };
  wm(false);
  wm(true);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main_); }));
  wm(false);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(main_) != FALSE; }));
  wm(true);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main_); }));

  // Maximize fills the screen (no window manager: no panels), Restore brings back the place before.
  auto geometry = [&] {
    XWindowAttributes a{};
    XGetWindowAttributes(user_, xwin_, &a);
    return RECT{a.x, a.y, a.x + a.width, a.y + a.height};
  };
  auto same = [](const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  SendMessage(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  const RECT screen{0, 0, DisplayWidth(user_, DefaultScreen(user_)), DisplayHeight(user_, DefaultScreen(user_))};
  EXPECT_TRUE(PumpUntil([&] { return same(geometry(), screen); }));
  SendMessage(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return same(geometry(), w); }));

  // A real double click on the box closes the window.
  g_seen.messages.clear();
  Click(box_point);
  Click(box_point);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main_); }));
  EXPECT_EQ(std::count(g_seen.messages.begin(), g_seen.messages.end(), WM_CLOSE), 1);
}

TEST_F(X11MenuTest, WindowMenuMoveShiftsTheWindowOnTheScreenByKeys) {
  RECT before{};
  GetWindowRect(main_, &before);
  int rounds = 0;
  enum { kMenu, kMove, kDone } phase = kMenu;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 600) EndMenu();
    if (phase == kMenu && MenuOnScreen(user_)) {
      Key(XK_m);  // &Move
      phase = kMove;
    } else if (phase == kMove && platform::win::OpenMenuWindows().empty()) {
      Key(XK_Right);
      Key(XK_Right);
      Key(XK_Down);
      Key(XK_Return);
      phase = kDone;
    }
  });
  Key(XK_space, true);
  const int step = platform::win::kMoveSizeStep;
  auto on_screen = [&] {
    XWindowAttributes a{};
    XGetWindowAttributes(user_, xwin_, &a);
    return POINT{a.x, a.y};
  };
  EXPECT_TRUE(PumpUntil([&] {
    const POINT p = on_screen();
    return phase == kDone && p.x == before.left + 2 * step && p.y == before.top + step;
  })) << on_screen().x << "," << on_screen().y;
  RECT after{};
  GetWindowRect(main_, &after);
  EXPECT_EQ(after.left, before.left + 2 * step);
  EXPECT_EQ(after.top, before.top + step);
}

TEST_F(X11MenuTest, CascadeOpensWhenThePointerRestsOnItsItem) {
  int rounds = 0;
  enum { kHover, kWait, kPick } phase = kHover;
  std::size_t open_before_the_time = 0;
  drv::OnMenuIdle([&](HWND) {
    if (++rounds > 600) EndMenu();
    switch (phase) {
      case kHover:
        if (!MenuOnScreen(user_)) return;
        MoveTo(MenuItem(5));  // "Recent", by a real motion of the pointer
        phase = kWait;
        return;
      case kWait:
        if (platform::win::OpenMenuWindows().size() > 1) {
          phase = kPick;
          return;
        }
        if (HWND popup = platform::win::OpenMenuWindows().back(); popup) {
          int selected = -1;
          platform::win::MenuOfWindow(popup, &selected);
          if (selected != 5) return;  // the motion has not arrived yet
        }
        open_before_the_time = std::max(open_before_the_time, platform::win::OpenMenuWindows().size() - 1);
        // The pointer rests: time passes (the test's clock is virtual).
        platform::sys::AdvanceVirtualClock(std::int64_t{platform::win::kCascadeDelayMs} * 1000000);
        return;
      case kPick:
        if (MenuOnScreen(user_)) {
          Screenshot("x11_cascade.png");
          Click(MenuItem(0));
        }
        return;
    }
  });
  Click(BarItem(0));
  EXPECT_TRUE(PumpUntil([&] { return Picked(2015); }));
  EXPECT_EQ(open_before_the_time, 0u);
}

#ifdef ZPR_HAVE_XFIXES
TEST_F(X11MenuTest, OwnCursorIsShownWithItsPicture) {
  // A cross of black and white with a see-through background, pointing at its middle.
  static constexpr const char* kRows[] = {
      "......###......", "......#-#......", "......#-#......", "......#-#......", "......#-#......",
      "......#-#......", "#######-#######", "#-------------#", "#######-#######", "......#-#......",
      "......#-#......", "......#-#......", "......#-#......", "......#-#......", "......###......",
  };
  auto* module = reinterpret_cast<HINSTANCE>(0x7700);
  ASSERT_TRUE(platform::win::RegisterCursorResource(module, MAKEINTRESOURCE(272), platform::win::CursorPicture{7, 7, kRows}));
  int event = 0, error = 0;
  if (!XFixesQueryExtension(user_, &event, &error)) GTEST_SKIP() << "no XFixes";
  POINT inside{60, 60};
  ClientToScreen(main_, &inside);
  MoveTo(inside);
  SetCursor(LoadCursor(module, MAKEINTRESOURCE(272)));
  XFixesCursorImage* seen = nullptr;
  EXPECT_TRUE(PumpUntil([&] {
    if (seen) XFree(seen);
    seen = XFixesGetCursorImage(user_);
    return seen && seen->width == 15 && seen->height == 15;
  }));
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->xhot, 7);
  EXPECT_EQ(seen->yhot, 7);
  for (int y = 0; y < 15 && seen->width == 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      const auto argb = static_cast<std::uint32_t>(seen->pixels[y * 15 + x]);
      const char want = kRows[y][x];
      const std::uint32_t expected = want == '#' ? 0xFF000000u : want == '-' ? 0xFFFFFFFFu : 0u;
      EXPECT_EQ(argb, expected) << x << "," << y;
    }
  }
  XFree(seen);
}
#endif

}  // namespace

#endif  // ZPR_HAVE_XTEST
