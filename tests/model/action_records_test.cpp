// Actions 7, 8, 11, 13 and 14.
#include <cstring>

#include "tests/model/action_test_support.h"

namespace model {
namespace {

using testing::ActionTest;

class ScopeChannelTest : public ActionTest {
 protected:
  static std::vector<std::int64_t> Words() {
    std::vector<std::int64_t> words;
    for (std::uint16_t offset = 12; offset <= 40; offset = static_cast<std::uint16_t>(offset + 4)) {
      words.push_back(Get(454, offset));
    }
    return words;
  }
};

TEST_F(ScopeChannelTest, HighestChannelsClearedUntilTheCountFits) {
  struct Case {
    std::int64_t t10;
    std::vector<std::int64_t> before, after;
  };
  const std::vector<Case> cases = {
      {10, {33, 33, 33, 33, 33, 33, 33, 33}, {33, 33, 33, 33, 0, 0, 0, 0}},
      {11, {33, 33, 33, 33, 33, 33, 33, 65535}, {33, 33, 33, 33, 33, 33, 0, 65535}},
      {11, {33, 0, 33, 65535, 33, 33, 33, 33}, {33, 0, 33, 65535, 33, 33, 33, 33}},
      {5, {0, 33, 33, 33, 65535, 33, 33, 0}, {0, 33, 33, 33, 65535, 33, 0, 0}},
      {12, {33, 33, 33, 33, 33, 33, 33, 33}, {33, 33, 33, 33, 33, 33, 33, 33}},
  };
  for (const Case& c : cases) {
    Put(454, 0, static_cast<double>(c.t10));
    std::uint16_t offset = 12;
    for (const std::int64_t word : c.before) {
      Put(454, offset, static_cast<double>(word));
      offset = static_cast<std::uint16_t>(offset + 4);
    }
    ASSERT_EQ(LimitScopeChannels(454, 0, 0), 0);
    EXPECT_EQ(Words(), c.after) << "T10 " << c.t10;
  }
  EXPECT_EQ(LimitScopeChannels(453, 0, 0), 3);
}

using ChecksumTest = ActionTest;

TEST_F(ChecksumTest, Record450With257IsStampedWithItsByteSum) {
  Put(450, 2, 0x01020304);
  Put(450, 6, 0xFF);
  Put(450, 0, 257);
  ASSERT_EQ(StampInternalChecksum(450, 0, 0), 0);
  EXPECT_EQ(Get(450, 0), 1 + 2 + 3 + 4 + 255);
  Put(450, 0, 256);
  ASSERT_EQ(StampInternalChecksum(450, 0, 0), 0);
  EXPECT_EQ(Get(450, 0), 256);
  Put(451, 0, 257);
  ASSERT_EQ(StampInternalChecksum(451, 0, 0), 0);
  EXPECT_EQ(Get(451, 0), 257);
  EXPECT_EQ(StampInternalChecksum(452, 0, 0), 3);
}

using RunModeTest = ActionTest;

TEST_F(RunModeTest, RunModeCopiedByFamilyAndLetter) {
  Put(39, 56, 2);
  ASSERT_EQ(OnRunModeChanged(39, 56, 0), 0);
  EXPECT_EQ(Get(512, 67), 2);
  EXPECT_EQ(Get(38, 56), 1);  // 'E' keeps the sets apart
  Put(304, 5, 'D');
  ASSERT_EQ(OnRunModeChanged(39, 56, 0), 0);
  EXPECT_EQ(Get(38, 56), 2);
  Put(304, 0, 2);
  Put(38, 56, 5);
  ASSERT_EQ(OnRunModeChanged(39, 56, 0), 0);
  EXPECT_EQ(Get(512, 67), 1);
  EXPECT_EQ(OnRunModeChanged(40, 56, 0), 3);
}

using ProcessDataLengthTest = ActionTest;

TEST_F(ProcessDataLengthTest, SumsTheSizesOfTheNamedElements) {
  for (const std::uint16_t element : {26, 30, 34, 38, 46, 50, 54, 58, 62, 66, 70, 74, 78, 82, 86, 90}) {
    Put(55, element, 0);
  }
  Put(55, 26, (33u << 16) | 0);     // i16: 2
  Put(55, 30, (320u << 16) | 18);   // f64: 8
  Put(55, 62, (999u << 16) | 0);    // no such element: 0
  Put(55, 66, (512u << 16) | 52);   // i32: 4
  Put(55, 34, (55u << 16) | 16);    // u8: 1
  Put(55, 86, (512u << 16) | 56);   // i32: 4
  ASSERT_EQ(RecalcRecord55Derived(55, 0, 0), 0);
  EXPECT_EQ(Get(33, 136), 14);
  EXPECT_EQ(Get(33, 131), 1);
  EXPECT_EQ(Get(33, 138), 0);
  EXPECT_EQ(Get(33, 137), 4);
  EXPECT_EQ(RecalcRecord55Derived(56, 0, 0), 3);
}

class PositioningSpeedTest : public ActionTest {
 protected:
  static double Float(std::uint16_t element) {
    float value = 0.0f;
    EXPECT_EQ(ReadElement(320, element, &value, kModeRaw, 0), 0);
    return value;
  }
};

TEST_F(PositioningSpeedTest, SpeedsTimesTheWayFactorOfEveryBlock) {
  Put(512, 52, 4096);
  Put(512, 56, 1);
  Put(512, 0, 3000);
  Put(514, 4, 1000);      // block 1
  Put(514, 214, 4096);    // block 9 sits at 210
  Put(516, 4, 2048);      // block 10
  Put(520, 48, 512);      // block 32
  Put(40, 6, 1);          // B20 = 1: gear 1.0
  ASSERT_EQ(RecalcDerivedFrom512And514(514, 4, 0), 0);
  EXPECT_EQ(Float(68), 1000.0 * 60 / 4096);
  EXPECT_EQ(Float(100), 60.0);
  EXPECT_EQ(Float(104), 30.0);
  EXPECT_EQ(Float(192), 7.5);
  EXPECT_EQ(Float(60), 3000.0 * 60 / 4096);

  Put(40, 6, 2);          // B26 0, B20 not 1, I02 0: F49 x 0.001
  Put(34, 64, 2000);
  ASSERT_EQ(RecalcDerivedFrom512And514(514, 4, 0), 0);
  EXPECT_EQ(Float(100), 120.0);
  Put(512, 86, 1);        // I02 1: H23 x 0.001
  Put(34, 66, 500);
  ASSERT_EQ(RecalcDerivedFrom512And514(514, 4, 0), 0);
  EXPECT_EQ(Float(100), 30.0);

  Put(512, 52, 0);        // I07 = 0: nothing changes
  ASSERT_EQ(RecalcDerivedFrom512And514(514, 4, 0), 0);
  EXPECT_EQ(Float(100), 30.0);
  EXPECT_EQ(RecalcDerivedFrom512And514(513, 4, 0), 3);
}

}  // namespace
}  // namespace model
