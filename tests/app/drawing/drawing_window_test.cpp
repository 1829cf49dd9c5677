// The drawing layer on windows of the headless window layer: a DC of its own and a paint pass.
#include <gtest/gtest.h>

#include "app/drawing/drawing_layer.h"
#include "app/drawing/instruments.h"
#include "platform/backend/capture.h"
#include "platform/testing/driver.h"
#include "tests/app/drawing_fixture.h"

namespace {

int g_paints = 0;
bool g_end_with_release = false;

// Paints a bar gauge through the layer; ends the pass with EndDrawDC when told to (a mismatched end).
LRESULT GaugeWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    ++g_paints;
    if (app::BeginDraw(h)) {
      app::BarGaugeRecord g;
      g.x = 10;
      g.y = 10;
      g.width = 23;
      g.height = 43;
      g.colour = 12;
      g.minimum = -10;
      g.maximum = 10;
      app::DrawBarGauge(g, 10.0f);
      if (g_end_with_release) {
        app::EndDrawDC();
      } else {
        app::EndDraw();
      }
    }
    return 0;
  }
  if (m == WM_ERASEBKGND) return 1;
  return DefWindowProc(h, m, w, l);
}

class DrawingWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drawing_test::ResetLayer();
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("DrawingLayerTest", GaugeWindowProc));
    g_paints = 0;
    g_end_with_release = false;
  }
  void TearDown() override { drawing_test::ResetLayer(); }
  HWND Window() {
    return CreateWindowEx(0, "DrawingLayerTest", "gauge", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr, nullptr,
                          nullptr, nullptr);
  }
  platform::testing::Session session_;
};

TEST_F(DrawingWindowTest, APaintPassDrawsTheGaugeAndEndsOnceWhicheverEndIsCalled) {
  for (bool release : {false, true}) {
    g_end_with_release = release;
    g_paints = 0;
    HWND w = Window();
    platform::testing::PumpUntilIdle();
    EXPECT_EQ(g_paints, 1) << release;  // the pass validated the window
    EXPECT_EQ(app::CurrentDrawDc(), nullptr);
    // Drawn area 20 x 40 from (10, 10); the bar runs from the top to the zero row 30.
    EXPECT_EQ(platform::backend::WindowPixel(w, 15, 12), RGB(0, 0, 255));
    EXPECT_EQ(platform::backend::WindowPixel(w, 15, 29), RGB(0, 0, 255));
    EXPECT_EQ(platform::backend::WindowPixel(w, 15, 31), RGB(255, 255, 255));
    DestroyWindow(w);
  }
}

TEST_F(DrawingWindowTest, AWindowDcTakesTheOriginAndIsHandedBack) {
  HWND w = Window();
  platform::testing::PumpUntilIdle();
  app::SetDrawOrigin(20, 30);
  ASSERT_TRUE(app::BeginDrawDC(w));
  EXPECT_EQ(app::CurrentDrawWindow(), w);
  app::SelectBrush(2);
  app::FillRectangle(0, 0, 5, 5);
  app::EndDrawDC();
  EXPECT_EQ(app::CurrentDrawWindow(), nullptr);
  EXPECT_EQ(platform::backend::WindowPixel(w, 22, 32), RGB(255, 0, 0));
  EXPECT_NE(platform::backend::WindowPixel(w, 2, 2), RGB(255, 0, 0));
  DestroyWindow(w);
  EXPECT_FALSE(app::BeginDrawDC(w));
  app::FillRectangle(0, 0, 5, 5);  // no target: nothing happens
  EXPECT_EQ(app::CurrentDrawDc(), nullptr);
}

}  // namespace
