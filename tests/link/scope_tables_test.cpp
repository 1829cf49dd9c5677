#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "link/scope_tables.h"
#include "model/element_type.h"
#include "model/record_layout.h"

namespace {

// The table against every fact known about it: row counts, the rows named by number, the sampleable types of
// every element, the trigger rows that derive from it.
TEST(ScopeTables, SignalTableHoldsItsFacts) {
  const auto t = ilink::ScopeSignalTable();
  ASSERT_EQ(t.size(), ilink::kScopeSignalRows + 1u);
  EXPECT_EQ(t.back().record, 0);
  EXPECT_STREQ(t[0].name, "inactive");
  EXPECT_EQ(t[0].record, 65535);
  struct Named {
    std::size_t row;
    const char* name;
    std::uint16_t record, element;
  };
  for (const Named& n : {Named{1, "E00 I-motor", 33, 14}, Named{2, "E01 P-motor", 33, 12},
                         Named{7, "E06 n-ref.val", 33, 32}, Named{14, "E17 relay 1", 52, 81},
                         Named{15, "E18 relay 2", 52, 80}, Named{16, "E19 enable", 33, 70},
                         Named{55, "E100 statusbit", 33, 104}, Named{56, "E101 contrlbit", 52, 40},
                         Named{57, "break opn", 52, 12}, Named{85, "add.enabl", 52, 112},
                         Named{99, "I80 act.posi.", 33, 86}, Named{110, "I92 s-memory3", 55, 34},
                         Named{114, "user defined", 55, 255}, Named{115, "Debug 1", 33, 126},
                         Named{116, "Debug 2", 33, 128}, Named{122, "E27 BA15-BA1", 33, 132}}) {
    EXPECT_STREQ(t[n.row].name, n.name) << n.row;
    EXPECT_EQ(t[n.row].record, n.record) << n.row;
    EXPECT_EQ(t[n.row].element, n.element) << n.row;
  }
  EXPECT_EQ(t[1].minimum, 0.0f);
  EXPECT_EQ(t[1].maximum, 7.0f);
  EXPECT_EQ(t[2].minimum, -15.0f);
  EXPECT_STREQ(t[7].unit, "rpm");
  for (std::size_t row = 17; row <= 30; ++row) {
    EXPECT_EQ(std::string(t[row].name), "E19 BE" + std::to_string(row - 16));
  }
  std::set<std::pair<std::uint16_t, std::uint16_t>> pairs;
  for (std::size_t row = 1; row < ilink::kScopeSignalRows; ++row) {
    if (row == ilink::kScopeUserDefinedRow) continue;
    const std::uint8_t type = model::GetElementType(t[row].record, t[row].element);
    EXPECT_TRUE(model::IsIntegerType(type)) << "row " << row << " " << t[row].name;
    EXPECT_TRUE(pairs.insert({t[row].record, t[row].element}).second) << "row " << row << " named twice";
    EXPECT_TRUE(t[row].kind == 1 || t[row].kind == 2) << row;
    EXPECT_LT(t[row].minimum, t[row].maximum) << row;
    if (t[row].kind == 2) {
      EXPECT_STREQ(t[row].unit, "") << row;
    }
    EXPECT_GE(t[row].first_letter, 64);
    EXPECT_LE(t[row].first_letter, 81);
  }
}

TEST(ScopeTables, TriggerTableFollowsTheSignals) {
  const auto t = ilink::ScopeTriggerTable();
  ASSERT_EQ(t.size(), ilink::ScopeTriggerListSize());
  EXPECT_EQ(ilink::ScopeTriggerListSize(), 133);
  EXPECT_STREQ(t[0].name, "directly");
  EXPECT_EQ(t[0].kind, 0);
  EXPECT_STREQ(t[1].name, "never");
  EXPECT_EQ(t[1].kind, 1);
  EXPECT_STREQ(t[2].name, "power-section on");
  EXPECT_EQ(t[2].element, 67);
  EXPECT_EQ(t[2].level, 4);
  EXPECT_STREQ(t[3].name, "fault");
  EXPECT_EQ(t[3].level, 6);
  EXPECT_STREQ(t[4].name, "stop");
  EXPECT_EQ(t[4].element, 62);
  EXPECT_EQ(t[4].level, 5);
  const auto s = ilink::ScopeSignalTable();
  for (std::size_t row = 1; row < ilink::kScopeSignalRows; ++row) {
    const ilink::ScopeTriggerRow& r = t[ilink::kScopeFixedTriggerRows - 1 + row];
    EXPECT_EQ(r.signal_row, row);
    EXPECT_STREQ(r.name, s[row].name);
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.mode, 0);
    EXPECT_EQ(r.has_level, 1);
  }
  for (std::size_t n = ilink::kScopeFixedTriggerRows - 1 + ilink::kScopeSignalRows; n < t.size(); ++n) {
    EXPECT_EQ(t[n].is_signal, 0);
    EXPECT_EQ(t[n].mode, 1);
    EXPECT_EQ(model::GetElementType(t[n].record, t[n].element), model::kTypeU8);
  }
  EXPECT_EQ(ilink::ScopeChannelCount(), 8);
  EXPECT_EQ(ilink::ScopeSignalListSize(), 126);
}

}  // namespace
