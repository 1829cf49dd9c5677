// Pixel rules of lines and shapes on a memory DC.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/gdi/gdi.h"

namespace {

using platform::gdi::testing::Canvas;
using Rows = std::vector<std::string>;

TEST(Lines, LineToLeavesOutItsEndPointAndMovesThePosition) {
  Canvas c(6, 4);
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 4, 1);
  LineTo(c.dc(), 4, 3);
  // The second segment starts on the first one's left-out end point; its own end stays out.
  EXPECT_EQ(c.Picture(), (Rows{"......", "#####.", "....#.", "......"}));
  POINT p;
  GetCurrentPositionEx(c.dc(), &p);
  EXPECT_EQ(p.x, 4);
  EXPECT_EQ(p.y, 3);
}

TEST(Lines, PolylineDrawsEverySegmentButTheLastPoint) {
  Canvas c(5, 5);
  const POINT pts[] = {{0, 0}, {4, 4}, {4, 0}};
  Polyline(c.dc(), pts, 3);
  EXPECT_EQ(c.Picture(), (Rows{"#....", ".#..#", "..#.#", "...##", "....#"}));
}

TEST(Lines, StyledPensRepeatTheirPatternAndOpaqueGapsTakeTheBackground) {
  struct Case {
    int style;
    int on;
    int off;
  };
  for (const Case& k : {Case{PS_DASH, 18, 6}, Case{PS_DOT, 3, 3}}) {
    Canvas c(48, 2);
    HPEN pen = CreatePen(k.style, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(c.dc(), pen);
    SetBkMode(c.dc(), TRANSPARENT);
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 48, 0);
    SetBkMode(c.dc(), OPAQUE);
    SetBkColor(c.dc(), RGB(255, 0, 0));
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 48, 1);
    std::string transparent, opaque;
    for (int x = 0; x < 48; ++x) {
      const bool on = x % (k.on + k.off) < k.on;
      transparent += on ? '#' : '.';
      opaque += on ? '#' : 'r';
    }
    EXPECT_EQ(c.Picture(), (Rows{transparent, opaque})) << "style " << k.style;
    SelectObject(c.dc(), old);
    DeleteObject(pen);
  }
}

TEST(Lines, NullPenDrawsNothingAndWidePensAreThicker) {
  Canvas c(10, 10);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 9, 9);
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 0);
  HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  SelectObject(c.dc(), wide);
  MoveToEx(c.dc(), 2, 5, nullptr);
  LineTo(c.dc(), 8, 5);
  // A 3-pixel pen centred on the pixels 2..7 of the line.
  EXPECT_EQ(c.Picture(0, 3, 10, 8), (Rows{"..........", ".########.", ".########.", ".########.", ".........."}));
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(wide);
}

TEST(Shapes, RectangleCoversLeftToRightMinusOneWithOutlineAndFill) {
  Canvas c(7, 6);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc(), red);
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_EQ(c.Picture(), (Rows{".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}));
  // With the null pen the filled area is one pixel smaller at the right and the bottom.
  c.Clear(RGB(255, 255, 255));
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_EQ(c.Picture(), (Rows{".......", ".rrrr..", ".rrrr..", ".rrrr..", ".......", "......."}));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Shapes, FillRectExcludesRightAndBottomAndIgnoresThePen) {
  Canvas c(5, 4);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  const RECT r{1, 1, 4, 3};
  EXPECT_NE(FillRect(c.dc(), &r, blue), 0);
  EXPECT_EQ(c.Picture(), (Rows{".....", ".bbb.", ".bbb.", "....."}));
  const RECT empty{3, 3, 1, 1};
  FillRect(c.dc(), &empty, blue);
  EXPECT_EQ(c.Count(RGB(0, 0, 255)), 6);
  DeleteObject(blue);
}

TEST(Shapes, PolygonFillsTheInsideAndOutlinesThroughEveryCorner) {
  Canvas c(7, 7);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc(), red);
  const POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  Polygon(c.dc(), square, 4);
  // The outline covers x = 1..5 (one more than Rectangle), the fill lies inside it.
  EXPECT_EQ(c.Picture(), (Rows{".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Shapes, AlternateAndWindingFillDifferForASelfOverlappingStar) {
  const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  Canvas c(21, 21);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
  Polygon(c.dc(), star, 5);
  EXPECT_EQ(GetPixel(c.dc(), 10, 10), RGB(255, 255, 255));  // the centre is outside for even-odd
  SetPolyFillMode(c.dc(), WINDING);
  Polygon(c.dc(), star, 5);
  EXPECT_EQ(GetPixel(c.dc(), 10, 10), RGB(0, 0, 0));
}

TEST(Shapes, EllipseStaysInsideItsBoxAndTouchesEverySide) {
  Canvas c(12, 10);
  Ellipse(c.dc(), 1, 1, 11, 9);
  const Rows p = c.Picture();
  EXPECT_EQ(p[0], "............");
  EXPECT_EQ(p[9], "............");
  for (const auto& row : p) {
    EXPECT_EQ(row[0], '.');
    EXPECT_EQ(row[11], '.');
  }
  EXPECT_NE(p[1].find('#'), std::string::npos);
  EXPECT_NE(p[8].find('#'), std::string::npos);
  EXPECT_EQ(p[4][1], '#');
  EXPECT_EQ(p[4][10], '#');
  EXPECT_EQ(p[4][5], '.');  // filled with the white brush
  // Symmetric about both axes.
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      EXPECT_EQ(p[y][x], p[9 - y][x]);
      EXPECT_EQ(p[y][x], p[y][11 - x]);
    }
}

TEST(Shapes, PieFillsOnlyItsSweepAndArcDrawsOnlyTheOutline) {
  Canvas c(21, 21);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc(), red);
  // Counter-clockwise from the positive x axis to the negative y axis (up): the top right quarter.
  Pie(c.dc(), 0, 0, 21, 21, 20, 10, 10, 0);
  EXPECT_EQ(GetPixel(c.dc(), 14, 6), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 6, 6), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(c.dc(), 14, 14), RGB(255, 255, 255));
  c.Clear(RGB(255, 255, 255));
  Arc(c.dc(), 0, 0, 21, 21, 20, 10, 10, 0);
  EXPECT_EQ(c.Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(GetPixel(c.dc(), 20, 9), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 0, 10), RGB(255, 255, 255));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Shapes, RoundRectCutsItsCorners) {
  Canvas c(12, 12);
  RoundRect(c.dc(), 0, 0, 12, 12, 6, 6);
  EXPECT_EQ(GetPixel(c.dc(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(c.dc(), 0, 6), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 6, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 11, 6), RGB(0, 0, 0));
}

TEST(Shapes, FloodFillStopsAtTheBorderColourAndSurfaceModeFillsOneColour) {
  Canvas c(9, 9);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Rectangle(c.dc(), 1, 1, 8, 8);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc(), red);
  EXPECT_TRUE(FloodFill(c.dc(), 4, 4, RGB(0, 0, 0)));
  EXPECT_EQ(c.Count(RGB(255, 0, 0)), 25);
  EXPECT_EQ(GetPixel(c.dc(), 0, 0), RGB(255, 255, 255));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(c.dc(), blue);
  EXPECT_TRUE(ExtFloodFill(c.dc(), 0, 0, RGB(255, 255, 255), FLOODFILLSURFACE));
  EXPECT_EQ(c.Count(RGB(0, 0, 255)), 81 - 25 - 24);
  // Starting on the border colour fills nothing.
  EXPECT_FALSE(FloodFill(c.dc(), 1, 1, RGB(0, 0, 0)));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteObject(blue);
}

TEST(Pixels, SetPixelAndGetPixelFollowViewportAndClip) {
  Canvas c(10, 10);
  SetViewportOrgEx(c.dc(), 3, 2, nullptr);
  EXPECT_EQ(SetPixel(c.dc(), 1, 1, RGB(0, 0, 255)), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(c.dc(), 1, 1), RGB(0, 0, 255));
  SetViewportOrgEx(c.dc(), 0, 0, nullptr);
  EXPECT_EQ(GetPixel(c.dc(), 4, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(c.dc(), 10, 0), CLR_INVALID);
  IntersectClipRect(c.dc(), 0, 0, 5, 5);
  EXPECT_EQ(SetPixel(c.dc(), 6, 6, RGB(0, 0, 0)), CLR_INVALID);
  EXPECT_EQ(GetPixel(c.dc(), 6, 6), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 5);
  SelectClipRgn(c.dc(), nullptr);
  EXPECT_EQ(GetPixel(c.dc(), 6, 6), RGB(255, 255, 255));
}

TEST(Clipping, ShapesAreCutAtTheClipRectangle) {
  Canvas c(8, 4);
  HRGN clip = CreateRectRgn(2, 0, 5, 4);
  SelectClipRgn(c.dc(), clip);
  DeleteObject(clip);
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 8, 1);
  SelectClipRgn(c.dc(), nullptr);
  EXPECT_EQ(c.Picture(0, 1, 8, 2), (Rows{"..###..."}));
}

TEST(Modes, XorPenDrawnTwiceRestoresThePicture) {
  Canvas c(6, 3);
  SetROP2(c.dc(), R2_XORPEN);
  HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  SelectObject(c.dc(), white);
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 6, 1);
  EXPECT_EQ(c.Picture(0, 1, 6, 2), (Rows{"######"}));
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 6, 1);
  EXPECT_EQ(c.Picture(0, 1, 6, 2), (Rows{"......"}));
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(white);
}

TEST(State, SaveDcAndRestoreDcPutBackColoursAndOrigin) {
  Canvas c(4, 4);
  SetTextColor(c.dc(), RGB(1, 2, 3));
  const int level = SaveDC(c.dc());
  SetTextColor(c.dc(), RGB(9, 9, 9));
  SetViewportOrgEx(c.dc(), 5, 5, nullptr);
  EXPECT_TRUE(RestoreDC(c.dc(), level));
  EXPECT_EQ(GetTextColor(c.dc()), RGB(1, 2, 3));
  POINT o;
  GetViewportOrgEx(c.dc(), &o);
  EXPECT_EQ(o.x, 0);
  EXPECT_FALSE(RestoreDC(c.dc(), -1));
}

}  // namespace

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroAndRefusesZeroDivisors) {
  struct Case {
    int a, b, c, want;
  };
  for (const Case& k : {Case{10, 1030, 1000, 10}, Case{500, 1030, 1000, 515}, Case{5, 1, 2, 3}, Case{-5, 1, 2, -3},
                        Case{5, -1, 2, -3}, Case{-5, -1, -2, -3}, Case{12, 300, 1000, 4}, Case{1, 1, 0, -1},
                        Case{2000000000, 2, 1, -1}, Case{2000000000, 3, 3, 2000000000}}) {
    EXPECT_EQ(MulDiv(k.a, k.b, k.c), k.want) << k.a << '*' << k.b << '/' << k.c;
  }
}

}  // namespace
