#include "model/device_identity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "identity_fixture.h"
#include "model/version_letter.h"

namespace {

using model::InverterTypeTable;

TEST(InverterTypeTableTest, TellingRows) {
  const auto table = InverterTypeTable();
  EXPECT_EQ(table[0].nominal_current, 5.5f);
  EXPECT_EQ(table[0].mains_voltage, 4000);
  EXPECT_EQ(table[51].nominal_current, 2.1f);
  EXPECT_EQ(table[51].mains_voltage, 2300);
  EXPECT_EQ(table[51].default_motor, 8);
  EXPECT_EQ(table[55].nominal_current, 3.5f);
  EXPECT_EQ(table[55].mains_voltage, 4000);
  EXPECT_EQ(table[55].default_motor, 15);
  EXPECT_EQ(table[97].nominal_current, 80.0f);
  EXPECT_EQ(table[97].mains_voltage, 4000);
  EXPECT_EQ(table[97].default_motor, 69);
  // Kept as the stored 32-bit float: 2.1 widens to 2.0999999046...
  EXPECT_LT(static_cast<double>(table[51].nominal_current), 2.1);
}

// What the range rows, the after-write actions and the motor defaults need of every row.
TEST(InverterTypeTableTest, EveryRowIsUsableByItsReaders) {
  const auto table = InverterTypeTable();
  for (std::size_t t = 0; t < table.size(); ++t) {
    const model::InverterTypeRow& row = table[t];
    SCOPED_TRACE(t);
    EXPECT_GT(row.nominal_current, 0.0f);
    EXPECT_TRUE(row.mains_voltage == 4000 || row.mains_voltage == 2300);
    // B14 V-nominal (0.1 V peak) up to 480 V on a 400 V type, up to 230 V on a 230 V type.
    EXPECT_EQ(model::DeviceValue(row, 1), row.mains_voltage == 4000 ? 6788 : 3253);
    for (int k = 1; k <= 9; ++k) EXPECT_LE(model::DeviceValue(row, k), 32767) << k;  // i16 limits
    EXPECT_LE(model::DeviceValue(row, 2), 6000);                      // A21: v2 .. 6000
    EXPECT_LE(model::DeviceValue(row, 4), model::DeviceValue(row, 5));  // B11: v4 .. v5
    EXPECT_LE(model::DeviceValue(row, 7), model::DeviceValue(row, 8));  // A36: v7 <= default v8 <= v9
    EXPECT_LE(model::DeviceValue(row, 8), model::DeviceValue(row, 9));
    // B12 I-nominal allows more than the 110 % the input check hints at.
    EXPECT_GT(model::DeviceValue(row, 6), row.nominal_current * 110.0f);
    EXPECT_LT(row.device_byte1, 33);  // A20 indexes the braking-resistor rows below 33
    EXPECT_LE(row.default_motor, row.device_byte3);
    if (t >= 90) {  // family-2 types: motors 60..69, A20 from 19/20
      EXPECT_GE(row.default_motor, 60);
      EXPECT_EQ(row.device_byte3, 69);
      EXPECT_GE(row.device_byte1, 20);
    } else {
      EXPECT_GE(row.default_motor, 1);
      EXPECT_LE(row.device_byte3, 29);
    }
  }
}

TEST(InverterTypeTableTest, CurrentsRiseWithinEachSeries) {
  const auto table = InverterTypeTable();
  const std::pair<int, int> series[] = {{0, 15}, {16, 38}, {39, 50}, {51, 54}, {55, 64}, {70, 77}, {90, 97}};
  for (const auto& [first, last] : series) {
    for (int t = first + 1; t <= last; ++t) {
      EXPECT_GT(table[t].nominal_current, table[t - 1].nominal_current) << t;
      EXPECT_EQ(table[t].mains_voltage, table[first].mains_voltage) << t;
    }
  }
}

TEST(InverterTypeTableTest, RowBeyondTheTableIsTheFallback) {
  EXPECT_EQ(&model::InverterTypeRowOf(98), &InverterTypeTable()[55]);
  EXPECT_EQ(&model::InverterTypeRowOf(-1), &InverterTypeTable()[55]);
  EXPECT_EQ(&model::InverterTypeRowOf(97), &InverterTypeTable()[97]);
}

TEST(MatchInverterTypeTest, OlderTypesFindTheirCurrentRow) {
  struct Case {
    std::uint8_t type;
    std::uint8_t status;
    std::uint8_t row;
  };
  const Case cases[] = {
      {0, 0, 56},    // 5.5 A: the first 400 V row within 1 A is 4.8 A
      {13, 0, 60},   // no row within 1 A: '<'
      {15, 0, 60},
      {16, 0, 57},   // no row within 1 A: '9'
      {18, 0, 57},
      {14, 1, 0},    // 16.0 A lies exactly 1.0 A from 17.0 A: no match
      {98, 1, 0},
      {255, 1, 0},
  };
  for (const Case& c : cases) {
    std::uint8_t out = 0;
    EXPECT_EQ(model::MatchInverterType(&c.type, &out), c.status) << int{c.type};
    if (c.status == 0) {
      EXPECT_EQ(out, c.row) << int{c.type};
    }
  }
  // Every row that matches lies in 51..63, has the same mains voltage and is within 1 A.
  const auto table = InverterTypeTable();
  for (std::uint8_t t = 0; t < 98; ++t) {
    std::uint8_t out = 0;
    if (model::MatchInverterType(&t, &out) != 0 || t == 13 || t == 15 || t == 16 || t == 18) continue;
    ASSERT_GE(out, 51);
    ASSERT_LE(out, 63);
    EXPECT_EQ(table[out].mains_voltage, table[t].mains_voltage) << int{t};
    EXPECT_LT(std::fabs(table[out].nominal_current - table[t].nominal_current), 1.0f) << int{t};
  }
}

class DeviceIdentityTest : public identity_test::IdentityFixture {};

TEST_F(DeviceIdentityTest, FamilyFromTheIdentityRecordOfTheFileKind) {
  using identity_test::PutRaw;
  ASSERT_TRUE(PutRaw(5, 0, 2));
  ASSERT_TRUE(PutRaw(304, 0, 3));
  EXPECT_EQ(model::GetDeviceFamily(0), 3);
  ASSERT_TRUE(PutRaw(302, 0, 19));  // configuration: record 304
  EXPECT_EQ(model::GetDeviceFamily(0), 3);
  ASSERT_TRUE(PutRaw(302, 0, 18));  // reverse documentation: record 5
  EXPECT_EQ(model::GetDeviceFamily(0), 2);
  for (int stored : {0, 1, 4, 255}) {
    ASSERT_TRUE(PutRaw(5, 0, stored));
    EXPECT_EQ(model::GetDeviceFamily(0), 1) << stored;
  }
  EXPECT_EQ(model::GetDeviceFamily(9), 1);
}

TEST_F(DeviceIdentityTest, NominalCurrentAndMainsVoltageFallBackToRow55) {
  using identity_test::PutRaw;
  ASSERT_TRUE(PutRaw(304, 1, 51));
  EXPECT_EQ(model::GetDeviceNominalCurrent(0), 2.1f);
  EXPECT_EQ(model::GetDeviceMainsVoltage(0), 230);
  ASSERT_TRUE(PutRaw(304, 1, 98));
  EXPECT_EQ(model::GetDeviceNominalCurrent(0), 3.5f);
  EXPECT_EQ(model::GetDeviceMainsVoltage(0), 400);
  ASSERT_TRUE(PutRaw(304, 1, 97));
  ASSERT_TRUE(PutRaw(5, 1, 51));
  EXPECT_EQ(model::GetDeviceNominalCurrent(0), 80.0f);
  ASSERT_TRUE(PutRaw(302, 0, 18));
  EXPECT_EQ(model::GetDeviceNominalCurrent(0), 2.1f);
  EXPECT_EQ(model::GetDeviceNominalCurrent(9), 3.5f);
  ASSERT_TRUE(PutRaw(302, 0, 0));  // file kind unreadable as a kind
  EXPECT_EQ(model::GetDeviceNominalCurrent(0), 3.5f);
}

TEST_F(DeviceIdentityTest, DeviceTypeReadersDifferForAConfigurationFile) {
  using identity_test::PutRaw;
  ASSERT_TRUE(PutRaw(5, 1, 51));
  ASSERT_TRUE(PutRaw(304, 1, 60));
  ASSERT_TRUE(PutRaw(302, 0, 19));
  std::uint8_t type = 0;
  EXPECT_EQ(model::DeviceTypeOrFallback(0), 60);  // record 5 only for reverse documentation
  ASSERT_EQ(model::ReadDeviceType(0, &type), 0);  // record 304 only for a project
  EXPECT_EQ(type, 51);
  ASSERT_TRUE(PutRaw(5, 1, 200));
  ASSERT_EQ(model::ReadDeviceType(0, &type), 0);
  EXPECT_EQ(type, 55);  // beyond the table: the fallback row, never an index past it
  EXPECT_NE(model::ReadDeviceType(9, &type), 0);
}

TEST_F(DeviceIdentityTest, VersionLetterOnlyFromRecord304ForAProject) {
  using identity_test::PutRaw;
  ASSERT_TRUE(PutRaw(5, 5, 'B'));
  ASSERT_TRUE(PutRaw(304, 5, 'E'));
  EXPECT_EQ(model::GetVersionLetter(0), 'E');
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindConfiguration));
  EXPECT_EQ(model::GetVersionLetter(0), 'B');
  ASSERT_TRUE(PutRaw(302, 0, model::kFileKindReverseDoc));
  EXPECT_EQ(model::GetVersionLetter(0), 'B');
  ASSERT_TRUE(PutRaw(302, 0, 0));
  EXPECT_EQ(model::GetVersionLetter(0), 0);
  EXPECT_EQ(model::GetVersionLetter(9), 0);
}

}  // namespace
