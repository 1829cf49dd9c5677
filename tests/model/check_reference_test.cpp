// Checks of the reference values and ramps: 6, 7, 57, 59, 67.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

TEST_F(CheckTest, ReferenceValueSource) {
  RunCases({
      {6, 53, 0, {.letter = 'B'}, 0},
      {6, 53, 0, {.letter = 'B', .values = {{53, 24, 1}}}, 7},
      {6, 53, 2, {.letter = 'B', .values = {{53, 24, 2}}}, 0},
      {6, 53, 0, {.letter = 'A'}, 0},
      {6, 53, 0, {.letter = 'A', .values = {{53, 24, 2}}}, 7, "before 'B' only source 0"},
      {6, 48, 4, {.values = {{53, 24, 1}}}, 7, "ramps of set 1 follow record 53"},
      {6, 49, 4, {.values = {{54, 24, 1}}}, 7, "ramps of set 2 follow record 54"},
      {6, 49, 4, {.values = {{53, 24, 1}}}, 0},
      {6, 54, 0, {.values = {{54, 24, 1}}}, 7},
      {6, 54, 0, {.values = {{53, 24, 1}}}, 0},
      // family 2, fast reference value on: only element 18
      {6, 53, 18, {.family = 2, .values = {{53, 29, 1}, {53, 24, 1}}}, 0},
      {6, 54, 18, {.family = 2, .values = {{54, 29, 1}}}, 0},
      {6, 53, 0, {.family = 2, .values = {{53, 29, 1}}}, 7},
      {6, 48, 18, {.family = 2, .values = {{53, 29, 1}}}, 7},
      {6, 53, 18, {.values = {{53, 29, 1}, {53, 24, 1}}}, 7, "D99 only in family 2"},
      // family 2 at 'D'
      {6, 53, 16, {.family = 2, .letter = 'D'}, 7},
      {6, 54, 20, {.family = 2, .letter = 'D'}, 7},
      {6, 53, 25, {.family = 2, .letter = 'D'}, 7},
      {6, 54, 28, {.family = 2, .letter = 'D'}, 7},
      {6, 53, 0, {.family = 2, .letter = 'D'}, 0},
      {6, 48, 16, {.family = 2, .letter = 'D'}, 0},
      {6, 53, 16, {.family = 2, .letter = 'E'}, 0},
      {6, 53, 16, {.family = 1, .letter = 'D'}, 0},
      // read failures
      {6, 53, 0, {.faults = {{53, 24, 12}}}, 12},
      {6, 53, 0, {.family = 2, .faults = {{53, 29, 13}}}, 13},
      {6, 53, 0, {.faults = {{53, 29, 13}}}, 0, "D99 not read in family 1"},
  });
}

TEST_F(CheckTest, ReferenceRowsOfFastReferenceAndGenerator) {
  RunCases({
      // 7
      {7, 53, 26, {.values = {{53, 24, 1}}}, 0},
      {7, 53, 26, {}, 7},
      {7, 54, 26, {.values = {{53, 24, 1}}}, 7},
      {7, 53, 26, {.family = 2, .values = {{53, 24, 1}, {53, 29, 1}}}, 7},
      {7, 53, 26, {.family = 2, .values = {{53, 24, 1}}}, 0},
      {7, 48, 26, {.values = {{53, 24, 1}}}, 3},
      {7, 53, 26, {.faults = {{53, 24, 12}}}, 12},
      // 57
      {57, 53, 24, {.values = {{53, 29, 1}}}, 0},
      {57, 54, 24, {.family = 2, .values = {{54, 29, 1}}}, 7},
      {57, 54, 24, {.family = 2, .values = {{53, 29, 1}}}, 0},
      {57, 48, 24, {}, 3},
      {57, 53, 24, {.family = 2, .faults = {{53, 29, 13}}}, 13},
      {57, 53, 24, {.faults = {{53, 29, 13}}}, 0},
      // 59
      {59, 53, 32, {.family = 2, .values = {{52, 88, 1}}}, 0},
      {59, 54, 32, {.family = 2}, 7},
      {59, 53, 32, {.family = 2, .values = {{52, 88, 1}}, .faults = {{52, 88, 12}}}, 7, "failed read: 7"},
      {59, 53, 32, {.family = 1}, 0},
      {59, 53, 32, {.family = 3, .letter = 'D'}, 5},
      // 67
      {67, 53, 34, {.values = {{53, 24, 1}}}, 7},
      {67, 53, 34, {}, 0},
      {67, 53, 34, {.letter = 'D'}, 7},
      {67, 54, 34, {.family = 3, .letter = 'E'}, 0},
      {67, 53, 34, {.family = 2, .letter = 'A', .values = {{53, 29, 1}}}, 7},
      {67, 53, 34, {.family = 2, .letter = 'A'}, 0},
      {67, 54, 34, {.family = 2, .values = {{53, 29, 1}}}, 0, "reads its own record"},
      {67, 53, 34, {.faults = {{53, 24, 12}}}, 7, "failed read: 7"},
      {67, 53, 34, {.faults = {{53, 29, 12}}}, 7, "failed read: 7"},
  });
}

}  // namespace
}  // namespace check_test
