#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scope/core/plot_layout.h"
#include "scope/core/step_rule.h"
#include "scope/core/time_axis.h"
#include "scope/core/trace.h"
#include "scope/core/value_format.h"
#include "tests/scope/failing_allocation.h"

namespace {

using namespace scope;

TEST(StepRule, NextStepsOfTheOneTwoFiveSequence) {
  struct Case {
    double x;
    StepDirection direction;
    double step;
  };
  constexpr auto kUp = StepDirection::kUp;
  constexpr auto kDown = StepDirection::kDown;
  const Case kCases[] = {
      {1, kUp, 2},        {3, kUp, 5},       {7, kUp, 10},        {1, kDown, 0.5},  {144000, kUp, 200000},
      {9.6, kUp, 20},     {1.5, kUp, 5},     {1.4, kUp, 2},       {0, kUp, 2},      {-3, kUp, 2},
      {20, kDown, 10},    {50, kDown, 20},   {200, kDown, 100},   {0.002, kUp, 0.005}, {5e9, kUp, 1e10},
  };
  for (const Case& c : kCases)
    EXPECT_DOUBLE_EQ(NextStep(c.x, c.direction), c.step) << c.x << (c.direction == kUp ? " up" : " down");
}

TEST(StepRule, SnappingToTheGrid) {
  struct Case {
    int position, k, snapped;
  };
  const Case kCases[] = {{1500, 1, 2000}, {2000, 1, 2000}, {1500, -1, 1000}, {2000, -1, 2000},
                         {1500, 2, 1500}, {1600, 2, 2000}, {-300, 1, 0},     {-300, -1, -1000},
                         {1234, 0, 1234}};
  for (const Case& c : kCases) EXPECT_EQ(SnapToGrid(c.position, c.k), c.snapped) << c.position << " k " << c.k;
}

TEST(PlotLayout, EvenStepsAndTheSmallestControlThatHasAGrid) {
  const PlotLayout l = LayOutPlot(RECT{0, 0, 500, 300}, false, false);
  ASSERT_TRUE(l.valid);
  EXPECT_EQ(l.x_step, 46);  // (500 - 2 - 30) / 10 = 46
  EXPECT_EQ(l.y_step, 34);  // (300 - 1 - 14) / 8 = 35 -> 34
  EXPECT_EQ(l.plot.left, 30 + (468 - 460) / 2);
  EXPECT_EQ(l.plot.right, l.plot.left + 461);
  EXPECT_EQ(l.plot.bottom - l.plot.top, 273);
  EXPECT_EQ(l.XPixels(1000), 46);
  EXPECT_DOUBLE_EQ(l.XLogical(23), 500);

  // Below the margins plus one pixel a division nothing is laid out; a one-pixel step is no grid either.
  struct Case {
    int width, height;
    bool valid;
  };
  const Case kCases[] = {{41, 300, false}, {42, 300, false}, {52, 300, true},
                         {500, 22, false}, {500, 31, true},  {500, 39, true}};
  for (const Case& c : kCases)
    EXPECT_EQ(LayOutPlot(RECT{0, 0, c.width, c.height}, false, false).valid, c.valid) << c.width << "x" << c.height;
  // Marker labels take their margins while markers of their kind exist.
  const PlotLayout with_markers = LayOutPlot(RECT{0, 0, 500, 300}, true, true);
  EXPECT_EQ(with_markers.x_step, 44);
  EXPECT_GE(with_markers.plot.top, 9);
}

TEST(TimeAxis, TakeOverScalesToTheLongestChannel) {
  TimeAxis axis;
  axis.TakeOver(500, 2880, 0);
  EXPECT_DOUBLE_EQ(axis.time_per_division, 200000);
  EXPECT_EQ(axis.trigger_position, 1000) << "the left edge becomes one division";
  axis.TakeOver(500, 2880, 1000);  // trigger at 500 ms: 2.5 divisions, rounded to 3
  EXPECT_EQ(axis.trigger_position, 3000);
  TimeAxis untouched;
  untouched.TakeOver(0, 2880, 5);
  untouched.TakeOver(-10, 2880, 5);
  EXPECT_DOUBLE_EQ(untouched.time_per_division, kInitialTimePerDivision);
}

TEST(TimeAxis, ZoomKeepsTheMiddleAndStopsAtItsLimits) {
  TimeAxis axis;
  axis.time_per_division = 1000;
  axis.trigger_position = 1000;
  const double middle = axis.TimeAt(5000);
  ASSERT_TRUE(axis.ZoomIn());
  EXPECT_DOUBLE_EQ(axis.time_per_division, 500);
  EXPECT_NEAR(axis.TimeAt(5000), middle, 1.0);
  int steps = 0;
  while (axis.ZoomIn()) ++steps;
  EXPECT_DOUBLE_EQ(axis.time_per_division, 10) << "from 20 one more step gives 10";
  EXPECT_LT(steps, 20);
  while (axis.ZoomOut()) ++steps;
  EXPECT_GE(axis.time_per_division, 5000000000.0);
  EXPECT_LT(axis.time_per_division, 2e10);
}

class TraceTest : public ::testing::Test {
 protected:
  void Feed(const std::vector<double>& values) { trace_.SetSamples(values.data(), static_cast<std::uint32_t>(values.size())); }
  Trace trace_;
};

TEST_F(TraceTest, RangeScalesTheStepAndCentresTheTrace) {
  Feed(std::vector<double>(10, 0.0));
  EXPECT_DOUBLE_EQ(trace_.step_per_division, 2);
  EXPECT_EQ(trace_.vertical_offset, 0);
  std::vector<double> ramp;
  for (int i = 0; i <= 1000; i += 10) ramp.push_back(i);
  Feed(ramp);
  EXPECT_DOUBLE_EQ(trace_.step_per_division, 200);
  // 999 / 200 rounds to 5: the value 500 lies on the middle line, the zero line 2.5 divisions below it.
  EXPECT_EQ(trace_.vertical_offset, 2500);
  Feed({-5, -7, -1});
  EXPECT_EQ(trace_.Maximum(), 0);
  EXPECT_EQ(trace_.Minimum(), -7);
  Feed({});
  EXPECT_FALSE(trace_.has_data);
  EXPECT_EQ(trace_.Maximum(), 0);
}

TEST_F(TraceTest, AFailedAllocationLeavesTheTraceEmpty) {
  Feed({1, 2, 3});
  trace_.SetBitDisplay(true, 0x3);
  std::vector<double> values(1237, 4.0);
  {
    scope_test::ScopedFailingAllocation fail(values.size() * sizeof(double));
    EXPECT_FALSE(trace_.SetSamples(values.data(), static_cast<std::uint32_t>(values.size())));
    EXPECT_EQ(scope_test::FailedAllocations(), 1);
  }
  EXPECT_FALSE(trace_.has_data);
  EXPECT_EQ(trace_.count(), 0u);
  EXPECT_FALSE(trace_.has_bits);
  EXPECT_TRUE(trace_.points.empty());
  // The next feed works again.
  EXPECT_TRUE(trace_.SetSamples(values.data(), static_cast<std::uint32_t>(values.size())));
  EXPECT_EQ(trace_.count(), 1237u);
}

TEST_F(TraceTest, PointsCoverTheVisibleSamplesOnly) {
  const PlotLayout layout = LayOutPlot(RECT{0, 0, 432, 300}, false, false);  // x step 40: 400 pixels
  ASSERT_EQ(layout.x_step, 40);
  TimeAxis axis;
  axis.time_per_division = 1000;  // 10 ms over the plot
  axis.trigger_position = 0;
  trace_.time_base = 100;         // 4 pixels a sample
  std::vector<double> samples(200, 1.0);
  Feed(samples);
  trace_.ComputePoints(layout, axis);
  ASSERT_FALSE(trace_.points.empty());
  EXPECT_EQ(trace_.first_visible, 0u);
  EXPECT_EQ(trace_.last_visible, 100u);
  EXPECT_EQ(trace_.points[1].x, 4);
  EXPECT_EQ(trace_.points.back().x, 400);
  // The value before the first visible sample is unset.
  axis.trigger_position = 5000;
  trace_.ComputePoints(layout, axis);
  EXPECT_EQ(trace_.first_visible, 0u);
  EXPECT_EQ(trace_.ValueAt(-100), kUnsetValue);
  EXPECT_EQ(trace_.ValueAt(0), 1.0);
  axis.trigger_position = -300000;  // far left of the samples
  trace_.ComputePoints(layout, axis);
  EXPECT_TRUE(trace_.points.empty());
}

// A time base of 0 or below gives no time axis: no points, no values, no division by it.
TEST_F(TraceTest, NoTimeBaseNoPoints) {
  const PlotLayout layout = LayOutPlot(RECT{0, 0, 432, 300}, false, false);
  TimeAxis axis;
  Feed({1, 2, 3});
  for (int base : {0, -5}) {
    trace_.time_base = base;
    trace_.ComputePoints(layout, axis);
    EXPECT_TRUE(trace_.points.empty());
    EXPECT_EQ(trace_.ValueAt(0), kUnsetValue);
  }
}

TEST_F(TraceTest, BitDisplayLanes) {
  trace_.data_type = 6;  // unsigned 16 bit
  Feed({0, 1, 2, 3});
  ASSERT_TRUE(trace_.CanShowBits());
  trace_.SetBitDisplay(true, 0x0FFF);
  EXPECT_TRUE(trace_.has_bits);
  EXPECT_FALSE(trace_.analogue);
  EXPECT_EQ(trace_.bit_group.bits, 16);
  EXPECT_EQ(trace_.bit_group.lane_divisor, 2) << "12 lanes";
  trace_.SetBitDisplay(true, 0xFFFFFFFF);
  EXPECT_EQ(trace_.bit_group.mask, 0xFFFFu) << "only the type's bits";
  Feed({5, 6});
  EXPECT_TRUE(trace_.has_bits) << "new samples keep the bit display";
  trace_.SetBitDisplay(false, 0);
  EXPECT_TRUE(trace_.analogue);
  trace_.decimals = 2;
  EXPECT_FALSE(trace_.CanShowBits());
  trace_.decimals = 0;
  trace_.data_type = 8;  // float: 32 bits, can
  EXPECT_TRUE(trace_.CanShowBits());
  trace_.data_type = 0;
  EXPECT_FALSE(trace_.CanShowBits());
}

}  // namespace
