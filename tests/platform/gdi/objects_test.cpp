// Handles of drawing objects: selection, deletion, stale handles, stock objects.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/gdi/gdi.h"

namespace {

using platform::gdi::testing::Canvas;

TEST(Objects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
  Canvas c(4, 4);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  EXPECT_EQ(SelectObject(c.dc(), red), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(c.dc(), blue), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(c.dc(), GetStockObject(BLACK_PEN)), reinterpret_cast<HGDIOBJ>(red));
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), reinterpret_cast<HGDIOBJ>(blue));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_TRUE(DeleteObject(blue));
}

TEST(Objects, DeletedAndStaleHandlesFailWithoutHarm) {
  Canvas c(4, 4);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(SelectObject(c.dc(), pen), nullptr);
  EXPECT_EQ(GetObjectType(ToGdiObject(pen)), 0u);
  // The slot is reused with a new generation: the old handle still finds nothing.
  HPEN next = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  EXPECT_NE(next, pen);
  EXPECT_EQ(SelectObject(c.dc(), pen), nullptr);
  EXPECT_EQ(GetObjectType(ToGdiObject(next)), OBJ_PEN);
  DeleteObject(next);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(pen)));
}

TEST(Objects, ADcKeepsDrawingWithAPenDeletedWhileSelected) {
  Canvas c(4, 2);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  SelectObject(c.dc(), red);
  EXPECT_TRUE(DeleteObject(red));
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 4, 0);
  EXPECT_EQ(c.Count(RGB(255, 0, 0)), 4);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
}

TEST(Objects, StockObjectsSurviveDeletion) {
  HGDIOBJ black = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(black));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObject(black, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));
  EXPECT_EQ(GetStockObject(999), nullptr);
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
}

TEST(Objects, GetObjectDescribesPensFontsAndBitmaps) {
  HPEN pen = CreatePen(PS_DASH, 2, RGB(1, 2, 3));
  LOGPEN lp{};
  ASSERT_EQ(GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(lp.lopnWidth.x, 2);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObject(pen, 2, &lp), 0);  // too small
  DeleteObject(pen);

  HFONT font = CreateFont(19, 0, 900, 900, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, PROOF_QUALITY,
                          VARIABLE_PITCH | FF_SWISS, "System");
  LOGFONTA lf{};
  ASSERT_GT(GetObject(font, sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, 19);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_STREQ(lf.lfFaceName, "System");
  DeleteObject(font);

  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(dc, 33, 7);
  BITMAP info{};
  ASSERT_GT(GetObject(bm, sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 33);
  EXPECT_EQ(info.bmHeight, 7);
  DeleteObject(bm);
  DeleteDC(dc);
}

TEST(Objects, ABitmapLivesInOneMemoryDcAtATimeAndIsNotDeletedWhileSelected) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(a, 8, 8);
  HGDIOBJ old = SelectObject(a, bm);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(b, bm), nullptr);
  EXPECT_FALSE(DeleteObject(bm));
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bm), nullptr);
  DeleteDC(b);  // deleting the DC lets the bitmap go
  EXPECT_TRUE(DeleteObject(bm));
  DeleteDC(a);
}

TEST(DeviceCaps, ScreenAndMemoryDcsReportTheScreen) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES), 32);
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
  DeleteDC(dc);
}

}  // namespace
