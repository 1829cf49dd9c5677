// The option board, the scope-recording predicate and the parameter-set twins.
#include "tests/model/check_fixture.h"

namespace check_test {
namespace {

using model::GetOptionBoard;
using model::HasScopeData;

TEST_F(CheckTest, OptionBoardByFileKind) {
  struct Row {
    std::uint16_t kind;
    std::uint8_t expected;
  };
  for (const Row r : {Row{model::kFileKindProject, 4}, {model::kFileKindConfiguration, 4},
                      {model::kFileKindReverseDoc, 6}, {0, 4}}) {
    SCOPED_TRACE(r.kind);
    Apply({.kind = r.kind, .values = {{304, 3, 4}, {5, 3, 6}}});
    EXPECT_EQ(GetOptionBoard(identity_test::kSet), r.expected);
  }
  Apply({.board = 7, .faults = {{302, 0, 12}}});
  EXPECT_EQ(GetOptionBoard(identity_test::kSet), 0) << "file kind unreadable";
  Apply({.board = 7, .faults = {{304, 3, 12}}});
  EXPECT_EQ(GetOptionBoard(identity_test::kSet), 0) << "board unreadable";
  EXPECT_EQ(GetOptionBoard(200), 0) << "no such data set";
}

TEST_F(CheckTest, ScopeRecordingIsAChannelInUseInReverseDocumentation) {
  for (std::uint16_t word = 12; word <= 40; word += 4) {
    SCOPED_TRACE(word);
    Apply({.kind = model::kFileKindReverseDoc, .values = {{454, word, 1}}});
    EXPECT_EQ(HasScopeData(identity_test::kSet), 1);
    Apply({.kind = model::kFileKindReverseDoc, .values = {{454, word, 65535}}});
    EXPECT_EQ(HasScopeData(identity_test::kSet), 0);
  }
  Apply({.kind = model::kFileKindReverseDoc, .values = {{454, 14, 5}, {454, 10, 5}, {454, 8, 5}}});
  EXPECT_EQ(HasScopeData(identity_test::kSet), 0) << "element words and the trigger are no channels";
  Apply({.kind = model::kFileKindProject, .values = {{454, 12, 5}}});
  EXPECT_EQ(HasScopeData(identity_test::kSet), 0) << "only reverse documentation holds a recording";
  Apply({.kind = model::kFileKindReverseDoc, .values = {{454, 12, 5}, {454, 40, 9}},
         .faults = {{454, 12, 12}}});
  EXPECT_EQ(HasScopeData(identity_test::kSet), 1) << "a failed read counts no channel";
  EXPECT_EQ(HasScopeData(200), 0);
}

TEST(CheckTwins, PairsAndGoverningRecords) {
  const std::uint16_t pairs[][2] = {{34, 35}, {38, 39}, {40, 41}, {42, 43}, {46, 47},
                                    {48, 49}, {53, 54}, {57, 58}, {59, 60}};
  for (const auto& p : pairs) {
    EXPECT_EQ(model::TwinRecord(p[0]), p[1]);
    EXPECT_EQ(model::TwinRecord(p[1]), p[0]);
    EXPECT_EQ(model::ParameterSetOfRecord(p[0]), 1);
    EXPECT_EQ(model::ParameterSetOfRecord(p[1]), 2);
  }
  for (std::uint16_t other : {33, 36, 52, 55, 56, 512, 514}) {
    EXPECT_EQ(model::TwinRecord(other), 0) << other;
    EXPECT_EQ(model::ParameterSetOfRecord(other), 0) << other;
  }
  EXPECT_EQ(model::SameSetRecord(38, 40), 40);
  EXPECT_EQ(model::SameSetRecord(39, 40), 41);
  EXPECT_EQ(model::SameSetRecord(35, 59), 60);
  EXPECT_EQ(model::SameSetRecord(512, 40), 40);
  EXPECT_EQ(model::GoverningRecord(49, 53, 54, {54, 49}), 54);
  EXPECT_EQ(model::GoverningRecord(35, 53, 54, {54, 49}), 53);
}

}  // namespace
}  // namespace check_test
