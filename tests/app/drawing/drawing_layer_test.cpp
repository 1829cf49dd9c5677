// The drawing layer on a memory DC: what it asks of GDI (the call log) and a few pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/drawing/drawing_layer.h"
#include "platform/gdi/bitmap_resources.h"
#include "tests/app/drawing_fixture.h"

namespace {

using drawing_test::DrawingTest;
using drawing_test::Lines;

TEST_F(DrawingTest, TheScaleIsClampedAndActsOnlyOutsideTheBandAroundOne) {
  struct Case {
    float factor;
    float taken;
    const char* fill;
  };
  const Case cases[] = {
      {1.01f, 1.01f, "FillRect mem 10,10,100,50"},  {1.03f, 1.03f, "FillRect mem 10,10,103,52"},
      {0.98f, 0.98f, "FillRect mem 10,10,100,50"},  {0.97f, 0.97f, "FillRect mem 10,10,97,49"},
      {0.1f, 0.3f, "FillRect mem 3,3,30,15"},       {25.0f, 10.0f, "FillRect mem 100,100,1000,500"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::SetDrawScale(c.factor), app::kDrawDone);
    EXPECT_FLOAT_EQ(app::GetDrawScale(), c.taken);
    Take();
    app::FillRectangle(10, 10, 100, 50);
    EXPECT_EQ(Take({"FillRect"}), Lines{c.fill}) << "factor " << c.factor;
  }
  EXPECT_EQ(app::SetDrawScale(std::numeric_limits<float>::quiet_NaN()), app::kDrawRefused);
  EXPECT_FLOAT_EQ(app::GetDrawScale(), 10.0f);
}

TEST_F(DrawingTest, CoordinatesOutsideSixteenBitsAreSaturated) {
  app::FillRectangle(-40000, 0, 40000, 5);
  EXPECT_EQ(Take({"FillRect"}), Lines{"FillRect mem -32768,0,32767,5"});
}

TEST_F(DrawingTest, PensFollowTheStyleRuleAndRefuseBadArguments) {
  struct Case {
    int style, step, colour, result;
    const char* selected;  // nullptr: nothing selected
  };
  const Case cases[] = {
      {1, 1, 1, app::kDrawDone, "SelectObject mem pen dash 2 #000000"},
      {1, 0, 1, app::kDrawDone, "SelectObject mem pen solid 1 #000000"},
      {6, 1, 2, app::kDrawDone, "SelectObject mem pen null 2 #0000ff"},
      {3, 9, 12, app::kDrawDone, "SelectObject mem pen solid 6 #ff0000"},
      {7, 0, 1, app::kDrawRefused, nullptr},
      {0, 0, 24, app::kDrawRefused, nullptr},
      {0, -1, 1, app::kDrawRefused, nullptr},
  };
  for (const Case& c : cases) {
    Take();
    EXPECT_EQ(app::SelectPen(c.style, c.step, c.colour), c.result) << c.style << "/" << c.step << "/" << c.colour;
    EXPECT_EQ(Take({"SelectObject"}), c.selected ? Lines{c.selected} : Lines{});
  }
  // A refused call left the last good pen current.
  Take();
  app::SetPenWidth(2);
  EXPECT_EQ(Take({"SelectObject"}), Lines{"SelectObject mem pen dashdot 2 #ff0000"});
}

TEST_F(DrawingTest, ATwoPixelDashedPenDrawsTwoRowsOfDashes) {
  app::SetBackgroundMode(app::kBackgroundTransparent);
  app::SelectPen(1, 1, 1);
  const app::DrawPoint line[] = {{0, 10}, {48, 10}};
  app::DrawPolyline(line);
  const auto rows = canvas_.Picture(0, 9, 48, 11);
  ASSERT_EQ(rows.size(), 2u);
  // 18 on, 6 off; the 2-pixel stamp reaches one pixel back, so each dash gains the last pixel of a gap.
  std::string dashes;
  for (int x = 0; x < 48; ++x) dashes += x % 24 < 18 || (x < 47 && (x + 1) % 24 < 18) ? '#' : '.';
  EXPECT_EQ(rows[0], dashes);
  EXPECT_EQ(rows[1], dashes);
}

TEST_F(DrawingTest, ThePaletteAnswersBlackOutsideItsRangeAndNewColoursReachCachedPens) {
  EXPECT_EQ(app::GetPaletteColor(30), RGB(0, 0, 0));
  EXPECT_EQ(app::GetPaletteColor(24), RGB(0, 0, 0));
  EXPECT_EQ(app::GetPaletteColor(-1), RGB(0, 0, 0));
  EXPECT_EQ(app::GetPaletteColor(14), RGB(220, 220, 0));
  app::SelectPen(0, 0, 14);
  app::SelectBrush(14);
  Take();
  app::SetPaletteColor(14, 1, 2, 3);
  app::SetPaletteColor(40, 1, 2, 3);  // ignored
  EXPECT_EQ(app::GetPaletteColor(14), RGB(1, 2, 3));
  // The current pen and brush were made anew in the new colour and selected.
  const Lines selected = Take({"SelectObject"});
  ASSERT_GE(selected.size(), 2u);
  EXPECT_EQ(selected[selected.size() - 2], "SelectObject mem pen solid 1 #030201");
  EXPECT_EQ(selected.back(), "SelectObject mem brush solid #030201");
  app::SetPaletteColor(14, 220, 220, 0);
}

TEST_F(DrawingTest, BackgroundModesAndTextColourReachTheDc) {
  struct Case {
    bool through_text_background;
    int argument;
    int result;
    int gdi_mode;
  };
  // The two setters number the modes in opposite senses; a refused mode leaves the DC as it was.
  const Case cases[] = {{false, app::kBackgroundTransparent, app::kDrawDone, TRANSPARENT},
                        {false, app::kBackgroundOpaque, app::kDrawDone, OPAQUE},
                        {false, 3, app::kDrawRefused, OPAQUE},
                        {true, 1, app::kDrawDone, TRANSPARENT},
                        {true, 2, app::kDrawDone, OPAQUE},
                        {true, 0, app::kDrawDone, OPAQUE}};
  for (const Case& c : cases) {
    if (c.through_text_background) {
      app::SetTextBackground(c.argument);
    } else {
      EXPECT_EQ(app::SetBackgroundMode(c.argument), c.result) << c.argument;
    }
    EXPECT_EQ(GetBkMode(canvas_.dc()), c.gdi_mode) << c.through_text_background << " " << c.argument;
  }
  app::SetDrawTextColor(12);
  EXPECT_EQ(GetTextColor(canvas_.dc()), RGB(0, 0, 255));
  app::SetDrawTextColor(30);
  EXPECT_EQ(GetTextColor(canvas_.dc()), RGB(0, 0, 0));
}

TEST_F(DrawingTest, BeginningPutsTheOriginAndTheResetStateInPlace) {
  app::EndDrawOnDc();
  app::SetDrawOrigin(5, 7);
  Take();
  ASSERT_TRUE(app::BeginDrawOnDc(canvas_.dc()));
  EXPECT_EQ(Take(), (Lines{"SelectObject mem pen solid 1 #ffffff", "SelectObject mem font h=12 w=700 esc=0 variable",
                           "SelectObject mem brush solid #ffffff", "SetViewportOrgEx mem 5,7"}));
  EXPECT_EQ(app::GetDrawOrigin().x, 5);
  EXPECT_EQ(app::GetDrawOrigin().y, 7);
  EXPECT_EQ(GetBkMode(canvas_.dc()), OPAQUE);
}

TEST_F(DrawingTest, NothingIsDrawnWithoutATarget) {
  app::EndDrawOnDc();
  Take();
  const app::DrawPoint pts[] = {{0, 0}, {10, 10}, {0, 10}};
  app::DrawPolyline(pts);
  app::DrawPolygon(pts);
  app::DrawPoints(pts);
  app::DrawTextAt(1, 12, "x");
  app::FillRectangle(0, 0, 5, 5);
  app::DrawRectangle(0, 0, 5, 5);
  app::DrawCircle(5, 5, 3);
  app::DrawArc(5, 5, 3, 0, 900);
  app::DrawRoundFrame(0, 0, 40, 40);
  EXPECT_EQ(app::SelectFontStep(2), app::kDrawRefused);
  EXPECT_EQ(app::GetTextWidth("abc"), 0);
  EXPECT_EQ(app::SelectPen(1, 1, 2), app::kDrawDone);  // recorded only
  EXPECT_EQ(Take(), Lines{});
  EXPECT_EQ(canvas_.Count(RGB(255, 255, 255)), 120 * 80);
}

TEST_F(DrawingTest, FontStepsFollowTheWantedHeightAndTheScale) {
  struct Case {
    int wanted, width, height;
  };
  const Case cases[] = {{6, 5, 10}, {9, 5, 10}, {10, 6, 12}, {12, 6, 12}, {13, 9, 19}, {20, 9, 19}, {21, 12, 24}};
  for (const Case& c : cases) {
    Take();
    const app::FontCell cell = app::SelectFontForHeight(c.wanted);
    EXPECT_EQ(cell.width, c.width) << c.wanted;
    EXPECT_EQ(cell.height, c.height) << c.wanted;
    std::string selected = "SelectObject mem font h=";
    selected += std::to_string(c.height);
    selected += " w=700 esc=0 variable";
    EXPECT_EQ(Take({"SelectObject"}), Lines{selected});
  }
  app::SetDrawScale(2.0f);  // releases the fonts: the next one is made at the new height
  Take();
  app::SelectFontStep(7);   // counts as step 1
  EXPECT_EQ(Take({"SelectObject"}), Lines{"SelectObject mem font h=24 w=700 esc=0 variable"});
}

TEST_F(DrawingTest, ATextAngleRemakesTheFontsWithThatEscapement) {
  app::SelectFontStep(2);
  Take();
  app::SetTextAngle(900);
  EXPECT_EQ(Take({"SelectObject"}), (Lines{"SelectObject mem font h=16 w=700 esc=0 variable",
                                           "SelectObject mem font h=19 w=700 esc=900 variable"}));
  app::SetTextAngle(900);  // unchanged: nothing happens
  EXPECT_EQ(Take(), Lines{});
  EXPECT_EQ(app::GetTextAngle(), 900);
}

TEST_F(DrawingTest, TextAtBaseRowTwelveStartsAtTheTopRow) {
  app::DrawTextAt(3, 12, "Hg");
  EXPECT_EQ(Take({"TextOut"}), Lines{"TextOut mem 3,0 'Hg'"});
  EXPECT_GT(app::GetTextWidth("Hg"), 0);
  EXPECT_GT(app::GetTextHeight("Hg"), 0);
}

TEST_F(DrawingTest, PolygonsAndRectanglesAreOutlinedInTheBrushColour) {
  app::SelectPen(0, 0, 1);
  app::SelectBrush(2);
  Take();
  const app::DrawPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
  app::DrawPolygon(tri);
  EXPECT_EQ(Take(), (Lines{"SelectObject mem pen solid 1 #0000ff", "Polygon mem 0,0 10,0 0,10",
                           "SelectObject mem pen solid 1 #000000"}));
  app::DrawRectangle(20, 20, 30, 30);
  EXPECT_EQ(Take({"Rectangle"}), Lines{"Rectangle mem 20,20,30,30"});
  EXPECT_EQ(canvas_.Picture(20, 20, 30, 30)[0], "rrrrrrrrrr");
}

TEST_F(DrawingTest, ArcsEndOnTheSquareAroundTheirCentre) {
  app::DrawArc(50, 40, 20, 0, 3300);
  app::DrawPie(50, 40, 20, 900, 1800);
  app::SetDrawScale(2.0f);
  app::DrawCircle(10, 10, 5);
  app::DrawEllipse(10, 10, 5, 3);
  EXPECT_EQ(Take({"Arc", "Pie", "Ellipse"}),
            (Lines{"Arc mem 30,20,70,60,70,40,70,52", "Pie mem 30,20,70,60,50,20,30,40", "Ellipse mem 10,10,30,30",
                   "Ellipse mem 10,14,30,26"}));
}

TEST_F(DrawingTest, TheRoundedFrameIsFourLinesJoinedByQuarterArcs) {
  app::DrawRoundFrame(0, 0, 40, 20);  // corner box 5, half of it 2
  EXPECT_EQ(Take({"Polyline", "Arc"}),
            (Lines{"Polyline mem 2,0 38,0", "Arc mem 36,0,40,4,40,2,38,0", "Polyline mem 40,2 40,18",
                   "Arc mem 36,16,40,20,38,20,40,18", "Polyline mem 38,20 2,20", "Arc mem 0,16,4,20,0,18,2,20",
                   "Polyline mem 0,18 0,2", "Arc mem 0,0,4,4,2,0,0,2"}));
  app::DrawRoundRect(0, 0, 40, 20);
  EXPECT_EQ(Take({"RoundRect"}), Lines{"RoundRect mem 0,0,40,20,10,5"});
}

TEST_F(DrawingTest, ArrowHeadsAreFilledInThePenColourBeforeTheLine) {
  app::SelectPen(0, 0, 12);
  app::SelectBrush(0);
  app::SetArrowHeads(true, true);
  const app::DrawPoint line[] = {{10, 20}, {60, 20}, {60, 70}};
  Take();
  app::DrawPolyline(line);
  EXPECT_EQ(Take({"Polygon", "Polyline"}),
            (Lines{"Polygon mem 20,16 10,20 20,24 20,16", "Polygon mem 56,60 60,70 64,60 56,60",
                   "Polyline mem 10,20 60,20 60,70"}));
  EXPECT_EQ(canvas_.Picture(12, 20, 13, 21)[0], "b");  // inside the start head
  const app::DrawPoint slanted[] = {{0, 0}, {10, 10}};
  app::SetArrowHeads(false, true);
  app::DrawPolyline(slanted);
  EXPECT_EQ(Take({"Polygon"}), Lines{"Polygon mem 5,1 10,10 1,5 5,1"});
  EXPECT_EQ(app::DrawArrowHead(5, 5, 10, 4, 4), app::kDrawRefused);
  // The brush went back to white after each head.
  Take();
  app::FillRectangle(0, 0, 1, 1);
  EXPECT_EQ(canvas_.Picture(0, 0, 1, 1)[0], ".");
}

TEST_F(DrawingTest, PointsAreBlackAndFloodFillStopsAtThePaletteColour) {
  const app::DrawPoint pts[] = {{1, 1}, {3, 2}};
  app::DrawPoints(pts);
  EXPECT_EQ(canvas_.Picture(0, 0, 5, 3), (Lines{".....", ".#...", "...#."}));
  app::SelectPen(0, 0, 2);
  app::SelectBrush(2);
  app::DrawRectangle(10, 10, 20, 20);
  app::SelectBrush(12);
  app::FloodFillArea(0, 0, 2);
  EXPECT_EQ(canvas_.Picture(9, 9, 12, 12), (Lines{"bbb", "brr", "brr"}));
}

TEST_F(DrawingTest, CachesStayBoundedAndAreFreed) {
  for (int colour = 0; colour < app::kPaletteSize; ++colour) {
    app::SelectBrush(colour);
    for (int style = 0; style < app::kPenStyles; ++style)
      for (int step = 0; step < 8; ++step) app::SelectPen(style, step, colour);
  }
  for (int step = 0; step < app::kFontSteps; ++step) app::SelectFontStep(step);
  EXPECT_EQ(app::CachedDrawObjectCount(), 7 * 6 * 24 + 24 + 4);
  app::FreeDrawObjects();
  EXPECT_EQ(app::CachedDrawObjectCount(), 0);
}

// A 2 x 2 BMP file, 24 bits, bottom-up: red and blue on the top row, green and white below.
std::vector<unsigned char> TwoByTwoBmp() {
  std::vector<unsigned char> f(70, 0);
  auto put32 = [&f](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, 70);
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  f[26] = 1;
  f[28] = 24;
  const unsigned char pixels[] = {0, 255, 0, 255, 255, 255, 0, 0,   // bottom row: green, white (B, G, R)
                                  0, 0, 255, 255, 0, 0, 0, 0};      // top row: red, blue
  std::copy(std::begin(pixels), std::end(pixels), f.begin() + 54);
  return f;
}

TEST_F(DrawingTest, ResourceBitmapsAreMeasuredAndStretchedIntoTheScaledRectangle) {
  static const std::vector<unsigned char> bmp = TwoByTwoBmp();
  platform::gdi::RegisterBitmapResource(nullptr, MAKEINTRESOURCE(7701), bmp.data(), bmp.size());
  int width = 0, height = 0;
  EXPECT_EQ(app::GetBitmapSize(7701, &width, &height), app::kDrawDone);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(app::GetBitmapSize(7702, &width, &height), app::kDrawRefused);
  EXPECT_EQ(app::DrawResourceBitmap(0, 0, 4, 4, 7702), app::kDrawRefused);
  Take();
  app::SetDrawScale(2.0f);
  EXPECT_EQ(app::DrawResourceBitmap(5, 5, 2, 2, 7701), app::kDrawDone);
  EXPECT_EQ(Take({"StretchBlt"}), Lines{"StretchBlt mem 10,10,4,4,0,0,2,2"});
  EXPECT_EQ(canvas_.Picture(10, 10, 14, 14), (Lines{"rrbb", "rrbb", "gg..", "gg.."}));
}

}  // namespace
