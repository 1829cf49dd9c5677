// RangeFromPair, RangeFromPairScaled and the rows that read other elements: bounded pairs (2, 4, 5, 6, 48,
// 54), the current caps (20, 43), speed ends (53, 54), CAN types (63) and rows 40, 47, 64, 65, 66.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "identity_fixture.h"
#include "model/device_identity.h"
#include "range_test_support.h"

namespace {

using identity_test::HasType;
using identity_test::PutRaw;
using identity_test::TypeNote;
using model::BoundedRangePair;
using range_test::Check;
using range_test::CheckNumber;
using range_test::ExpectRange;
using range_test::Limit;

constexpr std::uint8_t kU8 = model::kTypeU8;
constexpr std::uint8_t kI16 = model::kTypeI16;
constexpr std::uint8_t kU16 = model::kTypeU16;

BoundedRangePair Pair(std::int32_t min, std::int32_t max) { return {{min, max}, 0, 0, 0, 0}; }

class RangeContextRowsTest : public identity_test::IdentityFixture {};

TEST_F(RangeContextRowsTest, RangeFromPairByType) {
  for (std::uint8_t a : {0, 1, 3}) {
    SCOPED_TRACE(int{a});
    const BoundedRangePair full = Pair(-2147483647 - 1, 2147483647), unsigned_all = Pair(0, -1);
    ExpectRange(a, &unsigned_all, model::kTypeU32, 0, 4294967295);
    ExpectRange(a, &full, kI16, -32768, 32767);  // the check accepts -32768, the lower limit is -32767
    ExpectRange(a, &full, kU8, 0, 255);           // a negative min counts as 0 for an unsigned type
    const BoundedRangePair byte_signed = Pair(-128, 127), word = Pair(0, 65535), small = Pair(23, 1000);
    ExpectRange(a, &byte_signed, kU8, 0, 127);
    ExpectRange(a, &byte_signed, model::kTypeI8, -128, 127);
    ExpectRange(a, &word, kU16, 0, 65535);
    ExpectRange(a, &small, kU16, 23, 1000);
    ExpectRange(a, &small, model::kTypeI32, 23, 1000);
    // Floats compare their integer part; NaN is a wrong value.
    EXPECT_EQ(CheckNumber(a, &small, model::kTypeF64, 1000.9), 0);
    EXPECT_EQ(CheckNumber(a, &small, model::kTypeF64, 1001.0), 4);
    EXPECT_EQ(CheckNumber(a, &small, model::kTypeF32, 22.5), 5);
    EXPECT_EQ(CheckNumber(a, &small, model::kTypeF64, std::numeric_limits<double>::quiet_NaN()), 6);
    EXPECT_EQ(CheckNumber(a, &small, model::kTypeF64, std::numeric_limits<double>::infinity()), 4);
    // Type 0 is never refused and has limits 0.
    std::int64_t limit = 1;
    EXPECT_EQ(Check(a, &small, model::kTypeU8Unused, 5), 0);
    EXPECT_EQ(Limit(a, &small, model::kTypeU8Unused, 1, &limit), 0);
    EXPECT_EQ(limit, 0);
  }
}

TEST_F(RangeContextRowsTest, ScaledPairTakesItsBoundsFromOtherElements) {
  const std::uint8_t type = model::GetElementType(254, 10);
  if (!model::IsIntegerType(type) || model::GetElementType(254, 12) != type) {
    GTEST_SKIP() << TypeNote(254, 10, "an integer like (254, 12)");
  }
  // Pair 15/16: element 10 at least element 12; pair 17/18: element 12 at most element 10.
  const BoundedRangePair at_least{{0, 16383}, 254, 12, 0, 0};
  const BoundedRangePair at_most{{0, 16383}, 0, 0, 254, 10};
  ASSERT_TRUE(PutRaw(254, 10, 9000));
  ASSERT_TRUE(PutRaw(254, 12, 1200));
  for (std::uint8_t a : {2, 4}) {
    ExpectRange(a, &at_least, type, 1200, 16383);
    ExpectRange(a, &at_most, type, 0, 9000);
  }
  const BoundedRangePair missing{{0, 16383}, 12, 30, 0, 0};
  EXPECT_EQ(Check(2, &missing, type, 5), 3);  // the failed bound read is passed on
}

TEST_F(RangeContextRowsTest, TwiceAndOneAndAHalfOfAnotherElement) {
  if (!HasType(254, 62, kU8)) GTEST_SKIP() << TypeNote(254, 62, "u8");
  const BoundedRangePair twice{{0, 192}, 254, 62, 254, 62};      // pairs 25/26
  const BoundedRangePair one_and_half{{0, 255}, 0, 0, 254, 62};  // pairs 28/29
  ASSERT_TRUE(PutRaw(254, 62, 50));
  ExpectRange(5, &twice, kU8, 50, 100);
  ExpectRange(6, &one_and_half, kU8, 0, 75);
  ASSERT_TRUE(PutRaw(254, 62, 51));
  ExpectRange(6, &one_and_half, kU8, 0, 76);  // 3 x 51 / 2 truncated
  ASSERT_TRUE(PutRaw(254, 62, 120));
  ExpectRange(5, &twice, kU8, 120, 192);
  ExpectRange(6, &one_and_half, kU8, 0, 180);
  const BoundedRangePair unbounded = Pair(0, 192);
  EXPECT_EQ(Check(5, &unbounded, kU8, 1), 12);
  EXPECT_EQ(Check(6, &unbounded, kU8, 1), 12);
  EXPECT_EQ(CheckNumber(5, &twice, model::kTypeF32, 1.0), 12);
}

TEST_F(RangeContextRowsTest, FloatWithAGap) {
  BoundedRangePair quad{};
  const float bounds[4] = {-10.0f, 1.0f, 2.0f, 100.0f};
  static_assert(sizeof quad == sizeof bounds);
  std::memcpy(&quad, bounds, sizeof bounds);
  EXPECT_EQ(CheckNumber(13, &quad, model::kTypeF32, -10.5), 5);
  EXPECT_EQ(CheckNumber(13, &quad, model::kTypeF32, 1.0), 0);
  EXPECT_EQ(CheckNumber(13, &quad, model::kTypeF64, 1.5), 6);
  EXPECT_EQ(CheckNumber(13, &quad, model::kTypeF64, 2.0), 0);
  EXPECT_EQ(CheckNumber(13, &quad, model::kTypeF64, 100.5), 4);
  EXPECT_EQ(Check(13, &quad, kI16, 0), 12);
}

TEST_F(RangeContextRowsTest, TorqueLimitFromTheCurrentRatio) {
  if (!HasType(320, 18, model::kTypeF64) || !HasType(320, 26, model::kTypeF64)) {
    GTEST_SKIP() << TypeNote(320, 18, "f64");
  }
  const BoundedRangePair set1{{0, 32767}, 40, 0, 0, 0};
  const BoundedRangePair set2{{0, 32767}, 0, 0, 41, 0};
  ASSERT_TRUE(PutRaw(320, 18, 0.5));
  ASSERT_TRUE(PutRaw(320, 26, 1.25));
  ExpectRange(43, &set1, kI16, 0, 8192);
  ExpectRange(43, &set2, kI16, 0, 20480);
  ASSERT_TRUE(PutRaw(320, 18, 3.0));
  ExpectRange(43, &set1, kI16, 0, 32767);
  // Taken as a 32-bit float before truncation: 16383.9998.. rounds to 16384.0f.
  ASSERT_TRUE(PutRaw(320, 18, 0.99999999));
  ExpectRange(43, &set1, kI16, 0, 16384);
  EXPECT_EQ(Check(43, &set1, kU16, 0), 12);
}

TEST_F(RangeContextRowsTest, TorqueLimitForFamily2FromTheMotorRecord) {
  for (std::uint16_t e : {30, 44, 60}) {
    if (!model::IsIntegerType(model::GetElementType(42, e))) GTEST_SKIP() << TypeNote(42, e, "an integer");
  }
  SetIdentity({.family = 2, .type = 97});  // 80.0 A: i = 8000
  const BoundedRangePair set1{{0, 32767}, 40, 0, 0, 0};
  // d = (M0 + w44 x 0.1) / (B02 x 0.0011695451) = (1000 + 0) / (1000 x 0.0011695451) = 855 (truncated)
  ASSERT_TRUE(PutRaw(42, 60, 1000));
  ASSERT_TRUE(PutRaw(42, 44, 0));
  ASSERT_TRUE(PutRaw(42, 30, 1000));
  ExpectRange(43, &set1, kI16, 0, 8000 * 16384 / 855 > 32767 ? 32767 : 8000 * 16384 / 855);
  ASSERT_TRUE(PutRaw(42, 60, 30000));  // d = 25650 (truncated): 8000 x 16384 / 25650 = 5110
  ASSERT_TRUE(PutRaw(42, 30, 1000));
  ExpectRange(43, &set1, kI16, 0, 5110);
  ASSERT_TRUE(PutRaw(42, 30, 0));  // no division by a zero EMC constant
  ExpectRange(43, &set1, kI16, 0, 32767);
}

TEST_F(RangeContextRowsTest, CurrentCapOnTopOfTheBoundedPair) {
  if (!HasType(320, 18, model::kTypeF64)) GTEST_SKIP() << TypeNote(320, 18, "f64");
  ASSERT_TRUE(PutRaw(320, 18, 0.5));  // k = 8192: c = RoundValue(RoundValue(100.0034..) x 81.9175) = 8192
  const BoundedRangePair pair = Pair(0, 30000);
  ExpectRange(20, &pair, kI16, 0, 8192);
  const BoundedRangePair narrow = Pair(10, 5000);
  ExpectRange(20, &narrow, kI16, 10, 5000);
}

TEST_F(RangeContextRowsTest, SpeedEndsByFamilyAndLetter) {
  const BoundedRangePair both = Pair(-32768, 32767), upper_only = Pair(0, 16383);
  SetIdentity({.family = 2});
  ExpectRange(53, &both, kI16, -6000, 6000);
  ExpectRange(53, &upper_only, kI16, 0, 6000);
  SetIdentity({.family = 1, .letter = 'D'});
  ExpectRange(53, &both, kI16, -16384, 16384);
  ExpectRange(54, &upper_only, kI16, 0, 16384);
  SetIdentity({.family = 3, .letter = 'E'});
  ExpectRange(53, &both, kI16, -32768, 32767);
  ExpectRange(54, &upper_only, kI16, 0, 32767);
  EXPECT_EQ(Check(53, &both, kU16, 0), 12);
  SetIdentity({.letter = 0});
  EXPECT_EQ(Check(54, &both, kI16, 0), 12);
}

TEST_F(RangeContextRowsTest, OperatingRangeLowerEndFromE) {
  const BoundedRangePair pair = Pair(0, 32767);
  SetIdentity({.letter = 'D'});
  ExpectRange(48, &pair, kI16, 0, 32767);
  SetIdentity({.letter = 'E'});
  ExpectRange(48, &pair, kI16, -32768, 32767);
}

TEST_F(RangeContextRowsTest, CanTransmissionTypesJudgeTheCandidate) {
  const BoundedRangePair unused{};
  const auto packed = [](std::uint32_t receive, std::uint32_t transmit) {
    return static_cast<std::int64_t>(0x1234u | (receive << 16) | (transmit << 24));
  };
  struct Case {
    std::uint32_t receive, transmit;
    std::uint8_t status;
  };
  const Case cases[] = {{250, 1, 6}, {1, 241, 6}, {1, 253, 6}, {0, 1, 5},   {1, 0, 5}, {254, 254, 0},
                        {255, 1, 4}, {1, 240, 0}, {0, 255, 5}, {255, 250, 4}, {1, 1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(Check(63, &unused, model::kTypeU32, packed(c.receive, c.transmit)), c.status)
        << c.receive << "/" << c.transmit;
  }
  std::int64_t limit = 0;
  ASSERT_EQ(Limit(63, &unused, model::kTypeU32, 1, &limit), 0);
  EXPECT_EQ(limit, 254);
  ASSERT_EQ(Limit(63, &unused, model::kTypeU32, 2, &limit), 0);
  EXPECT_EQ(limit, 1);
}

TEST_F(RangeContextRowsTest, RunModeOfFamily3ByPositioningVariant) {
  const BoundedRangePair unused{};
  SetIdentity({.family = 3});
  ASSERT_TRUE(PutRaw(304, 9, 1));
  ExpectRange(40, &unused, kU8, 1, 1);
  ASSERT_TRUE(PutRaw(304, 9, 2));
  ExpectRange(40, &unused, kU8, 1, 2);
  SetIdentity({.family = 2});
  ExpectRange(40, &unused, kU8, 0, 3);
  SetIdentity({.family = 1});
  ExpectRange(40, &unused, kU8, 1, 2);
}

TEST_F(RangeContextRowsTest, MotorTimeConstantAcceptsAllInFamily2) {
  const BoundedRangePair own = Pair(5, 200);
  ExpectRange(47, &own, kU8, 5, 200);
  SetIdentity({.family = 2});
  EXPECT_EQ(Check(47, &own, kU8, 255), 0);
  EXPECT_EQ(Check(47, &own, kU8, 0), 0);
  std::int64_t limit = 0;
  ASSERT_EQ(Limit(47, &own, kU8, 1, &limit), 0);
  EXPECT_EQ(limit, 200);
}

TEST_F(RangeContextRowsTest, ParameterSetIdentByFileKind) {
  const BoundedRangePair unused{};
  ExpectRange(64, &unused, kU8, 1, 253);
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindReverseDoc));
  ExpectRange(64, &unused, kU8, 0, 255);
}

TEST_F(RangeContextRowsTest, LanguageNeedsTheCurrentLayoutAndFirmwareE) {
  const BoundedRangePair unused{};
  ASSERT_TRUE(PutRaw(4, 0, 'Q'));
  ExpectRange(65, &unused, kU8, 0, 2);
  SetIdentity({.letter = 'D'});
  ExpectRange(65, &unused, kU8, 0, 1);
  SetIdentity({.letter = 'E'});
  ASSERT_TRUE(PutRaw(4, 0, 'P'));
  ExpectRange(65, &unused, kU8, 0, 1);
  EXPECT_EQ(Check(65, &unused, kU8, 0, 9), 1);  // the failed read's status
}

TEST_F(RangeContextRowsTest, LowVoltageLevelTakesItsMinimumFromRecord305) {
  if (!model::IsIntegerType(model::GetElementType(305, 158))) GTEST_SKIP() << TypeNote(305, 158, "an integer");
  const BoundedRangePair own = Pair(10, 200);
  ASSERT_TRUE(PutRaw(305, 158, 2));
  ExpectRange(66, &own, kU8, 10, 200);
  ASSERT_TRUE(PutRaw(305, 158, 40));
  ExpectRange(66, &own, kU8, 40, 200);
}

}  // namespace
