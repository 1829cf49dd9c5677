#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "model/device_identity.h"
#include "model/motor_rows.h"

namespace model {
namespace {

std::uint16_t Word(const std::uint8_t* row, std::size_t offset) {
  return static_cast<std::uint16_t>(row[offset] | (row[offset + 1] << 8));
}

TEST(BuiltInMotorRows, SeventyImagesWithTheirMotorTypes) {
  for (std::uint8_t r = 0; r < kBuiltInMotorRows; ++r) {
    const std::uint8_t* row = BuiltInMotorRow(r);
    ASSERT_NE(row, nullptr);
    const std::uint8_t type = row[29];
    if (r < 30) {
      EXPECT_EQ(type, r);
    }
    if (r >= 30 && r < 60) {
      EXPECT_EQ(type, r - 30) << "row 30 + n is motor n again";
      EXPECT_EQ(Word(row, 4), Word(BuiltInMotorRow(static_cast<std::uint8_t>(r - 30)), 4));
    }
    if (r >= 60) {
      EXPECT_EQ(type, r) << "family-2 motors 60..69";
    }
  }
  EXPECT_EQ(BuiltInMotorRow(70), nullptr);
  for (std::uint8_t r = 1; r < 29; ++r) EXPECT_LT(MotorRowRatedValue(r), MotorRowRatedValue(29)) << int{r};
}

TEST(BuiltInMotorRows, DefaultMotorsOfTheTellingDeviceTypes) {
  EXPECT_EQ(DefaultMotorOfDeviceType(51), 8);
  EXPECT_EQ(DefaultMotorOfDeviceType(55), 15);
  EXPECT_EQ(DefaultMotorOfDeviceType(97), 69);
  EXPECT_EQ(DefaultMotorOfDeviceType(200), 15) << "beyond the table: row 55";
  // The default motor of type 55 (3.5 A) is a motor of about that current.
  EXPECT_NEAR(MotorRowRatedValue(15) / 100.0, 3.5, 0.6);
}

// Every device type's default motor is a motor of its mains voltage within the type's V-, P- and I-nominal
// limits (device values 1, 4/5 and 6), in both table halves.
TEST(BuiltInMotorRows, DefaultMotorsFitTheirDeviceTypes) {
  for (std::uint8_t type = 0; type < kInverterTypeCount; ++type) {
    const InverterTypeRow& device = InverterTypeTable()[type];
    const std::uint8_t d = DefaultMotorOfDeviceType(type);
    if (d >= 60) continue;  // family-2 motors are rescaled on loading
    for (const std::uint8_t row : {d, static_cast<std::uint8_t>(d + 30)}) {
      const std::uint8_t* motor = BuiltInMotorRow(row);
      ASSERT_NE(motor, nullptr);
      const auto v = static_cast<std::int16_t>(Word(motor, 2));
      const auto i = static_cast<std::int16_t>(Word(motor, 4));
      const auto p = static_cast<std::int16_t>(Word(motor, 6));
      EXPECT_EQ(v, device.mains_voltage == 4000 ? 5657 : 3253) << "type " << int(type);  // 0.1 V peak
      EXPECT_LE(v, DeviceValue(device, 1)) << "type " << int(type);
      EXPECT_GE(p, DeviceValue(device, 4)) << "type " << int(type);
      EXPECT_LE(p, DeviceValue(device, 5)) << "type " << int(type);
      EXPECT_LE(i, DeviceValue(device, 6)) << "type " << int(type);
      EXPECT_GE(Word(motor, 30), 200) << "EMC constant, row " << int(row);
    }
  }
}

TEST(FindMotorRow, TheNearestStandardMotorInTheDevicesVoltageBand) {
  EXPECT_EQ(FindMotorRow(55, 3.0f), FindMotorRow(55, 3.4f));
  const std::uint8_t row = FindMotorRow(55, 3.0f);
  ASSERT_GE(row, 1);
  ASSERT_LE(row, 28);
  const std::int64_t v = 300;
  EXPECT_LE(std::abs(std::int64_t{MotorRowRatedValue(row)} - v), std::abs(std::int64_t{MotorRowRatedValue(static_cast<std::uint8_t>(row - 1))} - v));
  EXPECT_LE(std::abs(std::int64_t{MotorRowRatedValue(row)} - v), std::abs(std::int64_t{MotorRowRatedValue(static_cast<std::uint8_t>(row + 1))} - v));
  EXPECT_EQ(FindMotorRow(98, 3.0f), 1) << "a type beyond the table";
  EXPECT_EQ(FindMotorRow(55, 1000.0f), 0) << "above row 29's rated value";
  const std::uint8_t low = FindMotorRow(51, 3.0f);
  ASSERT_NE(low, 0) << "the 230 V band has its own standard motors";
  EXPECT_EQ(MotorRowVoltageClass(low), 3253);  // 230 V in 0.1 V peak
}

TEST(FindMotorRowByCode, SearchesUpOrDownWithinTheVoltageClass) {
  const std::uint16_t code = MotorRowVoltageClass(10);
  const float value = static_cast<float>(MotorRowRatedValue(10) / 100 + 0);
  const std::uint16_t up = FindMotorRowByCode(0, value, code);
  const std::uint16_t down = FindMotorRowByCode(5, value, code);
  EXPECT_NE(up, 0);
  EXPECT_NE(down, 0);
  EXPECT_LE(down, up) << "downwards finds the smaller motor";
  EXPECT_EQ(FindMotorRowByCode(0, 1000.0f, code), 0);
  EXPECT_EQ(FindMotorRowByCode(0, 1.0f, 1234), MotorRowNumber(29)) << "no row of that class";
  EXPECT_EQ(FindMotorRowByCode(5, 1.0f, 1234), MotorRowNumber(1));
}

}  // namespace
}  // namespace model
