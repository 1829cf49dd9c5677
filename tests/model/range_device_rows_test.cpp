// Rows 7..21: limits from the device family, the device type's row of the InverterTypeTable and the letter.
#include <gtest/gtest.h>

#include "identity_fixture.h"
#include "model/device_identity.h"
#include "range_test_support.h"

namespace {

using identity_test::Identity;
using identity_test::PutRaw;
using model::DeviceValue;
using model::InverterTypeRowOf;
using range_test::Check;
using range_test::ExpectRange;
using range_test::Limit;

constexpr std::uint8_t kU8 = model::kTypeU8;
constexpr std::uint8_t kI16 = model::kTypeI16;

class RangeDeviceRowsTest : public identity_test::IdentityFixture {
 protected:
  const model::BoundedRangePair unused_{};
};

TEST_F(RangeDeviceRowsTest, DeviceTypeByTargetFamily) {
  ExpectRange(7, &unused_, kU8, 39, 64);
  for (int refused : {42, 44, 54}) EXPECT_EQ(Check(7, &unused_, kU8, refused), 6) << refused;
  EXPECT_EQ(Check(7, &unused_, kU8, 38), 5);
  EXPECT_EQ(Check(7, &unused_, kU8, 43), 0);
  SetIdentity({.family = 2, .type = 92});
  ExpectRange(7, &unused_, kU8, 90, 97);
  SetIdentity({.family = 3, .type = 72});
  ExpectRange(7, &unused_, kU8, 70, 77);
  EXPECT_EQ(Check(7, &unused_, kI16, 72), 12);
}

TEST_F(RangeDeviceRowsTest, FirmwareLettersByDeviceType) {
  struct Case {
    std::uint8_t type;
    char min, max;
  };
  const Case cases[] = {{96, 'E', 'E'}, {97, 'E', 'E'}, {95, 'D', 'E'}, {90, 'D', 'E'}, {89, '@', 'A'},
                        {78, '@', 'A'}, {77, 'E', 'E'}, {70, 'E', 'E'}, {69, '@', 'A'}, {65, '@', 'A'},
                        {64, 'B', 'E'}, {51, 'B', 'E'}, {50, '@', 'A'}, {0, '@', 'A'},  {120, 'E', 'E'}};
  for (const Case& c : cases) {
    SetIdentity({.type = c.type});
    SCOPED_TRACE(int{c.type});
    ExpectRange(8, &unused_, kU8, c.min, c.max);
  }
}

TEST_F(RangeDeviceRowsTest, DevicePowerGivesLimitsOnly) {
  // Type 55: P = 4000 x 3.5 x 3.4641 x 0.0001 = 4.849..
  std::int64_t limit = 0;
  EXPECT_EQ(Check(9, &unused_, model::kTypeU16, 1), 12);
  ASSERT_EQ(Limit(9, &unused_, model::kTypeU16, 1, &limit), 0);
  EXPECT_EQ(limit, 89);  // trunc(P x 65535 / 3570)
  ASSERT_EQ(Limit(9, &unused_, kI16, 1, &limit), 0);
  EXPECT_EQ(limit, 154);  // trunc(P x 32767 / 1028)
  ASSERT_EQ(Limit(9, &unused_, kI16, 2, &limit), 0);
  EXPECT_EQ(limit, -154);
  SetIdentity({.type = 97});
  ASSERT_EQ(Limit(9, &unused_, kU8, 1, &limit), 0);
  EXPECT_EQ(limit, 255);  // capped
  EXPECT_EQ(Limit(9, &unused_, model::kTypeU32, 1, &limit), 12);
}

TEST_F(RangeDeviceRowsTest, MirroredRowPassesOnTheFailedSelectorRead) {
  std::int64_t limit = 0;
  EXPECT_EQ(Check(10, &unused_, kI16, 0), 12);
  EXPECT_EQ(Limit(10, &unused_, kI16, 1, &limit), 3);  // record 12 is not in the layout
}

TEST_F(RangeDeviceRowsTest, LowVoltageLimitByClassAndLetter) {
  struct Case {
    std::uint8_t family, type;
    char letter;
    std::int64_t min, max;
  };
  const Case cases[] = {
      {2, 92, 'D', 1500, 5700}, {2, 92, '@', 1500, 5700},
      {1, 51, 'B', 1500, 2300}, {1, 51, 'C', 1200, 3000}, {1, 51, 'D', 1200, 3000}, {1, 51, 'E', 1200, 3000},
      {1, 55, 'B', 2500, 4000}, {1, 55, 'C', 2200, 5700}, {1, 55, 'D', 2200, 5700}, {1, 55, 'E', 1500, 5700},
      {3, 72, 'Q', 1500, 5700},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.type} << " " << c.letter);
    SetIdentity({.family = c.family, .type = c.type, .letter = static_cast<std::uint8_t>(c.letter)});
    ExpectRange(11, &unused_, kI16, c.min, c.max);
  }
  SetIdentity({.letter = 0});
  EXPECT_EQ(Check(11, &unused_, kI16, 3000), 12);
}

TEST_F(RangeDeviceRowsTest, MotorAndBrakeLimitsFromTheDeviceValues) {
  for (std::uint8_t type : {0, 51, 55, 64, 72, 97}) {
    SCOPED_TRACE(int{type});
    SetIdentity({.family = static_cast<std::uint8_t>(type >= 90 ? 2 : 1), .type = type});
    const model::InverterTypeRow& row = InverterTypeRowOf(type);
    ExpectRange(12, &unused_, kI16, 0, DeviceValue(row, 1));
    ExpectRange(14, &unused_, kI16, 0, DeviceValue(row, 6));
    ExpectRange(15, &unused_, kI16, DeviceValue(row, 4), DeviceValue(row, 5));
    ExpectRange(16, &unused_, kI16, DeviceValue(row, 2), 6000);
    ExpectRange(17, &unused_, kI16, 0, DeviceValue(row, 3));
    ExpectRange(21, &unused_, kI16, DeviceValue(row, 7), DeviceValue(row, 9));
    ExpectRange(19, &unused_, kU8, type < 90 ? 0 : 60, row.device_byte3);
    for (std::uint8_t a : {12, 14, 15, 16, 17, 21}) EXPECT_EQ(Check(a, &unused_, model::kTypeU16, 0), 12);
  }
}

TEST_F(RangeDeviceRowsTest, BrakeTypeLowerLimitForFamily2) {
  SetIdentity({.family = 2, .type = 92, .letter = 'D'});
  ExpectRange(18, &unused_, kU8, 20, InverterTypeRowOf(92).device_byte1);
  SetIdentity({.family = 2, .type = 92, .letter = 'E'});
  ExpectRange(18, &unused_, kU8, 19, InverterTypeRowOf(92).device_byte1);
  SetIdentity({.family = 1, .type = 55, .letter = 'B'});
  ExpectRange(18, &unused_, kU8, 0, InverterTypeRowOf(55).device_byte1);
}

// Rows 9 and 14..17 read record 5 only for reverse documentation and fall back to type 55; rows 11, 12, 18,
// 19 and 21 read record 304 only for a project and pass a failed read on.
TEST_F(RangeDeviceRowsTest, DeviceTypeSourceByFileKind) {
  ASSERT_TRUE(PutRaw(5, 1, 51));
  ASSERT_TRUE(PutRaw(304, 1, 60));
  const model::InverterTypeRow& row51 = InverterTypeRowOf(51);
  const model::InverterTypeRow& row60 = InverterTypeRowOf(60);
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindProject));
  ExpectRange(12, &unused_, kI16, 0, DeviceValue(row60, 1));
  ExpectRange(14, &unused_, kI16, 0, DeviceValue(row60, 6));
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindReverseDoc));
  ExpectRange(12, &unused_, kI16, 0, DeviceValue(row51, 1));
  ExpectRange(14, &unused_, kI16, 0, DeviceValue(row51, 6));
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindConfiguration));
  ExpectRange(12, &unused_, kI16, 0, DeviceValue(row51, 1));
  ExpectRange(14, &unused_, kI16, 0, DeviceValue(row60, 6));
}

TEST_F(RangeDeviceRowsTest, TypeBeyondTheTableUsesRow55) {
  const model::InverterTypeRow& row55 = InverterTypeRowOf(55);
  for (int stored : {98, 200, 255}) {
    SetIdentity({.type = static_cast<std::uint8_t>(stored)});
    SCOPED_TRACE(stored);
    ExpectRange(12, &unused_, kI16, 0, DeviceValue(row55, 1));
    ExpectRange(14, &unused_, kI16, 0, DeviceValue(row55, 6));
    ExpectRange(21, &unused_, kI16, DeviceValue(row55, 7), DeviceValue(row55, 9));
    ExpectRange(18, &unused_, kU8, 0, row55.device_byte1);
    ExpectRange(19, &unused_, kU8, 0, row55.device_byte3);  // row 55 throughout, its lower limit too
  }
}

TEST_F(RangeDeviceRowsTest, UnreadableIdentity) {
  std::int64_t limit = 0;
  // Set 9 is beyond the slots: strict rows pass the read status on, fallback rows use type 55.
  EXPECT_NE(Limit(12, &unused_, kI16, 1, &limit, 9), 0);
  EXPECT_NE(Limit(19, &unused_, kU8, 1, &limit, 9), 0);
  ASSERT_EQ(Limit(14, &unused_, kI16, 1, &limit, 9), 0);
  EXPECT_EQ(limit, DeviceValue(InverterTypeRowOf(55), 6));
}

}  // namespace
