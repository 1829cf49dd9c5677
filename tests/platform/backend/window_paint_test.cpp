// Background erase, the colours parents give their controls (WM_CTLCOLOR*), and the combo box's list pop-up on
// its own surface.
#include <gtest/gtest.h>

#include "platform/backend/capture.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::backend::WindowPixel;

constexpr int kLabel = 30;
constexpr int kCheck = 31;
constexpr int kEdit = 32;
constexpr int kCombo = 33;
constexpr DialogItemTemplate kItems[] = {
    {kLabel, WC_STATIC, "Frequenz", SS_LEFT, 5, 5, 60, 10},
    {kCheck, WC_BUTTON, "Aktiv", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 20, 60, 10},
    {kEdit, WC_EDIT, "50", WS_BORDER | WS_TABSTOP, 70, 5, 40, 12},
    {kCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 70, 25, 60, 40},
};
constexpr DialogTemplate kPage{WS_POPUP | WS_VISIBLE, 0, 0, 160, 80, "", kItems};

constexpr COLORREF kPageColour = RGB(0, 0, 160);
constexpr COLORREF kLabelText = RGB(255, 255, 0);
constexpr COLORREF kLabelBack = RGB(0, 128, 0);
bool g_coloured = false;
HBRUSH g_page_brush = nullptr;
HBRUSH g_label_brush = nullptr;

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (!g_coloured) return FALSE;
  if (message == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(g_page_brush);
  if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == kLabel) {
    SetTextColor(reinterpret_cast<HDC>(wparam), kLabelText);
    return reinterpret_cast<INT_PTR>(g_label_brush);
  }
  return FALSE;
}

class WindowPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_page_brush = CreateSolidBrush(kPageColour);
    g_label_brush = CreateSolidBrush(kLabelBack);
    page_ = CreateDialogIndirectParam(nullptr, &kPage, nullptr, PageProc, 0);
    ASSERT_TRUE(page_);
    drv::AddModelessDialog(page_);
    drv::PumpUntilIdle();
  }
  void TearDown() override {
    g_coloured = false;
    DestroyWindow(page_);
    DeleteObject(g_page_brush);
    DeleteObject(g_label_brush);
  }
  HWND Item(int id) { return GetDlgItem(page_, id); }
  static int Count(HWND hwnd, COLORREF c) {
    RECT r;
    GetClientRect(hwnd, &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) n += WindowPixel(hwnd, x, y) == c;
    return n;
  }
  // The colour at the middle of a control, read on the dialog.
  COLORREF UnderControl(int id) {
    RECT r{};
    GetWindowRect(Item(id), &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(page_, &p);
    return WindowPixel(page_, p.x, p.y);
  }
  drv::Session session_;
  HWND page_ = nullptr;
};

TEST_F(WindowPaintTest, ADialogErasesWithTheFaceColourAndAHiddenControlLeavesNothing) {
  EXPECT_EQ(WindowPixel(page_, 2, 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(Count(Item(kEdit), GetSysColor(COLOR_WINDOW)), 50);
  ShowWindow(Item(kEdit), SW_HIDE);
  drv::PumpUntilIdle();
  EXPECT_EQ(UnderControl(kEdit), GetSysColor(COLOR_BTNFACE));
  ShowWindow(Item(kEdit), SW_SHOW);
  drv::PumpUntilIdle();
  EXPECT_EQ(UnderControl(kEdit), GetSysColor(COLOR_WINDOW));
}

TEST_F(WindowPaintTest, TheParentsColoursReachTheDialogAndItsStatics) {
  g_coloured = true;
  InvalidateRect(page_, nullptr, TRUE);
  drv::PumpUntilIdle();
  EXPECT_EQ(WindowPixel(page_, 2, 2), kPageColour);
  // The label takes its text and background colour from the dialog; the edit keeps the system colours, and the
  // controls painted after the dialog's erase still show.
  EXPECT_GT(Count(Item(kLabel), kLabelBack), 50);
  EXPECT_GT(Count(Item(kLabel), kLabelText), 10);
  EXPECT_EQ(Count(Item(kCheck), kLabelText), 0);
  EXPECT_GT(Count(Item(kEdit), GetSysColor(COLOR_WINDOW)), 50);
  EXPECT_EQ(Count(Item(kEdit), kPageColour), 0);
}

LRESULT BrushHost(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST_F(WindowPaintTest, AWindowErasesWithItsClassBrushWhichSetClassLongPtrChanges) {
  WNDCLASS wc{};
  wc.lpfnWndProc = BrushHost;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_WINDOW + 1));
  wc.lpszClassName = "BrushHost";
  UnregisterClass("BrushHost", nullptr);
  ASSERT_TRUE(RegisterClass(&wc));
  HWND top = CreateWindowEx(0, "BrushHost", "", WS_POPUP | WS_VISIBLE, 300, 10, 60, 40, nullptr, nullptr, nullptr, nullptr);
  drv::PumpUntilIdle();
  EXPECT_EQ(WindowPixel(top, 30, 20), GetSysColor(COLOR_WINDOW));
  SetClassLongPtr(top, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_label_brush));
  InvalidateRect(top, nullptr, TRUE);
  drv::PumpUntilIdle();
  EXPECT_EQ(WindowPixel(top, 30, 20), kLabelBack);
  DestroyWindow(top);
}

TEST_F(WindowPaintTest, TheOpenComboListShowsItsRowsOnItsOwnSurface) {
  HWND combo = Item(kCombo);
  for (const char* s : {"9600", "19200", "38400"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  SetFocus(combo);
  drv::PressKey(VK_F4);
  drv::PumpUntilIdle();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_TRUE(IsWindowVisible(info.hwndList));
  const int h = static_cast<int>(SendMessage(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
  // The chosen row is highlighted, the others lie on the window colour, framed by a dark border.
  EXPECT_EQ(WindowPixel(info.hwndList, 2, h + h / 2 - 3), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(WindowPixel(info.hwndList, 50, h / 2), GetSysColor(COLOR_WINDOW));
  auto whole = platform::backend::CaptureWindow(info.hwndList, true);
  ASSERT_TRUE(whole);
  EXPECT_EQ(platform::gdi::ToColorRef(whole->Pixel(0, 0)), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_GT(Count(info.hwndList, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);
}

}  // namespace
