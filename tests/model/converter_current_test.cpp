// Current, percentage, power and torque converters: the device's nominal current as its stored f32, values of
// the same record, the motor record by the active parameter set and by record, and the fixed values for zeros.
#include "model/device_identity.h"
#include "tests/model/converter_test_support.h"

namespace converter_test {
namespace {

using model::kTypeI16;
using model::kTypeU16;
using model::kTypeU8;

constexpr double kNotComputable = 999999999.0;
constexpr std::uint8_t kUnreadableSet = 3;

TEST_F(ConverterTest, CurrentsScaleByTheNominalCurrent) {
  // Device type 55: 3.5 A.
  ExpectAll({
      {"4: u8 full scale is twice Inom", 4, 1, 255, 7.0, 0, kTypeU8, 40, 0, 2},
      {"4 back", 4, 0, 3.5, 128.0, 0, kTypeU8, 40, 0, 2},
      {"4, u8 only", 4, 1, 255, kUntouched, 13, kTypeI16},
      {"9: peak form", 9, 1, 16384, 7.0, 0, kTypeI16, 33, 0, 2},
      {"9 back, 16383.5 rounds up", 9, 0, 7.0, 16384.0, 0, kTypeI16, 33, 0, 2},
      {"9, i16 only", 9, 0, 7.0, kUntouched, 13, kTypeU16, 33},
      {"10: phase values", 10, 1, 5792, 3.5, 0, kTypeI16, 33, 0, 2},
      {"10 back", 10, 0, 3.5, 5792.0, 0, kTypeI16, 33, 0, 2},
  });
}

TEST_F(ConverterTest, NominalCurrentIsTheStoredFloatWidened) {
  SetIdentity({model::kFileKindProject, 1, 51, 'E'});  // 2.1 A as f32
  ASSERT_EQ(model::GetDeviceNominalCurrent(0), 2.1f);
  const double inom = static_cast<double>(2.1f);
  const double in = 1000;
  double out = 0.0;
  ASSERT_EQ(model::ConvPeakCurrent(&in, &out, 0.0, kTypeI16, 255, 1, 0, 33), 0);
  EXPECT_EQ(out, in * inom / 8191.75);
  ASSERT_EQ(model::ConvCurrentU8(&in, &out, 0.0, kTypeU8, 255, 1, 0, 33), 0);
  EXPECT_EQ(out, in * inom * 2 / 255);
}

TEST_F(ConverterTest, PercentOfTheRecordsElement62) {
  ExpectAll({
      {"r 50", 5, 1, 25, 50.0, 0, kTypeU8, 35, 0, 1, {{35, 62, 50}}},
      {"r 50 back", 5, 0, 50.0, 25.0, 0, kTypeU8, 35, 0, 1, {{35, 62, 50}}},
      {"r 0 shows 200", 5, 1, 25, 200.0, 0, kTypeU8, 35, 0, 1},
      {"r 0 refuses an entry instead of storing 0", 5, 0, 50.0, kUntouched, 13, kTypeU8, 35},
      {"a record without element 62", 5, 1, 25, kUntouched, 13, kTypeU8, 2},
      {"u8 only", 5, 1, 25, kUntouched, 13, kTypeI16, 35, 0, 1, {{35, 62, 50}}},
  });
}

TEST_F(ConverterTest, PowerByTheActiveMotorsNominalPower) {
  ExpectAll({
      {"P of record 42", 12, 1, 100, 1.0, 0, kTypeI16, 33, 0, 2, {{42, 6, 8192}}},
      {"back", 12, 0, 1.0, 100.0, 0, kTypeI16, 33, 0, 2, {{42, 6, 8192}}},
      {"P taken as unsigned 16-bit", 12, 1, 12500, 1000.0, 0, kTypeI16, 33, 0, 1, {{42, 6, -1}}},
      {"set 2: P of record 43", 12, 1, 100, 1.0, 0, kTypeI16, 33, 0, 2, {{33, 61, 1}, {43, 6, 8192}}},
      {"P 0 shows 0", 12, 1, 100, 0.0, 0, kTypeI16, 33, 0, 2},
      {"P 0 refuses an entry", 12, 0, 1.0, kUntouched, 13, kTypeI16, 33, 0, 2},
      {"i16 only", 12, 1, 100, kUntouched, 13, kTypeU8, 33, 0, 2, {{42, 6, 8192}}},
  });
}

TEST_F(ConverterTest, TorqueOfFamily2ByTheReportedScale) {
  ExpectAll({
      {"N x in / 819200, not rounded", 13, 1, 3, 3000.0 / 819200, 0, kTypeI16, 40, 0, 1, {{33, 124, 1000}}, 2},
      {"back, not rounded", 13, 0, 1.0, 819200.0 / 1000, 0, kTypeI16, 40, 0, 1, {{33, 124, 1000}}, 2},
      {"N 0 counts as 84 back", 13, 0, 1.0, 819200.0 / 84, 0, kTypeI16, 40, 0, 1, {}, 2},
      {"N 0 shows 0", 13, 1, 100, 0.0, 0, kTypeI16, 40, 0, 1, {}, 2},
  });
}

TEST_F(ConverterTest, TorqueOfOtherFamiliesByTheMotorRecord) {
  const std::vector<Put> motor42 = {{42, 26, 2}, {42, 6, 750}, {42, 8, 1500}};
  const std::vector<Put> motor43 = {{43, 26, 2}, {43, 6, 750}, {43, 8, 1500}, {42, 26, 9}, {42, 6, 99}};
  ExpectAll({
      {"record 40: motor 42", 13, 1, 1000, 15.92, 0, kTypeI16, 40, 0, 2, motor42},
      {"record 40 back", 13, 0, 15.92, 1000.0, 0, kTypeI16, 40, 0, 2, motor42},
      {"record 41: motor 43", 13, 1, 1000, 15.92, 0, kTypeI16, 41, 0, 2, motor43},
      {"record 307 flag 1: motor 43", 13, 1, 1000, 15.92, 0, kTypeI16, 307, 0, 2,
       {{307, 60, 1}, {43, 26, 2}, {43, 6, 750}, {43, 8, 1500}}},
      {"record 316 flag 0: motor 42", 13, 1, 1000, 15.92, 0, kTypeI16, 316, 0, 2, motor42},
      {"record 33: p reported, motor of set 2", 13, 1, 1000, 15.92, 0, kTypeI16, 33, 0, 2,
       {{33, 61, 1}, {33, 68, 2}, {43, 6, 750}, {43, 8, 1500}}},
      {"another record", 13, 1, 1000, kUntouched, 13, kTypeI16, 45, 0, 2, motor42},
      {"n 0 counts as 4096", 13, 1, 1000, 5.83, 0, kTypeI16, 40, 0, 2, {{42, 26, 2}, {42, 6, 750}}},
      {"p 0 shows the fixed value", 13, 1, 1000, kNotComputable, 0, kTypeI16, 40, 0, 2, {{42, 6, 750}, {42, 8, 1500}}},
      {"p 0 counts as 2 back", 13, 0, 15.92, 1000.0, 0, kTypeI16, 40, 0, 2, {{42, 6, 750}, {42, 8, 1500}}},
      {"P 0 refuses an entry", 13, 0, 15.92, kUntouched, 13, kTypeI16, 40, 0, 2, {{42, 26, 2}, {42, 8, 1500}}},
      {"n 0 refuses an entry instead of storing 0", 13, 0, 15.92, kUntouched, 13, kTypeI16, 40, 0, 2,
       {{42, 26, 2}, {42, 6, 750}}},
  });
}

TEST_F(ConverterTest, UnreadableDependenciesAreNotServed) {
  const double in = 100;
  for (std::uint8_t converter : {5, 12, 13}) {
    double out = kUntouched;
    EXPECT_EQ(model::ConverterTable()[converter](&in, &out, 0.0, converter == 5 ? kTypeU8 : kTypeI16, 0, 1,
                                                 kUnreadableSet, 40),
              13)
        << "converter " << int{converter};
    EXPECT_EQ(out, kUntouched);
  }
}

TEST_F(ConverterTest, ConvertedTorqueLimitsOfAParameterSet) {
  for (const Put& put : std::vector<Put>{{42, 26, 2}, {42, 6, 750}, {42, 8, 1500}, {43, 26, 2}, {43, 6, 750},
                                         {43, 8, 1500}, {40, 2, 1000}, {41, 4, -1000}}) {
    ASSERT_TRUE(identity_test::PutRaw(put.record, put.element, put.value));
  }
  double out = 0.0;
  EXPECT_EQ(model::ReadConvertedSetValue(40, 2, &out, 0), 0);
  EXPECT_DOUBLE_EQ(out, 15.92);
  EXPECT_EQ(model::ReadConvertedSetValue(41, 4, &out, 0), 0);
  EXPECT_DOUBLE_EQ(out, -15.92);
  out = kUntouched;
  EXPECT_EQ(model::ReadConvertedSetValue(40, 6, &out, 0), 3);
  EXPECT_EQ(model::ReadConvertedSetValue(42, 2, &out, 0), 3);
  EXPECT_EQ(out, kUntouched);
  EXPECT_EQ(model::ReadConvertedSetValue(40, 2, &out, kUnreadableSet), 1);
}

}  // namespace
}  // namespace converter_test
