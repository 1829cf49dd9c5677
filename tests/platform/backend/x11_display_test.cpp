// The X11 display under a virtual X server: typing into an edit, clicking a button and a screenshot that
// matches the window's surface. Skipped where Xvfb is not installed.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/backend/capture.h"
#include "platform/backend/x11_display.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/standard_controls.h"
#include "platform/gdi/sys_colors.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"
#include "tests/support/xvfb.h"

namespace {

int g_ok = 0;

INT_PTR DialogProc(HWND, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_COMMAND && LOWORD(w) == IDOK && HIWORD(w) == BN_CLICKED) {
    ++g_ok;
    return TRUE;
  }
  return FALSE;
}

constexpr DialogItemTemplate kItems[] = {
    {100, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 7, 120, 12},
    {IDOK, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 26, 50, 14},
};
constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT, 20, 20, 140, 48, "Smoke",
                                 kItems, "MS Sans Serif", 8};

void SendKey(Display* d, Window w, KeySym sym) {
  for (int type : {KeyPress, KeyRelease}) {
    XEvent ev{};
    ev.xkey.type = type;
    ev.xkey.display = d;
    ev.xkey.window = w;
    ev.xkey.root = DefaultRootWindow(d);
    ev.xkey.keycode = XKeysymToKeycode(d, sym);
    ev.xkey.same_screen = True;
    XSendEvent(d, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &ev);
  }
  XSync(d, False);
}

void SendClick(Display* d, Window w, int x, int y) {
  for (int type : {ButtonPress, ButtonRelease}) {
    XEvent ev{};
    ev.xbutton.type = type;
    ev.xbutton.display = d;
    ev.xbutton.window = w;
    ev.xbutton.root = DefaultRootWindow(d);
    ev.xbutton.x = x;
    ev.xbutton.y = y;
    ev.xbutton.button = Button1;
    ev.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
    ev.xbutton.same_screen = True;
    XSendEvent(d, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &ev);
  }
  XSync(d, False);
}

template <class Done>
bool PumpUntil(Done done) {
  for (int i = 0; i < 500; ++i) {
    platform::backend::PumpX11Display();
    platform::testing::PumpUntilIdle();
    if (done()) return true;
  }
  return false;
}

TEST(X11Display, WithoutDisplayItSaysSoClearly) {
  const char* old = std::getenv("DISPLAY");
  const std::string saved = old ? old : "";
  unsetenv("DISPLAY");
  std::string error;
  EXPECT_FALSE(platform::backend::StartX11Display(&error));
  EXPECT_NE(error.find("DISPLAY"), std::string::npos);
  EXPECT_FALSE(platform::backend::X11DisplayActive());
  if (old) setenv("DISPLAY", saved.c_str(), 1);
}

TEST(X11Display, TypesIntoAnEditClicksAButtonAndShowsTheSurface) {
  xtest::VirtualServer server;
  if (server.display().empty()) GTEST_SKIP() << "no Xvfb";
  setenv("DISPLAY", server.display().c_str(), 1);
  platform::testing::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;

  g_ok = 0;
  HWND dialog = CreateDialogIndirectParam(nullptr, &kDialog, nullptr, DialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  platform::testing::AddModelessDialog(dialog);
  HWND edit = GetDlgItem(dialog, 100);
  HWND button = GetDlgItem(dialog, IDOK);
  platform::testing::PumpUntilIdle();
  SetFocus(edit);
  const Window xwin = platform::backend::X11WindowOf(dialog);
  ASSERT_NE(xwin, 0u);

  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  SendKey(user, xwin, XK_a);
  SendKey(user, xwin, XK_b);
  char text[16] = {};
  EXPECT_TRUE(PumpUntil([&] {
    GetWindowText(edit, text, sizeof(text));
    return std::string(text) == "ab";
  })) << text;
  // The X window shows the whole dialog: click the middle of the button in its coordinates.
  RECT frame, b;
  GetWindowRect(dialog, &frame);
  GetWindowRect(button, &b);
  SendClick(user, xwin, (b.left + b.right) / 2 - frame.left, (b.top + b.bottom) / 2 - frame.top);
  EXPECT_TRUE(PumpUntil([] { return g_ok == 1; }));

  // The dialog and its controls painted as their WM_PAINT does; the server shows what the surface holds.
  HDC dc = GetDC(dialog);
  RECT client;
  GetClientRect(dialog, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  ReleaseDC(dialog, dc);
  for (HWND control : {edit, button}) {
    HDC cdc = GetDC(control);
    platform::gdi::PaintStandardControl(control, cdc);
    ReleaseDC(control, cdc);
  }
  platform::testing::PumpUntilIdle();
  platform::backend::PumpX11Display();
  auto surface = platform::backend::CaptureWindow(dialog, true);
  ASSERT_NE(surface, nullptr);
  XImage* shot = XGetImage(user, xwin, 0, 0, static_cast<unsigned>(surface->width()),
                           static_cast<unsigned>(surface->height()), AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  int differ = 0;
  platform::gdi::Surface copy(surface->width(), surface->height());
  for (int y = 0; y < surface->height(); ++y)
    for (int x = 0; x < surface->width(); ++x) {
      const auto p = static_cast<std::uint32_t>(XGetPixel(shot, x, y)) & 0xFFFFFF;
      copy.Row(y)[x] = p;
      differ += p != surface->Pixel(x, y);
    }
  XDestroyImage(shot);
  EXPECT_EQ(differ, 0);
  copy.WritePng((std::filesystem::path(::testing::TempDir()) / "gdi_x11_screenshot.png").string());
  XCloseDisplay(user);
  platform::testing::RemoveModelessDialog(dialog);
  DestroyWindow(dialog);
  platform::backend::StopX11Display();
}

}  // namespace
