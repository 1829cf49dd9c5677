// The scope library on a real X display (a virtual X server): its window over the host's window, the display's
// context menu opened by the right button and a mode picked from it by the keyboard, a zoom click, a channel
// captured and read out under the pointer, the capture moved by the Down arrow; a marker made from the menu and
// dragged by the mouse, the panel's buttons clicked (one with Ctrl held, the focus frame of "-" kept clear of it),
// the bit-mask dialog answered by the keyboard, the measurement window opened and the marker dragged again with
// its items keeping their values; and a screenshot of what the screen shows. Skipped where Xvfb or xdotool is not
// installed.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/afx/handle_map.h"
#include "platform/backend/capture.h"
#include "platform/backend/x11_display.h"
#include "platform/win/win.h"
#include "tests/scope/scope_panel_fixture.h"
#include "tests/support/xvfb_in_process.h"

namespace {

using xtest::in_process::PumpUntil;
using xtest::in_process::Xdotool;

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

TEST(ScopeX11, RealInputDrivesTheDisplay) {
  xtest::VirtualServer server("1024x768x24");
  if (server.display().empty() || access(xtest::kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  platform::testing::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  ASSERT_TRUE(platform::testing::RegisterTestWindowClass("ScopeX11Host", DefWindowProc));
  HWND host = CreateWindowEx(0, "ScopeX11Host", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                             nullptr, nullptr, nullptr);
  scope_test::ScopeLibrary scope;
  ASSERT_TRUE(scope.Load()) << platform::sys::LastLoadError();
  HWND window = scope.OpenWindow(host);
  ASSERT_NE(window, nullptr);
  scope.SetTitle("Trend");
  std::vector<double> ramp(1000), sine(1000);
  for (int i = 0; i < 1000; ++i) {
    ramp[static_cast<std::size_t>(i)] = i;
    sine[static_cast<std::size_t>(i)] = 80 * __builtin_sin(i / 40.0);
  }
  scope.Feed(0, 1, "sine", "V", sine, 3, 0, 1);
  scope.Feed(1, 2, "ramp", "rpm", ramp, 6, 0, 1);
  std::vector<double> count(1000);
  for (int i = 0; i < 1000; ++i) count[static_cast<std::size_t>(i)] = (i / 100) % 4;
  scope.Feed(2, 3, "count", "", count, 6, 4, 0);
  scope.SetTimeBase(1000);
  scope.SetTriggerFrame(200);
  scope.SetScopeColor(101, 0x505050);
  ASSERT_EQ(scope.ActivateWindow(), 1);
  ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(window) != 0; }));
  PumpUntil([] { return false; }, 30);
  const std::string xwin = std::to_string(platform::backend::X11WindowOf(window));

  HWND display = scope_test::Display(window);
  const scope::PlotLayout plot = scope_test::PlotOf(display);
  ASSERT_TRUE(plot.valid);
  RECT frame, d;
  GetWindowRect(window, &frame);
  GetWindowRect(display, &d);
  auto at = [&](int x, int y) {
    return std::vector<std::string>{"mousemove", "--window", xwin, std::to_string(d.left - frame.left + x),
                                    std::to_string(d.top - frame.top + y)};
  };
  auto grid_x = [&](int i) { return plot.plot.left + i * plot.x_step; };
  const int middle = plot.middle_y();

  // The context menu runs its own loop until it closes, so each xdotool run opens it and answers it in one go.
  // Zoom by its mnemonic, then a click at the middle zooms in around it.
  ASSERT_TRUE(Xdotool(Then(at(grid_x(5), middle), {"click", "3", "sleep", "0.3", "key", "o"})));
  ASSERT_TRUE(Xdotool(Then(at(grid_x(5), middle), {"click", "1"})));
  // Capture the ramp: the menu's fifth command (Selection, Pan, Zoom, sine, ramp, count) by the arrows and Return; a
  // click starts the read-out.
  ASSERT_TRUE(Xdotool(Then(at(grid_x(3), middle), {"click", "3", "sleep", "0.3", "key", "Down", "Down", "Down", "Down",
                                                    "Down", "Return"})));
  ASSERT_TRUE(Xdotool(Then(at(grid_x(3), middle), {"click", "1"})));
  EXPECT_TRUE(PumpUntil([&] { return scope_test::StatusText(window) == "ramp: 600 ms, 800.0 rpm"; }))
      << scope_test::StatusText(window);
  // Down moves the capture to the sine, through the scope window's keyboard navigation.
  ASSERT_TRUE(Xdotool({"key", "--window", xwin, "Down"}));
  EXPECT_TRUE(PumpUntil([&] { return scope_test::StatusText(window).rfind("sine: 600 ms, ", 0) == 0; }))
      << scope_test::StatusText(window);

  // Back to the selection mode (the menu's first item), then a new time marker by its mnemonic: M1 with A one
  // division left of the middle (700 ms) and B on the last sample (799 ms). A is dragged one division left.
  ASSERT_TRUE(Xdotool(Then(at(grid_x(3), middle), {"click", "3", "sleep", "0.3", "key", "Down", "Return"})));
  ASSERT_TRUE(Xdotool(Then(at(grid_x(3), middle), {"click", "3", "sleep", "0.3", "key", "m"})));
  HWND panel = scope_test::Panel(window);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return platform::testing::ItemText(panel, 1559) == "M1"; }));
  const scope::PlotLayout marked = scope_test::PlotOf(display, true, false);
  const int b_from = marked.plot.left + 4 * marked.x_step, b_to = marked.plot.left + 3 * marked.x_step;
  const int marker_y = marked.plot.top + marked.y_step / 2;
  ASSERT_TRUE(Xdotool(Then(Then(at(b_from + 1, marker_y), {"mousedown", "1", "sleep", "0.1"}),
                           Then(at(b_to + 1, marker_y), {"sleep", "0.1", "mouseup", "1"}))));
  EXPECT_TRUE(PumpUntil([&] { return platform::testing::Checked(panel, 1127); })) << "A was pressed";

  PumpUntil([] { return false; }, 30);
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  const int width = RectWidth(frame), height = RectHeight(frame);
  XImage* shot = XGetImage(user, std::stoul(xwin), 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                           AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  const int dx = d.left - frame.left, dy = d.top - frame.top;
  EXPECT_EQ(XGetPixel(shot, dx + marked.plot.left + 2 * marked.x_step, dy + marked.plot.bottom - 2) & 0xFFFFFF,
            0x505050u)
      << "grid line";
  EXPECT_EQ(XGetPixel(shot, dx + 2, dy + 2) & 0xFFFFFF, 0x000000u) << "background";
  int b_pixels = 0, old_b_pixels = 0;
  for (int y = marked.plot.top; y < marked.plot.bottom; ++y) {
    b_pixels += (XGetPixel(shot, dx + b_to, dy + y) & 0xFFFFFF) == 0xFFFFFFu;
    old_b_pixels += (XGetPixel(shot, dx + b_from, dy + y) & 0xFFFFFF) == 0xFFFFFFu;
  }
  EXPECT_GT(b_pixels, 20) << "the dashed A line where it was dropped";
  EXPECT_EQ(old_b_pixels, 0);
  cairo_surface_t* png = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(shot->data),
                                                             CAIRO_FORMAT_RGB24, width, height, shot->bytes_per_line);
  EXPECT_EQ(cairo_surface_write_to_png(png, ZPR_BIN_DIR "/../scope_x11.png"), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(png);
  XDestroyImage(shot);

  // The panel's buttons by real clicks: one time step finer, then Ctrl+coarser autoscales the time axis.
  auto on_panel = [&](int id) {
    RECT r;
    GetWindowRect(GetDlgItem(panel, id), &r);
    return std::vector<std::string>{"mousemove", "--window", xwin, std::to_string((r.left + r.right) / 2 - frame.left),
                                    std::to_string((r.top + r.bottom) / 2 - frame.top)};
  };
  ASSERT_TRUE(Xdotool(Then(on_panel(1067), {"click", "1"})));
  EXPECT_TRUE(PumpUntil([&] { return platform::testing::ItemText(panel, 1290) == "50 ms / DIV"; }))
      << platform::testing::ItemText(panel, 1290);
  // The clicked button has the focus: its "-" stays clear of the focus rectangle.
  PumpUntil([] { return false; }, 10);
  {
    RECT b;
    GetWindowRect(GetDlgItem(panel, 1067), &b);
    XImage* button = XGetImage(user, std::stoul(xwin), b.left - frame.left, b.top - frame.top,
                               static_cast<unsigned>(RectWidth(b)), static_cast<unsigned>(RectHeight(b)), AllPlanes,
                               ZPixmap);
    ASSERT_NE(button, nullptr);
    // The dash's row, inside the raised edge, holds the dash alone (no dot of the focus frame beside it).
    int dash_rows = 0;
    for (int y = 3; y + 3 < RectHeight(b); ++y) {
      std::string row;
      for (int x = 2; x + 2 < RectWidth(b); ++x) row += (XGetPixel(button, x, y) & 0xFFFFFF) == 0 ? '#' : '.';
      const std::size_t dash = row.find("###");
      if (dash == std::string::npos || row.find_first_of('#') != dash || row.find_last_of('#') < dash + 2) continue;
      if (row.find_first_of('#', row.find_first_not_of('#', dash)) != std::string::npos) continue;
      ++dash_rows;
    }
    EXPECT_EQ(dash_rows, 1) << "the dash alone on its row";
    cairo_surface_t* png = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(button->data),
                                                               CAIRO_FORMAT_RGB24, RectWidth(b), RectHeight(b),
                                                               button->bytes_per_line);
    EXPECT_EQ(cairo_surface_write_to_png(png, ZPR_BIN_DIR "/../scope_x11_focus.png"), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(png);
    XDestroyImage(button);
  }
  ASSERT_TRUE(Xdotool(Then(on_panel(1066), {"keydown", "ctrl", "click", "1", "keyup", "ctrl"})));
  EXPECT_TRUE(PumpUntil([&] { return platform::testing::ItemText(panel, 1290) == "100 ms / DIV"; }))
      << platform::testing::ItemText(panel, 1290);
  // The count's options: the bit-mask dialog runs modally, so one xdotool run opens it and answers it: Space
  // switches "Binary representation" on, Return is OK.
  ASSERT_TRUE(Xdotool(Then(on_panel(1106), {"click", "1"})));
  EXPECT_TRUE(PumpUntil([&] { return platform::testing::ItemText(panel, 1292) == "count"; }));
  const auto count_pixels = [&] {
    const auto surface = platform::backend::CaptureWindow(display);
    int n = 0;
    for (int y = marked.plot.top; surface && y < marked.plot.bottom; ++y)
      for (int x = marked.plot.left; x < marked.plot.right; ++x) n += surface->Pixel(x, y) == platform::gdi::ToPixel(0x00FFFF);
    return n;
  };
  const int analogue = count_pixels();
  ASSERT_TRUE(Xdotool(Then(on_panel(1072), {"click", "1", "sleep", "0.5", "key", "space", "sleep", "0.1", "key",
                                            "Return"})));
  EXPECT_TRUE(PumpUntil([&] { return count_pixels() > 4 * analogue; })) << "sixteen bit lanes instead of one trace";
  // The measurement window shows the tree of both channels and the marker.
  ASSERT_TRUE(Xdotool(Then(on_panel(1073), {"click", "1"})));
  HWND measure = nullptr;
  EXPECT_TRUE(PumpUntil([&] { return (measure = platform::testing::FindDialog(400)) != nullptr; }));
  ASSERT_NE(measure, nullptr);
  EXPECT_EQ(platform::testing::Text(measure), "measurement values");
  // With the window open, A is dragged from 600 ms to 400 ms (the time axis autoscaled: 100 ms a division, the
  // trigger on grid line 2): the items follow it and keep their values after the release.
  HWND tree = GetDlgItem(measure, 1723);
  const scope::PlotLayout now = scope_test::PlotOf(display, true, false);
  const int a_from = now.plot.left + 8 * now.x_step, a_to = now.plot.left + 6 * now.x_step;
  const auto shows = [&](const std::string& text) {
    const std::vector<std::string> texts = scope_test::TreeTexts(tree);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  };
  EXPECT_TRUE(shows("      value in M1A: 800.0 rpm"));
  ASSERT_TRUE(Xdotool(Then(Then(at(a_from + 1, marker_y), {"mousedown", "1", "sleep", "0.1"}),
                           Then(at(a_to + 1, marker_y), {"sleep", "0.1", "mouseup", "1"}))));
  EXPECT_TRUE(PumpUntil([&] { return shows("      value in M1A: 600.0 rpm"); }));
  PumpUntil([] { return false; }, 50);
  for (const std::string& text : scope_test::TreeTexts(tree)) EXPECT_EQ(text.find("???"), std::string::npos) << text;
  EXPECT_TRUE(shows("      interval: 600 ms bis 999 ms (399 ms)"));
  // The whole screen: the scope window with its panel and the measurement window.
  XImage* screen = XGetImage(user, DefaultRootWindow(user), 0, 0, 1024, 768, AllPlanes, ZPixmap);
  ASSERT_NE(screen, nullptr);
  cairo_surface_t* whole = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(screen->data),
                                                               CAIRO_FORMAT_RGB24, 1024, 768, screen->bytes_per_line);
  EXPECT_EQ(cairo_surface_write_to_png(whole, ZPR_BIN_DIR "/../scope_x11_screen.png"), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(whole);
  XDestroyImage(screen);
  XCloseDisplay(user);

  // The window manager's close goes through the system-menu Close.
  SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(PumpUntil([&] { return scope.GetWindowHandle() == nullptr; }));
  ASSERT_TRUE(scope.Unload());
  EXPECT_EQ(afx::BoundWindowCount(), 0u);
  DestroyWindow(host);
  platform::backend::StopX11Display();
}

}  // namespace
