// Pictures of the instrument widgets and the layer's primitives, held against golden PNGs in tests/app/golden.
// Each run writes what it drew to build/test-output/drawing; ZPR_UPDATE_GOLDEN=1 makes those the new goldens.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "app/drawing/instruments.h"
#include "platform/gdi/surface.h"
#include "tests/app/drawing_fixture.h"

namespace {

namespace fs = std::filesystem;
using drawing_test::Canvas;

// Draws with the layer open on a white memory DC of the size, and compares the picture with the golden.
void ExpectGolden(const char* name, int width, int height, const std::function<void(HDC)>& draw) {
  drawing_test::ResetLayer();
  Canvas canvas(width, height);
  ASSERT_TRUE(app::BeginDrawOnDc(canvas.dc()));
  draw(canvas.dc());
  app::EndDrawOnDc();
  drawing_test::ResetLayer();

  platform::gdi::Surface picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Row(y)[x] = platform::gdi::ToPixel(GetPixel(canvas.dc(), x, y));
  const fs::path out_dir = fs::path(ZPR_BIN_DIR).parent_path() / "test-output" / "drawing";
  fs::create_directories(out_dir);
  std::string file = name;
  file += ".png";
  ASSERT_TRUE(picture.WritePng((out_dir / file).string()));
  const fs::path golden = fs::path(ZPR_SOURCE_DIR) / "tests" / "app" / "golden" / file;
  const char* update = std::getenv("ZPR_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    fs::create_directories(golden.parent_path());
    ASSERT_TRUE(picture.WritePng(golden.string()));
    return;
  }
  cairo_surface_t* expected = cairo_image_surface_create_from_png(golden.string().c_str());
  ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << "no golden " << golden;
  cairo_surface_flush(expected);
  ASSERT_EQ(cairo_image_surface_get_width(expected), width);
  ASSERT_EQ(cairo_image_surface_get_height(expected), height);
  const unsigned char* data = cairo_image_surface_get_data(expected);
  const int stride = cairo_image_surface_get_stride(expected);
  int differing = 0;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) differing += (row[x] & 0xFFFFFF) != picture.Pixel(x, y);
  }
  cairo_surface_destroy(expected);
  EXPECT_EQ(differing, 0) << name << ": see " << (out_dir / file);
}

TEST(InstrumentPictures, BarGaugesOfTheDriveMonitor) {
  ExpectGolden("bar_gauges", 130, 70, [](HDC) {
    const float values[] = {-100, -50, 0, 30, 100, 150};
    const std::uint16_t colours[] = {2, 3, 4, 12, 13, 7};
    for (int i = 0; i < 6; ++i) {
      app::BarGaugeRecord g;
      g.x = static_cast<std::int16_t>(5 + i * 20);
      g.y = 5;
      g.width = 17;
      g.height = 63;
      g.colour = colours[i];
      g.minimum = -100;
      g.maximum = 100;
      app::DrawBarGauge(g, values[i]);
    }
  });
}

TEST(InstrumentPictures, PercentBarsWithAndWithoutCaption) {
  ExpectGolden("percent_bars", 180, 70, [](HDC) {
    app::PercentBarRecord p;
    p.x = 10;
    p.y = 5;
    p.width = 163;
    p.height = 17;
    p.caption = "Daten";
    p.colour = 12;
    p.minimum = 0;
    p.maximum = 100;
    app::DrawPercentBar(p, 42.5f);
    app::PercentBarRecord q = p;
    q.y = 50;
    q.height = 13;
    q.caption.reset();
    q.colour = 3;
    q.last = app::kRedrawMark;
    app::DrawPercentBar(q, 150.0f);
  });
}

TEST(InstrumentPictures, CrossPlotOfTheReferenceValues) {
  ExpectGolden("cross_plot", 200, 140, [](HDC dc) {
    app::EndDrawOnDc();  // the plot draws with the DC's own pen and font, as on a control's paint DC
    app::DrawCrossPlot(dc, 5, 5, 195, 135, 1500, 1200, 60, 400, 15);
  });
}

TEST(InstrumentPictures, PanelGaugesAtTwoScales) {
  ExpectGolden("panel_gauges", 200, 240, [](HDC) {
    app::SelectPen(0, 0, 1);  // the gauge takes the caller's pen colour for its frame and ticks
    app::PanelGaugeRecord g;
    g.x = 5;
    g.y = 20;
    g.caption = "Iq";
    g.colour = 3;
    g.minimum = 0;
    g.maximum = 100;
    g.value = 62;
    app::DrawPanelGauge(g);
    app::DrawPanelBar(g, 62);
    g.x = 55;
    g.y = 30;
    g.scale = 1.5f;
    g.value = 25;
    g.colour = 2;
    app::DrawPanelGauge(g);
    app::DrawPanelBar(g, 25);
  });
}

app::ScalePointerRecord Pointer(std::int16_t x, const char* caption1, const char* caption2) {
  app::ScalePointerRecord s;
  s.x = x;
  s.y = 35;
  s.width = 30;
  s.height = 60;
  s.caption1 = caption1;
  s.caption2 = caption2;
  s.minimum = -100;
  s.maximum = 100;
  return s;
}

TEST(InstrumentPictures, ScalePointers) {
  ExpectGolden("scale_pointers", 130, 110, [](HDC) {
    app::SelectPen(0, 0, 1);
    app::DrawScalePointer(Pointer(20, "n", "rpm"), 40);
    app::DrawScalePointer(Pointer(85, "M", "%"), -75);
  });
}

TEST(InstrumentPictures, PrimitivesOfTheLayer) {
  ExpectGolden("primitives", 200, 120, [](HDC) {
    app::SelectPen(0, 0, 1);
    app::SelectBrush(11);
    app::DrawPie(30, 30, 20, 300, 2400);
    app::SelectPen(0, 1, 12);
    app::DrawArc(30, 30, 25, 2400, 300);
    app::SelectPen(0, 0, 1);
    app::DrawRoundFrame(65, 10, 125, 50);
    app::SelectBrush(6);
    app::DrawRoundRect(135, 10, 190, 50);
    app::DrawCircle(160, 30, 8);
    app::SetArrowHeads(true, true);
    app::SelectPen(0, 0, 2);
    const app::DrawPoint arrow[] = {{15, 70}, {80, 70}, {80, 110}};
    app::DrawPolyline(arrow);
    const app::DrawPoint slanted[] = {{100, 110}, {140, 70}};
    app::DrawPolyline(slanted);
    app::SetArrowHeads(false, false);
    app::SetBackgroundMode(app::kBackgroundTransparent);
    for (int style = 1; style <= 5; ++style) {
      app::SelectPen(style, 1, 4);
      const app::DrawPoint dashes[] = {{150, 60 + style * 10}, {195, 60 + style * 10}};
      app::DrawPolyline(dashes);
    }
    app::SelectBrush(0);
    app::SetDrawTextColor(4);
    app::SelectFontStep(0);
    app::DrawTextAt(20, 108, "Arc \xB5s 3\xB0");
  });
}

}  // namespace
