#include "model/descriptor.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/menu_list_table.h"

namespace model {
namespace {

const char* const kTexts[] = {"X00 x", ""};
constexpr ParameterDescriptor Row(std::uint16_t record, std::uint16_t element, std::uint8_t converter = 0) {
  return {record, element, 1, 0, 0, converter, 0.0, kTexts};
}

class FindDescriptorTest : public ::testing::Test {
 protected:
  void TearDown() override { SetMenuListTableForTest({}); }
  std::array<MenuListSlot, kMenuListSlots> slots_{};
  void Install() { SetMenuListTableForTest(slots_); }
};

const ParameterDescriptor kEmpty[] = {Row(0, 0)};

TEST_F(FindDescriptorTest, FirstMatchInListOrderSkippingUnusedSlots) {
  static const ParameterDescriptor unused[] = {Row(34, 2, 1), Row(0, 0)};
  static const ParameterDescriptor first[] = {Row(34, kHeadingElement), Row(34, 2, 2), Row(0, 0)};
  static const ParameterDescriptor second[] = {Row(34, 2, 3), Row(38, 4, 4), Row(0, 0)};
  for (auto& s : slots_) s = {kEmpty, 0, false};
  slots_[0] = {unused, 0, false};
  slots_[5] = {first, 0, true};
  slots_[9] = {second, 0, true};
  Install();
  ASSERT_NE(FindDescriptor(34, 2), nullptr);
  EXPECT_EQ(FindDescriptor(34, 2)->converter, 2);
  EXPECT_EQ(FindDescriptor(38, 4)->converter, 4);
  EXPECT_EQ(FindDescriptor(35, 2), nullptr);
  EXPECT_EQ(FindDescriptor(38, 5), nullptr);
}

TEST_F(FindDescriptorTest, ASlotWithAnOverrideServesItsRowsForTheOverrideRecord) {
  static const ParameterDescriptor list26[] = {Row(34, kHeadingElement, 9), Row(34, 20, 1), Row(0, 0)};
  for (auto& s : slots_) s = {kEmpty, 0, false};
  slots_[26] = {list26, 0, true};
  slots_[27] = {list26, 35, true};
  Install();
  ASSERT_NE(FindDescriptor(35, 20), nullptr);
  EXPECT_EQ(FindDescriptor(35, 20), &list26[1]);
  EXPECT_EQ(FindDescriptor(35, kHeadingElement), &list26[0]);
  EXPECT_EQ(FindDescriptor(34, 20), &list26[1]);
  EXPECT_EQ(FindDescriptor(36, 20), nullptr);
}

TEST_F(FindDescriptorTest, AtMost255RowsOfAListAreSearched) {
  static std::vector<ParameterDescriptor> longList = [] {
    std::vector<ParameterDescriptor> rows;
    for (std::uint16_t i = 0; i < 300; ++i) rows.push_back(Row(512, i));
    rows.push_back(Row(0, 0));
    return rows;
  }();
  for (auto& s : slots_) s = {kEmpty, 0, false};
  slots_[1] = {longList.data(), 0, true};
  Install();
  EXPECT_NE(FindDescriptor(512, 254), nullptr);
  EXPECT_EQ(FindDescriptor(512, 255), nullptr);
}

TEST_F(FindDescriptorTest, TheProgramsOwnTableHas147Slots) {
  EXPECT_EQ(MenuListTable().size(), kMenuListSlots);
  for (const MenuListSlot& slot : MenuListTable()) ASSERT_NE(slot.rows, nullptr);
  EXPECT_EQ(FindDescriptor(0, 0), nullptr);
}

}  // namespace
}  // namespace model
