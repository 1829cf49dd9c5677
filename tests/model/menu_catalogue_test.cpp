#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/menu_catalogue.h"
#include "model/menu_groups.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using Triple = std::array<std::uint8_t, 3>;

std::string Trimmed(const MenuEntryText& text) {
  std::string s(text.data());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

const MenuCatalogEntry* ByCode(std::string_view code) {
  for (const MenuCatalogEntry& e : MenuCatalogue()) {
    if (std::string_view(e.text.data(), 3) == code) return &e;
  }
  return nullptr;
}

TEST(MenuCatalogueData, GroupsInOrderEachOpenedByItsHeading) {
  const std::map<char, std::size_t> sizes = {{'A', 35}, {'B', 30}, {'C', 34}, {'D', 40}, {'E', 69}, {'F', 67},
                                             {'G', 36}, {'H', 14}, {'I', 46}, {'J', 79}, {'L', 25}, {'N', 21}};
  const auto catalogue = MenuCatalogue();
  EXPECT_EQ(catalogue.back().parameter, 0);
  EXPECT_EQ(catalogue.back().text[0], '\0');
  std::size_t total = 0;
  char previous = 0;
  for (std::size_t i = 0; i < kMenuCatalogueEntries; ++i) {
    const char letter = catalogue[i].text[0];
    if (letter != previous) {
      EXPECT_GT(letter, previous) << "group " << letter << " out of order";
      EXPECT_EQ(std::string_view(catalogue[i].text.data() + 1, 2), "..") << "group " << letter;
      previous = letter;
    }
  }
  for (const auto& [letter, size] : sizes) {
    EXPECT_EQ(MenuGroupEntries(letter).size(), size) << letter;
    total += size;
  }
  EXPECT_EQ(total, kMenuCatalogueEntries);
  EXPECT_TRUE(MenuGroupEntries('K').empty());
  EXPECT_TRUE(MenuGroupEntries('M').empty());
}

TEST(MenuCatalogueData, TextsArePaddedCodesAndParametersAreDistinctMarks) {
  std::set<std::uint16_t> parameters;
  std::set<std::string> codes;
  for (std::size_t i = 0; i < kMenuCatalogueEntries; ++i) {
    const MenuCatalogEntry& e = MenuCatalogue()[i];
    EXPECT_EQ(e.text[16], '\0');
    EXPECT_EQ(std::string(e.text.data()).size(), 16u) << Trimmed(e.text);
    EXPECT_EQ(e.text[3], ' ') << Trimmed(e.text);
    EXPECT_TRUE(parameters.insert(e.parameter).second) << e.parameter;
    EXPECT_TRUE(codes.insert(std::string(e.text.data(), 3)).second) << Trimmed(e.text);
    EXPECT_GT(e.parameter, 0);
    EXPECT_LT(e.parameter, 68 * 8) << "beyond the 544 bits of record 11";
  }
  struct Known {
    const char* text;
    std::uint16_t parameter;
  };
  const Known known[] = {{"A.. inverter", 20},       {"A00 save param.", 163},  {"A01 readBox&save", 171},
                         {"A84 profibusBaud", 402},  {"B.. motor", 40},         {"B17 M0(stndstil)", 410},
                         {"C47 opRangC45/46", 477},  {"D02 n (RV-Max.)", 87},   {"E.. display valu", 118},
                         {"E19 BE15...1&ENA", 383},  {"E58 Vermadix", 227},     {"E60 RV-selector", 5},
                         {"F.. control inte", 172},  {"F64 BE10function", 375}, {"G05 PID-Grenze2", 475},
                         {"H62 SSI-dataBits", 431},  {"I50 softw.stop -", 334}, {"J88 delay", 311},
                         {"L.. posi.command", 216},  {"L82 switch B", 496},     {"N.. Posi.switch", 438},
                         {"N44 s4-memory3", 516}};
  for (const Known& k : known) {
    const MenuCatalogEntry* e = ByCode(std::string_view(k.text, 3));
    ASSERT_NE(e, nullptr) << k.text;
    EXPECT_EQ(Trimmed(e->text), k.text);
    EXPECT_EQ(e->parameter, k.parameter) << k.text;
  }
}

TEST(MenuCatalogueData, LevelTriplesMatchTheirCounts) {
  const std::map<Triple, std::size_t> named = {
      {{6, 6, 6}, 254}, {{5, 5, 5}, 56}, {{6, 6, 0}, 48}, {{4, 4, 4}, 38}, {{6, 2, 6}, 29}, {{3, 3, 3}, 15},
      {{5, 5, 0}, 10},  {{0, 6, 0}, 8},  {{2, 6, 0}, 7},  {{4, 2, 4}, 6},  {{0, 4, 0}, 5},  {{5, 1, 5}, 4}};
  std::map<Triple, std::size_t> counted;
  for (std::size_t i = 0; i < kMenuCatalogueEntries; ++i) ++counted[MenuCatalogue()[i].levels];
  std::size_t others = 0;
  for (const auto& [triple, count] : counted) {
    const auto it = named.find(triple);
    if (it == named.end()) {
      others += count;
    } else {
      EXPECT_EQ(count, it->second) << int{triple[0]} << "," << int{triple[1]} << "," << int{triple[2]};
    }
  }
  EXPECT_EQ(others, 16u);
  for (const auto& [triple, count] : named) EXPECT_TRUE(counted.count(triple)) << count;
  // Every heading shows in every family, so each listing starts with it.
  for (const MenuGroupRow& g : MenuGroupTable()) {
    const auto group = MenuGroupEntries(g.letter);
    if (group.empty()) continue;
    for (std::uint8_t family = 1; family <= 3; ++family) EXPECT_TRUE(IsMenuEntryVisible(group.front(), family));
  }
}

TEST(MenuCatalogueData, GroupLetterIndex) {
  const std::pair<char, std::uint8_t> cases[] = {{'A', 0}, {'E', 4}, {'J', 9}, {'K', 11},
                                                 {'L', 10}, {'N', 11}, {'a', 11}, {'\0', 11}};
  for (const auto& [letter, index] : cases) EXPECT_EQ(GroupLetterToIndex(letter), index) << letter;
}

class MenuListingTest : public testing::ModelTest {
 protected:
  void Target(std::uint8_t family, std::uint8_t letter) {
    ASSERT_EQ(WriteElement(304, 0, &family, kModeRaw, 0), 0);
    ASSERT_EQ(WriteElement(304, 5, &letter, kModeRaw, 0), 0);
    ASSERT_EQ(GetDeviceFamily(0), family);
  }
  static std::size_t Visible(char letter, std::uint8_t family) {
    const auto g = MenuGroupEntries(letter);
    return static_cast<std::size_t>(
        std::count_if(g.begin(), g.end(), [family](const auto& e) { return IsMenuEntryVisible(e, family); }));
  }
};

TEST_F(MenuListingTest, CountsFollowGroupAvailabilityAndFamily) {
  Target(1, 'E');
  EXPECT_EQ(CountMenuEntries('K', 0), 0);
  EXPECT_EQ(CountMenuEntries('M', 0), 0);
  EXPECT_EQ(CountMenuEntries('J', 0), 79);
  for (std::uint8_t family = 1; family <= 3; ++family) {
    Target(family, 'E');
    for (const char letter : std::string_view("ABCDEFGHIJLN")) {
      EXPECT_EQ(CountMenuEntries(letter, 0), Visible(letter, family)) << letter << " family " << int{family};
    }
  }
  Target(1, 'B');
  EXPECT_EQ(CountMenuEntries('G', 0), 0);
  EXPECT_EQ(CountMenuEntries('A', 0), Visible('A', 1));
  Target(1, 'D');
  EXPECT_EQ(CountMenuEntries('N', 0), 0);
  EXPECT_EQ(CountMenuEntries('H', 0), Visible('H', 1));
}

TEST_F(MenuListingTest, FamilyTwoLeavesOutEntriesBelowLevelThree) {
  Target(2, 'E');
  const MenuCatalogEntry* v_f = ByCode("B21");  // (6, 2, 6)
  ASSERT_NE(v_f, nullptr);
  ASSERT_EQ(v_f->levels, (Triple{6, 2, 6}));
  std::array<MenuEntryText, kMenuGroupSlots> slots{};
  std::uint8_t count = 0;
  ASSERT_EQ(ListMenuEntries(0, 'B', &count, slots), 0);
  ASSERT_EQ(count, CountMenuEntries('B', 0));
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < count; ++i) listed.push_back(Trimmed(slots[i]));
  EXPECT_EQ(listed.front(), "B.. motor");
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "B21 V/f-charact."), 0);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "B02 EMC-constant"), 1);  // (0, 6, 0): servo only
  Target(1, 'E');
  ASSERT_EQ(ListMenuEntries(0, 'B', &count, slots), 0);
  listed.clear();
  for (std::size_t i = 0; i < count; ++i) listed.push_back(Trimmed(slots[i]));
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "B21 V/f-charact."), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "B02 EMC-constant"), 0);
}

TEST_F(MenuListingTest, TextsAndListingsStayInsideTheirBuffers) {
  Target(1, 'E');
  std::array<char, 17> text{};
  ASSERT_EQ(GetMenuEntryText(0, 'A', 1, text), 0);
  EXPECT_STREQ(text.data(), "A.. inverter    ");
  ASSERT_EQ(GetMenuEntryText(0, 'A', 2, text), 0);
  EXPECT_STREQ(text.data(), "A00 save param. ");
  std::array<char, 4> small{'x', 'x', 'x', 'x'};
  ASSERT_EQ(GetMenuEntryText(0, 'A', 2, small), 0);
  EXPECT_STREQ(small.data(), "A00");
  const std::uint16_t count = CountMenuEntries('A', 0);
  EXPECT_EQ(GetMenuEntryText(0, 'A', count, text), 0);
  EXPECT_EQ(GetMenuEntryText(0, 'A', count + 1, text), 5);
  EXPECT_EQ(GetMenuEntryText(0, 'A', 0, text), 5);
  EXPECT_EQ(GetMenuEntryText(0, 'K', 1, text), 5);
  EXPECT_EQ(GetMenuEntryText(0, 'A', 1, std::span<char>{}), 5);

  std::array<MenuEntryText, 5> few{};
  std::uint8_t listed = 0;
  ASSERT_EQ(ListMenuEntries(0, 'J', &listed, few), 0);
  EXPECT_EQ(listed, 5);
  EXPECT_EQ(Trimmed(few[4]), "J03 tip-mode");
  std::array<MenuEntryText, kMenuGroupSlots> all{};
  ASSERT_EQ(ListMenuEntries(0, 'J', &listed, all), 0);
  EXPECT_EQ(listed, 79);
  EXPECT_EQ(ListMenuEntries(0, 'K', &listed, all), 5);
  EXPECT_EQ(listed, 0);
}

}  // namespace
}  // namespace model
