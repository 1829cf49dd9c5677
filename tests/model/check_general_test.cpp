// Checks on version, family, file kind and single settings: 0, 2, 13, 15-25, 39, 47, 50-53, 63, 76, 86, 89-93.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

constexpr std::uint16_t kReverse = model::kFileKindReverseDoc;
constexpr std::uint16_t kConfig = model::kFileKindConfiguration;

TEST_F(CheckTest, VersionThresholdsRefuseBelowTheirLetterWith5) {
  struct Threshold {
    int check;
    std::uint8_t letter;
  };
  for (const Threshold t : {Threshold{24, 'A'}, {25, 'B'}, {47, 'C'}, {51, 'D'}, {63, 'E'}}) {
    RunCases({
        {t.check, 304, 10, {.letter = static_cast<std::uint8_t>(t.letter - 1)}, 5, "one letter below"},
        {t.check, 304, 10, {.letter = t.letter}, 0, "at the letter"},
        {t.check, 514, 8, {.letter = 'Q'}, 0, "far above"},
        {t.check, 304, 10, {.family = 2, .letter = t.letter}, 0, "every family"},
        {t.check, 304, 10, {.kind = kReverse, .letter = t.letter}, 0, "reverse documentation reads record 5"},
    });
  }
  // A data set whose version letter cannot be read behaves as version 0.
  RunCases({{25, 304, 10, {.kind = 0, .letter = 'E'}, 5, "file kind unreadable"}});
}

TEST_F(CheckTest, FamilyAndLetterRows) {
  RunCases({
      {0, 1, 0, {.family = 3, .letter = 0}, 0},
      {52, 40, 7, {.family = 2}, 7},
      {52, 48, 34, {.family = 1}, 0},
      {52, 41, 11, {.family = 3}, 0},
      {53, 55, 43, {.family = 2}, 0},
      {53, 56, 2, {.family = 1}, 7},
      {53, 59, 4, {.family = 3}, 7},
      {76, 38, 0, {.letter = 'D'}, 5, "C30 hidden at 'D'"},
      {76, 38, 0, {.letter = 'C'}, 0},
      {76, 39, 0, {.letter = 'E'}, 0},
      {86, 55, 78, {.family = 2, .letter = 'D'}, 7},
      {86, 55, 82, {.family = 2, .letter = 'E'}, 0},
      {86, 55, 86, {.family = 1, .letter = 'E'}, 7},
      {86, 55, 90, {.family = 3, .letter = 'Q'}, 7},
      {89, 34, 24, {.family = 3}, 7},
      {89, 35, 25, {.family = 1}, 0},
      {89, 34, 25, {.family = 2}, 0},
      {90, 512, 86, {.family = 1, .letter = 'D'}, 0},
      {90, 512, 86, {.family = 1, .letter = 'C'}, 7},
      {90, 512, 86, {.family = 2, .letter = 'D'}, 0},
      {90, 512, 86, {.family = 3, .letter = 'E'}, 7},
      {93, 512, 86, {.family = 1, .letter = 'C'}, 7, "as 90"},
      {93, 512, 86, {.family = 2, .letter = 'E'}, 0, "as 90"},
      {91, 5, 9, {.family = 3}, 0},
      {91, 304, 9, {.family = 1}, 7},
      {91, 304, 9, {.family = 2}, 7},
      {92, 53, 35, {.family = 1, .letter = 'E'}, 0},
      {92, 53, 35, {.family = 3, .letter = 'E'}, 0},
      {92, 54, 35, {.family = 1, .letter = 'D'}, 7},
      {92, 54, 35, {.family = 2, .letter = 'E'}, 7},
  });
}

TEST_F(CheckTest, FileKindRows) {
  RunCases({
      {21, 15, 4, {.kind = kReverse}, 7},
      {21, 15, 4, {}, 0},
      {21, 15, 4, {.kind = kConfig}, 0},
      {22, 317, 0, {.kind = kReverse}, 0},
      {22, 317, 0, {}, 7},
      {22, 317, 0, {.kind = kConfig}, 7},
  });
}

TEST_F(CheckTest, LinkSettingsFollowTheFileKindAndTheScopeRecording) {
  const Put channel{454, 12, 33};
  RunCases({
      {13, 305, 44, {}, 0, "project"},
      {13, 305, 44, {.kind = kConfig}, 0, "configuration"},
      {13, 305, 44, {.kind = kReverse}, 7, "reverse documentation"},
      {13, 305, 45, {.kind = kReverse}, 0},
      {13, 305, 49, {.kind = kReverse}, 0},
      {13, 305, 45, {}, 7},
      {13, 305, 49, {.kind = kConfig}, 7},
      {13, 305, 52, {.kind = kReverse, .values = {channel}}, 0, "recording and print to file off"},
      {13, 305, 52, {.kind = kReverse, .values = {channel, {305, 10, 1}}}, 7, "print to file on"},
      {13, 305, 52, {.kind = kReverse}, 7, "no channel in use"},
      {13, 305, 52, {.kind = kReverse, .values = {{454, 12, 65535}}}, 7, "65535 is no channel"},
      {13, 305, 52, {.values = {channel}}, 7, "a project holds no recording"},
      {13, 305, 52, {.kind = kReverse, .values = {channel}, .faults = {{305, 10, 12}}}, 12, "read failure"},
      {13, 305, 46, {}, 3, "other elements of 305"},
      {13, 304, 44, {}, 3, "other records"},
  });
}

TEST_F(CheckTest, LinkSettingReadFromDataSetZeroWhateverSetIsAsked) {
  ASSERT_GE(model::LastDataSetIndex(), 1);
  model::DataSetSlot(1)->storage.fill(0);
  SetIdentity({.kind = kReverse});
  ASSERT_TRUE(identity_test::PutRaw(302, 0, kReverse, 1));
  ASSERT_TRUE(identity_test::PutRaw(454, 16, 7, 1));
  ASSERT_TRUE(identity_test::PutRaw(305, 10, 1, 1));  // set 1's own setting is ignored
  EXPECT_EQ(model::CheckTable()[13](305, 52, 1), 0);
  ASSERT_TRUE(identity_test::PutRaw(305, 10, 1, 0));
  EXPECT_EQ(model::CheckTable()[13](305, 52, 1), 7);
  ASSERT_TRUE(identity_test::PutRaw(305, 10, 0, 0));
  ASSERT_TRUE(identity_test::PutRaw(454, 16, 0, 1));  // but the recording is set 1's
  EXPECT_EQ(model::CheckTable()[13](305, 52, 1), 7);
}

TEST_F(CheckTest, BrakeResistorAutoResetAndLowVoltage) {
  RunCases({
      {2, 55, 10, {.values = {{55, 16, 1}}}, 0},
      {2, 55, 12, {.values = {{55, 16, 21}}}, 0},
      {2, 55, 14, {.values = {{55, 16, 2}}}, 7},
      {2, 55, 14, {}, 7},
      {2, 55, 16, {.values = {{55, 16, 1}}}, 3, "element not served"},
      {2, 54, 10, {.values = {{55, 16, 1}}}, 3},
      {2, 55, 10, {.faults = {{55, 16, 12}}}, 12},
      {23, 55, 18, {.values = {{55, 17, 1}}}, 0},
      {23, 55, 18, {.values = {{55, 17, 2}}}, 7},
      {23, 56, 18, {.values = {{55, 17, 1}}}, 3},
      {23, 55, 18, {.faults = {{55, 17, 13}}}, 13},
      {15, 56, 1, {.values = {{56, 0, 2}}}, 0},
      {15, 56, 1, {.values = {{56, 0, 1}}}, 7},
      {15, 57, 1, {.values = {{56, 0, 2}}}, 3},
      {15, 56, 1, {.faults = {{56, 0, 13}}}, 13},
      {39, 56, 3, {.letter = 'C', .values = {{56, 2, 2}}}, 7},
      {39, 56, 3, {.letter = 'D', .values = {{56, 2, 2}}}, 0},
      {39, 56, 3, {.letter = 'D', .values = {{56, 2, 1}}}, 7},
      {39, 56, 3, {.letter = 'E', .faults = {{56, 2, 12}}}, 12},
      {39, 56, 3, {.letter = 'C', .faults = {{56, 2, 12}}}, 7, "not read below 'D'"},
  });
}

TEST_F(CheckTest, FaultReactionsWithTimeOrLevel) {
  struct Reaction {
    int check;
    std::uint16_t governing;
    std::uint16_t element;
  };
  for (const Reaction r : {Reaction{16, 0, 1}, {17, 2, 3}, {18, 21, 22}, {19, 40, 41}, {20, 59, 60}}) {
    RunCases({
        {r.check, 57, r.element, {.values = {{57, r.governing, 2}}}, 0},
        {r.check, 58, r.element, {.values = {{58, r.governing, 2}}}, 0, "set 2 reads its own record"},
        {r.check, 58, r.element, {.values = {{57, r.governing, 2}}}, 7},
        {r.check, 57, r.element, {.values = {{57, r.governing, 1}}}, 7},
        {r.check, 56, r.element, {.values = {{57, r.governing, 2}}}, 3},
        {r.check, 57, r.element, {.faults = {{57, r.governing, 13}}}, 13},
    });
  }
}

TEST_F(CheckTest, SoftwareVersionAOfTheProjectTarget) {
  RunCases({
      {50, 304, 2, {.letter = 'A'}, 0},
      {50, 304, 2, {.letter = 'B'}, 5},
      {50, 304, 2, {.letter = '@'}, 5},
      {50, 304, 2, {.faults = {{304, 5, 12}}}, 12},
  });
}

}  // namespace
}  // namespace check_test
