#include "model/round_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using model::RoundByDecimals;
using model::RoundToPlaces;
using model::RoundValue;

TEST(RoundValueTest, RoundsHalfAwayFromZero) {
  struct Case {
    double in;
    double out;
  };
  const Case cases[] = {
      {2.5, 3.0},   {-2.5, -3.0}, {2.4999, 2.0}, {-2.4999, -2.0}, {0.5, 1.0},        {-0.5, -1.0},
      {1.5, 2.0},   {3.5, 4.0},   {0.0, 0.0},    {7.0, 7.0},      {4294967294.5, 4294967295.0},
      {0.49999999999999994, 0.0},  // floor(x + 0.5) would give 1
  };
  for (const Case& c : cases) EXPECT_EQ(RoundValue(c.in), c.out) << c.in;
}

TEST(RoundValueTest, NeverGivesNegativeZero) {
  EXPECT_FALSE(std::signbit(RoundValue(-0.4)));
  EXPECT_FALSE(std::signbit(RoundValue(-0.0)));
  EXPECT_FALSE(std::signbit(RoundToPlaces(-0.04, 1)));
}

TEST(RoundValueTest, LeavesNonFiniteValuesAsTheyAre) {
  EXPECT_TRUE(std::isnan(RoundValue(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(RoundValue(-std::numeric_limits<double>::infinity()), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(RoundValue(1e300), 1e300);
}

TEST(RoundValueTest, PlacesUseTheMultiplierNotADivision) {
  // The rounded product times 0.1 / 0.01 / 0.001, bit for bit.
  EXPECT_EQ(RoundToPlaces(1.25, 1), 13.0 * 0.1);
  EXPECT_EQ(RoundToPlaces(1.005, 3), 1005.0 * 0.001);  // 1.0050000000000001, not 1.005
  EXPECT_EQ(RoundToPlaces(2.675, 2), 268.0 * 0.01);
  EXPECT_EQ(RoundToPlaces(0.285, 2), 28.0 * 0.01);  // 0.285 * 100 is 28.499999999999996
  EXPECT_EQ(RoundToPlaces(-1.25, 1), -13.0 * 0.1);
  EXPECT_EQ(RoundToPlaces(2.7, 0), 3.0);
  EXPECT_EQ(RoundToPlaces(2.7, 4), 3.0);
}

TEST(RoundValueTest, DecimalsByteOfConvertersAndLimits) {
  EXPECT_EQ(RoundByDecimals(1.2345, 1), 12.0 * 0.1);
  EXPECT_EQ(RoundByDecimals(1.2345, 2), 123.0 * 0.01);
  EXPECT_EQ(RoundByDecimals(1.2345, 3), 1235.0 * 0.001);
  EXPECT_EQ(RoundByDecimals(1.2345, 255), 1.2345);
  for (int decimals : {0, 4, 7, 254}) EXPECT_EQ(RoundByDecimals(1.5, static_cast<std::uint8_t>(decimals)), 2.0);
}

}  // namespace
