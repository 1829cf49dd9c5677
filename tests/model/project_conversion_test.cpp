#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using testing::ModelTest;
using testing::ReadRaw;

std::vector<std::uint8_t> Storage(std::uint8_t set) {
  const ProjectDataSet* data = DataSetSlot(set);
  return {data->storage.begin(), data->storage.end()};
}

std::vector<std::uint8_t> Record(std::uint16_t record, std::uint8_t set = 0) {
  std::vector<std::uint8_t> bytes(RecordSize(record));
  EXPECT_EQ(ReadRecord(record, bytes.data(), kModeRaw, set), 0);
  return bytes;
}

void SetKind(std::uint16_t kind, std::uint8_t set = 0) {
  ASSERT_EQ(WriteElement(302, 0, &kind, kModeRaw, set), 0);
}

void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value, std::uint8_t set = 0) {
  ASSERT_EQ(GetElementType(record, element), kTypeU8) << record << ":" << element;
  ASSERT_EQ(WriteElement(record, element, &value, kModeRaw, set), 0);
}

std::string Text(std::uint16_t record, std::uint16_t element) {
  char text[1024] = {};
  EXPECT_EQ(ReadElement(record, element, text, kModeRaw, 0), 0);
  return text;
}

// The records the conversion touches have the element types the conversion expects.
bool LayoutServesConversion() {
  for (const std::uint16_t e : {0, 1, 3, 5, 9}) {
    if (GetElementType(5, e) != kTypeU8) return false;
  }
  return GetElementType(15, 4) == kTypeText16 && IsStringType(GetElementType(317, 0)) &&
         IsNumberType(GetElementType(40, 10)) && IsNumberType(GetElementType(41, 10));
}

// The version letter's upper limit needs the descriptor of (304, 5).
class ConvertToProjectTypeTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    testing::InstallDescriptors({{304, 5}});
  }
};

TEST_F(ConvertToProjectTypeTest, OtherKindsAreReturnedAndNothingIsWritten) {
  const auto before = Storage(0);
  EXPECT_EQ(ConvertToProjectType(19, 0), 19);
  EXPECT_EQ(ConvertToProjectType(0, 0), 0);
  EXPECT_EQ(ConvertToProjectType(19, 7), 19);
  EXPECT_EQ(Storage(0), before);
  EXPECT_EQ(ConvertToProjectType(17, 2), 0);
}

TEST_F(ConvertToProjectTypeTest, AProjectMarkedAsReverseDocumentationChangesOnlyRecord302) {
  SetKind(17);
  std::vector<std::uint8_t> before = Storage(0);
  EXPECT_EQ(ConvertToProjectType(18, 0), 18);
  EXPECT_EQ(GetFileTypeCode(0), 18);
  EXPECT_EQ(Text(302, 2), "Rueckdoku_ZPR");
  std::vector<std::uint8_t> after = Storage(0);
  const std::uint32_t start = RecordLayoutTable()[FirstRowOfRecord(302)].storage;
  for (std::uint32_t i = 0; i < before.size(); ++i) {
    if (i >= start && i < start + RecordSize(302)) continue;
    ASSERT_EQ(before[i], after[i]) << "storage byte " << i;
  }
  EXPECT_EQ(ChangeListCount(0, 0), 0);
}

struct FamilyCase {
  std::uint8_t family, board, variant;
  std::uint8_t board_after, variant_after;
};

class ReverseDocumentationTest : public ConvertToProjectTypeTest, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(ReverseDocumentationTest, MovesRecord5IntoRecord304WithTheFamilyCorrections) {
  if (!LayoutServesConversion()) GTEST_SKIP() << "the layout of records 5, 15, 40 and 41 is not complete yet";
  const FamilyCase& c = GetParam();
  SetKind(18);
  SetByte(5, 0, c.family);
  SetByte(5, 1, 51);
  SetByte(5, 3, c.board);
  SetByte(5, 5, 'C');
  SetByte(5, 9, c.variant);
  ASSERT_EQ(WriteElement(317, 0, "A comment of more than sixteen characters", kModeRaw, 0), 0);
  std::uint8_t ten[8] = {255};
  ASSERT_EQ(WriteElement(40, 10, ten, kModeRaw, 0), 0);
  ten[0] = 3;
  ASSERT_EQ(WriteElement(41, 10, ten, kModeRaw, 0), 0);
  const auto record5 = Record(5);
  testing::InstallDescriptors({{304, 5}});  // the upper limit of P01 needs its descriptor

  EXPECT_EQ(ConvertToProjectType(17, 0), 17);
  EXPECT_EQ(GetFileTypeCode(0), 17);
  EXPECT_EQ(Text(302, 2), "Projekt._ZPR");
  EXPECT_EQ(Record(5), record5) << "the read-back identity stays";
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 0), c.family);
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 1), 51);
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 3), c.board_after);
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 5), 'C');
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 9), c.variant_after);
  EXPECT_EQ(Text(15, 4), "A comment of mor");
  EXPECT_EQ(ReadRaw<std::uint8_t>(40, 10), 1);
  EXPECT_EQ(ReadRaw<std::uint8_t>(41, 10), 3);
}

INSTANTIATE_TEST_SUITE_P(Families, ReverseDocumentationTest,
                         ::testing::Values(FamilyCase{2, 5, 1, 10, 0}, FamilyCase{2, 12, 2, 12, 2},
                                           FamilyCase{3, 15, 0, 20, 0}, FamilyCase{3, 20, 1, 20, 0},
                                           FamilyCase{1, 9, 1, 0, 0}, FamilyCase{1, 7, 0, 7, 0},
                                           FamilyCase{0, 8, 3, 0, 3}));

std::uint8_t RefusingConverter(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                               std::uint8_t, std::uint16_t) {
  return 13;
}

std::uint8_t RefusingRange(void*, const RangePair*, std::uint8_t, std::uint8_t, std::uint8_t) { return 12; }

TEST_F(ConvertToProjectTypeTest, AFailingStepLeavesTheWholeDataSetAsItWas) {
  SetKind(18);
  SetByte(5, 0, 2);
  SetByte(5, 3, 1);
  const auto before = Storage(0);

  ConverterTableType converters = ConverterTable();
  converters[7] = &RefusingConverter;
  SetConverterTable(converters);
  EXPECT_EQ(ConvertToProjectType(17, 0), 0) << "the device-type converter refuses";
  EXPECT_EQ(Storage(0), before);
  ResetFunctionTables();

  RangeTableType ranges{};
  ranges.fill(&RefusingRange);
  SetRangeTable(ranges);
  EXPECT_EQ(ConvertToProjectType(17, 0), 0) << "the upper limit of the version letter cannot be had";
  EXPECT_EQ(Storage(0), before) << "record 304 was written before the failing step and is restored";
  EXPECT_EQ(GetFileTypeCode(0), 18);

  ResetFunctionTables();
  testing::InstallDescriptors({});
  EXPECT_EQ(ConvertToProjectType(17, 0), 0) << "no descriptor, no limit";
  EXPECT_EQ(Storage(0), before);
}

TEST_F(ConvertToProjectTypeTest, TheVersionLetterIsCutToItsUpperLimit) {
  if (!LayoutServesConversion()) GTEST_SKIP() << "the layout of records 5, 15, 40 and 41 is not complete yet";
  SetKind(18);
  SetByte(5, 5, 'Q');
  RangeTableType ranges = RangeTable();
  ranges[RecordLayoutTable()[FindLayoutEntry(304, 5)].a] = [](void* value, const RangePair*, std::uint8_t,
                                                              std::uint8_t, std::uint8_t which) -> std::uint8_t {
    if (which == 1) *static_cast<std::uint8_t*>(value) = 'G';
    return 0;
  };
  SetRangeTable(ranges);
  EXPECT_EQ(ConvertToProjectType(17, 0), 17);
  EXPECT_EQ(ReadRaw<std::uint8_t>(304, 5), 'G');
}

}  // namespace
}  // namespace model
