// The physical converter and its relatives: scaling by the type's full scale, rounding by the decimal-places
// byte, multiples, user length units, ramps, list positions and the table's shared entries.
#include <set>

#include "tests/model/converter_test_support.h"

namespace converter_test {
namespace {

using model::kTypeF32;
using model::kTypeF64;
using model::kTypeI16;
using model::kTypeI32;
using model::kTypeI8;
using model::kTypeU16;
using model::kTypeU32;
using model::kTypeU8;

TEST_F(ConverterTest, PhysicalScalesByTheTypesFullScale) {
  ExpectAll({
      {"u8 510: stored 2 shows 4", 0, 1, 2, 4.0, 0, kTypeU8, 40, 510.0},
      {"u8 510: 5.0 stores 2.5, rounded up", 0, 0, 5.0, 3.0, 0, kTypeU8, 40, 510.0},
      {"u8 510: -5.0 rounds away from zero", 0, 0, -5.0, -3.0, 0, kTypeU8, 40, 510.0},
      {"type 0 has the u8 scale", 0, 1, 255, 510.0, 0, model::kTypeU8Unused, 40, 510.0},
      {"parameter 0 passes through", 0, 1, 1234.5, 1234.5, 0, kTypeI16, 40, 0.0, 0},
      {"parameter 0 passes through back", 0, 0, 1234.5, 1234.5, 0, kTypeI16, 40, 0.0, 0},
      {"i16 400 at 32767", 0, 1, 32767, 400.0, 0, kTypeI16, 40, 400.0, 1},
      {"i16 400, 1 place", 0, 1, 12349, 150.7, 0, kTypeI16, 40, 400.0, 1},
      {"i16 400, 1 place, negative", 0, 1, -12349, -150.7, 0, kTypeI16, 40, 400.0, 1},
      {"i16 400, 2 places", 0, 1, 12349, 150.75, 0, kTypeI16, 40, 400.0, 2},
      {"i16 400, 3 places", 0, 1, 12349, 150.749, 0, kTypeI16, 40, 400.0, 3},
      {"i16 400, decimals 255 unrounded", 0, 1, 12349, 12349 * 400.0 / 32767, 0, kTypeI16, 40, 400.0, 255},
      {"i16 400, decimals 7 whole", 0, 1, 12349, 151.0, 0, kTypeI16, 40, 400.0, 7},
      {"entry back is always whole", 0, 0, 150.7, 12345.0, 0, kTypeI16, 40, 400.0, 255},
      {"i8", 0, 1, 127, 50.0, 0, kTypeI8, 40, 50.0, 1},
      {"u16", 0, 0, 1.0, 65535.0, 0, kTypeU16, 40, 1.0},
      {"u32", 0, 1, 4294967295.0, 10.0, 0, kTypeU32, 40, 10.0, 1},
      {"i32", 0, 0, -1.0, -2147483647.0, 0, kTypeI32, 40, 1.0},
      {"f32 full scale 3.4e38", 0, 0, 1e-38, 3.0, 0, kTypeF32, 40, 1.0},
      {"f64 full scale 1.7e308", 0, 1, 8.5e307, 1.0, 0, kTypeF64, 40, 2.0, 255},
      {"a text has no scale", 0, 1, 1.0, kUntouched, 13, model::kTypeText16, 40, 400.0},
      {"no scale even with parameter 0", 0, 0, 1.0, kUntouched, 13, model::kTypeInvalid1, 40, 0.0},
      {"type 13", 0, 1, 1.0, kUntouched, 13, model::kTypeInvalid13, 40, 1.0},
  });
}

TEST_F(ConverterTest, PhysicalRoundTripsWhereTheDisplayIsFinerThanTheStoredStep) {
  // 400 / 32767 = 0.0122 per step, shown to 0.01: every stored i16 comes back.
  for (int stored = -32767; stored <= 32767; ++stored) {
    const double in = stored;
    double shown = 0.0, back = 0.0;
    ASSERT_EQ(model::ConvPhysical(&in, &shown, 400.0, kTypeI16, 2, 1, 0, 40), 0);
    ASSERT_EQ(model::ConvPhysical(&shown, &back, 400.0, kTypeI16, 2, 0, 0, 40), 0);
    ASSERT_EQ(back, in) << "shown " << shown;
  }
  // Shown to 1 place the same element moves: 12349 shows 150.7, which stores 12345.
  const double in = 12349, shown = 150.7;
  double out = 0.0;
  ASSERT_EQ(model::ConvPhysical(&in, &out, 400.0, kTypeI16, 1, 1, 0, 40), 0);
  EXPECT_DOUBLE_EQ(out, shown);
  ASSERT_EQ(model::ConvPhysical(&shown, &out, 400.0, kTypeI16, 1, 0, 0, 40), 0);
  EXPECT_EQ(out, 12345.0);
}

TEST_F(ConverterTest, MultiplesAndTheSwitchingFrequency) {
  ExpectAll({
      {"14 shows like the physical one", 14, 1, 1002, 1.002, 0, kTypeI16, 40, 32.767, 3},
      {"14: 1.002 s stores 1004", 14, 0, 1.002, 1004.0, 0, kTypeI16, 40, 32.767, 3},
      {"14: 1.001 s stores 1000", 14, 0, 1.001, 1000.0, 0, kTypeI16, 40, 32.767, 3},
      {"14: a text", 14, 0, 1.0, kUntouched, 13, model::kTypeText8, 40, 32.767, 3},
      {"15 ignores the parameter", 15, 1, 80, 8.0, 0, kTypeU8, 40, 99.0, 1},
      {"15: 8.5 kHz stores 80", 15, 0, 8.5, 80.0, 0, kTypeU8, 40, 99.0, 1},
      {"15: 9.0 kHz stores 100", 15, 0, 9.0, 100.0, 0, kTypeU8, 40, 99.0, 1},
      {"26 family 2 scales by 1998", 26, 1, 32767, 1998.0, 0, kTypeI16, 33, 400.0, 1, {}, 2},
      {"26 family 2 back", 26, 0, 999.0, 16384.0, 0, kTypeI16, 33, 400.0, 1, {}, 2},
      {"26 other families by the parameter", 26, 1, 32767, 400.0, 0, kTypeI16, 33, 400.0, 1, {}, 3},
  });
}

TEST_F(ConverterTest, UserLengthUnitsDivideByTheDecimalDigits) {
  constexpr double kUnit = 2147483647.0;  // i32 with this parameter: one stored step is one unit
  ExpectAll({
      {"d 2", 16, 1, 12345, 123.45, 0, kTypeI32, 512, kUnit, 255, {{512, 76, 2}}},
      {"d 2 back", 16, 0, 123.45, 12345.0, 0, kTypeI32, 512, kUnit, 255, {{512, 76, 2}}},
      {"d 0", 16, 1, 12345, 12345.0, 0, kTypeI32, 512, kUnit, 255, {{512, 76, 0}}},
      {"d 1", 16, 0, 1234.5, 12345.0, 0, kTypeI32, 512, kUnit, 255, {{512, 76, 1}}},
      {"d above 3 counts as 3", 16, 1, 12345, 12.345, 0, kTypeI32, 512, kUnit, 255, {{512, 76, 7}}},
      {"the physical status", 16, 1, 1, kUntouched, 13, model::kTypeText8, 512, kUnit, 255, {{512, 76, 1}}},
  });
}

TEST_F(ConverterTest, RampsInTenthsIgnoreTheDecimals) {
  ExpectAll({
      {"tenths", 20, 1, 123, 123 * 0.1, 0, kTypeI16, 45, 0.0, 2},
      {"tenths back", 20, 0, 12.34, 123.0, 0, kTypeI16, 45, 0.0, 2},
      {"tenths back rounds half away", 20, 0, -12.35, -124.0, 0, kTypeI16, 45, 0.0, 2},
      {"a fraction stored is rounded first", 20, 1, 122.5, 12.3, 0, kTypeI16, 45, 0.0, 2},
      {"family 2 whole", 20, 1, 123, 123.0, 0, kTypeI16, 45, 0.0, 2, {}, 2},
      {"family 2 back", 20, 0, 12.6, 13.0, 0, kTypeI16, 45, 0.0, 2, {}, 2},
      {"i16 only", 20, 1, 123, kUntouched, 13, kTypeU16, 45},
  });
}

TEST_F(ConverterTest, ListPositionsAndTheFlagStoredAs4) {
  ExpectAll({
      {"from one", 11, 1, 0, 1.0, 0, kTypeU8, 33},
      {"from one back", 11, 0, 2, 1.0, 0, kTypeU8, 33},
      {"from one, u8 only", 11, 1, 0, kUntouched, 13, kTypeU16, 33},
      {"stored 4 reads 1", 19, 1, 4, 1.0, 0, kTypeU8},
      {"stored 1 reads 0", 19, 1, 1, 0.0, 0, kTypeU8},
      {"1 stores 4", 19, 0, 1, 4.0, 0, kTypeU8},
      {"2 stores 0", 19, 0, 2, 0.0, 0, kTypeU8},
      {"flag, u8 only", 19, 0, 1, kUntouched, 13, kTypeI16},
      {"29 leaves out", 29, 1, 5, kUntouched, 0},
      {"31 leaves out", 31, 0, 5, kUntouched, 0},
  });
}

TEST(ConverterTableTest, SharedEntriesAreOneFunctionAndTheRestDistinct) {
  model::ResetFunctionTables();
  const auto& table = model::ConverterTable();
  EXPECT_EQ(table[0], &model::ConvPhysical);
  EXPECT_EQ(table[6], &model::ConvPhysical);
  EXPECT_EQ(table[30], &model::ConvPhysical);
  EXPECT_EQ(table[21], table[22]);
  EXPECT_EQ(table[23], table[24]);
  std::set<model::ConverterFunction> distinct(table.begin(), table.end());
  EXPECT_EQ(distinct.size(), 31u);
  EXPECT_EQ(distinct.count(nullptr), 0u);
}

}  // namespace
}  // namespace converter_test
