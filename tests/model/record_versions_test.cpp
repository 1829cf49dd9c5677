// The record version and count tables against the facts they must hold, and the firmware's layout variant.
#include <gtest/gtest.h>

#include <set>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/record_versions.h"

namespace {

using model::RecordElementCountForFamily;
using model::RecordExistsForFamily;

TEST(RecordVersions, RecordsExistFromTheirVersions) {
  const struct {
    std::uint16_t record;
    std::uint8_t version, family, exists;
  } cases[] = {
      {352, 80, 1, 0}, {352, 81, 1, 1}, {362, 81, 2, 1},                     // from 'Q'
      {1, 0, 1, 1},    {306, 255, 2, 1}, {255, 0, 3, 1}, {452, 100, 1, 1},    // always
      {450, 50, 1, 0}, {451, 51, 1, 1},                                       // from 51
      {32, 63, 1, 0},  {58, 64, 1, 1},  {320, 64, 2, 1}, {346, 64, 1, 1}, {453, 64, 3, 1},
      {512, 66, 1, 0}, {46, 67, 1, 1},  {46, 66, 1, 0},                       // from 67
      {458, 69, 1, 0}, {458, 70, 1, 1},
      {516, 72, 2, 1}, {516, 81, 1, 0}, {520, 71, 2, 0}, {518, 81, 3, 0},    // family 2 only
      {59, 72, 2, 1},  {59, 73, 1, 0},  {59, 75, 1, 1}, {60, 74, 3, 0}, {522, 75, 1, 1}, {522, 74, 2, 0},
      {243, 47, 1, 0}, {250, 49, 1, 1}, {250, 50, 1, 0}, {251, 51, 1, 1}, {251, 52, 1, 0},
      {7, 49, 1, 1},   {8, 50, 1, 0},   {16, 49, 1, 1}, {128, 48, 1, 0}, {69, 50, 1, 0},
      {6, 51, 1, 1},   {254, 52, 1, 0}, {18, 51, 1, 1}, {27, 50, 1, 0},
      {301, 0, 1, 1},  {301, 1, 1, 0},  {303, 51, 1, 1}, {303, 52, 1, 0},
      {999, 64, 1, 0},  // no row: no record
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordExistsForFamily(c.record, c.version, c.family), c.exists)
        << c.record << " at " << int(c.version) << " family " << int(c.family);
  }
}

TEST(RecordVersions, ByteCountsPerVersion) {
  const struct {
    std::uint16_t record;
    std::uint8_t version, family;
    std::uint16_t bytes;
  } cases[] = {
      {5, 80, 1, 48},   {5, 81, 1, 52},   {5, 75, 1, 46},   {5, 76, 1, 48},  {5, 65, 3, 12}, {304, 75, 2, 46},
      {42, 81, 1, 30},  {43, 64, 3, 30},  {42, 71, 2, 30},  {42, 72, 2, 74},
      {514, 81, 1, 186}, {514, 71, 2, 186}, {514, 72, 2, 232},
      {52, 75, 1, 113}, {52, 74, 1, 108}, {52, 72, 1, 82},  {52, 67, 1, 74}, {52, 65, 1, 12}, {52, 76, 1, 120},
      {33, 74, 1, 139}, {33, 73, 1, 134}, {33, 67, 1, 120}, {33, 65, 1, 84}, {33, 80, 1, 150}, {33, 81, 1, 158},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordElementCountForFamily(c.record, c.version, c.family), c.bytes)
        << c.record << " at " << int(c.version) << " family " << int(c.family);
  }
}

TEST(RecordVersions, TablesHoldTheLayout) {
  std::set<std::uint16_t> versioned;
  for (const auto& row : model::RecordVersionTable()) {
    EXPECT_NE(row.record, 0);
    EXPECT_LE(row.first_version, row.last_version) << row.record;
    versioned.insert(row.record);
  }
  // Every record of the layout has a row, and exists at the current layout or belongs to an old one.
  std::uint16_t last = 0;
  for (const auto& row : model::RecordLayoutTable()) {
    if (row.record == 0 || row.record == last) continue;
    last = row.record;
    EXPECT_TRUE(versioned.count(row.record)) << row.record;
  }
  for (const auto& row : model::RecordCountTable()) {
    const std::uint16_t size = model::RecordSize(row.record);
    ASSERT_NE(size, 0) << row.record;
    EXPECT_LT(row.bytes, size) << row.record;
    // A count ends where an element begins.
    EXPECT_NE(model::FindLayoutEntry(row.record, row.bytes), model::kNoRow) << row.record << ":" << row.bytes;
  }
  // Rows of a record run from the highest threshold down, so that the nearest one above a version wins.
  for (std::size_t i = 0; i < model::RecordCountTable().size(); ++i) {
    const auto& a = model::RecordCountTable()[i];
    for (std::size_t j = i + 1; j < model::RecordCountTable().size(); ++j) {
      const auto& b = model::RecordCountTable()[j];
      if (a.record == b.record && a.threshold_1_3 != 255) {
        EXPECT_GE(a.threshold_1_3, b.threshold_1_3) << a.record;
      }
    }
  }
}

TEST(RecordVersions, DataSetQuestions) {
  ASSERT_EQ(model::InitDataSet(0), 0);
  std::uint8_t letter = 'H';
  ASSERT_EQ(model::WriteElement(4, 0, &letter, model::kModeRaw9, 0), 0);
  EXPECT_EQ(model::IsElementInVersion(52, 80, 0), 1);
  EXPECT_EQ(model::IsElementInVersion(52, 82, 0), 0);
  EXPECT_EQ(model::IsElementInVersion(59, 0, 0), 0);  // family 1 from 'K'
  EXPECT_EQ(model::IsElementInVersion(52, 0, 9), 0);
  EXPECT_EQ(model::RecordElementCount(52, 'H', 0), 82);
  EXPECT_EQ(model::RecordExistsForVersion(59, 'K', 0), 1);
}

TEST(RecordVersions, LayoutVariantOfAFirmware) {
  const std::pair<std::uint8_t, std::uint8_t> cases[] = {{64, 64}, {'A', 'A'}, {'B', 'D'}, {'C', 'F'},
                                                         {'D', 'I'}, {'E', 'Q'}, {'Q', 'Q'}, {0, 'Q'}};
  for (const auto& [firmware, variant] : cases) EXPECT_EQ(model::LayoutVariantForFirmware(firmware), variant);
}

}  // namespace
