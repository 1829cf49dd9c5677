// The range indices of the record layout against the range functions: every number row names a function and
// a pair that exist, its bounded pair names elements of its own record, and the limits it gives are values the
// write accepts (with the values just beyond them refused) for every family and letter.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "identity_fixture.h"
#include "model/descriptor.h"
#include "model/menu_list_table.h"
#include "range_test_support.h"

namespace {

using model::LayoutEntry;

bool IsNumberRow(const LayoutEntry& row) { return row.record != 0 && model::IsNumberType(row.type); }

std::uint16_t ElementOf(std::size_t index) {
  const LayoutEntry& row = model::RecordLayoutTable()[index];
  return model::ElementIndexInRecord(row.record, static_cast<std::uint16_t>(index));
}

TEST(RangeLayoutTest, NumberRowsNameEntriesOfTheTables) {
  for (const LayoutEntry& row : model::RecordLayoutTable()) {
    if (!IsNumberRow(row)) continue;
    EXPECT_LT(row.a, model::kRangeFunctionCount) << row.record;
    EXPECT_LT(row.b, model::kRangePairCount) << row.record;
  }
}

TEST(RangeLayoutTest, NoLayoutRowUsesTheUnusedFunctions) {
  for (const LayoutEntry& row : model::RecordLayoutTable()) {
    if (!IsNumberRow(row)) continue;
    for (std::uint8_t unused : {9, 10, 13, 20}) EXPECT_NE(row.a, unused) << row.record;
  }
}

TEST(RangeLayoutTest, BoundedPairsNameNumberElementsOfTheSameRecord) {
  const auto& table = model::RecordLayoutTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const LayoutEntry& row = table[i];
    if (!IsNumberRow(row)) continue;
    const auto& pair = static_cast<const model::BoundedRangePair&>(*model::RangePairTable()[row.b]);
    const bool bounded_function = row.a == 2 || row.a == 4 || row.a == 5 || row.a == 6 || row.a == 48 || row.a == 54;
    SCOPED_TRACE(testing::Message() << "(" << row.record << ", " << ElementOf(i) << ") A " << int{row.a} << " B "
                                    << int{row.b});
    if (row.a == 43) {
      EXPECT_TRUE(pair.lower_record == row.record || pair.upper_record == row.record);
      continue;
    }
    if (!bounded_function) continue;
    if (row.a == 5) {
      EXPECT_TRUE(pair.lower_record != 0 && pair.upper_record != 0);
    }
    if (row.a == 6) {
      EXPECT_NE(pair.upper_record, 0);
    }
    for (auto [record, element] : {std::pair{pair.lower_record, pair.lower_element},
                                   std::pair{pair.upper_record, pair.upper_element}}) {
      if (record == 0) continue;
      EXPECT_EQ(record, row.record);
      EXPECT_TRUE(model::IsIntegerType(model::GetElementType(record, element))) << element;
      EXPECT_NE(element, ElementOf(i)) << "an element bounds itself";
    }
  }
}

// Identity converters, no after-write actions and one descriptor per number row, so that the converted
// limits and writes see exactly the stored range.
std::uint8_t PassThrough(const double* in, double* out, double, std::uint8_t, std::uint8_t, std::uint8_t,
                         std::uint8_t, std::uint16_t) {
  *out = *in;
  return 0;
}
std::uint8_t NoAction(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

class RangeLimitsAgreeWithWritesTest : public identity_test::IdentityFixture {
 protected:
  void SetUp() override {
    IdentityFixture::SetUp();
    model::ConverterTableType converters{};
    converters.fill(&PassThrough);
    model::SetConverterTable(converters);
    model::ActionTableType actions{};
    actions.fill(&NoAction);
    model::SetActionTable(actions);
    // Lists of at most 200 rows (a list is searched up to 255 rows), each ended by a row of record 0.
    const auto& table = model::RecordLayoutTable();
    constexpr std::size_t kRowsPerList = 200;
    descriptors_.reserve(table.size() + table.size() / kRowsPerList + 2);
    std::vector<std::size_t> list_starts;
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (!IsNumberRow(table[i])) continue;
      if (rows_.size() % kRowsPerList == 0) {
        if (!rows_.empty()) descriptors_.push_back(kEndRow);
        list_starts.push_back(descriptors_.size());
      }
      rows_.push_back(i);
      descriptors_.push_back({table[i].record, ElementOf(i), 1, 0, 0, 0, 0.0, kNoTexts});
    }
    descriptors_.push_back(kEndRow);
    ASSERT_LT(list_starts.size(), slots_.size());
    for (std::size_t s = 0; s < slots_.size(); ++s) {
      slots_[s] = s < list_starts.size() ? model::MenuListSlot{descriptors_.data() + list_starts[s], 0, true}
                                         : model::MenuListSlot{&descriptors_.back(), 0, false};
    }
    model::SetMenuListTableForTest(slots_);
  }
  void TearDown() override {
    model::SetMenuListTableForTest({});
    IdentityFixture::TearDown();
  }

  static constexpr const char* kNoTexts[] = {""};
  static constexpr model::ParameterDescriptor kEndRow{0, 0, 0, 0, 0, 0, 0.0, kNoTexts};
  std::vector<std::size_t> rows_;
  std::vector<model::ParameterDescriptor> descriptors_;
  std::array<model::MenuListSlot, model::kMenuListSlots> slots_{};
};

TEST_F(RangeLimitsAgreeWithWritesTest, EveryNumberRowForEveryFamilyAndLetter) {
  const auto& table = model::RecordLayoutTable();
  struct Device {
    std::uint8_t family, type;
  };
  int failures = 0;
  for (const Device device : {Device{1, 55}, Device{2, 92}, Device{3, 72}}) {
    for (char letter : {'@', 'A', 'B', 'C', 'D', 'E', 'Q'}) {
      SetIdentity({.family = device.family, .type = device.type, .letter = static_cast<std::uint8_t>(letter)});
      for (std::size_t i : rows_) {
        const LayoutEntry& row = table[i];
        const std::uint16_t element = ElementOf(i);
        if (row.a == 63) continue;  // judged byte by byte: its limits are those of one byte
        alignas(8) unsigned char saved[8] = {};
        ASSERT_EQ(model::ReadElement(row.record, element, saved, model::kModeRaw, 0), 0);
        double lower = 0.0, upper = 0.0;
        const std::uint8_t lower_status = model::GetElementLowerLimit(row.record, element, &lower, 5, 0);
        const std::uint8_t upper_status = model::GetElementUpperLimit(row.record, element, &upper, 5, 0);
        std::uint8_t at_lower = 0, at_upper = 0, below = 5, above = 4;
        if (lower_status == 0 && upper_status == 0 && lower <= upper) {
          at_lower = model::WriteElement(row.record, element, &lower, 6, 0);
          at_upper = model::WriteElement(row.record, element, &upper, 6, 0);
          // Not contiguous: row 7 refuses single types inside its range; row 47 accepts all in family 2.
          // A row with A = B = 0 gets no range check from the write (only the type's limits), so values beyond
          // its limits may pass.
          const bool contiguous = row.a != 7 && !(row.a == 47 && device.family == 2) && (row.a != 0 || row.b != 0);
          if (contiguous) {
            const double under = lower - 1.0, over = upper + 1.0;
            below = model::WriteElement(row.record, element, &under, 6, 0);
            above = model::WriteElement(row.record, element, &over, 6, 0);
          }
        }
        model::WriteElement(row.record, element, saved, model::kModeRaw, 0);
        const bool ok = lower_status == 0 && upper_status == 0 && lower <= upper && at_lower == 0 && at_upper == 0 &&
                        below == 5 && above == 4;
        if (!ok && ++failures <= 20) {
          ADD_FAILURE() << "(" << row.record << ", " << element << ") type " << int{row.type} << " A " << int{row.a}
                        << " B " << int{row.b} << " family " << int{device.family} << " letter " << letter
                        << ": limits " << int{lower_status} << "/" << int{upper_status} << " " << lower << ".."
                        << upper << ", writes " << int{at_lower} << " " << int{at_upper} << " " << int{below} << " "
                        << int{above};
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
