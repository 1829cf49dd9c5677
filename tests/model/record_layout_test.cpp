#include "model/record_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "model/element_type.h"

namespace model {
namespace {

// The look-up as a walk from the first row of the table, the first match winning.
std::uint16_t WalkFindLayoutEntry(std::uint16_t record, std::uint16_t element) {
  const auto table = RecordLayoutTable();
  std::size_t row = 0;
  while (table[row].record != 0 && table[row].record != record) ++row;
  if (table[row].record == 0) return kNoRow;
  std::uint32_t sum = 0;
  while (table[row].record == record && sum < element) {
    sum += ElementTypeSize(table[row].type);
    ++row;
  }
  if (table[row].record != record || sum != element) return kNoRow;
  return static_cast<std::uint16_t>(row);
}

std::vector<std::uint16_t> RecordsInTableOrder() {
  std::vector<std::uint16_t> records;
  const auto table = RecordLayoutTable();
  for (std::size_t row = 0; table[row].record != 0; ++row) {
    if (records.empty() || records.back() != table[row].record) records.push_back(table[row].record);
  }
  return records;
}

TEST(RecordLayout, TableHasAllRowsAndEndsWithRecordZero) {
  const auto table = RecordLayoutTable();
  ASSERT_EQ(table.size(), kLayoutRowCount + 1u);
  EXPECT_EQ(table.back().record, 0);
  const auto records = RecordsInTableOrder();
  EXPECT_EQ(records.size(), 91u);
  EXPECT_EQ(std::set<std::uint16_t>(records.begin(), records.end()).size(), records.size())
      << "every record is one run of rows";
  EXPECT_EQ(records.front(), 302);
  EXPECT_EQ(records.back(), 362);
}

TEST(RecordLayout, StorageHoldsTheElementsBackToBackWithoutOverlap) {
  const auto table = RecordLayoutTable();
  std::uint32_t expected = 0;
  for (std::size_t row = 0; table[row].record != 0; ++row) {
    ASSERT_EQ(table[row].storage, expected) << "row " << row;
    expected += ElementTypeSize(table[row].type);
  }
  EXPECT_EQ(expected, kStorageSize);
}

TEST(RecordLayout, FindLayoutEntryAnswersAsTheWalkFromTheFirstRowForEveryOffset) {
  for (const std::uint16_t record : RecordsInTableOrder()) {
    const std::uint16_t size = RecordSize(record);
    for (std::uint32_t element = 0; element <= size + 1u; ++element) {
      ASSERT_EQ(FindLayoutEntry(record, static_cast<std::uint16_t>(element)),
                WalkFindLayoutEntry(record, static_cast<std::uint16_t>(element)))
          << "record " << record << " element " << element;
    }
  }
}

TEST(RecordLayout, EdgeCasesOfTheLookUps) {
  EXPECT_EQ(FindLayoutEntry(300, 1), kNoRow) << "inside the 16-bit element 0";
  const std::uint16_t first300 = FirstRowOfRecord(300);
  ASSERT_NE(first300, kNoRow);
  EXPECT_EQ(FindLayoutEntry(300, 0), first300);
  EXPECT_EQ(FindLayoutEntry(300, 2), first300 + 1);
  for (const std::uint16_t record : RecordsInTableOrder()) {
    EXPECT_EQ(FindLayoutEntry(record, RecordSize(record)), kNoRow) << record;
  }
  EXPECT_EQ(LayoutElementCount(3, 5), 0);
  EXPECT_EQ(LayoutElementCount(3, 8), 140);
  EXPECT_EQ(LayoutElementCount(3, 9), 140);
  EXPECT_EQ(LayoutElementCount(303, 8), 0) << "not a record of the layout";
  EXPECT_EQ(RecordSize(303), 0);
  EXPECT_EQ(RecordSize(0), 0);
  EXPECT_EQ(RecordSize(65535), 0);
  EXPECT_EQ(FindLayoutEntry(0, 0), kNoRow);
  EXPECT_EQ(FindLayoutEntry(999, 0), kNoRow);
  EXPECT_EQ(GetElementType(300, 1), 255);
  EXPECT_EQ(GetElementType(999, 0), 255);
  EXPECT_EQ(FirstRowOfRecord(0), kNoRow);
}

TEST(RecordLayout, ElementIndexInRecordIsTheOffsetOfTheRowsBeforeIt) {
  const std::uint16_t first300 = FirstRowOfRecord(300);
  EXPECT_EQ(ElementIndexInRecord(300, first300), 0);
  EXPECT_EQ(ElementIndexInRecord(300, first300 + 1), 2);
  EXPECT_EQ(ElementIndexInRecord(300, first300 + 8), 75);
  EXPECT_EQ(ElementIndexInRecord(300, first300 + 9), kNoRow) << "the next record's row";
  EXPECT_EQ(ElementIndexInRecord(302, first300), kNoRow);
  EXPECT_EQ(ElementIndexInRecord(300, kLayoutRowCount), kNoRow) << "the end row";
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    ASSERT_EQ(FindLayoutEntry(table[row].record, ElementIndexInRecord(table[row].record, row)), row);
  }
}

TEST(RecordLayout, RecordsWhoseLayoutIsFixed) {
  struct Case {
    std::uint16_t record;
    std::uint16_t elements;
    std::uint16_t bytes;
  };
  for (const Case& c : {Case{3, 140, 280}, Case{4, 2, 2}, Case{300, 9, 92}, Case{302, 2, 19}, Case{317, 57, 8389},
                        Case{453, 12, 2880}, Case{355, 1, 240}, Case{362, 1, 240}, Case{305, 67, 164}}) {
    EXPECT_EQ(LayoutElementCount(c.record, 8), c.elements) << c.record;
    EXPECT_EQ(RecordSize(c.record), c.bytes) << c.record;
  }
  struct Element {
    std::uint16_t record;
    std::uint16_t element;
    std::uint8_t type;
  };
  for (const Element& e : {Element{300, 2, kTypeText16}, Element{300, 19, kTypeText16}, Element{300, 36, kTypeU8},
                           Element{300, 41, kTypeText16}, Element{300, 75, kTypeText16}, Element{302, 2, kTypeText16},
                           Element{453, 2640, kTypeBlock240}, Element{3, 278, kTypeU16}}) {
    EXPECT_EQ(GetElementType(e.record, e.element), e.type) << e.record << ":" << e.element;
  }
  EXPECT_EQ(ElementTypeSize(GetElementType(300, 0)), 2);
  EXPECT_EQ(ElementTypeSize(GetElementType(302, 0)), 2);
  EXPECT_EQ(ElementTypeSize(GetElementType(4, 0)), 1);
  EXPECT_EQ(ElementTypeSize(GetElementType(4, 1)), 1);
}

TEST(ElementTypeSizes, EveryCode) {
  const std::uint16_t expected[] = {1, 0, 1, 1, 2, 2, 4, 4, 9, 17, 81, 4, 8, 0, 240, 1024, 8};
  for (std::uint8_t type = 0; type < std::size(expected); ++type) EXPECT_EQ(ElementTypeSize(type), expected[type]);
  EXPECT_EQ(ElementTypeSize(17), 0);
  EXPECT_EQ(ElementTypeSize(255), 0);
}

}  // namespace
}  // namespace model
