// MoveValuesToNewLayout: synthetic data sets of a layout below 64 (parameter sets in records 254 and 251)
// imported into the current layout, old values that would divide by zero, and the comments.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "model/motor_rows.h"
#include "upgrade_fixture.h"

namespace model::upgrade_test {
namespace {

void PutText(std::uint16_t record, std::uint16_t element, const std::string& text) {
  std::array<char, 1024> buffer{};
  std::memcpy(buffer.data(), text.data(), text.size());
  ASSERT_EQ(WriteElement(record, element, buffer.data(), kModeRaw, 0), 0);
}

std::string Text(std::uint16_t record, std::uint16_t element) {
  std::array<char, 1024> buffer{};
  EXPECT_EQ(ReadElement(record, element, buffer.data(), kModeRaw, 0), 0);
  return buffer.data();
}

class ImportTest : public UpgradeTest {
 protected:
  // An old parameter set: ramps, speeds, the current scale and the selections the moves map.
  static void PutOldSet(std::uint16_t old, double offset) {
    for (std::uint16_t i = 0; i < 9; ++i) Put(old, static_cast<std::uint16_t>(32 + 2 * i), 100 + i + offset);
    Put(old, 0, 4096);          // motor voltage 400 V
    Put(old, 10, 3000 + offset);  // speeds
    Put(old, 12, 10);
    Put(old, 14, 1450);         // n-nominal
    Put(old, 54, 7);            // speed factor
    Put(old, 56, 50);
    Put(old, 61, 150);
    Put(old, 62, 200);
    Put(old, 63, 100);
    Put(old, 65, 2);            // pole pairs: the built-in motor is taken
    Put(old, 84, 1);
    Put(old, 87, 2);
    Put(old, 88, 2);
    Put(old, 89, 1);
    Put(old, 90, 3);
    Put(old, 91, 0);
    Put(old, 99, 1);
    Put(old, 50, 20);
    Put(old, 52, -30);
    Put(old, 74, 5);
  }
  void SetUp() override {
    UpgradeTest::SetUp();
    StampLetter('3');
    Put(302, 0, kFileKindProject);
    PutOldSet(254, 0);
    PutOldSet(251, 1);
    Put(254, 92, 1);  // A30
    Put(254, 93, 1);  // A31
    Put(254, 86, 3);  // A33 selection
    Put(15, 0, 4711);
    PutText(15, 21, "OLD.ZPR");
    PutText(317, 0, "date of old");
    PutText(317, 81, "old user");
    PutText(317, 162, "old system");
    PutText(317, 243, "line 4");
    PutText(317, 324, "line 5");
    PutText(317, 405, "line 6");
    PutText(317, 486, "line 7");
    PutText(317, 567, "start input");
  }
};

TEST_F(ImportTest, ParameterSetsMoveIntoTheirRecords) {
  ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Letter(), 'Q');
  for (std::uint16_t s = 0; s < 2; ++s) {
    SCOPED_TRACE(s);
    const auto r = [s](std::uint16_t record) { return static_cast<std::uint16_t>(record + s); };
    EXPECT_EQ(Get(r(48), 0), 100 + s);
    EXPECT_EQ(Get(r(48), 14), 107 + s);
    EXPECT_EQ(Get(r(48), 32), 108 + s);
    EXPECT_EQ(Get(r(48), 34), 1);
    EXPECT_EQ(Get(r(38), 2), 3000 + s);
    EXPECT_EQ(Get(r(38), 34), 7000);
    EXPECT_EQ(Get(r(38), 24), 100 * 8192 / 200);
    EXPECT_EQ(Get(r(38), 30), 1);
    EXPECT_EQ(Get(r(38), 31), 1);  // byte 91: 0 -> 1
    EXPECT_EQ(Get(r(40), 4), 150 * 8192 / 200);
    EXPECT_EQ(Get(r(40), 2), 150 * 8192 / 200 - 2);
    EXPECT_EQ(Get(r(40), 6), 1);   // B20
    EXPECT_EQ(Get(r(53), 20), -60);
    EXPECT_EQ(Get(r(53), 22), 40);
    EXPECT_EQ(Get(r(53), 14), 10);
    EXPECT_EQ(Get(r(34), 19), 14);
    EXPECT_EQ(Get(r(34), 20), 14);
    EXPECT_EQ(Get(r(34), 21), 1);
    EXPECT_EQ(Get(r(34), 22), 2);
    EXPECT_EQ(Get(r(34), 25), 2);   // byte 89: 1 -> 2
    EXPECT_EQ(Get(r(34), 23), 0);   // byte 88: 2 -> 0
    EXPECT_EQ(Get(r(34), 26), 5);   // byte 90: 3 -> 5
    EXPECT_EQ(Get(r(34), 4), static_cast<std::int64_t>(std::trunc(50 * 8192 * 0.01)));
    EXPECT_EQ(Get(r(34), 0), 0);    // bytes 87 and 88 both 2
    const double current = 200.0 * GetDeviceNominalCurrent(0) * 2.0 / 255.0;
    EXPECT_EQ(Get(r(42), 29), FindMotorRow(static_cast<std::uint8_t>(Get(304, 1)), static_cast<float>(current)));
  }
  EXPECT_EQ(Get(55, 6), 1);
  EXPECT_EQ(Get(55, 7), 1);
  EXPECT_EQ(Get(55, 8), 1);
  EXPECT_EQ(Get(15, 0), 4711);
  EXPECT_EQ(Text(15, 21), "OLD.ZPR");
  EXPECT_EQ(Get(302, 0), kFileKindProject);
}

TEST_F(ImportTest, CommentsMoveAndTheTerminalTextsMerge) {
  ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Text(15, 38), "date of old");
  EXPECT_EQ(Text(15, 4), "old user");
  EXPECT_EQ(Text(317, 324), "old system");
  EXPECT_EQ(Text(317, 1539), "line 4\r\nline 5\r\nline 6\r\nline 7");
  for (const std::uint16_t line : {0, 81, 162, 243, 405, 486}) EXPECT_EQ(Text(317, line), "") << line;
  EXPECT_EQ(Text(317, 5421), "K13 BE1: start input\r\n");
}

TEST_F(ImportTest, UserDefinedMotorFromTheOldNominalData) {
  Put(254, 65, 3);     // three pole pairs: no built-in motor
  Put(251, 65, 1);
  Put(251, 0, 0);      // no old motor voltage: counts as low against the mains
  ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  const double current = 200.0 * GetDeviceNominalCurrent(0) * 2.0 / 255.0;
  EXPECT_EQ(Get(40, 6), 0);
  EXPECT_EQ(Get(42, 29), 0);
  EXPECT_EQ(Get(42, 26), 3);
  EXPECT_EQ(Get(42, 4), static_cast<std::int64_t>(current * 100.0));
  EXPECT_EQ(Get(42, 8), 1450);
  EXPECT_EQ(Get(42, 0), 4096);
  EXPECT_EQ(Get(42, 27), 70);
  // 400 V mains / 400 V motor = 1: the lower class.
  EXPECT_EQ(Get(42, 2), 3253);
  EXPECT_EQ(Get(42, 6), FindMotorRowByCode(6, static_cast<float>(current), 3253));
  EXPECT_EQ(Get(43, 26), 1);
  EXPECT_EQ(Get(43, 2), 5657);
}

TEST_F(ImportTest, ZeroCurrentScaleLeavesItsTargetsAtTheDefaults) {
  Put(254, 62, 0);
  Put(251, 62, 0);
  const std::int64_t c44 = Get(38, 24, 1);  // data set 1 holds the defaults
  const std::int64_t c03 = Get(40, 2, 1);
  const std::int64_t c04 = Get(40, 4, 1);
  ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(38, 24), c44);
  EXPECT_EQ(Get(39, 24), c44);
  EXPECT_EQ(Get(40, 2), c03);
  EXPECT_EQ(Get(40, 4), c04);
}

TEST_F(ImportTest, SwitchingFrequencyAndReferenceSourceRules) {
  Put(254, 97, 1);
  Put(254, 87, 3);
  ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  double infi = 0.0;  // INFI/INM as the re-initialised data set derives it
  ASSERT_EQ(ReadElement(320, 18, &infi, kModeRaw, 0), 0);
  EXPECT_EQ(Get(40, 11), infi >= 2.0 ? 80 : Get(40, 11, 1));
  EXPECT_EQ(Get(41, 11), Get(41, 11, 1));
  EXPECT_EQ(Get(53, 24), 1);
  EXPECT_EQ(Get(54, 24), Get(54, 24, 1));
}

}  // namespace
}  // namespace model::upgrade_test
