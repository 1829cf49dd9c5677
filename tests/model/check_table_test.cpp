// The CheckTable as a whole: its functions, the layout rows it serves, and the checked write.
#include <set>

#include "model/element_access.h"
#include "model/record_layout.h"
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

TEST(CheckTableShape, NinetyFiveFunctionsWith93SharingThatOf90) {
  const model::CheckTableType& table = model::CheckTable();
  std::set<model::CheckFunction> distinct;
  for (std::size_t i = 0; i < table.size(); ++i) {
    ASSERT_NE(table[i], nullptr) << i;
    if (i == 93) continue;
    EXPECT_TRUE(distinct.insert(table[i]).second) << "check " << i << " repeats another";
  }
  EXPECT_EQ(table[93], table[90]);
  EXPECT_EQ(distinct.size(), 94u);
}

// Every layout row's check serves the row's own element: never 3, in every family, at the letters around
// the thresholds and in both file kinds that hold identity.
TEST_F(CheckTest, EveryLayoutRowIsServedByItsCheck) {
  const auto rows = model::RecordLayoutTable();
  for (std::uint16_t kind : {model::kFileKindProject, model::kFileKindReverseDoc}) {
    for (std::uint8_t family = 1; family <= 3; ++family) {
      for (std::uint8_t letter : {'@', 'B', 'E'}) {
        Apply({.kind = kind, .family = family, .letter = letter});
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
          const model::LayoutEntry& row = rows[i];
          if (row.check == 0) continue;
          const std::uint16_t element = model::ElementIndexInRecord(row.record, static_cast<std::uint16_t>(i));
          ASSERT_LT(row.check, model::kCheckCount);
          EXPECT_NE(model::CheckTable()[row.check](row.record, element, identity_test::kSet), 3)
              << "check " << int(row.check) << " on (" << row.record << ", " << element << "), family "
              << int(family) << ", letter " << letter << ", kind " << kind;
        }
      }
    }
  }
}

TEST_F(CheckTest, CheckedWriteOfAnUnavailableElementIsRefusedWith9) {
  // C30 (38, 0) is hidden at 'D'.
  Apply({.letter = 'D', .values = {{38, 0, 17}}});
  const double entered = 5.0;
  EXPECT_EQ(model::WriteElement(38, 0, &entered, model::kModeConverted, identity_test::kSet), 9);
  EXPECT_EQ(model::IsElementAvailable(38, 0, identity_test::kSet), 1);
  ASSERT_EQ(model::GetElementType(38, 0), model::kTypeI16);
  std::int16_t raw = 0;
  ASSERT_EQ(model::ReadElement(38, 0, &raw, model::kModeRaw, identity_test::kSet), 0);
  EXPECT_EQ(raw, 17) << "a refused write leaves the stored value";
  EXPECT_EQ(model::ChangeListCount(identity_test::kSet, 0), 0);
  EXPECT_NE(model::WriteElement(38, 0, &entered, model::kModeWriteUnchecked, identity_test::kSet), 9)
      << "the unchecked write skips the check";

  Apply({.letter = 'E'});
  EXPECT_NE(model::WriteElement(38, 0, &entered, model::kModeConverted, identity_test::kSet), 9);
  EXPECT_EQ(model::IsElementAvailable(38, 0, identity_test::kSet), 0);

  // A refusal by a governing value and by a failed governing read.
  Apply({.values = {{38, 56, 2}}});
  EXPECT_EQ(model::WriteElement(38, 6, &entered, model::kModeConverted, identity_test::kSet), 9);
  EXPECT_EQ(model::IsElementAvailable(38, 6, identity_test::kSet), 1);
  Apply({.faults = {{38, 56, 12}}});
  EXPECT_EQ(model::WriteElement(38, 6, &entered, model::kModeConverted, identity_test::kSet), 9);
}

}  // namespace
}  // namespace check_test
