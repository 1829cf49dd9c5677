#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "model/element_access.h"
#include "model/menu_groups.h"
#include "model/menu_list_table.h"
#include "model/parameter_codes.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

class ParameterCodesTest : public testing::ModelTest {};

TEST_F(ParameterCodesTest, TextsFindTheirParameter) {
  struct Case {
    const char* text;
    std::uint8_t found;
    std::uint16_t record;
    std::uint16_t element;
  };
  const Case cases[] = {
      {"  p2 a10", 1, 55, 9},    // blanks, lower case, a set prefix on a record without partner
      {"A10", 1, 55, 9},
      {"\t\r\nA10", 1, 55, 9},
      {"C40", 1, 38, 16},
      {"P2 C40", 1, 39, 16},     // parameter set 1 record becomes its partner
      {"P1 C40", 1, 38, 16},
      {"P2-C40", 1, 39, 16},     // any one separator
      {"A1", 0, 0, 0},           // two characters
      {"A1B", 0, 0, 0},          // a letter, a digit and a letter
      {"1A0", 0, 0, 0},
      {"K03", 0, 0, 0},          // group K is not offered
      {"A99", 0, 0, 0},          // no such parameter
      {"P2", 0, 0, 0},
      {"", 0, 0, 0},
  };
  for (const Case& c : cases) {
    std::uint16_t record = 0;
    std::uint16_t element = 0;
    EXPECT_EQ(FindParameterByCode(&record, &element, c.text, 0), c.found) << c.text;
    if (c.found) {
      EXPECT_EQ(record, c.record) << c.text;
      EXPECT_EQ(element, c.element) << c.text;
    }
  }
}

TEST_F(ParameterCodesTest, AThreeCharacterCodeDoesNotMatchAFourCharacterName) {
  MenuListEntry entry{};
  ASSERT_EQ(ParseParameterCode(&entry, "A102", 0), 1);
  EXPECT_STREQ(entry.texts[0], "A102 Can-Rec.PDO-trans.Type");
  ASSERT_EQ(ParseParameterCode(&entry, "A103", 0), 1);
  EXPECT_STREQ(entry.texts[0], "A103 Can-Tra.PDO-trans.Type");
  ASSERT_EQ(ParseParameterCode(&entry, "A10", 0), 1);
  EXPECT_STREQ(entry.texts[0], "A10 menu level");
  EXPECT_EQ(entry.kind, 4);
}

TEST_F(ParameterCodesTest, DescriptorByCodeCopiesTheNameBoundedAndSkipsOverrideLists) {
  std::array<char, 64> name{};
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "A10"), 0);
  EXPECT_STREQ(name.data(), "A10 menu level");
  EXPECT_EQ(FindDescriptorByCode(name.data(), 5, "A10"), 0);
  EXPECT_STREQ(name.data(), "A10 ");
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "K03"), 0) << "no group limit here";
  EXPECT_STREQ(name.data(), "K03 R-user");
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "Q77"), 6);
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "A"), 6);

  static const char* const kTexts[] = {"Z77 only shown", ""};
  static const ParameterDescriptor rows[] = {{34, 2, 1, 0, 0, 0, 0.0, kTexts}, {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
  std::array<MenuListSlot, kMenuListSlots> slots{};
  for (auto& slot : slots) slot = {&rows[1], 0, false};
  slots[3] = {rows, 35, true};
  SetMenuListTableForTest(slots);
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "Z77"), 6);
  slots[3].override_record = 0;
  EXPECT_EQ(FindDescriptorByCode(name.data(), name.size(), "Z77"), 0);
}

TEST(OtherParameterSetRecord, MapsThePartnersBothWays) {
  const std::pair<std::uint16_t, std::uint16_t> pairs[] = {{34, 35}, {38, 39}, {40, 41}, {42, 43}, {46, 47},
                                                           {48, 49}, {53, 54}, {57, 58}, {59, 60}};
  for (const auto& [one, two] : pairs) {
    EXPECT_EQ(OtherParameterSetRecord(one, 0, 1), two);
    EXPECT_EQ(OtherParameterSetRecord(two, 0, 0), one);
    EXPECT_EQ(OtherParameterSetRecord(one, 0, 0), one);
    EXPECT_EQ(OtherParameterSetRecord(two, 0, 1), two);
    EXPECT_EQ(OtherParameterSetRecord(one, 0, 2), one);
  }
  EXPECT_EQ(OtherParameterSetRecord(41, 10, 0), 41) << "E57 stays in record 41";
  EXPECT_EQ(OtherParameterSetRecord(41, 12, 0), 40);
  EXPECT_EQ(OtherParameterSetRecord(55, 9, 1), 55);
  EXPECT_EQ(OtherParameterSetRecord(254, 0, 1), 254);
}

TEST(ParameterCodeConvert, CodesAndNumbersRoundTrip) {
  std::array<char, kParameterCodeTextSize> text{};
  std::uint16_t code = 266;
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 0), 0);
  EXPECT_STREQ(text.data(), "A10");
  std::strcpy(text.data(), "a10");
  code = 0;
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 1), 0);
  EXPECT_EQ(code, 0x010A);

  code = 0x0166;  // A102
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 0), 0);
  EXPECT_STREQ(text.data(), "A102") << "three digits, not ':'";
  code = 0;
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 1), 0);
  EXPECT_EQ(code, 0x0166);

  code = 0;
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 0), 1);
  EXPECT_STREQ(text.data(), "");
}

TEST(ParameterCodeConvert, TextsThatAreNoCodeGiveZero) {
  for (const char* bad : {"", "A", "A1", "A1x", "110", "#10", "AB1"}) {
    std::array<char, 8> text{};
    std::strcpy(text.data(), bad);
    std::uint16_t code = 77;
    EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 1), 1) << bad;
    EXPECT_EQ(code, 0) << bad;
  }
  std::array<char, 8> text{};
  std::strcpy(text.data(), "C111");  // 11 * 10 + 1 = 111 fits a byte
  std::uint16_t code = 0;
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 1), 0);
  EXPECT_EQ(code, 3 * 256 + 11 * 10 + 1);
  std::strcpy(text.data(), "C991");  // 991 does not: the two digits count
  EXPECT_EQ(ParameterCodeConvert(text.data(), &code, 1), 0);
  EXPECT_EQ(code, 3 * 256 + 99);
}

}  // namespace
}  // namespace model

namespace model {
namespace {

class MenuGroupsTest : public testing::ModelTest {
 protected:
  void Letter(std::uint8_t letter) { ASSERT_EQ(WriteElement(304, 5, &letter, kModeRaw, 0), 0); }
};

TEST_F(MenuGroupsTest, GroupsFollowTheFirmwareLetter) {
  struct Case {
    char group;
    std::uint8_t letter;
    std::uint8_t available;
  };
  const Case cases[] = {{'A', '@', 1}, {'F', '@', 1}, {'G', 'B', 0}, {'G', 'C', 1}, {'H', 'C', 0}, {'H', 'D', 1},
                        {'I', 'C', 1}, {'J', 'B', 0}, {'L', 'C', 1}, {'N', 'D', 0}, {'N', 'E', 1}, {'K', 'Q', 0},
                        {'M', 'Q', 0}, {'O', 'Q', 0}, {'a', 'Q', 0}, {'A', 0, 0}};
  for (const Case& c : cases) {
    Letter(c.letter);
    EXPECT_EQ(IsMenuGroupAvailable(0, c.group), c.available) << c.group << " at " << int{c.letter};
  }
}

TEST_F(MenuGroupsTest, ACodeOfAGroupTheFirmwareLacksIsNotFound) {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  Letter('E');
  EXPECT_EQ(FindParameterByCode(&record, &element, "G01", 0), 1);
  Letter('B');
  EXPECT_EQ(FindParameterByCode(&record, &element, "G01", 0), 0);
  EXPECT_EQ(FindParameterByCode(&record, &element, "A10", 0), 1);
}

}  // namespace
}  // namespace model
