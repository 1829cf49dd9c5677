// The input check over whole data sets: fresh data sets of every family, the range stage's lines from menu
// lists, and the report buffer's bounds.
#include "model/input_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "upgrade_fixture.h"

namespace model {
namespace {

using upgrade_test::Put;

std::vector<std::string> Lines(const char* report, std::uint16_t count) {
  std::vector<std::string> lines;
  const char* p = report;
  for (std::uint16_t i = 0; i < count; ++i) {
    lines.emplace_back(p);
    p += lines.back().size() + 1;
  }
  return lines;
}

struct Result {
  std::uint8_t status;
  std::vector<std::string> lines;
};

Result Check(std::uint16_t size = kInputCheckReportSize) {
  std::vector<char> report(std::max<std::uint16_t>(size, 1), '\x7F');
  std::uint16_t count = 0xFFFF;
  const std::uint8_t status = CheckParameterSet(0, &count, report.data(), size);
  return {status, Lines(report.data(), count)};
}

using InputCheckTest = testing::ModelTest;

TEST_F(InputCheckTest, FreshDataSetOfEveryFamilyHasNoFinding) {
  for (const std::uint8_t family : {1, 2, 3}) {
    SCOPED_TRACE(::testing::Message() << "family " << int(family));
    ASSERT_EQ(InitDataSet(0), 0);
    const double f = family;
    ASSERT_EQ(WriteElement(304, 0, &f, kModeWriteUnchecked, 0), 0);
    const Result r = Check();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.lines.empty()) << ::testing::PrintToString(r.lines);
  }
}

// A menu table of our own in list 11 (the last list of every family's sequence), real layout elements, and a
// range table whose every function answers the element's stored byte as its status.
class RangeStageTest : public InputCheckTest {
 protected:
  void SetUp() override {
    InputCheckTest::SetUp();
    RangeTableType ranges{};
    ranges.fill(&StoredByteAsStatus);
    SetRangeTable(ranges);
  }
  static std::uint8_t StoredByteAsStatus(void* value, const RangePair*, std::uint8_t, std::uint8_t, std::uint8_t) {
    return *static_cast<const std::uint8_t*>(value);
  }
  void Install(std::vector<ParameterDescriptor> rows, std::uint16_t override_record = 0) {
    rows_ = std::move(rows);
    rows_.push_back({0, 0, 0, 0, 0, 0, 0.0, kNoName});
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
    slots_[11] = {rows_.data(), override_record, true};
    SetMenuListTableForTest(slots_);
  }
  static ParameterDescriptor Row(std::uint16_t record, std::uint16_t element, const char* const* name,
                                 std::uint8_t kind = 1) {
    return {record, element, kind, 0, 0, 0, 0.0, name};
  }
  static constexpr const char* kB20[] = {"B20 control mode", ""};
  static constexpr const char* kB24[] = {"B24 switching frequency", ""};
  static constexpr const char* kB26[] = {"B26 motor-encoder", ""};
  static constexpr const char* kB31[] = {"B31 oscillation damping", ""};
  static constexpr const char* kP02[] = {"P02 option-board", ""};
  static constexpr const char* kNoName[] = {""};
  static constexpr ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, kNoName}};
  std::vector<ParameterDescriptor> rows_;
  std::array<MenuListSlot, kMenuListSlots> slots_{};
};

TEST_F(RangeStageTest, EachRefusalGivesItsLineWithTheSetPrefix) {
  Install({Row(40, 6, kB20), Row(41, 11, kB24), Row(40, 15, kB26), Row(41, 9, kB31), Row(40, 10, kNoName),
           Row(41, 6, kB20)});
  Put(40, 6, 4);
  Put(41, 11, 5);
  Put(40, 15, 6);
  Put(41, 9, 7);
  Put(40, 10, 9);  // another status: the name alone
  Put(41, 6, 0);
  const Result r = Check();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"P1.B20 control mode: value too great",
                                               "P2.B24 switching frequency: value too small",
                                               "P1.B26 motor-encoder: wrong value",
                                               "P2.B31 oscillation damping: collision with other values", "P1."}));
}

TEST_F(RangeStageTest, SkippedRowsAndTheProjectTarget) {
  Install({Row(40, kHeadingElement, kB20, 6), Row(40, 6, kB20, 0), Row(40, 6, kB20, 5), Row(4, 0, kNoName),
           Row(304, 3, kP02)});
  Put(40, 6, 4);
  Put(4, 0, 4);     // a row without range function and pair
  Put(304, 3, 4);
  Put(302, 0, kFileKindProject);
  EXPECT_EQ(Check().lines, std::vector<std::string>{"P1.P02 option-board: value too great"});
  Put(302, 0, kFileKindReverseDoc);
  EXPECT_TRUE(Check().lines.empty());
}

TEST_F(RangeStageTest, ListOverrideRecordDecidesTheSetAndAnElementListedTwiceIsReportedTwice) {
  Install({Row(40, 6, kB20), Row(40, 6, kB20)}, 41);
  Put(41, 6, 4);
  EXPECT_EQ(Check().lines,
            (std::vector<std::string>{"P2.B20 control mode: value too great", "P2.B20 control mode: value too great"}));
}

TEST_F(RangeStageTest, ElementWithoutLayoutRowGivesThree) {
  Install({Row(40, 6, kB20), Row(40, 1, kNoName)});
  Put(40, 6, 4);
  const Result r = Check();
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.lines.size(), 1u);  // the lines before stay
}

TEST_F(RangeStageTest, ReportBoundsCountOnlyWrittenLines) {
  Install({Row(40, 6, kB20), Row(41, 6, kB20)});
  Put(40, 6, 4);
  Put(41, 6, 4);
  const std::string line = "P1.B20 control mode: value too great";
  struct Case {
    std::uint16_t size;
    std::vector<std::string> lines;
  } cases[] = {
      {0, {}},
      {1, {""}},
      {5, {"P1.B"}},                                     // cut, still terminated, counted
      {static_cast<std::uint16_t>(line.size() + 1), {line}},  // fills the buffer: full
      {static_cast<std::uint16_t>(line.size() + 4), {line, "P2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    std::vector<char> report(c.size + 8u, '\x7F');
    std::uint16_t count = 0xFFFF;
    EXPECT_EQ(CheckParameterSet(0, &count, report.data(), c.size), 3);
    EXPECT_EQ(Lines(report.data(), count), c.lines);
    for (std::size_t i = c.size; i < report.size(); ++i) EXPECT_EQ(report[i], '\x7F') << "byte " << i;
  }
}

TEST_F(InputCheckTest, SetBeyondTheSlotsGivesOne) {
  std::array<char, 16> report{};
  std::uint16_t count = 0;
  EXPECT_EQ(CheckParameterSet(2, &count, report.data(), report.size()), 1);
  EXPECT_EQ(CheckParameterSet(LastDataSetIndex() + 1, &count, report.data(), report.size()), 1);
}

TEST_F(InputCheckTest, TheCheckChangesNothing) {
  const ProjectDataSet before = *DataSetSlot(0);
  Put(40, 6, 200);
  const ProjectDataSet changed = *DataSetSlot(0);
  Check();
  EXPECT_TRUE(DataSetSlot(0)->storage == changed.storage);
  EXPECT_FALSE(before.storage == changed.storage);
}

}  // namespace
}  // namespace model
