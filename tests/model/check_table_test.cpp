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

namespace check_test {
namespace {

// The checks compare one byte of each governing element: the layout must hold them as byte elements (the
// file kind and the scope channel words as 16-bit words), or the checks would compare a part of a value.
TEST(CheckGoverningElements, AreBytesInTheLayout) {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> bytes = {
      {55, 16}, {55, 17}, {52, 88}, {33, 61}, {56, 0}, {56, 2}, {512, 66}, {512, 69}, {512, 75}, {305, 10},
      {304, 5}, {304, 3}, {5, 3}};
  for (std::uint16_t r : {42, 43}) bytes.push_back({r, 29});
  for (std::uint16_t r : {40, 41}) bytes.push_back({r, 6});
  for (std::uint16_t r : {38, 39}) {
    bytes.push_back({r, 30});
    bytes.push_back({r, 56});
  }
  for (std::uint16_t r : {53, 54}) {
    bytes.push_back({r, 24});
    bytes.push_back({r, 29});
  }
  for (std::uint16_t r : {34, 35}) {
    for (std::uint16_t e : {23, 24, 25, 26, 62, 63}) bytes.push_back({r, e});
  }
  for (std::uint16_t r : {46, 47}) {
    for (std::uint16_t e : {8, 9, 23}) bytes.push_back({r, e});
  }
  for (std::uint16_t r : {57, 58}) {
    for (std::uint16_t e : {0, 2, 21, 40, 59}) bytes.push_back({r, e});
  }
  for (std::uint16_t r : {59, 60}) {
    for (std::uint16_t e : {4, 9, 20}) bytes.push_back({r, e});
  }
  const std::pair<std::uint16_t, std::vector<std::uint16_t>> blocks[] = {
      {514, {0, 22, 44, 66, 88, 110, 132, 154, 210}},
      {516, {0, 22, 44, 66, 88, 110, 132, 154, 176, 198}},
      {518, {0, 22, 44, 66, 88, 110, 132, 154, 176, 198}},
      {520, {0, 22, 44}}};
  for (const auto& [record, starts] : blocks) {
    for (std::uint16_t b : starts) {
      for (std::uint16_t offset : {18, 19, 20, 21}) bytes.push_back({record, static_cast<std::uint16_t>(b + offset)});
      EXPECT_EQ(model::GetElementType(record, b + 16), model::kTypeU16) << record << " block " << b << " delay";
      EXPECT_LE(b + 22, model::RecordSize(record)) << record << " block " << b << " inside the record";
    }
  }
  for (const auto& [record, element] : bytes) {
    EXPECT_EQ(model::GetElementType(record, element), model::kTypeU8) << "(" << record << ", " << element << ")";
  }
  EXPECT_EQ(model::GetElementType(302, 0), model::kTypeU16);
  for (std::uint16_t word = 12; word <= 40; word += 4) EXPECT_EQ(model::GetElementType(454, word), model::kTypeU16);
}

}  // namespace
}  // namespace check_test
