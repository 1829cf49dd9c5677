// Actions 1, 4, 5 and 6 and the motor-row operations, on fresh data sets (device type 55, firmware 'E').
#include <array>
#include <cmath>
#include <cstring>

#include "model/motor_rows.h"
#include "tests/model/action_test_support.h"

namespace model {
namespace {

using testing::ActionTest;

MotorImage Record(std::uint16_t record, std::uint8_t set = 0) {
  MotorImage image{};
  EXPECT_EQ(ReadRecord(record, image.data(), kModeRaw, set), 0);
  return image;
}
MotorImage Row(std::uint8_t row, std::uint8_t motor_type) {
  MotorImage image{};
  std::memcpy(image.data(), BuiltInMotorRow(row), image.size());
  image[29] = motor_type;
  return image;
}

class MotorActionTest : public ActionTest {
 protected:
  void SetUp() override {
    ActionTest::SetUp();
    if (!BuiltInMotorRow(0)) GTEST_SKIP() << "no built-in motor rows";
  }
};

TEST_F(MotorActionTest, FreshDataSetHoldsTheDeviceDefaultMotorOfTheSecondTable) {
  // Type 55 has default motor 15; firmware 'E' reads the second half (row 45).
  EXPECT_EQ(Record(42), Row(45, 15));
  EXPECT_EQ(Record(43), Row(45, 15));
  EXPECT_EQ(Record(348), Row(45, 15));
}

TEST_F(MotorActionTest, MotorTypeChoosesTheRow) {
  struct Case {
    const char* what;
    std::uint8_t letter;
    std::int64_t device_type;
    std::uint8_t b00;
    std::uint8_t row;
    std::uint8_t stored_type;
  };
  const Case cases[] = {
      {"user defined from the default motor", 'E', 55, 0, 45, 0},
      {"30..59 count as user defined", 'E', 55, 45, 45, 0},
      {"first half before 'E'", 'D', 55, 0, 15, 0},
      {"standard motor", 'E', 55, 7, 37, 7},
      {"standard motor before 'E'", 'C', 55, 7, 7, 7},
      {"type beyond the table uses row 55", 'E', 200, 0, 45, 0},
      {"family-2 default motor is its own row", 'E', 90, 0, 62, 0},
  };
  for (const Case& c : cases) {
    Put(304, 5, c.letter);
    Put(304, 1, static_cast<double>(c.device_type));
    Put(42, 29, c.b00);
    EXPECT_EQ(OnMotorTypeChanged(42, 29, 0), 0) << c.what;
    EXPECT_EQ(Record(42), Row(c.row, c.stored_type)) << c.what;
  }
}

TEST_F(MotorActionTest, TypesAbove69CountAsTheUserDefinedServo) {
  Put(42, 29, 75);
  ASSERT_EQ(OnMotorTypeChanged(42, 29, 0), 0);
  MotorImage expected{};
  ASSERT_EQ(LoadMotorTableRecord(15, expected.data()), 0);  // the default motor of type 55
  expected[29] = 60;
  EXPECT_EQ(Record(42), expected);
  EXPECT_EQ(OnMotorTypeChanged(41, 29, 0), 3);
}

TEST_F(MotorActionTest, LoadMotorTableRecordRescalesForTheEmcConstant) {
  // Row 61: n 1636, R1 4033, P 27, L 1681, M0 95, E 600, w38 1173, w44 5, w46 2, no fan.
  MotorImage image{};
  ASSERT_EQ(LoadMotorTableRecord(61, image.data()), 0);
  EXPECT_EQ(ImageI16(image.data(), 8), 2999);  // MulDiv(1636, 1100, 600)
  EXPECT_EQ(ImageU16(image.data(), 10), 1200);  // 4033 * 600 / 1100 = 2200, * 600 / 1100 = 1200
  // T = MulDiv(1173, 27, 819) = 39, a = 1, b = 0: trunc(sqrt(38 * 66.6667 * 0.70921986 / 1200) * 100)
  EXPECT_EQ(ImageI16(image.data(), 4), 122);
  EXPECT_EQ(ImageI16(image.data(), 6), 26);  // trunc(trunc(600 * 0.0011695451 * 122 - 0.5 - 0.06) * 2999 * ...)
  EXPECT_EQ(ImageI16(image.data(), 60), 95);  // f = 8192 without a fan
  EXPECT_EQ(ImageU16(image.data(), 34), 500);  // 1681 -> 917 -> 500
  EXPECT_EQ(image[29], 61);
}

TEST_F(MotorActionTest, LoadMotorTableRecordInvariants) {
  for (std::uint8_t row = 60; row < kBuiltInMotorRows; ++row) {
    MotorImage image{};
    ASSERT_EQ(LoadMotorTableRecord(row, image.data()), 0);
    EXPECT_LE(ImageI16(image.data(), 8), 6000) << int(row);
    EXPECT_GE(ImageI16(image.data(), 4), 0) << int(row);
  }
  MotorImage image{};
  ASSERT_EQ(LoadMotorTableRecord(60, image.data()), 0);
  EXPECT_EQ(image, Row(60, 60));  // the user-defined servo is kept as it is
  EXPECT_EQ(LoadMotorTableRecord(70, image.data()), 3);
  EXPECT_EQ(LoadMotorTableRecord(255, image.data()), 3);
}

TEST_F(MotorActionTest, ScaleMotorTableRecordGuardsTheEmcConstantAndBoundsTheRow) {
  MotorImage image = Row(62, 62);
  PutImageWord(image.data(), 30, 0);  // E = 0 would divide by zero
  const MotorImage before = image;
  ASSERT_EQ(ScaleMotorTableRecord(image.data(), 62), 0);
  EXPECT_EQ(image, before);

  image = before;
  PutImageWord(image.data(), 22, 1234);
  ASSERT_EQ(ScaleMotorTableRecord(image.data(), 200), 0);  // beyond the table: type 60, word 22 only
  EXPECT_EQ(ImageI16(image.data(), 22), ImageI16(BuiltInMotorRow(60), 22));

  image = Row(61, 61);
  MotorImage loaded{};
  ASSERT_EQ(LoadMotorTableRecord(61, loaded.data()), 0);
  ASSERT_EQ(ScaleMotorTableRecord(image.data(), 61), 0);
  EXPECT_EQ(image, loaded);  // same E and fan as the row: the same steps
}

TEST_F(MotorActionTest, DerivedMotorValuesOfFamily1) {
  // Row 45: I-nominal 3.51 A, P 150, n 1420 rpm (stored 3878), 2 pole pairs; type 55 has 3.5 A.
  const double ratio = static_cast<double>(3.5f) / 3.51;
  EXPECT_DOUBLE_EQ(GetDouble(320, 18), ratio);
  EXPECT_DOUBLE_EQ(GetDouble(320, 34), 150.0 * 2 / 3878 * 130.38);
  EXPECT_EQ(Get(320, 58), 0);  // as in the database
  // TB 26, C30 10, B20 1 (c = 15): TA = round(26 * 15 * 0.1 * 2 / (2 * ratio)) = 39, minimum round(1.17) = 1.
  EXPECT_EQ(Get(320, 50), 39);
  EXPECT_EQ(Get(320, 54), 1);

  Put(42, 10, Get(42, 10) + 1);  // R1 differs from the database
  ASSERT_EQ(RecalcMotorDerivedValues(42, 4, 0), 0);
  EXPECT_EQ(Get(320, 58), 1);
  Put(43, 14, Get(43, 14) + 8);  // within 8 of Kp-IQ is still the database motor
  ASSERT_EQ(RecalcMotorDerivedValues(43, 4, 0), 0);
  EXPECT_EQ(Get(320, 59), 0);
  Put(43, 14, Get(43, 14) + 1);
  ASSERT_EQ(RecalcMotorDerivedValues(43, 4, 0), 0);
  EXPECT_EQ(Get(320, 59), 1);
}

TEST_F(MotorActionTest, ZeroDivisorsOfTheDerivedValues) {
  Put(42, 4, 0);  // I-nominal 0: divisor 1e-6
  Put(42, 8, 0);  // n-nominal 0: M-nominal 999999.0
  ASSERT_EQ(RecalcMotorDerivedValues(42, 4, 0), 0);
  EXPECT_DOUBLE_EQ(GetDouble(320, 18), static_cast<double>(3.5f) / 1e-6);
  EXPECT_DOUBLE_EQ(GetDouble(320, 34), 999999.0);
}

TEST_F(MotorActionTest, Family2RescalesTheRecordUnlessAskedNotToWriteItBack) {
  Put(304, 0, 2);
  ASSERT_EQ(OnDeviceFamilyChanged(304, 0, 0), 0);
  ASSERT_EQ(Get(304, 1), 90);
  MotorImage expected{};
  ASSERT_EQ(LoadMotorTableRecord(62, expected.data()), 0);  // type 90's default motor
  EXPECT_EQ(Record(42), expected);
  EXPECT_EQ(Get(33, 124), ImageI16(expected.data(), 60));
  EXPECT_DOUBLE_EQ(GetDouble(320, 18), static_cast<double>(2.0f) / (ImageI16(expected.data(), 4) * 0.01));
  EXPECT_EQ(Get(320, 58), 0);

  Put(42, 4, 777);  // a device's own I-nominal: kept with element 65535, rescaled from the row otherwise
  ASSERT_EQ(RecalcMotorDerivedValues(42, 65535, 0), 0);
  EXPECT_EQ(Get(42, 4), 777);
  ASSERT_EQ(RecalcMotorDerivedValues(42, 4, 0), 0);
  EXPECT_EQ(Get(42, 4), ImageI16(expected.data(), 4));
}

TEST_F(MotorActionTest, MotorDataTakenOverPicksTheRowByPower) {
  // P 150 x 2 pole pairs / 2 = 150: the first row of the second table with trunc(P x 1.2) >= 150 is row 15
  // (P 150). V 5657 (400 V) x 16384 / f 4096 (50 Hz) = 22628, not below 18001: divisor 1.
  Put(42, 10, 1);
  ASSERT_EQ(OnMotorDataTransferred(42, 6, 0), 0);
  const std::uint8_t* row = BuiltInMotorRow(45);
  const MotorImage image = Record(42);
  EXPECT_EQ(ImageI16(image.data(), 12), ImageI16(row, 12));
  EXPECT_EQ(ImageI16(image.data(), 18), ImageI16(row, 18));
  EXPECT_EQ(image[25], 25);
  EXPECT_EQ(ImageU16(image.data(), 10), 1);  // firmware 'E' keeps R1 and the current controller

  // A 230 V motor on 50 Hz: V 3253 x 16384 / 4096 = 13012 < 18001, rows 15 and 16 differ in power: divisor 3.
  Put(42, 2, 3253);
  ASSERT_EQ(OnMotorDataTransferred(42, 2, 0), 0);
  EXPECT_EQ(ImageI16(Record(42).data(), 12), ImageI16(row, 12) / 3);

  Put(42, 0, 0);  // f-nominal 0: no ratio, divisor 1
  ASSERT_EQ(OnMotorDataTransferred(42, 0, 0), 0);
  EXPECT_EQ(ImageI16(Record(42).data(), 12), ImageI16(row, 12));
}

}  // namespace
}  // namespace model
