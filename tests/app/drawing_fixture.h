// A memory DC opened as the drawing layer's target, with the call log running, and the layer's lasting state
// (pen, scale, origin, arrow heads, text angle, caches) put back after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/drawing/drawing_layer.h"
#include "platform/gdi/call_log.h"
#include "tests/platform/gdi/canvas_fixture.h"

namespace drawing_test {

using Lines = std::vector<std::string>;
using platform::gdi::testing::Canvas;

inline void ResetLayer() {
  app::EndDrawOnDc();
  app::SetDrawScale(1.0f);
  app::SetDrawOrigin(0, 0);
  app::SetArrowHeads(false, false);
  app::SetTextAngle(0);
  app::SelectPen(0, 0, 0);
  app::SelectBrush(0);
  app::FreeDrawObjects();
}

class DrawingTest : public ::testing::Test {
 protected:
  explicit DrawingTest(int width = 120, int height = 80) : canvas_(width, height) {}
  void SetUp() override {
    ResetLayer();
    ASSERT_TRUE(app::BeginDrawOnDc(canvas_.dc()));
    platform::gdi::StartCallLog();
  }
  void TearDown() override {
    platform::gdi::StopCallLog();
    ResetLayer();
  }
  // The calls logged since the last take, only those that begin with one of the prefixes (all without any).
  static Lines Take(std::initializer_list<const char*> prefixes = {}) {
    Lines out;
    for (std::string& line : platform::gdi::TakeCallLog()) {
      bool keep = prefixes.size() == 0;
      for (const char* p : prefixes) keep = keep || line.rfind(p, 0) == 0;
      if (keep) out.push_back(std::move(line));
    }
    return out;
  }
  Canvas canvas_;
};

}  // namespace drawing_test
