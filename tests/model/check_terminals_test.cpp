// Checks of the control terminals and the option board: 8-12, 29-31, 43, 44, 54-56, 60, 62, 68, 70-74,
// 79-83, 94.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

TEST_F(CheckTest, RelayAndBrakeRows) {
  RunCases({
      // 8: relay 2 drives the brake; not with feedback control from 'B'
      {8, 34, 10, {.letter = 'A', .values = {{34, 26, 1}, {40, 6, 2}}}, 0},
      {8, 34, 10, {.letter = 'B', .values = {{34, 26, 1}, {40, 6, 2}}}, 7},
      {8, 34, 12, {.letter = 'B', .values = {{34, 26, 1}, {40, 6, 1}}}, 0},
      {8, 34, 10, {.values = {{34, 26, 2}}}, 7},
      {8, 35, 12, {.values = {{35, 26, 1}, {41, 6, 2}}}, 7, "set 2: 35 and 41"},
      {8, 35, 12, {.values = {{35, 26, 1}, {40, 6, 2}}}, 0},
      {8, 36, 10, {.values = {{34, 26, 1}}}, 3},
      {8, 34, 10, {.faults = {{34, 26, 12}}}, 12},
      {8, 34, 10, {.values = {{34, 26, 1}}, .faults = {{40, 6, 13}}}, 13},
      // 9
      {9, 34, 14, {}, 7},
      {9, 34, 16, {.values = {{34, 26, 2}}}, 0},
      {9, 35, 28, {.family = 3, .values = {{35, 26, 1}}}, 0},
      {9, 34, 14, {.family = 2, .values = {{34, 26, 1}}}, 7},
      {9, 34, 14, {.family = 2}, 0},
      {9, 40, 14, {}, 3},
      // 29: brake control
      {29, 34, 40, {.letter = 'A', .values = {{34, 26, 1}, {40, 6, 2}}}, 7},
      {29, 34, 40, {.letter = 'B', .values = {{34, 26, 1}, {40, 6, 2}}}, 0},
      {29, 34, 42, {.values = {{34, 26, 1}, {40, 6, 1}}}, 7},
      {29, 34, 42, {.values = {{34, 26, 0}, {40, 6, 2}}}, 7},
      {29, 35, 42, {.family = 3, .values = {{35, 26, 1}, {41, 6, 2}}}, 0},
      {29, 35, 42, {.values = {{34, 26, 1}, {40, 6, 2}}}, 7},
      {29, 34, 40, {.family = 2, .letter = '@', .values = {{59, 20, 1}}}, 0, "family 2: F08"},
      {29, 34, 40, {.family = 2}, 7},
      {29, 35, 40, {.family = 2, .values = {{60, 20, 1}}}, 0},
      {29, 35, 40, {.family = 2, .values = {{59, 20, 1}}}, 7},
      {29, 59, 40, {.family = 2, .values = {{59, 20, 1}}}, 3},
      {29, 34, 40, {.family = 2, .faults = {{59, 20, 13}}}, 13},
  });
}

TEST_F(CheckTest, AnalogAndBinaryFunctionRows) {
  RunCases({
      // 10, 30: analog input 2
      {10, 34, 6, {.values = {{34, 24, 1}}}, 0},
      {10, 34, 8, {}, 7},
      {10, 35, 6, {.family = 2, .values = {{35, 24, 3}}}, 0},
      {10, 40, 6, {.family = 3}, 7, "family 3 before the record test"},
      {10, 40, 6, {}, 3},
      {10, 34, 6, {.faults = {{34, 24, 12}}}, 12},
      {30, 34, 38, {.values = {{34, 24, 1}}}, 0},
      {30, 34, 56, {.letter = 'A', .values = {{34, 24, 1}}}, 7},
      {30, 34, 38, {.family = 3, .values = {{34, 24, 1}}}, 7},
      {30, 35, 56, {.values = {{34, 24, 1}}}, 7},
      {30, 40, 38, {}, 3},
      // 11, 79: analog output 1
      {11, 34, 2, {.values = {{34, 25, 3}}}, 0},
      {11, 35, 4, {.values = {{34, 25, 3}}}, 7},
      {11, 59, 2, {.values = {{34, 25, 3}}}, 3},
      {79, 34, 69, {.values = {{34, 25, 1}}}, 0},
      {79, 34, 69, {}, 7},
      {79, 34, 69, {.letter = 'D', .values = {{34, 25, 1}}}, 5},
      {79, 34, 69, {.family = 3, .values = {{34, 25, 1}}}, 7},
      {79, 36, 69, {}, 3, "record test of check 11"},
      // 12: binary input 5 as frequency input
      {12, 34, 0, {.values = {{34, 23, 14}}}, 0},
      {12, 34, 0, {.values = {{34, 23, 13}}}, 7},
      {12, 35, 0, {.values = {{35, 23, 14}}}, 0},
      {12, 38, 0, {}, 3},
      // 55, 68: analog input 1
      {55, 34, 58, {.letter = 'D', .values = {{34, 62, 1}}}, 7},
      {55, 34, 58, {.values = {{34, 62, 1}}}, 0},
      {55, 35, 60, {.values = {{34, 62, 1}}}, 7},
      {55, 34, 60, {.family = 2, .letter = 'B', .values = {{34, 62, 1}}}, 0},
      {55, 34, 60, {.family = 3, .letter = 'D', .values = {{34, 62, 1}}}, 7},
      {55, 34, 58, {.faults = {{34, 62, 13}}}, 13},
      {68, 34, 62, {.letter = 'D'}, 7},
      {68, 34, 62, {}, 0},
      {68, 35, 62, {.family = 2, .letter = 'A'}, 0},
      {68, 35, 62, {.family = 3, .letter = 'D'}, 7},
      // 56: analog output 2, family 2
      {56, 59, 0, {.values = {{59, 4, 1}}}, 7},
      {56, 59, 0, {.family = 2, .values = {{59, 4, 1}}}, 0},
      {56, 60, 2, {.family = 2, .values = {{59, 4, 1}}}, 7},
      {56, 60, 2, {.family = 2, .values = {{60, 4, 2}}}, 0},
      // 31: not in a positioning run mode
      {31, 34, 29, {.letter = '@'}, 7},
      {31, 34, 29, {.letter = 'A', .values = {{38, 56, 3}}}, 0},
      {31, 34, 29, {.values = {{38, 56, 1}}}, 0},
      {31, 34, 29, {.values = {{38, 56, 2}}}, 7},
      {31, 35, 29, {.values = {{39, 56, 2}}}, 7},
      {31, 35, 29, {.values = {{38, 56, 2}}}, 0},
      {31, 38, 29, {}, 3},
      {31, 34, 29, {.faults = {{38, 56, 12}}}, 12},
  });
}

TEST_F(CheckTest, BinaryInputsByFamily) {
  RunCases({
      {54, 34, 23, {}, 0},
      {54, 34, 36, {.letter = 'B'}, 0},
      {54, 35, 36, {.letter = 'A'}, 5},
      {54, 34, 40, {}, 7, "family 1, other elements"},
      {54, 34, 36, {.family = 3, .letter = '@'}, 0},
      {54, 34, 23, {.family = 2, .board = 4}, 0, "family 2: check 80"},
      {54, 35, 36, {.family = 2, .board = 1}, 5},
      {54, 36, 23, {}, 7, "an unserved record answers 7"},
  });
}

TEST_F(CheckTest, OptionBoardRows) {
  std::vector<Case> cases;
  struct Boards {
    int check;
    std::uint16_t record;
    std::uint16_t element;
    std::uint8_t family;
    std::vector<std::uint8_t> yes;
  };
  const std::vector<Boards> rows = {
      {43, 34, 37, 1, {1, 2, 4, 5, 6, 7}}, {44, 34, 45, 1, {2, 4, 5, 7, 12, 13}},
      {44, 35, 44, 2, {2, 4, 5, 7, 12, 13}}, {60, 34, 54, 1, {1, 2, 5, 6, 7}},
      {70, 34, 63, 1, {5, 6, 7}},          {80, 59, 21, 1, {4, 12, 13}},
      {80, 60, 28, 2, {4, 12, 13}},        {81, 59, 29, 1, {4, 5, 7, 12, 13}},
      {82, 59, 31, 2, {4, 5, 12, 13}},     {83, 59, 32, 1, {12, 13}},
      {83, 60, 33, 3, {12, 13}},
  };
  for (const Boards& r : rows) {
    for (int board = 0; board <= 14; ++board) {
      const bool fits = std::find(r.yes.begin(), r.yes.end(), board) != r.yes.end();
      cases.push_back({r.check, r.record, r.element,
                       {.family = r.family, .board = static_cast<std::uint8_t>(board)},
                       static_cast<std::uint8_t>(fits ? 0 : 5)});
    }
  }
  RunCases(cases);
  RunCases({
      {43, 34, 37, {.family = 3, .board = 1}, 5},
      {43, 34, 37, {.family = 2, .board = 3}, 0, "family 2 without a board"},
      {44, 34, 44, {.family = 3, .board = 2}, 5},
      {44, 35, 44, {.family = 3}, 5},
      {44, 34, 53, {.family = 3}, 0},
      {60, 34, 54, {.family = 3, .board = 1}, 5},
      {70, 34, 63, {.family = 3, .board = 5}, 5},
      {70, 34, 63, {.family = 2}, 0},
      {80, 59, 22, {.family = 3}, 0},
      {81, 60, 30, {.family = 3}, 0},
      {82, 59, 31, {.family = 3}, 0},
      {44, 34, 45, {.kind = model::kFileKindReverseDoc, .board = 0,
                    .values = {{5, 3, 2}}}, 0, "reverse documentation: board of record 5"},
      {44, 34, 45, {.kind = model::kFileKindReverseDoc, .board = 0, .values = {{304, 3, 2}}}, 5},
      {44, 34, 45, {.board = 2, .faults = {{304, 3, 12}}}, 5, "unreadable board counts as none"},
      {44, 34, 45, {.board = 2, .faults = {{302, 0, 12}}}, 5, "unreadable file kind: no board"},
  });
}

TEST_F(CheckTest, ConnectorRows) {
  RunCases({
      // 60 in family 2: X20 function
      {60, 34, 54, {.family = 2, .values = {{34, 63, 2}}}, 0},
      {60, 34, 54, {.family = 2, .values = {{34, 63, 3}}}, 0},
      {60, 35, 54, {.family = 2, .values = {{35, 63, 5}}}, 0},
      {60, 35, 54, {.family = 2, .values = {{34, 63, 5}}}, 7},
      {60, 34, 54, {.family = 2, .values = {{34, 63, 4}}}, 7},
      {60, 34, 54, {.family = 2, .values = {{34, 63, 2}}, .faults = {{34, 63, 12}}}, 7, "failed read: 7"},
      // 71: encoder simulation
      {71, 59, 5, {.board = 6}, 0},
      {71, 60, 5, {.board = 6}, 0},
      {71, 59, 5, {.board = 5}, 5},
      {71, 59, 14, {.board = 6}, 5},
      {71, 34, 5, {.board = 6}, 5, "family 1: an unserved record answers 5"},
      {71, 59, 5, {.family = 3, .board = 6}, 5},
      {71, 59, 14, {.family = 2, .values = {{34, 63, 1}}}, 0},
      {71, 60, 14, {.family = 2, .values = {{35, 63, 1}}}, 0},
      {71, 60, 14, {.family = 2, .values = {{34, 63, 1}}}, 5},
      {71, 35, 14, {.family = 2, .values = {{35, 63, 1}}}, 0},
      {71, 59, 5, {.family = 2, .values = {{34, 63, 2}}}, 5},
      {71, 59, 5, {.family = 2, .faults = {{34, 63, 13}}}, 13},
      // 72: X41 function
      {72, 59, 10, {.values = {{59, 9, 2}}}, 5},
      {72, 59, 10, {.family = 2, .values = {{59, 9, 2}}}, 0},
      {72, 59, 12, {.family = 2, .values = {{59, 9, 1}}}, 5},
      {72, 60, 12, {.family = 2, .values = {{60, 9, 3}}}, 0},
      {72, 60, 12, {.family = 2, .values = {{59, 9, 3}}}, 5},
      {72, 59, 10, {.family = 2, .faults = {{59, 9, 12}}}, 12},
      // 73 and 74: SSI encoder at X20
      {73, 59, 16, {.board = 5, .values = {{34, 63, 5}}}, 0},
      {73, 59, 16, {.board = 5, .values = {{34, 63, 4}}}, 5},
      {73, 59, 19, {.board = 4, .values = {{34, 63, 5}}}, 5},
      {73, 59, 16, {.family = 3, .board = 5, .values = {{34, 63, 5}}}, 5},
      {73, 59, 16, {.family = 2, .values = {{34, 63, 5}}}, 0},
      {73, 59, 16, {.family = 2, .values = {{34, 63, 4}}}, 5},
      {73, 60, 19, {.family = 2, .values = {{35, 63, 5}}}, 0},
      {73, 60, 19, {.family = 2, .values = {{34, 63, 5}}}, 5},
      {73, 59, 16, {.family = 3, .faults = {{34, 63, 13}}}, 13, "H20 is read in every family"},
      {74, 59, 18, {.family = 2, .values = {{34, 63, 4}}}, 0},
      {74, 59, 18, {.family = 2, .values = {{34, 63, 5}}}, 0},
      {74, 59, 18, {.family = 2, .values = {{34, 63, 3}}}, 5},
      {74, 59, 18, {.board = 5, .values = {{34, 63, 4}}}, 5},
      {74, 60, 18, {.board = 5, .values = {{35, 63, 5}}}, 0},
  });
}

TEST_F(CheckTest, ActiveRunModeRows) {
  const Put pos_mode_set1{38, 56, 2};
  const Put pos_mode_set2{39, 56, 2};
  RunCases({
      // 62: the active set's run mode 2, then check 60
      {62, 34, 66, {.board = 1, .values = {pos_mode_set1}}, 0},
      {62, 34, 66, {.board = 4, .values = {pos_mode_set1}}, 5},
      {62, 34, 66, {.board = 1, .values = {{38, 56, 1}}}, 5},
      {62, 35, 66, {.board = 1, .values = {{33, 61, 1}, pos_mode_set2}}, 0, "E84 = 1: set 2"},
      {62, 35, 66, {.board = 1, .values = {{33, 61, 1}, pos_mode_set1}}, 5},
      {62, 34, 66, {.board = 1, .values = {{33, 61, 1}, pos_mode_set1}, .faults = {{33, 61, 12}}}, 0,
       "failed E84 read counts 0"},
      {62, 34, 66, {.board = 1, .values = {pos_mode_set1}, .faults = {{38, 56, 12}}}, 5,
       "failed C60 read counts 1"},
      {62, 34, 66, {.family = 2, .values = {pos_mode_set1, {34, 63, 3}}}, 0},
      // 94: the same run mode, from 'D'
      {94, 34, 64, {.letter = 'D', .values = {pos_mode_set1}}, 0},
      {94, 34, 64, {.letter = 'C', .values = {pos_mode_set1}}, 5},
      {94, 35, 64, {.values = {{38, 56, 1}}}, 5},
      {94, 35, 64, {.values = {{33, 61, 1}, pos_mode_set2}}, 0},
      {94, 35, 64, {.values = {pos_mode_set1}, .faults = {{38, 56, 13}}}, 5, "failed C60 read counts 1"},
  });
}

}  // namespace
}  // namespace check_test
