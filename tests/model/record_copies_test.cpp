#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/element_access.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using testing::ModelTest;

std::vector<std::uint8_t> Record(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> bytes(RecordSize(record));
  EXPECT_EQ(ReadRecord(record, bytes.data(), kModeRaw, set), 0);
  return bytes;
}

void Fill(std::uint16_t record, std::uint8_t set, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(RecordSize(record));
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed + i % 7);
  ASSERT_EQ(WriteRecord(record, bytes.data(), kModeRaw, set), 0);
}

class RecordCopiesTest : public ModelTest {};

TEST_F(RecordCopiesTest, CopyRecordAsBetweenPartnersOnly) {
  for (const auto& [from, to] : std::vector<std::pair<std::uint16_t, std::uint16_t>>{
           {34, 35}, {35, 34}, {38, 39}, {40, 41}, {42, 43}, {46, 47}, {48, 49}, {53, 54}, {57, 58}, {59, 60},
           {254, 251}, {251, 254}}) {
    Fill(from, 0, static_cast<std::uint8_t>(from));
    ASSERT_EQ(CopyRecordAs(from, to, 0), 0) << from << "->" << to;
    EXPECT_EQ(Record(to, 0), Record(from, 0));
  }
  const auto before38 = Record(38, 0);
  EXPECT_EQ(CopyRecordAs(34, 38, 0), 3) << "records of different layouts";
  EXPECT_EQ(Record(38, 0), before38);
  EXPECT_EQ(CopyRecordAs(34, 34, 0), 3);
  EXPECT_EQ(CopyRecordAs(300, 302, 0), 3);
  EXPECT_EQ(CopyRecordAs(34, 35, 2), 1);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
}

TEST_F(RecordCopiesTest, CopyRecordBetweenSets) {
  Fill(300, 0, 'a');
  const auto other = Record(302, 1);
  ASSERT_EQ(CopyRecordBetweenSets(300, 0, 1), 0);
  EXPECT_EQ(Record(300, 1), Record(300, 0));
  EXPECT_EQ(Record(302, 1), other);
  EXPECT_EQ(CopyRecordBetweenSets(300, 0, 2), 1);
  EXPECT_EQ(CopyRecordBetweenSets(300, 3, 0), 1);
  EXPECT_EQ(CopyRecordBetweenSets(303, 0, 1), 3);
}

TEST_F(RecordCopiesTest, CopyDataSetCopiesEveryElementButNotTheChangeLists) {
  Fill(317, 1, 'k');
  Fill(453, 1, 3);
  const std::uint32_t entry = 42;
  ASSERT_EQ(ChangeListPush(1, 0, &entry), 0);
  ASSERT_EQ(CopyDataSet(1, 0), 0);
  EXPECT_EQ(DataSetSlot(0)->storage, DataSetSlot(1)->storage);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_EQ(ChangeListCount(1, 0), 1);
  EXPECT_EQ(CopyDataSet(0, 2), 1);
  EXPECT_EQ(CopyDataSet(0, 0), 0);
}

class ChangeListsTest : public ModelTest {};

TEST_F(ChangeListsTest, StacksOfFiftyEntries) {
  for (std::uint32_t i = 1; i <= 50; ++i) ASSERT_EQ(ChangeListPush(1, 1, &i), 0);
  const std::uint32_t extra = 99;
  EXPECT_EQ(ChangeListPush(1, 1, &extra), 3);
  EXPECT_EQ(ChangeListCount(1, 1), 50);
  EXPECT_EQ(ChangeListCount(1, 0), 0);
  for (std::uint32_t i = 50; i >= 1; --i) {
    std::uint32_t entry = 0;
    ASSERT_EQ(ChangeListPop(1, 1, &entry), 0);
    EXPECT_EQ(entry, i);
  }
  std::uint32_t entry = 7;
  EXPECT_EQ(ChangeListPop(1, 1, &entry), 4);
  EXPECT_EQ(entry, 7u);
}

TEST_F(ChangeListsTest, BadSetsAndListsAndClearing) {
  const std::uint32_t entry = 5;
  EXPECT_EQ(ChangeListPush(0, 2, &entry), 2);
  EXPECT_EQ(ChangeListPush(2, 0, &entry), 1);
  EXPECT_EQ(ClearChangeList(0, 2), 2);
  EXPECT_EQ(ClearChangeList(2, 0), 1);
  EXPECT_EQ(ClearChangeList0(2), 1);
  EXPECT_EQ(ClearChangeList1(2), 1);
  EXPECT_EQ(ChangeListCapacity(0, 0), 50);
  EXPECT_EQ(ChangeListCapacity(1, 1), 50);
  EXPECT_EQ(ChangeListCapacity(0, 2), 0);
  EXPECT_EQ(ChangeListCapacity(2, 0), 0);
  EXPECT_EQ(ChangeListCount(2, 0), 0);
  EXPECT_EQ(ChangeList0Empty(0), 1);
  ASSERT_EQ(ChangeListPush(0, 0, &entry), 0);
  ASSERT_EQ(ChangeListPush(0, 1, &entry), 0);
  EXPECT_EQ(ChangeList0Empty(0), 0);
  EXPECT_EQ(ClearChangeList0(0), 0);
  EXPECT_EQ(ChangeList0Empty(0), 1);
  EXPECT_EQ(ChangeListCount(0, 1), 1);
  EXPECT_EQ(ClearChangeList1(0), 0);
  EXPECT_EQ(ChangeListCount(0, 1), 0);
}

TEST_F(ChangeListsTest, ACorruptCountIsBounded) {
  DataSetSlot(0)->change_count1 = 60000;
  EXPECT_EQ(ChangeListCount(0, 1), 50);
  const std::uint32_t entry = 1;
  EXPECT_EQ(ChangeListPush(0, 1, &entry), 3);
  std::uint32_t out = 0;
  EXPECT_EQ(ChangeListPop(0, 1, &out), 0);
  EXPECT_EQ(ChangeListCount(0, 1), 49);
}

}  // namespace
}  // namespace model
