// The built-in device, motor and braking-resistor data agree with the range rows: a fresh data set whose
// project target is switched by user entries to any family, device type and firmware letter, with the
// after-write actions run (no confirm hook), passes the range check of every number element.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/confirm_hook.h"
#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/record_layout.h"
#include "tests/model/model_test_support.h"
#include "tests/model/range_walk.h"

namespace model {
namespace {

class TargetDataConsistencyTest : public testing::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    ClearConfirmHook();
    testing::InstallDescriptors({{304, 0}, {304, 1}});
  }
};

struct Target {
  std::uint8_t family;
  std::vector<std::uint8_t> types;
};

// Per family: the default type, 230 V types where the family has them, small, middle and the highest types.
const Target kTargets[] = {
    {1, {55, 39, 43, 51, 52, 53, 57, 63, 64}},
    {2, {90, 91, 92, 94, 96, 97}},
    {3, {74, 70, 71, 72, 73, 77}},
};
const std::uint8_t kLetters[] = {'@', 'C', 'E', 'Q'};

std::uint8_t EnterIdentity(std::uint16_t element, double value, std::uint8_t set) {
  return WriteElement(304, element, &value, kModeConverted, set);
}

// The project target as the target page sets it: family and device type entered by the user, the firmware
// letter with its own action (no type offers 'Q', so the letter bypasses its range row), then the device
// type committed again, as the page's OK commits every control.
std::string SwitchTarget(std::uint8_t family, std::uint8_t type, std::uint8_t letter, std::uint8_t set) {
  if (EnterIdentity(0, family, set) != 0) return "family refused";
  if (EnterIdentity(1, type, set) != 0) return "type refused";
  if (WriteAndChain(304, 5, set, letter, &OnVersionChanged) != 0) return "letter refused";
  // Firmware before 'B' knows no types beyond 62; entering the type again brings its own letter back.
  if (EnterIdentity(1, type, set) != 0) return "type refused after the letter";
  return "";
}

// The firmware letter is the case's input, judged apart: a case counts when the target type is offered with
// its letter ('Q', a later firmware, where the type is offered with 'E').
// Record 348, the motor-database buffer, holds the motor of the data set's first device type: InitDataSet
// fills it, a later change of the target does not.
bool IsLetterOrBuffer(std::uint16_t record, std::uint16_t element) {
  return (record == 304 && element == 5) || record == 348;
}

bool IsOffered(std::uint8_t letter, std::uint8_t set) {
  const LayoutEntry& row = RecordLayoutTable()[FindLayoutEntry(304, 5)];
  std::uint8_t value[8] = {letter == 'Q' ? std::uint8_t{'E'} : letter};
  return RangeTable()[row.a](value, RangePairTable()[row.b], row.type, set, 0) == 0;
}

TEST_F(TargetDataConsistencyTest, EveryTargetPassesEveryRangeRow) {
  std::string failures;
  int tested = 0;
  for (const Target& target : kTargets) {
    for (const std::uint8_t type : target.types) {
      for (const std::uint8_t letter : kLetters) {
        for (const std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
          ASSERT_EQ(InitDataSet(set), 0);
          const std::string where = "family " + std::to_string(target.family) + " type " + std::to_string(type) +
                                    " letter " + static_cast<char>(letter) + " set " + std::to_string(set);
          ASSERT_EQ(SwitchTarget(target.family, type, letter, set), "") << where;
          std::int64_t final_letter = 0;
          ASSERT_EQ(ReadInt(304, 5, set, &final_letter), 0);
          if (final_letter != letter || !IsOffered(letter, set)) continue;
          ++tested;
          EXPECT_EQ(GetDeviceFamily(set), target.family) << where;
          const std::string failed = testing::RangeFailures(set, &IsLetterOrBuffer);
          if (!failed.empty()) failures += where + ": " + failed + "\n";
        }
      }
    }
  }
  EXPECT_EQ(failures, "");
  EXPECT_GE(tested, 60) << "every family with more than one letter";
}

}  // namespace
}  // namespace model
