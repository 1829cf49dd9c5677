// UpgradeDataSetLayout over data sets stamped with older layout letters, its idempotence (also through a saved
// and reopened project file) and ClearElementForOldVersions.
#include "model/layout_upgrade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "upgrade_fixture.h"

namespace model::upgrade_test {
namespace {

TEST_F(UpgradeTest, TargetsOutsideTheLettersAndUnreadableRecord4) {
  StampLetter('C');
  PutBoth(34, 62, 3, 3);
  EXPECT_EQ(UpgradeDataSetLayout(0, '?'), 1);
  EXPECT_EQ(UpgradeDataSetLayout(0, 'R'), 0);
  EXPECT_EQ(Get(34, 62), 3);
  EXPECT_EQ(Letter(), 'C');
  EXPECT_EQ(UpgradeDataSetLayout(3, 'Q'), 3);  // an empty slot has no record 4
}

TEST_F(UpgradeTest, SameLetterRunsOnlyTheCorrectionsOfEveryLayout) {
  Put(302, 0, kFileKindProject);
  PutBoth(40, 10, 254, 7);  // E56
  PutBoth(42, 30, 49, 50);  // B02
  PutBoth(34, 18, 2, 1);    // F19
  PutBoth(34, 62, 3, 3);    // F25 would be set by the 'B'..'F' step
  EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(40, 10), 1);
  EXPECT_EQ(Get(41, 10), 7);
  EXPECT_EQ(Get(42, 30), 1100);
  EXPECT_EQ(Get(43, 30), 50);
  EXPECT_EQ(Get(34, 18), 0);
  EXPECT_EQ(Get(35, 18), 1);
  EXPECT_EQ(Get(34, 62), 3);

  Put(302, 0, kFileKindReverseDoc);  // E56 is corrected only in projects
  Put(40, 10, 0);
  EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(40, 10), 0);
}

TEST_F(UpgradeTest, LettersBToFMoveTheRunModeAndSetTheTerminals) {
  StampLetter('C');
  Put(512, 67, 2);          // C60 copy
  Put(512, 86, 0);          // I02
  Put(458, 20, 0);          // A109
  PutBoth(40, 15, 0, 1);    // B26: only set 2 has the motor encoder
  PutBoth(34, 63, 0, 0);    // H20
  PutBoth(34, 62, 3, 4);    // F25
  EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(38, 56), 2);
  EXPECT_EQ(Get(39, 56), 2);
  EXPECT_EQ(Get(512, 86), 2);
  EXPECT_EQ(Get(458, 20), 65535);
  EXPECT_EQ(Get(34, 63), 0);
  EXPECT_EQ(Get(35, 63), 2);
  EXPECT_EQ(Get(34, 62), 10);
  EXPECT_EQ(Get(35, 62), 10);
  EXPECT_EQ(Letter(), 'Q');
}

TEST_F(UpgradeTest, LetterGLeavesTheTerminalsAndAKeptHeartbeat) {
  StampLetter('G');
  Put(458, 20, 500);
  PutBoth(40, 15, 1, 1);
  PutBoth(34, 62, 3, 3);
  EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(458, 20), 500);
  EXPECT_EQ(Get(34, 62), 3);
  EXPECT_EQ(Get(35, 63), Get(35, 63, 1));  // untouched: as the fresh set 1 holds it
}

TEST_F(UpgradeTest, LettersHAndLaterStandstillReactionPidLimitAndReferenceSpeeds) {
  struct Case {
    std::uint8_t letter;
    bool clears_c49;
    bool negates_g04;
    bool scales_g32;
  } cases[] = {{'H', false, true, true}, {'I', true, true, true}, {'J', true, false, true}, {'K', true, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c.letter)));
    ASSERT_EQ(InitDataSet(0), 0);
    StampLetter(c.letter);
    PutBoth(38, 60, 2, 1);     // C49
    PutBoth(46, 6, 1234, -7);  // G04
    PutBoth(46, 48, 5, 5);     // G05
    PutBoth(42, 26, 2, 2);     // B10 pole pairs of both motors
    std::array<std::uint8_t, 8> limit{};
    ASSERT_EQ(GetElementUpperLimit(46, 54, limit.data(), kModeRaw, 0), 0);
    const auto g32_limit = LoadInteger(limit.data(), GetElementType(46, 54));
    PutBoth(46, 54, static_cast<double>(g32_limit), 100);  // only set 1 stands at its limit
    PutBoth(46, 56, 1000, 1000);                            // G33

    EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
    EXPECT_EQ(Get(38, 60), c.clears_c49 ? 0 : 2);
    EXPECT_EQ(Get(39, 60), 1);
    EXPECT_EQ(Get(46, 48), c.negates_g04 ? -1234 : 5);
    EXPECT_EQ(Get(47, 48), c.negates_g04 ? 7 : 5);
    // Family 1: shown speed = stored x 7.32421875 / pole pairs / 10 (3 places), times 1.5, rounded.
    const auto scaled = [](double stored) {
      return static_cast<std::int64_t>(std::llround(std::round(stored * 7.32421875 / 20.0 * 1000.0) / 1000.0 * 1.5));
    };
    EXPECT_EQ(Get(46, 54), c.scales_g32 ? std::min<std::int64_t>(scaled(g32_limit), 32767) : g32_limit);
    EXPECT_EQ(Get(46, 56), c.scales_g32 ? scaled(1000) : 1000);
    EXPECT_EQ(Get(47, 54), 100);
    EXPECT_EQ(Get(47, 56), 1000);
    EXPECT_EQ(Letter(), 'Q');
  }
}

TEST_F(UpgradeTest, ReferenceSpeedsWithoutPolePairsKeepTheirValues) {
  StampLetter('J');
  PutBoth(42, 26, 0, 0);
  std::array<std::uint8_t, 8> limit{};
  ASSERT_EQ(GetElementUpperLimit(46, 54, limit.data(), kModeRaw, 0), 0);
  const auto g32_limit = LoadInteger(limit.data(), GetElementType(46, 54));
  Put(46, 54, static_cast<double>(g32_limit));
  Put(46, 56, 1000);
  EXPECT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  EXPECT_EQ(Get(46, 54), g32_limit);
  EXPECT_EQ(Get(46, 56), 1000);
}

// Every layout letter before the current one converts once: a second run changes nothing the first left,
// even after the user changed a value the conversion sets.
TEST_F(UpgradeTest, SecondUpgradeOfAnyOldLetterKeepsTheUsersValues) {
  for (int letter = '3'; letter < 'Q'; ++letter) {
    if (letter > '3' && letter < '@') continue;  // one letter below 64 stands for the old layouts
    SCOPED_TRACE(letter);
    ASSERT_EQ(InitDataSet(0), 0);
    StampLetter(static_cast<std::uint8_t>(letter));
    ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
    EXPECT_EQ(Letter(), 'Q');
    PutBoth(34, 62, 3, 3);   // F25
    PutBoth(40, 15, 1, 1);   // B26
    PutBoth(34, 63, 1, 1);   // H20
    Put(512, 86, 1);         // I02
    PutBoth(46, 6, 40, 40);  // G04
    PutBoth(46, 48, 9, 9);   // G05
    const char block[] = "kept notes";
    ASSERT_EQ(WriteElement(317, 5421, block, kModeRaw, 0), 0);
    ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
    EXPECT_EQ(Get(34, 62), 3);
    EXPECT_EQ(Get(34, 63), 1);
    EXPECT_EQ(Get(512, 86), 1);
    EXPECT_EQ(Get(46, 48), 9);
    char text[1024] = {};
    ASSERT_EQ(ReadElement(317, 5421, text, kModeRaw, 0), 0);
    EXPECT_STREQ(text, block);
  }
}

TEST_F(UpgradeTest, AnUpgradeToAnOlderTargetStampsNothing) {
  StampLetter('K');
  EXPECT_EQ(UpgradeDataSetLayout(0, 'H'), 0);
  EXPECT_EQ(Letter(), 'K');
}

// The documents open a file, read it and upgrade it; saved and opened again, it is not upgraded a second time.
TEST_F(UpgradeTest, ReopenedProjectFileIsNotUpgradedAgain) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "upgrade_reopen";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "OLD.ZPR").string();
  StampLetter('D');
  PutBoth(34, 62, 3, 3);
  ASSERT_EQ(ProjectFileAccess(kProjectWriteProject, 0, path.c_str()), kFileDone);

  auto open = [&] {
    ASSERT_EQ(InitDataSet(0), 0);
    const std::uint8_t opened = ProjectFileAccess(kProjectOpen, 0, path.c_str());
    ASSERT_TRUE(opened == kFileDone || opened == kFileOlderLayout) << int(opened);
    ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 0, path.c_str()), kFileDone);
    ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
  };
  open();
  EXPECT_EQ(Get(34, 62), 10);
  PutBoth(34, 62, 4, 4);  // the user's choice, saved
  ASSERT_EQ(ProjectFileAccess(kProjectWriteProject, 0, path.c_str()), kFileDone);
  open();
  EXPECT_EQ(Get(34, 62), 4);
  EXPECT_EQ(Letter(), 'Q');
  std::filesystem::remove_all(dir);
}

TEST_F(UpgradeTest, ClearElementForOldVersions) {
  struct Case {
    std::uint8_t letter;
    std::uint8_t board;
    std::int64_t i02_after;
  } cases[] = {{'F', 0, 0}, {'@', 3, 0}, {'F', 1, 2}, {'F', 2, 2}, {'F', 6, 2}, {'F', 7, 2}, {'G', 0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.letter << " board " << int(c.board));
    StampLetter(c.letter);
    Put(304, 3, c.board);
    Put(512, 86, 2);
    EXPECT_EQ(ClearElementForOldVersions(0), 0);
    EXPECT_EQ(Get(512, 86), c.i02_after);
  }
  EXPECT_EQ(ClearElementForOldVersions(3), 2);
}

}  // namespace
}  // namespace model::upgrade_test
