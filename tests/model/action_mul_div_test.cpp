#include <gtest/gtest.h>

#include <cstdint>

#include "model/mul_div.h"

namespace model {
namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesWithMinusOne) {
  struct Case {
    std::int32_t a, b, c, expected;
  };
  const Case cases[] = {
      {5, 1, 2, 3},          {-5, 1, 2, -3},        {5, -1, 2, -3},       {5, 1, -2, -3},
      {-5, -1, -2, -3},      {4, 1, 3, 1},          {5, 1, 3, 2},         {7, 1, 2, 4},
      {0, 100, 7, 0},        {1, 1, 0, -1},         {0, 0, 0, -1},        {65536, 65536, 2, -1},
      {2147483647, 2, 2, 2147483647},               {-2147483647, 1, 1, -2147483647},
      {46341, 46341, 1, -1}, {1000000, 1000000, 1000, 1000000000},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
}  // namespace model
