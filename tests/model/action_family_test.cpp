// Action 10 (device family) and the speed rescaling between the families' units.
#include "tests/model/action_test_support.h"

namespace model {
namespace {

using testing::ActionTest;
using testing::HookCall;
using testing::HookCalls;

class FamilyActionTest : public ActionTest {
 protected:
  // Change list 0 as if the user's entries were logged: `entries` times some other element, then P04.
  static void LogChanges(int other_entries) {
    const std::uint32_t other = 55u | (16u << 16);
    for (int i = 0; i < other_entries; ++i) ASSERT_EQ(ChangeListPush(0, 0, &other), 0);
    const std::uint32_t family = 304;
    ASSERT_EQ(ChangeListPush(0, 0, &family), 0);
  }
};

TEST_F(FamilyActionTest, SameFamilyChangesNothing) {
  Put(15, 2, 7);
  ASSERT_EQ(Change(304, 0, 1, &OnDeviceFamilyChanged), 0);
  EXPECT_EQ(Get(304, 1), 55);
  EXPECT_EQ(Get(15, 2), 7);
  EXPECT_EQ(OnDeviceFamilyChanged(5, 0, 0), 3);
}

TEST_F(FamilyActionTest, Family2AsTheFirstChange) {
  InstallHook(0);
  Put(15, 2, 7);
  LogChanges(0);
  ASSERT_EQ(Change(304, 0, 2, &OnDeviceFamilyChanged), 0);
  EXPECT_EQ(Get(304, 1), 90);
  // Action 3 sees the replaced device type, not the old family code.
  ASSERT_FALSE(HookCalls().empty());
  EXPECT_EQ(HookCalls().front(), (HookCall{55, 90, 1}));
  EXPECT_EQ(Get(304, 3), 10);
  EXPECT_EQ(Get(55, 16), 20);
  EXPECT_EQ(Get(55, 10), 660);  // the internal resistor of type 90
  EXPECT_EQ(Get(55, 0), 3500);
  EXPECT_EQ(Get(55, 2), 5657);
  EXPECT_EQ(Get(40, 6), 3);
  EXPECT_EQ(Get(41, 11), 80);
  EXPECT_EQ(Get(512, 86), 2);
  EXPECT_EQ(Get(56, 2), 1);
  EXPECT_EQ(Get(60, 5), 2);
  // First-change defaults.
  EXPECT_EQ(Get(38, 16), 3);
  EXPECT_EQ(Get(49, 0), 0);
  EXPECT_EQ(Get(48, 2), 0);
  EXPECT_EQ(Get(34, 21), 9);
  EXPECT_EQ(Get(35, 25), 4);
  EXPECT_EQ(Get(15, 2), 0);  // of the data set it was given
  EXPECT_EQ(ChangeListCount(0, 0), 1);  // the entry was put back
}

TEST_F(FamilyActionTest, Family2AsALaterChangeKeepsTheUserValues) {
  LogChanges(1);
  ASSERT_EQ(Change(304, 0, 2, &OnDeviceFamilyChanged), 0);
  EXPECT_EQ(Get(38, 16), 73);  // 200 in the units of family 2
  EXPECT_EQ(Get(48, 0), 100);
  EXPECT_EQ(Get(34, 21), 3);
}

TEST_F(FamilyActionTest, BackFromFamily2) {
  ASSERT_EQ(Change(304, 0, 2, &OnDeviceFamilyChanged), 0);
  Put(514, 20, 12);
  Put(514, 42, 8);
  Put(34, 66, -32768);
  Put(35, 66, -5);
  Put(38, 56, 5);
  Put(15, 2, 7, 1);
  ASSERT_EQ(Change(304, 0, 1, &OnDeviceFamilyChanged), 0);
  EXPECT_EQ(Get(304, 1), 55);
  EXPECT_EQ(Get(55, 2), 5657);  // type 55 is a 400 V type: its mains voltage stays 400 V
  EXPECT_EQ(Get(304, 3), 0);
  EXPECT_EQ(Get(55, 16), 0);
  EXPECT_EQ(Get(514, 20), 0);
  EXPECT_EQ(Get(514, 42), 8);
  EXPECT_EQ(Get(34, 66), 32767);  // -32768 made positive saturates
  EXPECT_EQ(Get(35, 66), 5);
  EXPECT_EQ(Get(38, 56), 1);
  EXPECT_EQ(Get(512, 67), 1);
  EXPECT_EQ(Get(48, 0), 30);
  EXPECT_EQ(Get(49, 2), 30);
  EXPECT_EQ(Get(34, 63), 2);
  EXPECT_EQ(Get(15, 2, 1), 7);  // the other data set is untouched
}

TEST_F(FamilyActionTest, Family3ClearsTheTechnologyFunctions) {
  Put(46, 8, 1);
  Put(47, 23, 1);
  Put(34, 44, 3);
  ASSERT_EQ(Change(304, 0, 3, &OnDeviceFamilyChanged), 0);
  EXPECT_EQ(Get(304, 1), 74);
  EXPECT_EQ(Get(304, 3), 20);
  EXPECT_EQ(Get(46, 8), 0);
  EXPECT_EQ(Get(47, 23), 0);
  EXPECT_EQ(Get(34, 44), 0);
  EXPECT_EQ(Get(512, 86), 0);
  EXPECT_EQ(Get(55, 0), 3500);
  EXPECT_EQ(Get(55, 2), 5657);  // type 74 is a 400 V type
}

TEST_F(FamilyActionTest, RescaleConvertsSpeedsBothWaysAndSaturates) {
  // Row 45 holds 2 pole pairs: stored x 7.32421875 / 2 / 10 and back x 2 x 10 x 4096 / 30000.
  Put(38, 2, 12000);
  Put(39, 2, -12000);
  Put(53, 30, 1000);
  RescaleForFamily(1, 2, 0);
  EXPECT_EQ(Get(38, 2), 4395);
  EXPECT_EQ(Get(39, 2), -4395);
  EXPECT_EQ(Get(53, 30), 366);
  RescaleForFamily(2, 1, 0);
  EXPECT_EQ(Get(38, 2), 12001);
  EXPECT_EQ(Get(53, 30), 999);
  Put(46, 32, 30000);
  RescaleForFamily(2, 1, 0);
  EXPECT_EQ(Get(46, 32), 32767);
  RescaleForFamily(1, 1, 0);
  EXPECT_EQ(Get(46, 32), 32767);
}

}  // namespace
}  // namespace model
