#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using Buffer = std::array<MenuListEntry, kMenuListBufferEntries>;

class LoadMenuListTest : public testing::ModelTest {};

TEST_F(LoadMenuListTest, RefusesAListBeyondTheTable) {
  Buffer out{};
  EXPECT_EQ(LastMenuListIndex(), 146);
  EXPECT_EQ(LoadMenuList(147, out.data(), 0), 1);
  EXPECT_EQ(LoadMenuList(255, out.data(), 0), 1);
  EXPECT_EQ(LoadMenuList(146, out.data(), 0), 0) << "an unused slot loads as the empty list";
  EXPECT_EQ(out[0].record, 0);
}

TEST_F(LoadMenuListTest, AnOverrideReplacesEveryRowsRecordAndTheEndRowCloses) {
  Buffer a{};
  Buffer b{};
  ASSERT_EQ(LoadMenuList(26, a.data(), 0), 0);
  ASSERT_EQ(LoadMenuList(27, b.data(), 0), 0);
  std::size_t n = 0;
  for (; a[n].record != 0; ++n) {
    EXPECT_EQ(a[n].record, 34);
    EXPECT_EQ(b[n].record, 35);
    EXPECT_EQ(a[n].element, b[n].element);
    EXPECT_EQ(a[n].texts, b[n].texts);
  }
  EXPECT_EQ(n, 20u);
  EXPECT_EQ(b[n].record, 0);
  EXPECT_EQ(b[n].attributes, 0);
}

TEST_F(LoadMenuListTest, AListLongerThanTheBufferEndsWithAnEndRowInsideIt) {
  static const char* const kTexts[] = {"X00 x", ""};
  std::vector<ParameterDescriptor> rows(120, ParameterDescriptor{55, 9, 1, 2, 1, 0, 0.0, kTexts});
  rows.push_back({0, 0, 0, 0, 0, 0, 0.0, nullptr});
  std::array<MenuListSlot, kMenuListSlots> slots{};
  for (auto& slot : slots) slot = {&rows.back(), 0, false};
  slots[5] = {rows.data(), 0, true};
  SetMenuListTableForTest(slots);
  std::array<MenuListEntry, kMenuListBufferEntries + 1> out{};
  std::memset(static_cast<void*>(out.data()), 0xAB, sizeof out);
  ASSERT_EQ(LoadMenuList(5, out.data(), 0), 0);
  EXPECT_EQ(out[97].record, 55);
  EXPECT_EQ(out[98].record, 0) << "entry 99 of the buffer ends the list";
  EXPECT_EQ(out[99].record, 0xABAB) << "nothing beyond the buffer is written";
}

TEST_F(LoadMenuListTest, RampUnitTextsFollowTheDeviceFamily) {
  Buffer out{};
  const auto ramp_unit = [&](std::uint8_t family) {
    EXPECT_EQ(WriteElement(304, 0, &family, kModeRaw, 0), 0);
    EXPECT_EQ(LoadMenuList(21, out.data(), 0), 0);
    for (std::size_t i = 0; out[i].record != 0; ++i) {
      if (out[i].record == 48 && out[i].element == 0) return std::string(out[i].texts[1]);
    }
    return std::string("(no D00 row)");
  };
  EXPECT_EQ(ramp_unit(2), "ms/3000rpm");
  EXPECT_EQ(ramp_unit(1), "s/150Hz*D98");
  EXPECT_EQ(ramp_unit(3), "s/150Hz*D98");
  EXPECT_EQ(ramp_unit(2), "ms/3000rpm");
  const std::uint8_t family = 1;
  EXPECT_EQ(WriteElement(304, 0, &family, kModeRaw, 0), 0);
  EXPECT_EQ(LoadMenuList(21, out.data(), 0), 0);
}

TEST_F(LoadMenuListTest, AttributesComeFromTheSelectorForTheLoadedRecord) {
  Buffer out{};
  ASSERT_EQ(LoadMenuList(56, out.data(), 0), 0);
  EXPECT_EQ(out[0].element, kHeadingElement);
  EXPECT_STREQ(out[0].texts[0], "interface");
  EXPECT_EQ(out[1].record, 305);
  EXPECT_EQ(out[1].element, 0);
  EXPECT_EQ(out[1].kind, 4);
  EXPECT_EQ(out[6].record, 0);
}

}  // namespace
}  // namespace model
