// Actions 2, 3, 9, 12 and 15 on fresh data sets (family 1, device type 55, firmware 'E').
#include <array>
#include <cstring>

#include "model/device_identity.h"
#include "model/motor_rows.h"
#include "tests/model/action_test_support.h"

namespace model {
namespace {

using testing::ActionTest;
using testing::HookCall;
using testing::HookCalls;

MotorImage Record(std::uint16_t record) {
  MotorImage image{};
  EXPECT_EQ(ReadRecord(record, image.data(), kModeRaw, 0), 0);
  return image;
}

using BrakeActionTest = ActionTest;

TEST_F(BrakeActionTest, ResistorTypeLoadsItsRow) {
  struct Case {
    const char* what;
    std::int64_t device_type;
    std::int64_t a20;
    std::int64_t a20_after, a21, a22, a23;
  };
  const Case cases[] = {
      {"user defined: the device's default row 5", 55, 1, 1, 2000, 10, 4000},
      {"user defined family 2", 55, 21, 21, 2000, 10, 4000},
      {"internal", 55, 20, 20, 330, 20, 4000},
      {"internal of the small family-2 types", 90, 20, 20, 660, 8, 4000},
      {"a table row", 55, 7, 7, 680, 30, 4000},
      {"the given row 22", 55, 22, 22, 800, 30, 4000},
      {"beyond the table counts as none", 55, 40, 0, 6000, 0, 0},
      {"type beyond the table uses type 55", 200, 1, 1, 2000, 10, 4000},
  };
  for (const Case& c : cases) {
    Put(304, 1, static_cast<double>(c.device_type));
    Put(55, 16, static_cast<double>(c.a20));
    EXPECT_EQ(OnBrakeResistorChanged(55, 16, 0), 0) << c.what;
    EXPECT_EQ(Get(55, 16), c.a20_after) << c.what;
    EXPECT_EQ(Get(55, 10), c.a21) << c.what;
    EXPECT_EQ(Get(55, 12), c.a22) << c.what;
    EXPECT_EQ(Get(55, 14), c.a23) << c.what;
  }
  EXPECT_EQ(OnBrakeResistorChanged(54, 16, 0), 3);
}

TEST(BrakeResistorTableTest, EveryDeviceDefaultRowLiesWithinTheDeviceLimits) {
  EXPECT_EQ(BrakeResistorRowOf(2).resistance, 3000);
  EXPECT_EQ(BrakeResistorRowOf(2).rating, 15);
  EXPECT_EQ(BrakeResistorRowOf(20).resistance, 800);
  EXPECT_EQ(BrakeResistorRowOf(20).rating, 0);
  EXPECT_EQ(BrakeResistorRowOf(22).rating, 30);
  for (std::uint8_t i = 0; i < kBrakeResistorRows; ++i) EXPECT_EQ(BrakeResistorRowOf(i).code, i);
  for (std::size_t type = 0; type < 90; ++type) {  // family 2's given rows 20/22 are below its types' minimum
    const InverterTypeRow& row = InverterTypeTable()[type];
    ASSERT_LT(row.device_byte1, kBrakeResistorRows) << type;
    const BrakeResistorRow& brake = BrakeResistorRowOf(row.device_byte1);
    EXPECT_GE(brake.resistance, DeviceValue(row, 2)) << type;
    EXPECT_LE(brake.rating, DeviceValue(row, 3)) << type;
  }
}

using DeviceIdentTest = ActionTest;

TEST_F(DeviceIdentTest, ChainedVersionActionSeesTheReplacedLetter) {
  InstallHook(0);
  ASSERT_EQ(Change(304, 1, 40, &OnDeviceIdentChanged), 0);
  // The type change asks with (old type, new type); the letter change from 'E' to 'A' asks with the old letter,
  // not with the old device type.
  const std::vector<HookCall> expected = {{55, 40, 1}, {'E', 0, 1}};
  EXPECT_EQ(HookCalls(), expected);
  EXPECT_EQ(Get(304, 5), 'A');
  // Type 40's default motor 11, reloaded from the first half for 'A'.
  MotorImage row{};
  std::memcpy(row.data(), BuiltInMotorRow(11), row.size());
  EXPECT_EQ(Record(42), row);
  EXPECT_EQ(Record(43), row);
}

TEST_F(DeviceIdentTest, UserEntryRunsTheActionWithTheStoredOldType) {
  testing::InstallDescriptors({{304, 1}});
  InstallHook(0);
  const double entered = 40.0;
  ASSERT_EQ(WriteElement(304, 1, &entered, kModeWriteUnchecked, 0), 0);
  const std::vector<HookCall> expected = {{55, 40, 1}, {'E', 0, 1}};
  EXPECT_EQ(HookCalls(), expected);
  EXPECT_EQ(Get(304, 5), 'A');
}

TEST_F(DeviceIdentTest, MotorsKeptWhenTheHookSaysKeep) {
  InstallHook(1);
  const MotorImage before = Record(42);
  ASSERT_EQ(Change(304, 1, 61, &OnDeviceIdentChanged), 0);
  EXPECT_EQ(Record(42), before);
  EXPECT_EQ(Get(304, 5), 'E');
}

TEST_F(DeviceIdentTest, LowVoltageLimitByMainsAndLetter) {
  struct Case {
    std::uint8_t type;
    std::uint8_t letter;
    std::int64_t a35, a36;
  };
  const Case cases[] = {
      {55, 'E', 3500, 5657}, {55, 'D', 2200, 5657}, {55, 'C', 2200, 5657}, {55, 'B', 2500, 5657},
      {51, 'E', 1200, 3253}, {51, 'D', 1200, 3253}, {51, 'B', 1500, 3253},
  };
  for (const Case& c : cases) {
    Put(304, 1, c.type);
    Put(304, 5, c.letter);
    SetPreviousElementValue(&c.type, 1);  // no change of type: only the limits
    ASSERT_EQ(OnDeviceIdentChanged(304, 1, 0), 0);
    EXPECT_EQ(Get(55, 0), c.a35) << int(c.type) << " " << c.letter;
    EXPECT_EQ(Get(55, 2), c.a36) << int(c.type) << " " << c.letter;
  }
  EXPECT_EQ(OnDeviceIdentChanged(5, 1, 0), 3);
}

TEST_F(DeviceIdentTest, InternalResistorFollowsTheFamily2TypeSize) {
  Put(304, 0, 2);
  Put(304, 1, 90);
  Put(55, 16, 20);
  Put(55, 10, 660);
  ASSERT_EQ(Change(304, 1, 92, &OnDeviceIdentChanged), 0);
  EXPECT_EQ(Get(55, 10), 330);
  EXPECT_EQ(Get(55, 12), 20);
}

using VersionActionTest = ActionTest;

TEST_F(VersionActionTest, CToEWithHookNoKeepsMotorsAndStampsTheLayout) {
  InstallHook(1);
  Put(304, 5, 'C');
  Put(4, 0, 'P');
  Put(40, 9, 3);
  const MotorImage before = Record(42);
  ASSERT_EQ(Change(304, 5, 'E', &OnVersionChanged), 0);
  const std::vector<HookCall> expected = {{'C', 0, 1}};
  EXPECT_EQ(HookCalls(), expected);
  EXPECT_EQ(Record(42), before);
  EXPECT_EQ(Get(4, 0), 'Q');
  EXPECT_EQ(Get(40, 9), 3);  // clamps apply below 'E' only
  EXPECT_EQ(Get(512, 86), 2);  // from 'C' to 'D' and later
}

TEST_F(VersionActionTest, EToDClampsWhatOlderFirmwareDoesNotKnow) {
  Put(40, 9, 3);
  Put(41, 9, 3);
  Put(304, 3, 5);
  Put(55, 9, 3);
  Put(40, 14, 4);
  Put(55, 16, 19);
  Put(40, 15, 5);
  Put(55, 4, 2);
  Put(4, 0, 'P');
  const MotorImage before = Record(42);
  ASSERT_EQ(Change(304, 5, 'D', &OnVersionChanged), 0);
  EXPECT_EQ(Get(40, 9), 1);
  EXPECT_EQ(Get(41, 9), 1);
  EXPECT_EQ(Get(304, 3), 0);
  EXPECT_EQ(Get(55, 9), 1);
  EXPECT_EQ(Get(40, 14), 1);
  EXPECT_EQ(Get(55, 16), 20);
  EXPECT_EQ(Get(40, 15), 2);
  EXPECT_EQ(Get(55, 4), 1);
  EXPECT_EQ(Record(42), before);  // 'D' and 'E' share the motors
  EXPECT_EQ(Get(4, 0), 'P');
}

TEST_F(VersionActionTest, EToAReloadsMotorsAndDropsBoardAndLateTypes) {
  Put(42, 29, 7);
  Put(304, 3, 2);
  Put(304, 1, 63);
  Put(512, 86, 2);
  ASSERT_EQ(Change(304, 5, 'A', &OnVersionChanged), 0);
  MotorImage row{};
  std::memcpy(row.data(), BuiltInMotorRow(7), row.size());
  EXPECT_EQ(Record(42), row);
  EXPECT_EQ(Get(304, 3), 0);
  EXPECT_EQ(Get(304, 1), 62);
  EXPECT_EQ(Get(512, 86), 0);
  EXPECT_EQ(Get(34, 62), 10);
  EXPECT_EQ(Get(35, 62), 10);
}

using OptionBoardActionTest = ActionTest;

TEST_F(OptionBoardActionTest, Family1BoardRemovedResetsItsTerminals) {
  Put(34, 44, 5);
  Put(35, 48, 5);
  Put(59, 21, 5);
  Put(34, 37, 0);
  Put(59, 29, 0);
  Put(60, 31, 0);
  Put(304, 3, 4);
  ASSERT_EQ(Change(304, 3, 0, &OnOptionBoardChanged), 0);
  EXPECT_EQ(Get(34, 44), 0);
  EXPECT_EQ(Get(35, 48), 0);
  EXPECT_EQ(Get(59, 21), 0);
  EXPECT_EQ(Get(34, 37), 1);
  EXPECT_EQ(Get(59, 29), 1);
  EXPECT_EQ(Get(60, 31), 1);
}

TEST_F(OptionBoardActionTest, Family2LeavingTheEncoderBoard) {
  Put(304, 0, 2);
  Put(304, 3, 13);
  Put(34, 23, 4);
  Put(60, 33, 0);
  ASSERT_EQ(Change(304, 3, 10, &OnOptionBoardChanged), 0);
  EXPECT_EQ(Get(34, 23), 0);
  EXPECT_EQ(Get(60, 33), 1);
  EXPECT_EQ(Change(304, 3, 12, &OnOptionBoardChanged), 0);  // 10 -> 12: nothing to reset
  EXPECT_EQ(Get(34, 23), 0);
}

using E59ActionTest = ActionTest;

TEST_F(E59ActionTest, OnlyFamily3SetsTheRunMode) {
  Put(38, 56, 4);
  Put(304, 9, 1);
  ASSERT_EQ(OnE59Changed(304, 9, 0), 0);
  EXPECT_EQ(Get(38, 56), 4);
  Put(304, 0, 3);
  ASSERT_EQ(OnE59Changed(304, 9, 0), 0);
  EXPECT_EQ(Get(38, 56), 1);
  EXPECT_EQ(Get(39, 56), 1);
  EXPECT_EQ(OnE59Changed(33, 9, 0), 3);
}

}  // namespace
}  // namespace model
