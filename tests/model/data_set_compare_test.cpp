#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "model/data_set.h"
#include "model/data_set_compare.h"
#include "model/element_access.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

class CompareTest : public testing::ModelTest {
 protected:
  void SetUp() override {
    testing::ModelTest::SetUp();
    ClearChangeList1(0);
    ClearChangeList1(1);
  }
  template <typename T>
  void Put(std::uint16_t record, std::uint16_t element, T value, std::uint8_t set) {
    ASSERT_EQ(WriteElement(record, element, &value, kModeRaw, set), 0);
  }
  struct Line {
    std::uint8_t status;
    std::string text;
    std::uint16_t record;
    std::uint16_t element;
  };
  Line Next(std::uint8_t set, std::uint8_t size = 81) {
    std::array<char, 256> out{};
    Line line{};
    line.status = NextCompareReportLine(out.data(), &line.record, &line.element, nullptr, size, set);
    line.text = out.data();
    return line;
  }
};

TEST_F(CompareTest, EqualFilesLeaveTheListEmpty) {
  for (std::uint16_t record : {302, 304, 55, 42, 38}) EXPECT_EQ(CompareRecordAcrossSets(record, 0, 1), 0) << record;
  EXPECT_EQ(ChangeListCount(1, 1), 0);
  EXPECT_EQ(Next(1).status, kCompareListEmpty);
}

TEST_F(CompareTest, AcrossSetsReportsTheSpecialLinesAndDescriptorNames) {
  Put<std::uint16_t>(302, 0, kFileKindReverseDoc, 1);
  Put<std::uint8_t>(304, 0, 2, 1);
  Put<std::uint8_t>(55, 9, 2, 1);
  Put<std::uint32_t>(458, 4, 0x01020304u, 1);
  EXPECT_EQ(CompareRecordAcrossSets(302, 0, 1), kCompareDifferent);
  EXPECT_EQ(CompareRecordAcrossSets(304, 0, 1), kCompareDifferent);
  EXPECT_EQ(CompareRecordAcrossSets(55, 0, 1), kCompareDifferent);
  EXPECT_EQ(CompareRecordAcrossSets(458, 0, 1), kCompareDifferent);
  EXPECT_EQ(ChangeListCount(0, 1), 0) << "the differences go to the second set";
  // Last pushed comes out first.
  EXPECT_EQ(Next(1).text, "A102 Can-Rec.PDO-trans.Type o. A103 Can-Tra.PDO-trans.Type");
  const Line a10 = Next(1);
  EXPECT_EQ(a10.text, "A10 menu level");
  EXPECT_EQ(a10.record, 55);
  EXPECT_EQ(a10.element, 9);
  EXPECT_EQ(Next(1).text, "device-type is different (ZPR / QWM), check only common parameters!");
  EXPECT_EQ(Next(1).text, "file type is different: 1 time projecting- a.1 time reverse docu.-file!");
  EXPECT_EQ(Next(1).status, kCompareListEmpty);
}

TEST_F(CompareTest, AcrossSetsSkipsTheElementsItIgnores) {
  Put<std::uint8_t>(5, 6, 9, 1);
  Put<std::uint8_t>(5, 9, 9, 1);
  const char text[] = "other";
  ASSERT_EQ(WriteElement(302, 2, text, kModeRaw, 1), 0);
  Put<std::uint16_t>(32, 0, 77, 1);
  EXPECT_EQ(CompareRecordAcrossSets(5, 0, 1), 0);
  EXPECT_EQ(CompareRecordAcrossSets(302, 0, 1), 0) << "only element 0 of record 302";
  EXPECT_EQ(CompareRecordAcrossSets(32, 0, 1), 0) << "record 32 from element 16 on";
  Put<std::uint8_t>(5, 5, 9, 1);
  EXPECT_EQ(CompareRecordAcrossSets(5, 0, 1), kCompareDifferent);
  EXPECT_EQ(CompareRecordAcrossSets(999, 0, 1), 3);
  EXPECT_EQ(CompareRecordAcrossSets(5, 0, 2), 1);
}

TEST_F(CompareTest, StringsCompareUpToTheSecondTextsTerminator) {
  char a[17] = "same";
  char b[17] = "same";
  std::memset(a + 5, 'x', 11);  // bytes after the terminator differ
  ASSERT_EQ(WriteElement(50, 0, a, kModeRaw, 0), 0);
  ASSERT_EQ(WriteElement(50, 0, b, kModeRaw, 1), 0);
  std::memcpy(ElementAddress(50, 0, 0), a, sizeof a);
  EXPECT_EQ(CompareRecordAcrossSets(50, 0, 1), 0);
  std::strcpy(b, "samf");
  ASSERT_EQ(WriteElement(50, 0, b, kModeRaw, 1), 0);
  EXPECT_EQ(CompareRecordAcrossSets(50, 0, 1), kCompareDifferent);
}

TEST_F(CompareTest, ParameterSetsPushThePartnerRecordWithItsSetPrefix) {
  Put<std::int16_t>(38, 2, 1234, 0);  // C01 n-Max of parameter set 1
  EXPECT_EQ(CompareRecordPair(38, 39, 0), kCompareDifferent);
  const Line line = Next(0);
  EXPECT_EQ(line.record, 39);
  EXPECT_EQ(line.element, 2);
  EXPECT_EQ(line.text, "P2.C01 n-Max");
  Put<std::int16_t>(39, 2, 1234, 0);
  EXPECT_EQ(CompareRecordPair(38, 39, 0), 0);
  Put<std::int16_t>(39, 2, 1, 0);
  EXPECT_EQ(CompareRecordPair(39, 38, 0), kCompareDifferent);
  EXPECT_EQ(Next(0).text, "P1.C01 n-Max");
  EXPECT_EQ(CompareRecordPair(55, 38, 0), 3);
  EXPECT_EQ(CompareRecordPair(38, 305, 0), 3);
  EXPECT_EQ(CompareRecordPair(38, 39, 7), 1);
}

TEST_F(CompareTest, FiftyOneDifferencesFillTheListAndGiveFiftyLines) {
  for (std::uint16_t e = 0; e < 60; ++e) Put<std::uint8_t>(11, e, 0xFF, 1);
  EXPECT_EQ(CompareRecordAcrossSets(11, 0, 1), kCompareDifferent);
  EXPECT_EQ(ChangeListCount(1, 1), kChangeListCapacity);
  int lines = 0;
  while (true) {
    const Line line = Next(1);
    if (line.status == kCompareListEmpty) break;
    ++lines;
  }
  EXPECT_EQ(lines, 50);
}

TEST_F(CompareTest, LinesWithoutDescriptorAndCutLines) {
  testing::InstallDescriptors({});
  Put<std::uint8_t>(55, 9, 2, 1);
  ASSERT_EQ(CompareRecordAcrossSets(55, 0, 1), kCompareDifferent);
  const Line line = Next(1);
  EXPECT_EQ(line.status, kCompareNoDescriptor);
  EXPECT_EQ(line.text, "Bnam = 55  Badr = 9");

  SetMenuListTableForTest({});
  ASSERT_EQ(CompareRecordAcrossSets(55, 0, 1), kCompareDifferent);
  EXPECT_EQ(Next(1, 4).text, "A10") << "cut to size - 1";
  ASSERT_EQ(CompareRecordAcrossSets(55, 0, 1), kCompareDifferent);
  std::array<char, 8> out{};
  std::strcpy(out.data(), "kept");
  EXPECT_EQ(NextCompareReportLine(out.data(), nullptr, nullptr, nullptr, 0, 1), 1) << "size 0 is refused";
  EXPECT_STREQ(out.data(), "kept");
  EXPECT_EQ(ChangeListCount(1, 1), 1) << "and takes no entry";
  std::uint8_t kind = 99;
  EXPECT_EQ(NextCompareReportLine(out.data(), nullptr, nullptr, &kind, 8, 1), 0);
  EXPECT_EQ(kind, 4);
  EXPECT_EQ(NextCompareReportLine(out.data(), nullptr, nullptr, nullptr, 8, 2), 1);
}

}  // namespace
}  // namespace model
