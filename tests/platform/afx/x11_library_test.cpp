// The class-layer test library on a real X display (a virtual X server): its modeless dialog shows over the
// host's window, a real click on its view reaches the view's message map and the dialog's, Escape from the
// keyboard reaches the dialog through the layer's message filter, and the screen shows what the view painted.
// Skipped where Xvfb or xdotool is not installed.
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
#include "platform/sys/dynamic_library.h"
#include "platform/testing/driver.h"
#include "platform/win/window.h"
#include "tests/support/xvfb_in_process.h"

namespace {

using xtest::in_process::PumpUntil;
using xtest::in_process::Xdotool;

std::string TakeLog(HMODULE module) {
  auto take = reinterpret_cast<int (*)(char*, int)>(GetProcAddress(module, "AfxProbe_TakeLog"));
  std::string text(4096, '\0');
  text.resize(static_cast<std::size_t>(take(text.data(), static_cast<int>(text.size()))));
  return text;
}

TEST(AfxX11Library, ALoadedLibrarysDialogTakesRealInputAndShowsItsPainting) {
  xtest::VirtualServer server;
  if (server.display().empty() || access(xtest::kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  platform::testing::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  ASSERT_TRUE(platform::testing::RegisterTestWindowClass("AfxX11Host", DefWindowProc));
  HWND host = CreateWindowEx(0, "AfxX11Host", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 550, nullptr,
                             nullptr, nullptr, nullptr);
  HMODULE module = LoadLibraryA("AfxProbe.dll");
  ASSERT_NE(module, nullptr) << platform::sys::LastLoadError();
  auto open = reinterpret_cast<HWND (*)(HWND)>(GetProcAddress(module, "AfxProbe_Open"));
  auto window = reinterpret_cast<HWND (*)(int)>(GetProcAddress(module, "AfxProbe_Window"));
  HWND dialog = open(host);
  ASSERT_NE(dialog, nullptr);
  HWND view = window(1);
  ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(dialog) != 0; }));
  const std::string xwin = std::to_string(platform::backend::X11WindowOf(dialog));
  TakeLog(module);

  RECT frame, v;
  GetWindowRect(dialog, &frame);
  GetWindowRect(view, &v);
  const int vx = v.left - frame.left, vy = v.top - frame.top;
  ASSERT_TRUE(Xdotool({"mousemove", "--window", xwin, std::to_string(vx + 12), std::to_string(vy + 20), "click", "1"}));
  EXPECT_TRUE(PumpUntil([&] { return TakeLog(module) == "view lbuttondown 12,20\nchannel 7\n"; }));

  // The screen shows the view's painting: black with a green diagonal.
  PumpUntil([] { return false; }, 20);
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  const int width = RectWidth(frame), height = RectHeight(frame);
  XImage* shot = XGetImage(user, std::stoul(xwin), 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                           AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  auto pixel = [&](int x, int y) { return XGetPixel(shot, x, y) & 0xFFFFFF; };
  EXPECT_EQ(pixel(vx + 20, vy + 20 * RectHeight(v) / RectWidth(v)), 0x00FF00u) << "on the diagonal";
  EXPECT_EQ(pixel(vx + RectWidth(v) - 5, vy + 5), 0x000000u) << "off the diagonal";
  cairo_surface_t* png = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(shot->data),
                                                             CAIRO_FORMAT_RGB24, width, height, shot->bytes_per_line);
  EXPECT_EQ(cairo_surface_write_to_png(png, ZPR_BIN_DIR "/../afx_x11_library.png"), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(png);
  XDestroyImage(shot);
  XCloseDisplay(user);

  // Escape from the keyboard: the dialog's own PreTranslateMessage hands it to the dialog manager, which cancels.
  ASSERT_TRUE(Xdotool({"key", "--window", xwin, "Escape"}));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog); }));

  ASSERT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(afx::BoundWindowCount(), 0u);
  DestroyWindow(host);
  platform::backend::StopX11Display();
}

}  // namespace
