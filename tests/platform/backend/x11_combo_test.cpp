// The dialog with every control kind on a real X display (a virtual X server), driven by real pointer input
// through the XTest extension: a click opens the combo box's list, which the server shows as an override-redirect
// window below the field; a click on a row picks it. The screen with the list open is written as
// x11_combo_open.png. Skipped without Xvfb.
#include <gtest/gtest.h>

#ifdef ZPR_HAVE_XTEST

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/backend/capture.h"
#include "platform/backend/x11_display.h"
#include "platform/gdi/surface.h"
#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/input.h"
#include "platform/win/popup.h"
#include "tests/platform/backend/every_control_dialog.h"
#include "tests/support/xvfb.h"

namespace {

namespace drv = platform::testing;

template <class Done>
bool PumpUntil(Done done) {
  for (int i = 0; i < 1500; ++i) {
    platform::backend::PumpX11Display();
    drv::PumpUntilIdle();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Whether the server shows a window of the layer where the layer placed it.
bool Shown(Display* d, HWND hwnd) {
  const unsigned long w = platform::backend::X11WindowOf(hwnd);
  XWindowAttributes a{};
  if (!w || !XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
  RECT r{};
  GetWindowRect(hwnd, &r);
  return a.x == r.left && a.y == r.top && a.override_redirect == (platform::win::IsPopupWindow(hwnd) ? True : False);
}

void Click(Display* user, POINT screen) {
  XTestFakeMotionEvent(user, -1, screen.x, screen.y, CurrentTime);
  XTestFakeButtonEvent(user, 1, True, CurrentTime);
  XTestFakeButtonEvent(user, 1, False, CurrentTime);
  XSync(user, False);
}

TEST(X11Combo, AUserOpensTheListWithAClickAndPicksARow) {
  xtest::VirtualServer server;
  if (server.display().empty()) GTEST_SKIP() << "no Xvfb";
  setenv("DISPLAY", server.display().c_str(), 1);
  drv::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  int event = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(user, &event, &error_base, &major, &minor)) GTEST_SKIP() << "no XTest";

  HWND dialog = CreateDialogIndirectParam(nullptr, &everycontrol::kDialog, nullptr, everycontrol::Proc, 0);
  ASSERT_TRUE(dialog);
  drv::AddModelessDialog(dialog);
  ASSERT_TRUE(PumpUntil([&] { return Shown(user, dialog); }));
  HWND combo = GetDlgItem(dialog, everycontrol::kCombo);
  platform::testing::MessageLog log(dialog, {WM_COMMAND});

  // A click on the field's button opens the list on its own override-redirect window.
  RECT box{};
  GetWindowRect(combo, &box);
  Click(user, POINT{box.right - 6, (box.top + box.bottom) / 2});
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(PumpUntil([&] { return GetComboBoxInfo(combo, &info) && info.hwndList && Shown(user, info.hwndList); }));
  RECT list{};
  GetWindowRect(info.hwndList, &list);
  EXPECT_EQ(list.top, box.bottom);
  EXPECT_EQ(GetActiveWindow(), dialog);

  // What the screen shows: the dialog and the open list, each as its surface holds it.
  RECT frame{};
  GetWindowRect(dialog, &frame);
  const int width = std::max(frame.right, list.right), height = std::max(frame.bottom, list.bottom);
  XImage* shot = XGetImage(user, DefaultRootWindow(user), 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                           AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  platform::gdi::Surface screen(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) screen.Row(y)[x] = static_cast<std::uint32_t>(XGetPixel(shot, x, y)) & 0xFFFFFF;
  XDestroyImage(shot);
  screen.WritePng((std::filesystem::path(::testing::TempDir()) / "x11_combo_open.png").string());
  auto list_surface = platform::backend::CaptureWindow(info.hwndList, true);
  ASSERT_TRUE(list_surface);
  int differ = 0;
  for (int y = 0; y < list_surface->height(); ++y)
    for (int x = 0; x < list_surface->width(); ++x)
      differ += screen.Pixel(list.left + x, list.top + y) != list_surface->Pixel(x, y);
  EXPECT_EQ(differ, 0);

  // A click on the fourth row picks it and closes the list.
  const int h = static_cast<int>(SendMessage(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
  POINT row{list.left + (list.right - list.left) / 3, 0};
  row.y = list.top + 1 + 3 * h + h / 2;
  Click(user, row);
  ASSERT_TRUE(PumpUntil([&] { return !SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0); }));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3);
  char text[16] = {};
  GetWindowText(combo, text, sizeof text);
  EXPECT_STREQ(text, "57600");
  const auto commands = log.Commands();
  EXPECT_NE(std::find(commands.begin(), commands.end(), platform::testing::Command{everycontrol::kCombo, CBN_SELCHANGE}),
            commands.end());
  EXPECT_TRUE(PumpUntil([&] {
    XWindowAttributes a{};
    return XGetWindowAttributes(user, platform::backend::X11WindowOf(info.hwndList), &a) && a.map_state == IsUnmapped;
  }));

  XCloseDisplay(user);
  drv::RemoveModelessDialog(dialog);
  DestroyWindow(dialog);
  platform::backend::StopX11Display();
}

}  // namespace

#endif  // ZPR_HAVE_XTEST
