// Checks of the positioning machine data and the process blocks: 32-37, 40-42, 85.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

TEST_F(CheckTest, MachineDataRows) {
  struct Rule {
    int check;
    std::uint16_t element;
    std::uint16_t governing;
    std::uint8_t yes;
    std::uint8_t no;
  };
  for (const Rule r : {Rule{32, 48, 66, 1, 0}, {32, 68, 66, 2, 0}, {33, 32, 66, 0, 1}, {33, 36, 66, 2, 1},
                       {34, 77, 75, 0, 1}, {35, 72, 69, 0, 1}, {36, 71, 69, 1, 2}, {36, 71, 69, 0, 3}}) {
    RunCases({
        {r.check, 512, r.element, {.letter = 'B', .values = {{512, r.governing, double(r.yes)}}}, 0},
        {r.check, 512, r.element, {.values = {{512, r.governing, double(r.no)}}}, 7},
        {r.check, 512, r.element, {.letter = 'A', .values = {{512, r.governing, double(r.yes)}}}, 7},
        {r.check, 514, r.element, {.values = {{512, r.governing, double(r.yes)}}}, 3},
        {r.check, 512, r.element, {.faults = {{512, r.governing, 12}}}, 12},
    });
  }
  RunCases({
      {85, 512, 129, {.values = {{512, 66, 1}}}, 0},
      {85, 512, 129, {}, 7},
      {85, 512, 129, {.letter = 'D', .values = {{512, 66, 1}}}, 7},
      {85, 512, 129, {.faults = {{512, 66, 13}}}, 13},
  });
}

TEST_F(CheckTest, PositionOffsetInput) {
  const Put f20{34, 24, 6};
  const Put f25{34, 62, 6};
  RunCases({
      {37, 512, 60, {.family = 3, .letter = '@', .values = {f25}}, 0},
      {37, 512, 60, {.family = 3, .values = {f20}}, 7},
      {37, 512, 60, {.letter = 'A', .values = {f20}}, 7},
      {37, 512, 60, {.letter = 'B', .values = {f20}}, 0},
      {37, 512, 60, {.letter = 'D', .values = {f25}}, 7, "family 1 ignores F25 below 'E'"},
      {37, 512, 60, {.values = {f25}}, 0},
      {37, 512, 60, {.values = {{35, 24, 6}, {35, 62, 6}}}, 7, "always record 34"},
      {37, 512, 60, {.family = 2, .letter = '@', .values = {f25}}, 0},
      {37, 512, 60, {.family = 2, .letter = '@', .values = {f20}}, 0},
      {37, 512, 60, {.family = 2}, 7},
      {37, 34, 60, {.values = {f20}}, 3},
      {37, 512, 60, {.faults = {{34, 62, 12}}}, 12},
  });
}

TEST_F(CheckTest, ProcessBlockRepeatNumber) {
  RunCases({
      {40, 514, 19, {.letter = 'B'}, 0},
      {40, 514, 19, {.values = {{514, 18, 1}}}, 7},
      {40, 514, 19, {.letter = 'A'}, 7},
      {40, 516, 19, {}, 0, "first block of 516"},
      {40, 516, 41, {.values = {{516, 40, 2}}}, 7, "second block of 516 reads its own mode"},
      {40, 516, 41, {.values = {{516, 18, 2}}}, 0},
      {40, 514, 229, {.values = {{514, 228, 1}}}, 7, "last block of 514 at 210"},
      {40, 514, 173, {}, 0, "block at 154"},
      {40, 514, 195, {}, 0, "514's step elements at 176 are served like a block"},
      {40, 514, 195, {.values = {{514, 194, 1}}}, 7},
      {40, 516, 195, {.values = {{516, 194, 1}}}, 7},
      {40, 518, 217, {}, 0, "block at 198"},
      {40, 520, 63, {}, 0},
      {40, 520, 85, {}, 3, "520 has three blocks"},
      {40, 514, 20, {}, 3, "not the repeat-number byte"},
      {40, 512, 19, {}, 3},
      {40, 514, 19, {.faults = {{514, 18, 12}}}, 12},
  });
}

TEST_F(CheckTest, ProcessBlockNextStart) {
  RunCases({
      {41, 514, 21, {.values = {{514, 19, 1}}}, 0, "repeated, absolute"},
      {41, 514, 21, {.values = {{514, 19, 1}, {514, 18, 1}}}, 7},
      {41, 514, 21, {.values = {{514, 20, 3}, {514, 18, 1}}}, 0, "a next block"},
      {41, 514, 21, {}, 7},
      {41, 514, 21, {.letter = 'A', .values = {{514, 20, 3}}}, 7},
      {41, 514, 231, {.values = {{514, 230, 2}}}, 0},
      {41, 514, 197, {.values = {{514, 196, 2}}}, 0},
      {41, 514, 197, {}, 7},
      {41, 516, 197, {.values = {{516, 196, 2}}}, 0},
      {41, 520, 65, {.values = {{520, 63, 2}}}, 0},
      {41, 520, 87, {}, 3},
      {41, 514, 21, {.faults = {{514, 20, 13}}}, 13},
  });
}

TEST_F(CheckTest, ProcessBlockDelay) {
  RunCases({
      {42, 514, 16, {.values = {{514, 19, 1}, {514, 21, 1}}}, 0},
      {42, 514, 16, {.values = {{514, 19, 1}}}, 7},
      {42, 514, 16, {.values = {{514, 21, 1}}}, 7, "neither repeated nor chained"},
      {42, 514, 16, {.values = {{514, 20, 2}, {514, 21, 1}}}, 0},
      {42, 514, 16, {.letter = 'A', .values = {{514, 20, 2}, {514, 21, 1}}}, 7},
      {42, 514, 226, {.values = {{514, 229, 1}, {514, 231, 1}}}, 0},
      {42, 514, 192, {}, 7},
      {42, 514, 192, {.values = {{514, 196, 1}, {514, 197, 1}}}, 0},
      {42, 518, 192, {.values = {{518, 196, 1}, {518, 197, 1}}}, 0},
      {42, 520, 60, {.values = {{520, 64, 1}, {520, 65, 1}}}, 0},
      {42, 520, 82, {}, 3},
      {42, 514, 16, {.faults = {{514, 21, 12}}}, 12},
  });
}

}  // namespace
}  // namespace check_test
