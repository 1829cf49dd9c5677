#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scope/core/marker.h"
#include "scope/core/measurement.h"
#include "scope/core/plot_layout.h"
#include "scope/core/time_axis.h"
#include "scope/core/trace.h"

namespace {

using namespace scope;

std::string Printed(const char* format, double value, const char* unit) {
  char text[128];
  std::snprintf(text, sizeof text, format, value, unit);
  return text;
}

TEST(MarkerSet, NumbersAreReusedAndTheEleventhIsRefused) {
  MarkerSet set;
  for (int n = 1; n <= kMarkerCount; ++n) ASSERT_EQ(set.New(0x123456)->number, n);
  EXPECT_EQ(set.New(0), nullptr);
  EXPECT_TRUE(set.Delete(4));
  EXPECT_FALSE(set.Delete(4));
  EXPECT_EQ(set.New(0)->number, 4);
  // Stepping skips numbers that do not exist.
  set.Delete(5);
  set.Delete(6);
  EXPECT_EQ(set.Next(4), 7);
  EXPECT_EQ(set.Previous(7), 4);
  EXPECT_EQ(set.Next(10), 0);
  EXPECT_EQ(set.Previous(1), 0);
  // A colour change reaches every marker, also those after a gap.
  set.SetColour(0x00FF00);
  for (const auto& [n, m] : set.all()) EXPECT_EQ(m.colour, 0x00FF00u) << n;
}

TEST(Marker, MovesKeepAFirstAndValueMarkersMoveAgainstTheScreen) {
  Marker time;
  time.a = 100;
  time.b = 200;
  time.Move(150, kMoveA);
  EXPECT_EQ(time.a, 200);
  EXPECT_EQ(time.b, 250);
  time.MoveTo(-50, kMoveB);
  EXPECT_EQ(time.a, -50);
  EXPECT_EQ(time.b, 200);

  Marker value;
  value.time_marker = false;
  value.a = 3000;
  value.b = 5000;
  value.Move(500, kMoveBoth);  // down the screen: lower on the value axis
  EXPECT_EQ(value.a, 2500);
  EXPECT_EQ(value.b, 4500);
  // An unset point stays unset.
  Marker fresh;
  fresh.Move(10, kMoveBoth);
  EXPECT_TRUE(IsUnset(fresh.a));
}

TEST(Marker, UnsetPointsArePlacedAroundTheMiddleAndHitWithinReach) {
  const PlotLayout layout = LayOutPlot(RECT{0, 0, 432, 300}, true, false);
  ASSERT_TRUE(layout.valid);
  TimeAxis axis;  // 100000 us per division, trigger one division in
  MarkerSet set;
  for (int n = 1; n <= kMarkerCount; ++n) set.New(0);
  Marker& ten = *set.Find(10);
  ten.shown = true;
  ten.PlaceUnset(axis);
  EXPECT_DOUBLE_EQ(ten.a, 300000);  // four divisions right of the trigger
  EXPECT_DOUBLE_EQ(ten.b, 500000);
  const int ax = layout.plot.left + 4 * layout.x_step;
  const int bx = layout.plot.left + 6 * layout.x_step;
  std::uint8_t hit = 0;
  EXPECT_EQ(set.HitTest(POINT{ax + 10, 50}, layout, axis, &hit), 10);
  EXPECT_EQ(hit, kMoveA);
  EXPECT_EQ(set.HitTest(POINT{bx - 3, 50}, layout, axis, &hit), 10);
  EXPECT_EQ(hit, kMoveB);
  EXPECT_EQ(set.HitTest(POINT{ax + 11, 50}, layout, axis), 0);
  ten.shown = false;
  EXPECT_EQ(set.HitTest(POINT{ax, 50}, layout, axis), 0);

  Marker value;
  value.time_marker = false;
  value.PlaceUnset(axis);
  EXPECT_EQ(value.HitTest(POINT{5, layout.plot.top + 5 * layout.y_step}, layout, axis), kMoveA);
  EXPECT_EQ(value.HitTest(POINT{5, layout.plot.top + 3 * layout.y_step}, layout, axis), kMoveB);
}

TEST(Marker, ANewMarkersPointsArePulledOntoTheRecordedSamples) {
  struct Case {
    const char* what;
    double a, b, first, last;
    double placed_a, placed_b;
  };
  const Case kCases[] = {
      {"both inside stay", 300, 500, 0, 1000, 300, 500},
      {"B beyond the last sample", 300, 500, -100, 400, 300, 400},
      {"A before the first sample", 300, 500, 350, 900, 350, 500},
      {"both beyond one end: a quarter and three quarters in", 300, 500, -200, 200, -100, 100},
      {"both before the first", 300, 500, 600, 1000, 700, 900},
      {"a range of one sample", 300, 500, 50, 50, 50, 50},
      {"no range: unchanged", 300, 500, 10, 5, 300, 500},
  };
  for (const Case& c : kCases) {
    Marker m;
    m.a = c.a;
    m.b = c.b;
    m.PlaceWithin(c.first, c.last);
    EXPECT_DOUBLE_EQ(m.a, c.placed_a) << c.what;
    EXPECT_DOUBLE_EQ(m.b, c.placed_b) << c.what;
  }
}

// A trace of samples with 1 ms a sample, trigger at sample 0, two decimals, unit "V".
Trace MakeTrace(const std::vector<double>& v, std::int32_t time_base = 1000) {
  Trace t;
  t.samples = v;
  t.has_data = !v.empty();
  t.time_base = time_base;
  t.key = 1;
  t.decimals = 2;
  t.unit.assign(1, 'V');
  return t;
}

std::vector<double> Ramp(int n, double slope, double start) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(start + slope * i);
  return v;
}

TEST(Measurement, StatisticsBetweenTwoSamplesOfARampAndASine) {
  for (const bool sine : {false, true}) {
    std::vector<double> v;
    for (int i = 0; i < 100; ++i) v.push_back(sine ? 50 * std::sin(i * 0.2) : 2.0 * i - 10);
    const Trace t = MakeTrace(v);
    const int a = 10;
    const int b = 37;
    double sum = 0, squares = 0, low = v[a], high = v[a];
    int low_at = a, high_at = a;
    for (int i = a; i <= b; ++i) {
      sum += v[i];
      squares += v[i] * v[i];
      if (v[i] < low) low = v[i], low_at = i;
      if (v[i] > high) high = v[i], high_at = i;
    }
    const double n = b - a + 1;
    double deviations = 0;
    for (int i = a; i <= b; ++i) deviations += (v[i] - sum / n) * (v[i] - sum / n);
    const double g = (v[b] - v[a]) / ((b - a) * 1000.0);
    const std::string gradient = std::fabs(g) >= 0.001 && g < 1 ? Printed("gradient: %.6f %s/ms", g * 1000, "V")
                                                                 : Printed("gradient: %.6f %s/s", g * 1e6, "V");
    const double d = sum * 1000;  // unit x microseconds
    const std::string integral = std::fabs(d) > 1e6   ? Printed("integral: %.6f %s*s", d * 1e-6, "V")
                                 : std::fabs(d) > 1000 ? Printed("integral: %.3f %s*ms", d * 1e-3, "V")
                                                       : Printed("integral: %.0f %s*\xB5s", d, "V");
    const std::string expected[kMeasurementCount] = {
        "interval: 10 ms bis 37 ms (27 ms)",
        Printed("value in M2A: %.2f %s", v[a], "V"),
        Printed("value in M2B: %.2f %s", v[b], "V"),
        Printed("value difference: %.2f %s", v[b] - v[a], "V"),
        gradient,
        Printed("average value: %.2f %s", sum / n, "V"),
        integral,
        Printed("min value: %.2f %s", low, "V") + " bei " + std::to_string(low_at) + " ms",
        Printed("max. value: %.2f %s", high, "V") + " bei " + std::to_string(high_at) + " ms",
        Printed("rms value: %.2f %s", std::sqrt(squares / n), "V"),
        Printed("standard deviation: %.6f %s", std::sqrt(deviations / n), "V"),
    };
    // A and B anywhere inside their samples' millisecond.
    for (int code = 0; code < kMeasurementCount; ++code)
      EXPECT_EQ(MeasurementText(t, 2, a * 1000 + 400, b * 1000 + 999, code), expected[code])
          << (sine ? "sine " : "ramp ") << code;
  }
}

TEST(Measurement, EdgeCases) {
  const Trace ramp = MakeTrace(Ramp(100, 2, -10));
  struct Case {
    const char* what;
    Trace trace;
    double a, b;
    int code;
    std::string text;
  };
  const Case kCases[] = {
      {"A = B", ramp, 10000, 10000, kInterval, "interval: 10 ms bis 10 ms (0 ms)"},
      {"A = B", ramp, 10000, 10000, kGradient, "gradient: ---"},
      {"A = B", ramp, 10000, 10000, kAverage, "average value: 10.00 V"},
      {"A = B", ramp, 10000, 10000, kRms, "rms value: 10.00 V"},
      {"A = B", ramp, 10000, 10000, kMinimum, "min value: 10.00 V bei 10 ms"},
      {"A = B", ramp, 10000, 10000, kMaximum, "max. value: 10.00 V bei 10 ms"},
      {"A = B", ramp, 10000, 10000, kStandardDeviation, "standard deviation: 0.000000 V"},
      {"B beyond", ramp, 10000, 100000, kValueInA, "value in M1A: 10.00 V"},
      {"B beyond", ramp, 10000, 100000, kValueInB, "value in M1B: ---"},
      {"B beyond", ramp, 10000, 100000, kInterval, "interval: ---"},
      {"B beyond", ramp, 10000, 100000, kMaximum, "max value: ---"},
      {"B beyond", ramp, 10000, 100000, kStandardDeviation, "standard deviation: ---"},
      {"A left of the trace", ramp, -1, 5000, kValueInA, "value in M1A: ---"},
      {"A left of the trace", ramp, -1, 5000, kAverage, "average value: ---"},
      {"A unset", ramp, kUnsetValue, 5000, kInterval, "interval: ---"},
      {"falling -5/us", MakeTrace(Ramp(10, -5000, 0)), 0, 9000, kGradient, "gradient: -5000000.000000 V/s"},
      {"rising 2/us", MakeTrace(Ramp(10, 2000, 0)), 0, 9000, kGradient, "gradient: 2.000000 V/\xB5s"},
      {"100 V*us", MakeTrace(std::vector<double>(10, 1.0), 10), 0, 90, kIntegral, "integral: 100 V*\xB5s"},
      {"11 V*s", MakeTrace(std::vector<double>(11, 1000.0)), 0, 10000, kIntegral, "integral: 11.000000 V*s"},
      {"first of equal minima", MakeTrace({3, 1, 5, 1, 5}), 0, 4000, kMinimum, "min value: 1.00 V bei 1 ms"},
      {"first of equal maxima", MakeTrace({3, 1, 5, 1, 5}), 0, 4000, kMaximum, "max. value: 5.00 V bei 2 ms"},
      {"no samples", MakeTrace({}), 0, 0, kInterval, ""},
      {"unknown code", ramp, 0, 0, 11, ""},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(MeasurementText(c.trace, 1, c.a, c.b, c.code), c.text) << c.what << " code " << c.code;
  // The trigger frame shifts the indexes: time 0 is the trigger sample.
  Trace shifted = MakeTrace(Ramp(100, 2, -10));
  shifted.trigger_frame = 20;
  EXPECT_EQ(MeasurementText(shifted, 1, -10000, -10000, kValueInA), "value in M1A: 10.00 V");
  // A value marker measures nothing.
  Marker value;
  value.number = 3;
  value.time_marker = false;
  value.a = value.b = 0;
  EXPECT_EQ(MeasurementText(ramp, value, false, kValueInA), "value in M3A: ---");
}

}  // namespace
