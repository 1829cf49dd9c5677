// Every layout row's action serves its own element.
#include <gtest/gtest.h>

#include <sstream>

#include "model/after_write_actions.h"
#include "model/data_set.h"
#include "model/function_tables.h"
#include "model/record_layout.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using ActionLayoutTest = testing::ModelTest;

TEST_F(ActionLayoutTest, EveryRowsActionServesItsElement) {
  std::ostringstream refused;
  int rows = 0;
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    const LayoutEntry& entry = table[row];
    ASSERT_LT(entry.action, kActionCount) << entry.record;
    if (entry.action == 0) continue;
    ++rows;
    ASSERT_EQ(InitDataSet(0), 0);
    const std::uint16_t element = ElementIndexInRecord(entry.record, row);
    if (ActionTable()[entry.action](entry.record, element, 0) == 3) {
      refused << entry.record << ":" << element << " action " << int(entry.action) << "; ";
    }
  }
  EXPECT_EQ(refused.str(), "");
  EXPECT_GT(rows, 100);
}

}  // namespace
}  // namespace model
