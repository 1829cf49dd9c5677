// The instrument widgets on a memory DC: the edge cases on the call log, the mended guards, and no object
// left behind by a thousand redraws.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/drawing/instruments.h"
#include "platform/gdi/gdi_state.h"
#include "tests/app/drawing_fixture.h"

namespace {

using drawing_test::DrawingTest;
using drawing_test::Lines;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

app::BarGaugeRecord Gauge(float minimum, float maximum) {
  app::BarGaugeRecord g;
  g.x = 0;
  g.y = 0;
  g.width = 13;  // drawn area 10 x 10
  g.height = 13;
  g.colour = 12;
  g.minimum = minimum;
  g.maximum = maximum;
  return g;
}

class InstrumentTest : public DrawingTest {};

TEST_F(InstrumentTest, BarGaugeFillsBetweenTheZeroRowAndTheValueRow) {
  struct Case {
    float minimum, maximum, value;
    Lines fills;  // white above, white below, bar
  };
  const Case cases[] = {
      // A zero value draws a bar one row high at the zero row.
      {-5, 5, 0, {"FillRect mem 0,0,10,5", "FillRect mem 0,6,10,10", "FillRect mem 0,5,10,6"}},
      // Above the maximum: the bar reaches the top edge.
      {-5, 5, 9, {"FillRect mem 0,0,10,0", "FillRect mem 0,5,10,10", "FillRect mem 0,0,10,5"}},
      {-5, 5, -2.5f, {"FillRect mem 0,0,10,5", "FillRect mem 0,8,10,10", "FillRect mem 0,5,10,8"}},
      {0, 100, 50, {"FillRect mem 0,0,10,5", "FillRect mem 0,10,10,10", "FillRect mem 0,5,10,10"}},
      // Ranges that do not hold 0, that are empty or not finite, and a value that is not a number: nothing.
      {10, 100, 50, {}},
      {5, -5, 0, {}},
      {-kInf, 5, 0, {}},
      {-5, 5, kNaN, {}},
  };
  for (const Case& c : cases) {
    app::BarGaugeRecord g = Gauge(c.minimum, c.maximum);
    Take();
    app::DrawBarGauge(g, c.value);
    EXPECT_EQ(Take({"FillRect"}), c.fills) << c.minimum << ".." << c.maximum << " value " << c.value;
  }
}

TEST_F(InstrumentTest, BarGaugeSkipsTheValueLastDrawnAndRedrawsAfterTheMark) {
  app::BarGaugeRecord g = Gauge(-5, 5);
  app::DrawBarGauge(g, -1.0f);
  EXPECT_FALSE(Take({"FillRect"}).empty());
  app::DrawBarGauge(g, -1.0f);
  EXPECT_TRUE(Take({"FillRect"}).empty());
  // A repaint marks the record; the value -1 (the old mark) is drawn anew.
  g.last = app::kRedrawMark;
  app::DrawBarGauge(g, -1.0f);
  EXPECT_EQ(Take({"FillRect"}).size(), 3u);
  EXPECT_EQ(canvas_.Picture(0, 4, 1, 8), (Lines{".", "b", ".", "."}));
}

app::PercentBarRecord Bar(std::optional<std::string> caption) {
  app::PercentBarRecord p;
  p.x = 10;
  p.y = 5;
  p.width = 103;  // 100 wide
  p.height = 13;
  p.caption = std::move(caption);
  p.colour = 12;
  p.minimum = 0;
  p.maximum = 100;
  return p;
}

TEST_F(InstrumentTest, PercentBarClampsTheBarButShowsTheValueAsPassed) {
  app::PercentBarRecord p = Bar("Daten");
  app::DrawPercentBar(p, 150.0f);
  const Lines lines = Take({"FillRect", "TextOut"});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(lines[0].find('\'')), "'   Daten 150.0 %   '");
  EXPECT_EQ(lines[1], "FillRect mem 10,5,110,15");
  EXPECT_EQ(lines[2], "FillRect mem 110,5,110,15");
  // A value above the range changes the caption: it is drawn, not skipped as an unchanged full bar.
  app::DrawPercentBar(p, 160.0f);
  EXPECT_EQ(Take({"TextOut"}).size(), 1u);
  app::DrawPercentBar(p, 160.0f);
  EXPECT_TRUE(Take().empty());
}

TEST_F(InstrumentTest, PercentBarOnAnOffsetRangeAndItsGuards) {
  app::PercentBarRecord p = Bar(std::nullopt);
  p.minimum = 50;
  p.maximum = 150;
  app::DrawPercentBar(p, 75.0f);
  EXPECT_EQ(Take({"FillRect", "TextOut"}), (Lines{"FillRect mem 10,5,35,15", "FillRect mem 35,5,110,15"}));
  for (float bad_max : {50.0f, 10.0f, kNaN}) {
    app::PercentBarRecord q = Bar("x");
    q.minimum = 50;
    q.maximum = bad_max;
    app::DrawPercentBar(q, 60.0f);
    EXPECT_TRUE(Take().empty()) << bad_max;
    EXPECT_TRUE(std::isnan(q.last));
  }
}

TEST_F(InstrumentTest, CrossPlotDrawsItsCharacteristicThroughEightPoints) {
  Take();
  app::DrawCrossPlot(canvas_.dc(), 0, 0, 100, 60, 1500, 1500, 80, 750, 20);
  const Lines text = Take({"TextOut"});
  ASSERT_EQ(text.size(), 4u);
  EXPECT_NE(text[0].find("52,2 '1500 rpm'"), std::string::npos) << text[0];
  EXPECT_NE(text[1].find("'-1500 rpm'"), std::string::npos) << text[1];
  EXPECT_NE(text[2].find("'-100%'"), std::string::npos);
  EXPECT_NE(text[3].find("'100%'"), std::string::npos);
  app::DrawCrossPlot(canvas_.dc(), 0, 0, 100, 60, 1500, 1500, 80, 750, 20);
  // a1 = F: the outer horizontal parts lie on the bottom and top edges of the box.
  EXPECT_EQ(Take({"MoveToEx", "LineTo"}),
            (Lines{"MoveToEx mem 50,0", "LineTo mem 50,60", "MoveToEx mem 0,30", "LineTo mem 100,30",
                   "MoveToEx mem 0,60", "LineTo mem 10,60", "LineTo mem 40,45", "LineTo mem 50,45",
                   "LineTo mem 50,15", "LineTo mem 60,15", "LineTo mem 90,0", "LineTo mem 100,0"}));
}

TEST_F(InstrumentTest, CrossPlotWithoutAPositiveFullScaleDrawsBoxAxesAndLabelsOnly) {
  for (double full_scale : {0.0, -10.0, std::nan("")}) {
    Take();
    app::DrawCrossPlot(canvas_.dc(), 0, 0, 100, 60, full_scale, 100, 80, 50, 20);
    EXPECT_EQ(Take({"LineTo"}).size(), 2u) << full_scale;
  }
  app::DrawCrossPlot(canvas_.dc(), 0, 0, 100, 60, 1500, 1e300, 80, 50, 20);  // far outside: held in range
  EXPECT_EQ(Take({"LineTo"})[2], "LineTo mem 10,32767");
}

TEST_F(InstrumentTest, PanelGaugeWritesItsScaleAndPointsAtTheValue) {
  app::PanelGaugeRecord g;
  g.x = 10;
  g.y = 20;
  g.caption = "Id";
  g.colour = 12;
  g.minimum = 0;
  g.maximum = 100;
  g.value = 40;
  app::DrawPanelGauge(g);
  Lines texts;
  for (const std::string& line : Take({"TextOut"})) texts.push_back(line.substr(line.find('\'')));
  EXPECT_EQ(texts, (Lines{"'0.00'", "'100'", "'80.0'", "'60.0'", "'40.0'", "'20.0'", "'Id'", "'   0'"}));
  // The pointer at row 100 - 40 x 0.85 = 66, offset by the gauge's place.
  app::DrawPanelGauge(g);
  const Lines polygons = Take({"Polygon"});
  EXPECT_EQ(polygons.back(), "Polygon mem 20,89 25,86 20,83 20,89");
  EXPECT_FLOAT_EQ(app::GetDrawScale(), 1.0f);
}

TEST_F(InstrumentTest, PanelBarHoldsItsRowsAndSurvivesAnEmptyRange) {
  app::PanelGaugeRecord g;
  g.colour = 12;
  g.minimum = 0;
  g.maximum = 100;
  g.scale = 2.0f;
  app::DrawPanelBar(g, 200.0f);  // row limited to 15, drawn at twice the size
  EXPECT_EQ(Take({"FillRect"}), (Lines{"FillRect mem 30,30,50,200", "FillRect mem 30,30,50,30"}));
  EXPECT_FLOAT_EQ(app::GetDrawScale(), 1.0f);
  g.scale = 1.0f;
  g.maximum = 0;
  app::DrawPanelBar(g, 5.0f);
  EXPECT_EQ(Take({"FillRect"}), (Lines{"FillRect mem 15,100,25,100", "FillRect mem 15,15,25,100"}));
}

TEST_F(InstrumentTest, ScalePointerPointsAtTheValuesRowOnTheLeftEdge) {
  app::ScalePointerRecord s;
  s.x = 40;
  s.y = 30;
  s.width = 20;
  s.height = 40;
  s.caption1 = "n";
  s.caption2 = "rpm";
  s.minimum = -100;
  s.maximum = 100;
  app::DrawScalePointer(s, 50.0f);
  const Lines lines = Take({"Polygon", "Polyline"});
  EXPECT_EQ(lines, (Lines{"Polyline mem 40,30 40,70 60,70 60,30 40,30", "Polygon mem 35,43 40,40 35,37 35,43"}));
  for (float outside : {-100.0f, 100.0f, kNaN}) {
    app::DrawScalePointer(s, outside);
    EXPECT_TRUE(Take({"Polygon"}).empty()) << outside;
  }
}

TEST_F(InstrumentTest, AThousandMonitorRedrawsLeaveNoObjectBehind) {
  std::array<app::BarGaugeRecord, 6> gauges;
  for (std::size_t i = 0; i < gauges.size(); ++i) {
    gauges[i] = Gauge(-100, 100);
    gauges[i].x = static_cast<std::int16_t>(i * 18);
    gauges[i].colour = static_cast<std::uint16_t>(2 + i);
  }
  platform::gdi::StopCallLog();
  auto redraw = [&](int round) {
    for (auto& g : gauges) {
      g.last = app::kRedrawMark;
      app::DrawBarGauge(g, static_cast<float>(round % 200 - 100));
    }
    app::DrawCrossPlot(canvas_.dc(), 0, 20, 110, 78, 1500, 1000 + round % 500, 50, 500, 10);
  };
  app::EndDrawOnDc();
  ASSERT_TRUE(app::BeginDrawOnDc(canvas_.dc()));
  redraw(0);
  app::EndDrawOnDc();
  const std::size_t objects = platform::gdi::LiveObjectCount();
  const int cached = app::CachedDrawObjectCount();
  for (int round = 1; round <= 1000; ++round) {
    ASSERT_TRUE(app::BeginDrawOnDc(canvas_.dc()));
    redraw(round);
    app::EndDrawOnDc();
  }
  EXPECT_EQ(platform::gdi::LiveObjectCount(), objects);
  EXPECT_EQ(app::CachedDrawObjectCount(), cached);
  app::FreeDrawObjects();
  EXPECT_EQ(platform::gdi::LiveObjectCount(), objects - static_cast<std::size_t>(cached));
  ASSERT_TRUE(app::BeginDrawOnDc(canvas_.dc()));
}

}  // namespace
