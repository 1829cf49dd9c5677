// The drawing layer's geometry without a DC: pen-style rule, arc end points, arrow heads.
#include "app/drawing/drawing_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PenStyleRule, OnlyTwoPixelPensAreStyled) {
  struct Case {
    int style, step, gdi;
  };
  const Case cases[] = {
      {0, 1, PS_SOLID},      {1, 1, PS_DASH},          {2, 1, PS_DOT},  {3, 1, PS_DASHDOT},
      {4, 1, PS_DASH},       {5, 1, PS_DASHDOTDOT},    {6, 1, PS_NULL}, {1, 0, PS_SOLID},
      {2, 2, PS_SOLID},      {6, 0, PS_SOLID},         {6, 5, PS_SOLID},
  };
  for (const Case& c : cases)
    EXPECT_EQ(app::GdiPenStyle(c.style, c.step), c.gdi) << "style " << c.style << " step " << c.step;
}

TEST(ArcEndPoints, EachOctantMeetsTheSquareAroundTheCentre) {
  struct Case {
    int angle, x, y;
  };
  // Centre (200, 100), half-side 100; y grows downwards, angles run counter-clockwise.
  const Case cases[] = {
      {0, 300, 100},    {300, 300, 42},   {450, 300, 0},    {600, 258, 0},   {900, 200, 0},
      {1200, 142, 0},   {1350, 100, 0},   {1500, 100, 42},  {1800, 100, 100}, {2100, 100, 158},
      {2250, 100, 200}, {2400, 142, 200}, {2700, 200, 200}, {3000, 258, 200}, {3150, 300, 200},
      {3300, 300, 158}, {3600, 300, 100}, {-300, 300, 158}, {4050, 300, 0},
  };
  for (const Case& c : cases) {
    const app::DrawPoint p = app::ArcEndPoint({200, 100}, 100, c.angle);
    EXPECT_EQ(p.x, c.x) << "angle " << c.angle;
    EXPECT_EQ(p.y, c.y) << "angle " << c.angle;
  }
}

TEST(ArrowHeads, AxisParallelHeadsOpenAwayFromTheirTip) {
  using P = app::DrawPoint;
  struct Case {
    int direction;
    P wing1, wing2;
  };
  const Case cases[] = {
      {0, {60, 46}, {60, 54}}, {1, {40, 46}, {40, 54}}, {2, {46, 60}, {54, 60}}, {3, {46, 40}, {54, 40}}};
  for (const Case& c : cases) {
    const auto poly = app::AxisArrowHead(50, 50, 10, 4, c.direction);
    EXPECT_EQ(poly[0].x, c.wing1.x) << c.direction;
    EXPECT_EQ(poly[0].y, c.wing1.y) << c.direction;
    EXPECT_EQ(poly[1].x, 50);
    EXPECT_EQ(poly[1].y, 50);
    EXPECT_EQ(poly[2].x, c.wing2.x) << c.direction;
    EXPECT_EQ(poly[2].y, c.wing2.y) << c.direction;
    EXPECT_EQ(poly[3].x, poly[0].x);
    EXPECT_EQ(poly[3].y, poly[0].y);
  }
}

TEST(ArrowHeads, ASlantedHeadHasBothCornersNearTheWingLengthOnTheSegmentsSide) {
  const app::DrawPoint tip{10, 10};
  const auto head45 = app::SlantedArrowHead(tip, {0, 0});
  EXPECT_EQ(head45[0].x, 5);
  EXPECT_EQ(head45[0].y, 1);
  EXPECT_EQ(head45[2].x, 1);
  EXPECT_EQ(head45[2].y, 5);
  // Every direction, also nearly axis-parallel ones where rounding pushes a square root's argument below 0.
  for (int tenth = 1; tenth < 3600; ++tenth) {
    if (tenth % 900 == 0) continue;
    const double a = tenth / 1800.0 * M_PI;
    const app::DrawPoint from{static_cast<int>(std::lround(500 + 400 * std::cos(a))),
                              static_cast<int>(std::lround(500 - 400 * std::sin(a)))};
    if (from.x == 500 || from.y == 500) continue;  // axis-parallel heads are drawn by AxisArrowHead
    const auto head = app::SlantedArrowHead({500, 500}, from);
    for (int corner : {0, 2}) {
      const double cx = head[corner].x - 500.0, cy = head[corner].y - 500.0;
      const double distance = std::hypot(cx, cy);
      ASSERT_NEAR(distance, 10.2, 1.5) << "angle " << tenth << " corner " << corner;
      // The corner lies back along the segment, towards its other end.
      ASSERT_GT(cx * (from.x - 500.0) + cy * (from.y - 500.0), 0.0) << "angle " << tenth;
    }
  }
}

}  // namespace
