// Checks of the motor data, control mode, startup mode and run mode: 1, 3-5, 14, 26, 27, 38, 58, 66, 75,
// 77, 78, 87, 88.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

TEST_F(CheckTest, UserDefinedMotorData) {
  RunCases({
      {1, 42, 0, {.values = {{42, 29, 0}}}, 0, "family 1, user motor"},
      {1, 42, 26, {.family = 3}, 0, "family 3, user motor"},
      {1, 42, 32, {}, 7, "family 1 only below element 30"},
      {1, 42, 0, {.values = {{42, 29, 3}}}, 7, "table motor"},
      {1, 43, 8, {.values = {{42, 29, 3}}}, 0, "set 2 reads its own B00"},
      {1, 43, 8, {.values = {{43, 29, 3}}}, 7},
      {1, 42, 4, {.family = 2, .values = {{42, 29, 60}}}, 0, "family 2 user motor"},
      {1, 42, 60, {.family = 2, .values = {{42, 29, 60}}}, 0},
      {1, 42, 0, {.family = 2, .values = {{42, 29, 60}}}, 7},
      {1, 42, 2, {.family = 2, .values = {{42, 29, 60}}}, 7},
      {1, 43, 27, {.family = 2, .values = {{43, 29, 60}}}, 7},
      {1, 42, 4, {.family = 2}, 7, "family 2 with B00 = 0"},
      {1, 40, 0, {}, 3},
      {1, 42, 0, {.faults = {{42, 29, 12}}}, 12},
  });
}

TEST_F(CheckTest, ControlModeRows) {
  RunCases({
      // 3: V/f only
      {3, 40, 0, {}, 0},
      {3, 40, 8, {.values = {{40, 6, 1}}}, 7},
      {3, 41, 8, {.values = {{40, 6, 1}}}, 0, "set 2 reads its own B20"},
      {3, 40, 0, {.family = 2}, 7},
      {3, 38, 0, {}, 3},
      {3, 40, 0, {.faults = {{40, 6, 13}}}, 13},
      // 4: sensorless vector, or feedback from 'E'
      {4, 40, 9, {.values = {{40, 6, 1}}}, 0},
      {4, 40, 9, {.letter = 'E', .values = {{40, 6, 2}}}, 0},
      {4, 40, 9, {.letter = 'D', .values = {{40, 6, 2}}}, 7},
      {4, 41, 9, {.values = {{41, 6, 3}}}, 7},
      {4, 40, 9, {.family = 2, .values = {{40, 6, 1}}}, 7},
      {4, 42, 9, {}, 3},
      // 26: not V/f, from 'B'; element 17 from 'E'
      {26, 40, 14, {.family = 2, .values = {{40, 6, 1}}}, 7},
      {26, 40, 14, {.letter = 'A', .values = {{40, 6, 1}}}, 5},
      {26, 40, 14, {.letter = 'B', .values = {{40, 6, 1}}}, 0},
      {26, 40, 17, {.letter = 'D', .values = {{40, 6, 1}}}, 5},
      {26, 41, 17, {.letter = 'E', .values = {{41, 6, 2}}}, 0},
      {26, 40, 14, {.letter = 'E'}, 5, "V/f"},
      {26, 40, 14, {.letter = 'E', .faults = {{40, 6, 12}}}, 12},
      {26, 40, 14, {.letter = 'A', .faults = {{40, 6, 12}}}, 5, "not read below 'B'"},
      // 38: feedback or servo
      {38, 40, 15, {.letter = 'B', .values = {{40, 6, 2}}}, 0},
      {38, 41, 15, {.family = 2, .values = {{41, 6, 3}}}, 0},
      {38, 40, 15, {.values = {{40, 6, 1}}}, 7},
      {38, 40, 15, {.letter = 'A', .values = {{40, 6, 2}}}, 5},
      {38, 40, 15, {.family = 3, .values = {{40, 6, 2}}}, 7},
      {38, 42, 15, {}, 3},
      // 75: sensorless vector from 'E'
      {75, 40, 16, {.values = {{40, 6, 1}}}, 0},
      {75, 40, 16, {.values = {{40, 6, 2}}}, 7},
      {75, 41, 16, {.letter = 'D', .values = {{41, 6, 1}}}, 5},
      {75, 40, 16, {.family = 2, .values = {{40, 6, 1}}}, 7},
      {75, 38, 16, {}, 3},
  });
}

TEST_F(CheckTest, StartupAndSpeedControllerRows) {
  RunCases({
      {5, 38, 14, {.values = {{38, 30, 1}}}, 0},
      {5, 39, 32, {.values = {{38, 30, 1}}}, 7, "set 2 reads its own C20"},
      {5, 39, 32, {.values = {{39, 30, 1}}}, 0},
      {5, 40, 14, {}, 3},
      {5, 38, 14, {.faults = {{38, 30, 13}}}, 13},
      // 14: B20 of the same set's control record
      {14, 38, 48, {.values = {{40, 6, 2}}}, 0},
      {14, 38, 50, {.values = {{40, 6, 1}}}, 7},
      {14, 38, 48, {.family = 2}, 0},
      {14, 38, 52, {.values = {{40, 6, 2}}}, 7, "element 52 family 2 only"},
      {14, 39, 52, {.family = 2}, 0},
      {14, 39, 50, {.values = {{41, 6, 2}}}, 0},
      {14, 39, 50, {.values = {{40, 6, 2}}}, 7},
      {14, 40, 48, {}, 3},
      {14, 38, 52, {.family = 2, .faults = {{40, 6, 12}}}, 12, "B20 read first"},
      // 66: family 2, or check 14 from 'E'
      {66, 38, 61, {.family = 2, .letter = '@'}, 0},
      {66, 38, 61, {.letter = 'D', .values = {{40, 6, 2}}}, 5},
      {66, 38, 61, {.values = {{40, 6, 2}}}, 0},
      {66, 39, 61, {.values = {{40, 6, 2}}}, 7},
      // 88: motor data with feedback
      {88, 42, 14, {.family = 2, .letter = '@'}, 0},
      {88, 42, 14, {.letter = 'D', .values = {{40, 6, 2}}}, 5},
      {88, 42, 16, {.values = {{40, 6, 2}}}, 0},
      {88, 42, 16, {.values = {{40, 6, 1}}}, 7},
      {88, 43, 14, {.values = {{41, 6, 2}}}, 0},
      {88, 43, 14, {.values = {{40, 6, 2}}}, 7},
      {88, 43, 14, {.faults = {{41, 6, 13}}}, 13},
  });
}

TEST_F(CheckTest, RunModeRows) {
  RunCases({
      // 27: the only source of 4
      {27, 38, 6, {.values = {{38, 56, 2}}}, 4},
      {27, 38, 31, {.values = {{38, 56, 3}}}, 4},
      {27, 38, 8, {.values = {{38, 56, 1}}}, 0},
      {27, 39, 10, {.values = {{39, 56, 2}}}, 4, "set 2 reads its own C60"},
      {27, 39, 12, {.values = {{38, 56, 2}}}, 0},
      {27, 38, 6, {.faults = {{38, 56, 12}}}, 12},
      // 77: 'D' hides it, else check 27
      {77, 38, 4, {.letter = 'D'}, 5},
      {77, 38, 4, {.values = {{38, 56, 2}}}, 4},
      {77, 39, 4, {.letter = 'C', .values = {{39, 56, 1}}}, 0},
      // 78: C60 below 2, or (families 1/3) not feedback control
      {78, 38, 33, {.family = 2, .values = {{38, 56, 1}, {40, 6, 2}}}, 0},
      {78, 38, 34, {.family = 2, .values = {{38, 56, 2}}}, 7},
      {78, 38, 38, {.values = {{38, 56, 2}, {40, 6, 2}}}, 7},
      {78, 38, 47, {.values = {{38, 56, 2}, {40, 6, 1}}}, 0},
      {78, 38, 33, {.family = 3, .values = {{38, 56, 1}, {40, 6, 2}}}, 0},
      {78, 39, 34, {.values = {{39, 56, 2}, {41, 6, 2}}}, 7, "set 2: 39 and 41"},
      {78, 39, 34, {.values = {{39, 56, 2}, {40, 6, 2}}}, 0},
      {78, 38, 33, {.family = 2, .values = {{38, 56, 2}}, .faults = {{38, 56, 12}}}, 0, "failed C60 read is 0"},
      {78, 38, 33, {.values = {{40, 6, 2}}, .faults = {{38, 56, 12}}}, 0},
      {78, 38, 33, {.values = {{38, 56, 2}}, .faults = {{40, 6, 13}}}, 13, "B20 read failure passed on"},
  });
}

TEST_F(CheckTest, MotorTypeRows) {
  RunCases({
      // 58: family 2 table motors from 61
      {58, 42, 62, {.family = 2, .values = {{42, 29, 61}}}, 0},
      {58, 43, 62, {.family = 2, .values = {{43, 29, 69}}}, 0},
      {58, 42, 62, {.family = 2, .values = {{42, 29, 60}}}, 7},
      {58, 42, 62, {.values = {{42, 29, 61}}}, 7},
      {58, 42, 62, {.family = 2, .values = {{42, 29, 61}}, .faults = {{42, 29, 12}}}, 7, "failed read: 7"},
      // 87: family 2 user motor
      {87, 42, 10, {}, 0},
      {87, 40, 10, {.family = 3}, 0, "families 1/3 before the record test"},
      {87, 42, 10, {.family = 2, .values = {{42, 29, 60}}}, 0},
      {87, 43, 10, {.family = 2, .values = {{42, 29, 60}}}, 7},
      {87, 42, 10, {.family = 2}, 7},
      {87, 40, 10, {.family = 2}, 3},
      {87, 42, 10, {.family = 2, .faults = {{42, 29, 13}}}, 13},
  });
}

}  // namespace
}  // namespace check_test
