// Window DCs on the surfaces of top-level windows, and what a capture of a window shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/backend/capture.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/testing/driver.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

COLORREF g_paint_colour = RGB(255, 0, 0);
int g_paints = 0;

LRESULT PaintProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    ++g_paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    HBRUSH b = CreateSolidBrush(g_paint_colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  }
  if (m == WM_ERASEBKGND) return 1;
  return DefWindowProc(h, m, w, l);
}

class WindowDcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("GdiPaintTest", PaintProc));
    g_paint_colour = RGB(255, 0, 0);
    g_paints = 0;
  }
  HWND Top(DWORD style = WS_POPUP | WS_VISIBLE) {
    return CreateWindowEx(0, "GdiPaintTest", "top", style, 40, 30, 200, 120, nullptr, nullptr, nullptr, nullptr);
  }
  HWND Child(HWND parent, int x, int y, int w, int h) {
    return CreateWindowEx(0, "GdiPaintTest", "child", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr,
                          nullptr);
  }
  platform::testing::Session session_;
};

TEST_F(WindowDcTest, AChildDrawsOnItsTopLevelSurfaceAtItsClientOrigin) {
  HWND top = Top();
  HWND child = Child(top, 10, 20, 50, 30);
  platform::testing::PumpUntilIdle();
  HDC dc = GetDC(child);
  ASSERT_NE(dc, nullptr);
  SetPixel(dc, 0, 0, RGB(0, 0, 255));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  SelectObject(dc, pen);
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 150, 5);  // runs out of the child's client area
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  ReleaseDC(child, dc);
  EXPECT_EQ(platform::backend::WindowPixel(top, 10, 20), RGB(0, 0, 255));
  EXPECT_EQ(platform::backend::WindowPixel(child, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(platform::backend::WindowPixel(top, 59, 25), RGB(0, 255, 0));
  EXPECT_NE(platform::backend::WindowPixel(top, 60, 25), RGB(0, 255, 0));  // clipped at the child's right edge
  DestroyWindow(top);
}

TEST_F(WindowDcTest, AncestorsClipTheirChildren) {
  HWND top = Top();
  HWND inner = Child(top, 150, 100, 100, 100);  // reaches past the parent's client area
  platform::testing::PumpUntilIdle();
  HDC dc = GetDC(inner);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.right, 50);
  EXPECT_EQ(box.bottom, 20);
  ReleaseDC(inner, dc);
  DestroyWindow(top);
}

TEST_F(WindowDcTest, PaintingFollowsInvalidation) {
  HWND top = Top();
  platform::testing::PumpUntilIdle();
  EXPECT_GT(g_paints, 0);
  EXPECT_EQ(platform::backend::WindowPixel(top, 100, 60), RGB(255, 0, 0));
  g_paint_colour = RGB(0, 0, 255);
  InvalidateRect(top, nullptr, FALSE);
  platform::testing::PumpUntilIdle();
  EXPECT_EQ(platform::backend::WindowPixel(top, 100, 60), RGB(0, 0, 255));
  DestroyWindow(top);
}

TEST_F(WindowDcTest, TheSurfaceFollowsTheWindowsSizeAndGoesWithIt) {
  HWND top = Top();
  platform::testing::PumpUntilIdle();
  ASSERT_NE(platform::gdi::FindTopLevelSurface(top), nullptr);
  MoveWindow(top, 40, 30, 300, 50, TRUE);
  platform::testing::PumpUntilIdle();
  auto shot = platform::backend::CaptureWindow(top);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->width(), 300);
  EXPECT_EQ(shot->height(), 50);
  EXPECT_EQ(platform::backend::WindowPixel(top, 299, 49), RGB(255, 0, 0));
  const auto png = std::filesystem::path(::testing::TempDir()) / "gdi_window_capture.png";
  EXPECT_TRUE(platform::backend::SaveWindowPng(top, png.string()));
  EXPECT_TRUE(std::filesystem::exists(png));
  std::filesystem::remove(png);
  DestroyWindow(top);
  EXPECT_EQ(platform::gdi::FindTopLevelSurface(top), nullptr);
  EXPECT_EQ(GetDC(top), nullptr);
}

TEST_F(WindowDcTest, AWholeWindowDcStartsAtTheFrame) {
  HWND top = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  platform::testing::PumpUntilIdle();
  HDC whole = GetWindowDC(top);
  SetPixel(whole, 0, 0, RGB(0, 255, 0));
  ReleaseDC(top, whole);
  auto frame = platform::backend::CaptureWindow(top, true);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Pixel(0, 0), 0x00FF00u);
  RECT client;
  GetClientRect(top, &client);
  RECT window;
  GetWindowRect(top, &window);
  EXPECT_EQ(frame->width(), window.right - window.left);
  EXPECT_GT(frame->height(), client.bottom);  // the caption lies outside the client area
  DestroyWindow(top);
}

}  // namespace

namespace {

TEST(ScreenDc, GetDcOfNoWindowMeasuresAndDrawsOnTheScreen) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  SIZE ext;
  EXPECT_TRUE(GetTextExtentPoint32(screen, "Hz", 2, &ext));
  EXPECT_GT(ext.cx, 0);
  EXPECT_EQ(SetPixel(screen, 5, 5, RGB(1, 2, 3)), RGB(1, 2, 3));
  ReleaseDC(nullptr, screen);
}

}  // namespace
