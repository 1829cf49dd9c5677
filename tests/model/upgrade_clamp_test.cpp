// ClampDataSetToVariant: the variant by firmware letter or layout letter, the steps each variant runs, the
// family-2 settings kept out of other families, and failures.
#include <gtest/gtest.h>

#include <string>

#include "model/layout_upgrade.h"
#include "upgrade_fixture.h"

namespace model::upgrade_test {
namespace {

class ClampTest : public UpgradeTest {
 protected:
  // Values outside every variant's ranges, in both sets where the element has two.
  static void PutOutOfRange() {
    Put(55, 4, 5);            // A12
    PutBoth(40, 6, 4, 4);     // B20
    PutBoth(40, 11, 20, 20);  // B24
    PutBoth(40, 15, 5, 5);    // B26
    PutBoth(34, 26, 20, 0);   // F00
    PutBoth(46, 6, -5, -5);   // G04
    PutBoth(34, 24, 20, 20);  // F20
    PutBoth(34, 21, 40, 40);  // F33, first list
    PutBoth(34, 46, 40, 40);  // F62, second list
    Put(514, 20 + 22 * 7, 30);  // next block of block 8
    Put(512, 67, 5);          // C60 copy
    PutBoth(34, 2, -1000, 1000);  // F41
    PutBoth(34, 25, 9, 9);    // F40
    Put(512, 52, 0);          // I07
    PutBoth(40, 9, 3, 3);     // B31
    PutBoth(34, 37, 0, 20);   // F80
    PutBoth(46, 23, 4, 4);    // G10
    PutBoth(46, 9, 4, 4);     // G20
    PutBoth(48, 32, 0, 31000);  // D81
    PutBoth(42, 0, 100, 30000);  // B15
    PutBoth(34, 29, 3, 3);    // F38
    PutBoth(34, 23, 20, 20);  // F35
    Put(55, 6, 3);            // A30
    PutBoth(53, 24, 3, 3);    // D90
    PutBoth(42, 29, 3, 3);    // B00
    Put(55, 0, 1000);         // A35
  }
  static void SetFirmware(std::uint8_t letter) { Put(304, 5, letter); }
};

TEST_F(ClampTest, ModeTwoDoesNothing) {
  SetFirmware('@');
  PutOutOfRange();
  EXPECT_EQ(ClampDataSetToVariant(0, kClampNothing), 0);
  EXPECT_EQ(Get(55, 4), 5);
  EXPECT_EQ(Get(40, 6), 4);
}

// Firmware 'C' is variant 'F': step 3 only (step 4 needs 'C' or below); 'D' is 'I', which in a family-1 data
// set keeps its control settings and so runs only step 1; 'A' runs steps 3, 4 and 5; 64 runs all of them.
TEST_F(ClampTest, VariantsByFirmwareLetterRunTheirSteps) {
  struct Expect {
    std::uint16_t record;
    std::uint16_t element;
    std::int64_t value;
  };
  struct Case {
    std::uint8_t firmware;
    std::vector<Expect> expect;
  } cases[] = {
      {'E', {{55, 4, 5}, {40, 6, 4}, {34, 24, 20}}},
      {'D', {{55, 4, 1}, {40, 6, 4}, {40, 11, 20}, {34, 26, 20}, {46, 6, -5}, {34, 24, 20}}},
      {'C', {{55, 4, 1}, {40, 6, 2}, {41, 6, 2}, {40, 15, 1}, {34, 26, 13}, {35, 26, 0}, {34, 24, 8}, {34, 21, 29},
             {35, 46, 29}, {514, 174, 8}, {512, 67, 2}, {34, 2, -819}, {35, 2, 819}, {34, 25, 5}, {512, 52, 1},
             {40, 9, 1}, {34, 37, 0}, {46, 23, 4}, {55, 0, 1000}, {48, 32, 0}}},
      {'B', {{34, 24, 8}, {34, 25, 5}, {34, 37, 0}}},  // variant 'D': step 3, not step 4
      {'A', {{34, 24, 3}, {34, 25, 4}, {34, 37, 1}, {35, 37, 12}, {46, 23, 1}, {46, 9, 1}, {48, 32, 1},
             {49, 32, 30000}, {42, 0, 819}, {43, 0, 27034}, {34, 29, 1}, {34, 26, 7}, {34, 21, 14}, {34, 23, 15},
             {55, 6, 1}, {53, 24, 1}, {42, 29, 1}}},
      {'@', {{48, 32, 1}, {49, 32, 3000}, {42, 0, 4096}, {34, 29, 0}, {35, 29, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("firmware ") + static_cast<char>(c.firmware));
    ASSERT_EQ(InitDataSet(0), 0);
    SetFirmware(c.firmware);
    PutOutOfRange();
    EXPECT_EQ(ClampDataSetToVariant(0, kClampByFirmware), 0);
    for (const Expect& e : c.expect) EXPECT_EQ(Get(e.record, e.element), e.value) << e.record << ":" << e.element;
  }
}

TEST_F(ClampTest, FamilyTwoSettingsOfVariantsHAndIOnlyInFamilyTwo) {
  for (const std::uint8_t family : {1, 2, 3}) {
    SCOPED_TRACE(int(family));
    ASSERT_EQ(InitDataSet(0), 0);
    Put(304, 0, family);
    Put(5, 0, family);
    StampLetter('H');
    PutOutOfRange();
    EXPECT_EQ(ClampDataSetToVariant(0, kClampByLayoutLetter), 0);
    const bool servo = family == 2;
    EXPECT_EQ(Get(40, 6), servo ? 3 : 4);
    EXPECT_EQ(Get(41, 11), servo ? 80 : 20);
    EXPECT_EQ(Get(40, 15), servo ? 2 : 5);
    EXPECT_EQ(Get(35, 26), servo ? 1 : 0);
    EXPECT_EQ(Get(46, 6), servo ? 0 : -5);
    EXPECT_EQ(Get(55, 0), 1000);  // A35 rule belongs to the 'F' step
  }
}

TEST_F(ClampTest, LowVoltageRuleOnlyInFamilyTwo) {
  for (const std::uint8_t family : {1, 2}) {
    ASSERT_EQ(InitDataSet(0), 0);
    Put(304, 0, family);
    Put(5, 0, family);
    StampLetter('F');
    Put(55, 0, 1000);
    EXPECT_EQ(ClampDataSetToVariant(0, 1), 0);
    EXPECT_EQ(Get(55, 0), family == 2 ? 2200 : 1000);
  }
}

TEST_F(ClampTest, LayoutLetterAboveQCountsAsQ) {
  StampLetter('Z');
  Put(55, 4, 5);
  EXPECT_EQ(ClampDataSetToVariant(0, 7), 0);  // any non-zero mode but 2 reads record 4
  EXPECT_EQ(Get(55, 4), 5);
  StampLetter('P');
  EXPECT_EQ(ClampDataSetToVariant(0, 1), 0);
  EXPECT_EQ(Get(55, 4), 1);
}

TEST_F(ClampTest, UnreadableLetterOrDataSetGivesTwo) {
  EXPECT_EQ(ClampDataSetToVariant(3, kClampByFirmware), 2);
  EXPECT_EQ(ClampDataSetToVariant(3, kClampByLayoutLetter), 2);
}

TEST_F(ClampTest, ValuesInsideTheRangesStay) {
  SetFirmware('@');
  Put(55, 4, 0);
  PutBoth(34, 2, -819, 5);
  PutBoth(48, 0, 3000, 1);
  EXPECT_EQ(ClampDataSetToVariant(0, kClampByFirmware), 0);
  EXPECT_EQ(Get(34, 2), -819);
  EXPECT_EQ(Get(35, 2), 5);
  EXPECT_EQ(Get(48, 0), 3000);
  EXPECT_EQ(Get(49, 0), 1);
}

}  // namespace
}  // namespace model::upgrade_test
