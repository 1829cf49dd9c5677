#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "model/bits_text.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/unit_texts.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

class UnitTextsTest : public testing::ModelTest {
 protected:
  void SelectUnit(std::uint8_t value) { ASSERT_EQ(WriteElement(512, 75, &value, kModeRaw, 0), 0); }
  std::string PositionUnit(std::int32_t size = 9) {
    std::array<char, 32> out{};
    std::strcpy(out.data(), "untouched");
    GetPositionUnitText(out.data(), size, 0);
    return out.data();
  }
  std::string Expand(const char* unit, std::size_t size = 32) {
    std::array<char, 32> out{};
    ExpandUnitText(unit, out.data(), size, 0);
    return out.data();
  }
};

TEST_F(UnitTextsTest, PositionUnitIsTheSelectedTextOrTheUsersOwn) {
  SelectUnit(1);
  EXPECT_EQ(PositionUnit(), "mm");
  SelectUnit(3);
  EXPECT_EQ(PositionUnit(), "degree");
  EXPECT_EQ(PositionUnit(4), "deg") << "cut to size - 1";
  EXPECT_EQ(PositionUnit(3), "untouched") << "a size below 4 writes nothing";
  SelectUnit(0);
  const char own[] = "Fuss";
  ASSERT_EQ(WriteElement(512, 77, own, kModeRaw, 0), 0);
  EXPECT_EQ(PositionUnit(), "Fuss");
  SelectUnit(200);
  EXPECT_EQ(PositionUnit(), "Einh") << "a value without a selection text";
}

TEST_F(UnitTextsTest, WithoutTheUnitRowThePositionUnitIsEinh) {
  testing::InstallDescriptors({});
  SelectUnit(1);
  EXPECT_EQ(PositionUnit(), "Einh");
}

TEST_F(UnitTextsTest, OnlyTheSharedUnitTextsAreExpanded) {
  SelectUnit(1);
  EXPECT_EQ(Expand(kUnitPosition), "mm");
  EXPECT_EQ(Expand(kUnitPositionPerS), "mm/s");
  EXPECT_EQ(Expand(kUnitPositionPerS2), "mm/s\xB2");
  const std::string copy = "unit/s";
  EXPECT_EQ(Expand(copy.c_str()), "unit/s") << "an equal text elsewhere is not the shared one";
  EXPECT_EQ(Expand("rpm"), "rpm");
  EXPECT_EQ(Expand(kUnitPositionPerS, 3), "mm");
  EXPECT_EQ(Expand(nullptr), "");
}

TEST(BitsToText, GroupsOfFourFromTheHighestBit) {
  std::array<char, 48> out{};
  BitsToText16(0x8001, out.data(), 20);
  EXPECT_STREQ(out.data(), "1000 0000 0000 0001");
  BitsToText32(0xF0000001u, out.data(), 41);
  EXPECT_STREQ(out.data(), "1111 0000 0000 0000 0000 0000 0000 0001 ");
  EXPECT_EQ(std::strlen(out.data()), 40u);

  std::strcpy(out.data(), "kept");
  BitsToText16(0xFFFF, out.data(), 19);
  EXPECT_STREQ(out.data(), "kept");
  BitsToText32(0xFFFFFFFFu, out.data(), 40);
  EXPECT_STREQ(out.data(), "kept") << "40 characters need 41 bytes with the terminator";
  BitsToText16(1, out.data(), -5);
  EXPECT_STREQ(out.data(), "kept");
}

}  // namespace
}  // namespace model
