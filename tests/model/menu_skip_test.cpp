#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/menu_catalogue.h"
#include "model/menu_skip.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using Marks = std::array<std::uint8_t, kMenuSkipBytes>;

class MenuSkipTest : public testing::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    Target(0, 1, 'E');
    Target(1, 1, 'E');
  }
  static void Target(std::uint8_t set, std::uint8_t family, std::uint8_t letter) {
    ASSERT_EQ(WriteElement(304, 0, &family, kModeRaw, set), 0);
    ASSERT_EQ(WriteElement(304, 5, &letter, kModeRaw, set), 0);
  }
  static Marks Record11(std::uint8_t set = 0) {
    Marks m{};
    EXPECT_EQ(ReadRecord(kMenuSkipRecord, m.data(), kModeRaw, set), 0);
    return m;
  }
  static std::uint8_t State(const char* code, std::uint8_t set = 0) {
    std::uint8_t state = 99;
    EXPECT_EQ(GetMenuSkipState(set, code, &state), 0) << code;
    return state;
  }
};

TEST_F(MenuSkipTest, AMarkIsTheBitOfItsParameterNumber) {
  ASSERT_EQ(SetMenuSkip(0, "A00", 1), 0);  // parameter 163
  Marks expected{};
  expected[20] = 1u << 3;
  EXPECT_EQ(Record11(), expected);
  EXPECT_EQ(State("A00"), kSkipMarked);
  EXPECT_EQ(State("A01"), kSkipNotMarked);
  EXPECT_EQ(ChangeListCount(0, 0), 0) << "setting a mark writes raw";
  ASSERT_EQ(SetMenuSkip(0, "N44", 1), 0);  // 516: byte 64 bit 4
  EXPECT_EQ(Record11()[64], 1u << 4);
  ASSERT_EQ(SetMenuSkip(0, "A00", 0), 0);
  EXPECT_EQ(Record11()[20], 0);
  EXPECT_EQ(Record11()[64], 1u << 4);
}

TEST_F(MenuSkipTest, AMarkedHeadingSkipsItsWholeGroup) {
  ASSERT_EQ(SetMenuSkip(0, "A01", 1), 0);
  ASSERT_EQ(SetMenuSkip(0, "A..", 1), 0);  // parameter 20
  EXPECT_EQ(Record11()[2], 1u << 4);
  for (const MenuCatalogEntry& e : MenuGroupEntries('A')) {
    const std::string code(e.text.data(), 3);
    EXPECT_EQ(State(code.c_str()), kSkipGroupMarked) << code;
  }
  EXPECT_EQ(State("B10"), kSkipNotMarked);
  EXPECT_EQ(SetMenuSkip(0, "A00", 1), 6);
  EXPECT_EQ(SetMenuSkip(0, "A01", 0), 6);

  std::array<std::uint8_t, kMenuGroupSlots> states{};
  std::uint8_t count = 0;
  ASSERT_EQ(ListMenuEntriesWithSkip(0, 'A', &count, states), 0);
  EXPECT_EQ(count, CountMenuEntries('A', 0));
  for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(states[i], kSkipGroupMarked) << i;

  ASSERT_EQ(SetMenuSkip(0, "A..", 0), 0);
  EXPECT_EQ(State("A01"), kSkipMarked) << "the entry's own mark shows again";
  EXPECT_EQ(SetMenuSkip(0, "A00", 1), 0);
  ASSERT_EQ(ListMenuEntriesWithSkip(0, 'A', &count, states), 0);
  EXPECT_EQ(states[0], kSkipNotMarked);
  EXPECT_EQ(states[1], kSkipMarked);  // A00
  EXPECT_EQ(states[2], kSkipMarked);  // A01
  EXPECT_EQ(states[3], kSkipNotMarked);
}

TEST_F(MenuSkipTest, UnknownCodesGroupsAndValuesAreRefused) {
  std::uint8_t state = 0;
  struct Case {
    const char* code;
    std::uint8_t value;
    std::uint8_t status;
  };
  const Case cases[] = {{"A99", 1, 5}, {"K00", 1, 5}, {"M..", 1, 5}, {"A0", 1, 5}, {"", 1, 5},
                        {"a00", 1, 5}, {"A00", 2, 6}, {"A..", 255, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(SetMenuSkip(0, c.code, c.value), c.status) << c.code;
    if (c.status == 5) {
      EXPECT_EQ(GetMenuSkipState(0, c.code, &state), 5) << c.code;
    }
  }
  EXPECT_EQ(Record11(), Marks{});
  Target(0, 1, 'D');  // N from 'E' on
  EXPECT_EQ(SetMenuSkip(0, "N10", 1), 5);
  EXPECT_EQ(ListMenuEntriesWithSkip(0, 'N', &state, std::span<std::uint8_t>{}), 5);
  EXPECT_EQ(SetMenuSkipByIndex(0, 'A', 0, 1), 5);
  EXPECT_EQ(SetMenuSkipByIndex(0, 'A', CountMenuEntries('A', 0) + 1, 1), 5);
}

TEST_F(MenuSkipTest, ByIndexCountsVisibleEntriesOfTheFamily) {
  Target(0, 2, 'E');
  const std::uint16_t n = 3;
  const MenuCatalogEntry* entry = VisibleMenuEntry(0, 'B', n);
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(SetMenuSkipByIndex(0, 'B', n, 1), 0);
  const Marks marks = Record11();
  EXPECT_TRUE((marks[entry->parameter / 8] >> (entry->parameter % 8)) & 1);
  std::array<std::uint8_t, kMenuGroupSlots> states{};
  std::uint8_t count = 0;
  ASSERT_EQ(ListMenuEntriesWithSkip(0, 'B', &count, states), 0);
  EXPECT_EQ(count, CountMenuEntries('B', 0));
  EXPECT_EQ(states[n - 1], kSkipMarked);
  EXPECT_EQ(std::count(states.begin(), states.end(), kSkipMarked), 1);
  // A code finds every entry of its group, also one this family does not show: B21 has level 2 in family 2.
  ASSERT_EQ(SetMenuSkip(0, "B21", 1), 0);
  EXPECT_EQ(State("B21"), kSkipMarked);
  ASSERT_EQ(ListMenuEntriesWithSkip(0, 'B', &count, states), 0);
  EXPECT_EQ(std::count(states.begin(), states.begin() + count, kSkipMarked), 1);
}

TEST_F(MenuSkipTest, ListingWithSkipStaysInsideItsBuffer) {
  std::array<std::uint8_t, 4> states{9, 9, 9, 9};
  std::uint8_t count = 0;
  ASSERT_EQ(ListMenuEntriesWithSkip(0, 'J', &count, std::span(states).first(3)), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(states[3], 9);
}

TEST_F(MenuSkipTest, KeptCopiesGiveBackTheMarksPerDataSet) {
  ASSERT_EQ(SetMenuSkip(0, "C00", 1), 0);
  ASSERT_EQ(SetMenuSkip(1, "D00", 1), 0);
  const Marks opened0 = Record11(0);
  const Marks opened1 = Record11(1);
  ASSERT_EQ(SaveMenuSkipMarks(0), 0);
  ASSERT_EQ(SaveMenuSkipMarks(1), 0);
  ASSERT_EQ(SetMenuSkip(0, "C00", 0), 0);
  ASSERT_EQ(SetMenuSkip(0, "E..", 1), 0);
  ASSERT_EQ(SetMenuSkipByIndex(1, 'F', 2, 1), 0);
  ASSERT_NE(Record11(0), opened0);
  ASSERT_EQ(RestoreMenuSkipMarks(0), 0);
  EXPECT_EQ(Record11(0), opened0);
  EXPECT_NE(Record11(1), opened1) << "restoring set 0 leaves set 1 alone";
  ASSERT_EQ(RestoreMenuSkipMarks(1), 0);
  EXPECT_EQ(Record11(1), opened1);
  EXPECT_EQ(SaveMenuSkipMarks(2), 1);
  EXPECT_EQ(RestoreMenuSkipMarks(2), 1);
}

TEST_F(MenuSkipTest, TouchFlagsTheSetAsChangedAndKeepsTheMarks) {
  ASSERT_EQ(SetMenuSkip(0, "A00", 1), 0);
  ASSERT_EQ(SetMenuSkip(0, "A..", 1), 0);
  const Marks before = Record11();
  ASSERT_EQ(ChangeList0Empty(0), 1);
  ASSERT_EQ(TouchMenuSkipRecord(0), 0);
  EXPECT_EQ(Record11(), before);
  EXPECT_EQ(ChangeList0Empty(0), 0) << "a skip edit must count as an unsaved change";
  std::uint32_t entry = 0;
  ASSERT_EQ(ChangeListPop(0, 0, &entry), 0);
  EXPECT_EQ(entry, kMenuSkipRecord);  // (11, 0)
  EXPECT_EQ(TouchMenuSkipRecord(3), 2);
}

}  // namespace
}  // namespace model
