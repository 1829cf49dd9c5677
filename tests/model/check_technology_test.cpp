// Checks of the PID controller, winding operation and electronic gear: 28, 45, 46, 48, 49, 61, 64, 65, 69, 84.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

const Put kSpeedMode1{38, 56, 1};
const Put kSpeedMode2{39, 56, 1};

TEST_F(CheckTest, PidRows) {
  RunCases({
      {28, 46, 0, {.values = {{46, 8, 1}}}, 0},
      {28, 46, 2, {.values = {{46, 8, 2}}}, 5},
      {28, 46, 4, {}, 5},
      {28, 47, 6, {.values = {{47, 8, 1}}}, 0},
      {28, 47, 6, {.values = {{46, 8, 1}}}, 5},
      {28, 46, 0, {.letter = 'A', .values = {{46, 8, 1}}}, 5},
      {28, 48, 0, {.values = {{46, 8, 1}}}, 3},
      {28, 46, 0, {.faults = {{46, 8, 12}}}, 12},
      {65, 46, 42, {.values = {{46, 8, 1}}}, 0},
      {65, 47, 48, {.values = {{47, 8, 2}}}, 0},
      {65, 46, 42, {}, 5},
      {65, 46, 42, {.letter = 'D', .values = {{46, 8, 1}}}, 5},
      {65, 46, 42, {.faults = {{46, 8, 13}}}, 13},
  });
}

TEST_F(CheckTest, SpeedRunModeOfTheSet) {
  RunCases({
      {61, 46, 9, {.values = {kSpeedMode1}}, 0},
      {61, 46, 23, {.letter = 'A', .values = {kSpeedMode1}}, 5},
      {61, 46, 9, {.values = {{38, 56, 0}}}, 5},
      {61, 46, 9, {.values = {{38, 56, 2}}}, 5},
      {61, 47, 23, {.values = {kSpeedMode2}}, 0},
      {61, 47, 23, {.values = {kSpeedMode1}}, 5},
      {61, 35, 9, {.values = {kSpeedMode1}}, 0, "any record but 47 reads 38"},
      {61, 46, 9, {.values = {kSpeedMode1}, .faults = {{38, 56, 12}}}, 5, "failed read counts 0"},
  });
}

TEST_F(CheckTest, WindingAndGearRows) {
  struct Function {
    int check;
    std::uint16_t element;
    std::uint16_t governing;  // G10 or G20
  };
  for (const Function f : {Function{45, 24, 23}, {46, 10, 9}}) {
    RunCases({
        {f.check, 46, f.element, {.values = {kSpeedMode1, {46, f.governing, 1}}}, 0},
        {f.check, 46, f.element, {.letter = 'B', .values = {kSpeedMode1, {46, f.governing, 3}}}, 0},
        {f.check, 46, f.element, {.values = {kSpeedMode1}}, 5, "function off"},
        {f.check, 46, f.element, {.values = {{38, 56, 2}, {46, f.governing, 1}}}, 5, "check 61 fails"},
        {f.check, 46, f.element, {.letter = 'A', .values = {kSpeedMode1, {46, f.governing, 1}}}, 5},
        {f.check, 47, f.element, {.values = {kSpeedMode2, {47, f.governing, 1}}}, 0},
        {f.check, 47, f.element, {.values = {kSpeedMode1, {47, f.governing, 1}}}, 5},
        {f.check, 47, f.element, {.values = {kSpeedMode2, {46, f.governing, 1}}}, 5},
        {f.check, 48, f.element, {.values = {kSpeedMode1, {46, f.governing, 1}}}, 3},
        {f.check, 46, f.element, {.values = {kSpeedMode1}, .faults = {{46, f.governing, 13}}}, 13},
    });
  }
}

TEST_F(CheckTest, VersionThresholdsInFrontOfWindingAndGear) {
  struct Front {
    int check;
    std::uint16_t element;
    std::uint8_t letter;
    std::uint16_t governing;
  };
  for (const Front f : {Front{48, 32, 'C', 23}, {49, 34, 'C', 9}, {64, 31, 'E', 23}, {69, 41, 'D', 9},
                        {84, 50, 'E', 9}}) {
    const auto below = static_cast<std::uint8_t>(f.letter - 1);
    RunCases({
        {f.check, 46, f.element, {.letter = below, .values = {kSpeedMode1, {46, f.governing, 1}}}, 7},
        {f.check, 46, f.element, {.letter = f.letter, .values = {kSpeedMode1, {46, f.governing, 1}}}, 0},
        {f.check, 46, f.element, {.letter = f.letter, .values = {kSpeedMode1}}, 5},
        {f.check, 47, f.element, {.letter = 'Q', .values = {kSpeedMode2, {47, f.governing, 1}}}, 0},
        {f.check, 48, f.element, {.letter = f.letter}, 3},
    });
  }
}

}  // namespace
}  // namespace check_test
