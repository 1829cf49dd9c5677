// A fresh data set, as InitDataSet and its actions leave it, passes every range check of its own layout.
#include <gtest/gtest.h>

#include "model/after_write_actions.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/record_layout.h"
#include "tests/model/model_test_support.h"
#include "tests/model/range_walk.h"

namespace model {
namespace {

using FreshDataSetTest = testing::ModelTest;

using testing::RangeFailures;

TEST_F(FreshDataSetTest, EveryNumberElementPassesItsRangeCheck) {
  for (const std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
    ASSERT_EQ(InitDataSet(set), 0);
    EXPECT_EQ(RangeFailures(set), "") << "set " << int(set);
  }
}

// A change to family 2 or 3 and back to family 1 leaves a data set that again passes every check.
TEST_F(FreshDataSetTest, FamilyChangeAndBackPassesEveryRangeCheck) {
  for (const std::uint8_t family : {std::uint8_t{2}, std::uint8_t{1}, std::uint8_t{3}, std::uint8_t{1}}) {
    ASSERT_EQ(WriteElement(304, 0, &family, kModeRaw, 0), 0);
    ASSERT_EQ(OnDeviceFamilyChanged(304, 0, 0), 0);
  }
  std::uint8_t type = 0;
  ASSERT_EQ(ReadElement(304, 1, &type, kModeRaw, 0), 0);
  EXPECT_EQ(type, 55);
  EXPECT_EQ(RangeFailures(0), "");
}

}  // namespace
}  // namespace model
