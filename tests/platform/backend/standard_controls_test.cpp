// The built-in controls painted from their state, and window frames.
#include <gtest/gtest.h>

#include "platform/backend/capture.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/standard_controls.h"
#include "platform/gdi/sys_colors.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace {

LRESULT Plain(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class StandardControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("GdiControlsHost", Plain));
    top_ = CreateWindowEx(0, "GdiControlsHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                          nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(top_); }
  HWND Control(const char* cls, const char* text, DWORD style, int x, int y, int w, int h) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top_, nullptr, nullptr, nullptr);
  }
  static void Paint(HWND control) {
    HDC dc = GetDC(control);
    ASSERT_TRUE(platform::gdi::PaintStandardControl(control, dc));
    ReleaseDC(control, dc);
  }
  static int Count(HWND hwnd, COLORREF c) {
    RECT r;
    GetClientRect(hwnd, &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) n += platform::backend::WindowPixel(hwnd, x, y) == c;
    return n;
  }
  platform::testing::Session session_;
  HWND top_ = nullptr;
};

TEST_F(StandardControlsTest, ACheckedBoxShowsItsTickAndAClearOneDoesNot) {
  HWND box = Control("BUTTON", "Frame", BS_AUTOCHECKBOX, 10, 10, 120, 16);
  platform::testing::PumpUntilIdle();
  Paint(box);
  const int text_only = Count(box, RGB(0, 0, 0));
  SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
  Paint(box);
  EXPECT_GT(Count(box, RGB(0, 0, 0)), text_only + 5);
}

TEST_F(StandardControlsTest, AnEditShowsItsTextAndADisabledOneGreysIt) {
  HWND edit = Control("EDIT", "50 Hz", WS_BORDER, 10, 40, 120, 22);
  platform::testing::PumpUntilIdle();
  Paint(edit);
  EXPECT_GT(Count(edit, GetSysColor(COLOR_WINDOWTEXT)), 10);
  EnableWindow(edit, FALSE);
  Paint(edit);
  EXPECT_EQ(Count(edit, GetSysColor(COLOR_WINDOWTEXT)), 0);
  EXPECT_GT(Count(edit, GetSysColor(COLOR_GRAYTEXT)), 10);
}

TEST_F(StandardControlsTest, AListHighlightsItsSelection) {
  HWND list = Control("LISTBOX", "", 0, 150, 10, 100, 80);
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("COM1"));
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("COM2"));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  platform::testing::PumpUntilIdle();
  Paint(list);
  EXPECT_GT(Count(list, GetSysColor(COLOR_HIGHLIGHT)), 50);
}

TEST_F(StandardControlsTest, UnknownClassesAreLeftAlone) {
  HWND own = Control("GdiControlsHost", "", 0, 0, 0, 10, 10);
  HDC dc = GetDC(own);
  EXPECT_FALSE(platform::gdi::PaintStandardControl(own, dc));
  ReleaseDC(own, dc);
}

TEST_F(StandardControlsTest, AShownWindowGetsItsCaptionBar) {
  platform::testing::PumpUntilIdle();
  auto frame = platform::backend::CaptureWindow(top_, true);
  ASSERT_NE(frame, nullptr);
  POINT o{0, 0};
  ClientToScreen(top_, &o);
  RECT w;
  GetWindowRect(top_, &w);
  const int border = o.x - w.left;
  const COLORREF caption = platform::gdi::ToColorRef(frame->Pixel(frame->width() - border - 2, border + 2));
  EXPECT_EQ(caption, GetSysColor(COLOR_ACTIVECAPTION));
}

}  // namespace
