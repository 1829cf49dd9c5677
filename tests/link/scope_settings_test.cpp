#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "link/scope_recording.h"
#include "link/scope_settings.h"
#include "link/scope_tables.h"
#include "link/scope_time_base.h"
#include "model/element_access.h"
#include "tests/link/scope_fixture.h"

namespace {

using scope_test::kSet;
using scope_test::ReadWord;
using scope_test::ScopeTest;
using scope_test::SetChannel;

std::uint16_t ListEntryOfRow(std::uint16_t row) {
  const std::uint16_t size = ilink::BuildScopeSignalList(kSet);
  for (std::uint16_t n = 0; n < size; ++n) {
    if (ilink::ScopeSignalListRow(n) == row) return n;
  }
  return ilink::kNoScopeRow;
}

TEST_F(ScopeTest, RaiseSamplingIndexByChannelCount) {
  struct Case {
    int channels;
    std::uint8_t index;
    std::uint8_t expected;
  };
  for (const Case& c : {Case{5, 3, 11}, Case{7, 3, 12}, Case{5, 15, 15}, Case{7, 12, 12}, Case{4, 3, 3},
                        Case{8, 30, 12}, Case{6, 11, 11}}) {
    for (std::uint8_t ch = 0; ch < 8; ++ch) SetChannel(ch, 0, 0);
    for (int ch = 0; ch < c.channels; ++ch) SetChannel(static_cast<std::uint8_t>(ch), 33, 14);
    scope_test::WriteByte(454, 0, c.index);
    ASSERT_EQ(ilink::RaiseScopeSamplingIndex(kSet), 0);
    std::uint8_t index = 0;
    ASSERT_EQ(model::ReadElement(454, 0, &index, model::kModeRaw, kSet), 0);
    EXPECT_EQ(index, c.expected) << c.channels << " channels at " << int(c.index);
  }
}

TEST(ScopeTimeBase, RecordLengthForms) {
  struct Case {
    std::uint32_t samples;
    std::uint8_t index;
    const char* text;
  };
  for (const Case& c : {Case{1000, 12, "10.0 s"}, Case{3000, 18, "50m, 0s"}, Case{960, 0, "0.96 s"},
                        Case{960, 9, "0.96 s"}, Case{1440, 23, "20h, 0m"}, Case{61, 18, "1m, 1s"},
                        Case{999, 11, "5.0 s"}, Case{100, 30, "0.10 s"}, Case{0, 12, "0.00 s"}}) {
    EXPECT_EQ(ilink::FormatScopeLength(c.samples, c.index), c.text) << c.samples << " at " << int(c.index);
  }
}

// One table for every user: the export's labels and the trend's microseconds follow the sampling periods.
TEST(ScopeTimeBase, OneMeaningForAllUsers) {
  const char* const labels[] = {"1ms", "1ms", "1ms", "1ms", "1ms", "1ms", "1ms", "1ms", "1ms", "1ms", "2ms", "5ms",
                                "10ms", "20ms", "50ms", "0.1s", "0.2s", "0.5s", "1s", "2s", "5s", "10s", "20s",
                                "50s"};
  for (std::uint8_t i = 0; i < ilink::kScopeSamplingIndices; ++i) {
    EXPECT_STREQ(ilink::ScopeTimeBaseText(i), labels[i]) << int(i);
    EXPECT_EQ(ilink::ScopeTimeBaseMicroseconds(i), ilink::ScopeSamplePeriodMs(i) * 1000u);
  }
  EXPECT_EQ(ilink::ScopeSamplePeriodMs(18), 1000u);
  EXPECT_EQ(ilink::ScopeSamplePeriodMs(24), 1u);  // above 23 counts as 0
}

TEST_F(ScopeTest, RecordLengthOfADataSet) {
  SetChannel(0, 33, 14);  // 2 bytes: 1440 samples
  scope_test::WriteByte(454, 0, 12);
  char text[32];
  ASSERT_EQ(ilink::FormatScopeRecordLength(text, sizeof text, kSet), 0);
  EXPECT_STREQ(text, "14.4 s");
  char small[4];
  ASSERT_EQ(ilink::FormatScopeRecordLength(small, sizeof small, kSet), 0);
  EXPECT_STREQ(small, "14.");
  EXPECT_EQ(ilink::FormatScopeRecordLength(text, sizeof text, 3), 1);
}

TEST(ScopeRounding, SignificantDigits) {
  struct Case {
    double value;
    std::uint8_t mode, digits;
    bool even;
    double expected;
  };
  for (const Case& c : {Case{7.3, 0, 2, true, 7.4}, Case{7.4, 0, 2, true, 7.4}, Case{7.4, 0, 2, false, 7.4},
                        Case{7.41, 0, 2, false, 7.5}, Case{7.6, 1, 2, true, 7.6}, Case{4500, 0, 2, true, 4600},
                        Case{4500, 0, 2, false, 4500}, Case{3000, 0, 2, true, 3000}, Case{123, 1, 1, false, 100},
                        Case{0.0, 0, 2, true, 0.0}, Case{7.3, 0, 4, true, 7.3}, Case{1234, 2, 3, false, 1230},
                        Case{-7.3, 2, 2, false, -7.3}}) {
    double v = c.value;
    ilink::RoundToSignificantDigits(&v, c.mode, c.digits, c.even);
    EXPECT_NEAR(v, c.expected, 1e-9 * std::fabs(c.expected)) << c.value << " mode " << int(c.mode);
  }
}

// Speeds show up to the maximum speed of the active parameter set, rounded upwards in even steps.
TEST_F(ScopeTest, SpeedRangeFollowsTheActiveParameterSet) {
  scope_test::WriteWord(38, 2, 2950);
  scope_test::WriteWord(39, 2, 1000);
  SetChannel(0, 33, 32);  // E06 n-ref.val
  scope_test::WriteByte(33, 61, 0);  // parameter set 1
  std::vector<ilink::ScopeSignalInfo> rows(1);
  ASSERT_EQ(ilink::GetScopeSignalRows(0, rows, kSet), 0);
  double expected = 2950.0;
  model::ConvertElementValue(&expected, 1, 38, 2, kSet, 1);  // shown form; stays the stored one without converter
  ilink::RoundToSignificantDigits(&expected, 0, 2, true);
  EXPECT_EQ(rows[0].maximum, expected);
  EXPECT_EQ(rows[0].minimum, -expected);
  scope_test::WriteByte(33, 61, 1);  // parameter set 2
  ASSERT_EQ(ilink::GetScopeSignalRows(0, rows, kSet), 0);
  EXPECT_LT(rows[0].maximum, expected);
}

TEST(ScopeReference, Parsing) {
  struct Case {
    const char* text;
    bool ok;
    std::uint16_t record, element;
  };
  for (const Case& c : {Case{"bb33,14", true, 33, 14}, Case{"BB33.14", true, 33, 14}, Case{"  bB33.14", true, 33, 14},
                        Case{"Bb 33 , 0", true, 33, 0}, Case{"BB0.14", false, 0, 0}, Case{"B33.14", false, 0, 0},
                        Case{"bb33x14", false, 0, 0}, Case{"bb33.", false, 0, 0}, Case{"bb.14", false, 0, 0},
                        Case{"bb99999.1", false, 0, 0}, Case{"", false, 0, 0}}) {
    std::uint16_t r = 0;
    std::uint16_t e = 0;
    EXPECT_EQ(ilink::ParseScopeReference(c.text, &r, &e), c.ok ? 1 : 0) << c.text;
    if (c.ok) {
      EXPECT_EQ(r, c.record) << c.text;
      EXPECT_EQ(e, c.element) << c.text;
    }
  }
}

TEST_F(ScopeTest, ChannelSignalChoices) {
  // A table signal.
  ASSERT_EQ(ilink::SetScopeChannelSignal(2, ListEntryOfRow(7), "", kSet), 0);
  EXPECT_EQ(ReadWord(454, 20), 33);
  EXPECT_EQ(ReadWord(454, 22), 32);
  EXPECT_EQ(ilink::GetScopeSignalSelection(2, kSet), ListEntryOfRow(7));
  // User-defined: a direct reference, and the text the user gave is the channel's name.
  const std::uint16_t user = ListEntryOfRow(ilink::kScopeUserDefinedRow);
  ASSERT_EQ(ilink::SetScopeChannelSignal(3, user, "bb33,14", kSet), 0);
  EXPECT_EQ(ReadWord(454, 24), 33);
  EXPECT_EQ(ReadWord(454, 26), 14);
  std::string name;
  std::string text;
  ASSERT_EQ(ilink::GetScopeSignalTexts(3, &name, &text, kSet), 0);
  EXPECT_EQ(name, "E00 I-motor");  // the pair is a table signal: its own name
  ASSERT_EQ(ilink::SetScopeChannelSignal(3, user, "BB33.124", kSet), 0);
  ASSERT_EQ(ilink::GetScopeSignalTexts(3, &name, &text, kSet), 0);
  EXPECT_EQ(name, "BB33.124");
  EXPECT_EQ(text, "BB33.124");
  EXPECT_EQ(ilink::GetScopeSignalSelection(3, kSet), user);
  // Nothing sampleable: an absent element, one the firmware lacks (family 2 only), a text element, a block,
  // record 0.
  for (const char* code : {"BB33.1", "BB520.66", "BB317.324", "BB453.0", "BB0.0", "", "nonsense"}) {
    ASSERT_EQ(ilink::SetScopeChannelSignal(3, user, code, kSet), 0) << code;
    EXPECT_EQ(ReadWord(454, 24), 0) << code;
    EXPECT_EQ(ReadWord(454, 26), 0) << code;
  }
  // Inactive switches the channel off.
  ASSERT_EQ(ilink::SetScopeChannelSignal(2, 0, "", kSet), 0);
  EXPECT_EQ(ReadWord(454, 20), 0);
}

TEST_F(ScopeTest, ChannelSignalRefusals) {
  scope_test::WriteWord(454, 40, 33);
  // Channel 8 would write past the record's 44 bytes.
  EXPECT_EQ(ilink::SetScopeChannelSignal(8, 1, "", kSet), 18);
  EXPECT_EQ(ilink::SetScopeChannelSignal(200, 1, "", kSet), 18);
  EXPECT_EQ(ilink::SetScopeChannelSignal(0, 126, "", kSet), 20);
  EXPECT_EQ(ilink::SetScopeChannelSignal(0, 1, "", 3), 1);
  EXPECT_EQ(ReadWord(454, 40), 33);
  std::vector<std::string> names;
  EXPECT_EQ(ilink::GetScopeSignalNames(8, &names, kSet), 18);
  EXPECT_EQ(ilink::GetScopeSignalNames(0, &names, 3), 1);
  std::vector<ilink::ScopeSignalInfo> rows(9);
  EXPECT_EQ(ilink::GetScopeSignalRows(8, rows, kSet), 18);
  EXPECT_EQ(ilink::GetScopeSignalRows(7, rows, 3), 1);
}

TEST_F(ScopeTest, SignalListByAccessLevel) {
  std::vector<std::string> names;
  scope_test::WriteByte(305, 11, 0, 0);
  ASSERT_EQ(ilink::GetScopeSignalNames(0, &names, kSet), 0);
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0], "inactive");
  EXPECT_LE(names.size(), ilink::ScopeSignalListSize());
  const std::size_t plain = names.size();
  EXPECT_EQ(std::count(names.begin(), names.end(), "Debug 1"), 0);
  scope_test::WriteByte(305, 11, 2, 0);
  ASSERT_EQ(ilink::GetScopeSignalNames(0, &names, kSet), 0);
  EXPECT_EQ(names.size(), plain + 2);
  EXPECT_EQ(std::count(names.begin(), names.end(), "Debug 1"), 1);
  EXPECT_LE(names.size(), ilink::ScopeSignalListSize());
  scope_test::WriteByte(305, 11, 0, 0);
}

// The list follows the firmware letter: older firmware offers fewer signals (no positioning before 'C');
// family 2 shows relay 2 as a binary output.
TEST_F(ScopeTest, SignalListByVersionAndFamily) {
  std::vector<std::string> names;
  ASSERT_EQ(ilink::GetScopeSignalNames(0, &names, kSet), 0);
  const std::size_t current = names.size();
  EXPECT_EQ(std::count(names.begin(), names.end(), "I80 act.posi."), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "E18 relay 2"), 1);
  for (const std::uint16_t record : {5, 304}) {
    scope_test::WriteByte(record, 5, 'A');
    scope_test::WriteByte(record, 0, 2);
  }
  ASSERT_EQ(ilink::GetScopeSignalNames(0, &names, kSet), 0);
  EXPECT_LT(names.size(), current);
  EXPECT_EQ(std::count(names.begin(), names.end(), "I80 act.posi."), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "E18 relay 2"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "E18 BA 2"), 1);
  EXPECT_EQ(names[0], "inactive");
}

TEST_F(ScopeTest, TriggerChoiceAndLevel) {
  // A fixed device-state condition.
  ASSERT_EQ(ilink::SetScopeTrigger(2, "", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerSelection(kSet), 2);
  EXPECT_EQ(ReadWord(454, 8), 33);
  EXPECT_EQ(ReadWord(454, 10), 67);
  EXPECT_EQ(ReadWord(454, 4), 4);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), 0.0);  // a condition has no level
  EXPECT_EQ(ilink::SetScopeTriggerLevel("3", kSet), 6);

  // A signal level: E00 I-motor.
  const std::uint16_t row = ilink::kScopeFixedTriggerRows;  // signal row 1
  ASSERT_EQ(ilink::SetScopeTrigger(row, "", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerSelection(kSet), row);
  EXPECT_EQ(ReadWord(454, 4), 0);  // level cleared with the new signal
  std::uint8_t before[2] = {};
  ASSERT_EQ(model::ReadElement(33, 14, before, model::kModeRaw, kSet), 0);
  const std::uint16_t changes = model::ChangeListCount(kSet, 0);
  ASSERT_EQ(ilink::SetScopeTriggerLevel(" 2,5 ", kSet), 0);
  // The trigger element itself and the change list stay as they were.
  std::uint8_t after[2] = {};
  ASSERT_EQ(model::ReadElement(33, 14, after, model::kModeRaw, kSet), 0);
  EXPECT_EQ(before[0], after[0]);
  EXPECT_EQ(before[1], after[1]);
  EXPECT_EQ(model::ChangeListCount(kSet, 0), changes);
  EXPECT_NEAR(ilink::GetScopeTriggerLevel(kSet), 2.5, 0.051);
  ASSERT_EQ(ilink::SetScopeTriggerLevel("-1.5", kSet), 0);
  EXPECT_NEAR(ilink::GetScopeTriggerLevel(kSet), -1.5, 0.051);
  EXPECT_EQ(ilink::SetScopeTriggerLevel("abc", kSet), 6);
  EXPECT_EQ(ilink::SetScopeTriggerLevel("1.5x", kSet), 6);
  // Choosing the same signal again keeps the level; another signal clears it.
  const double kept = ilink::GetScopeTriggerLevel(kSet);
  ASSERT_EQ(ilink::SetScopeTrigger(row, "", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), kept);
  ASSERT_EQ(ilink::SetScopeTrigger(row + 1, "", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), 0.0);

  EXPECT_EQ(ilink::SetScopeTrigger(133, "", kSet), 20);
  EXPECT_EQ(ilink::SetScopeTrigger(0, "", 3), 1);
}

// Levels of unsigned elements are not sign-extended; values beyond the element's range are held at its ends.
TEST_F(ScopeTest, TriggerLevelOfUnsignedElements) {
  ASSERT_EQ(ilink::SetScopeTrigger(ilink::kScopeUserDefinedTrigger, "BB33.142", kSet), 0);  // u16
  EXPECT_EQ(ilink::GetScopeTriggerSelection(kSet), ilink::kScopeUserDefinedTrigger);
  ASSERT_EQ(ilink::SetScopeTriggerLevel("65535", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), 65535.0);
  ASSERT_EQ(ilink::SetScopeTriggerLevel("70000", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), 65535.0);
  ASSERT_EQ(ilink::SetScopeTriggerLevel("-3", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), 0.0);
  ASSERT_EQ(ilink::SetScopeTrigger(ilink::kScopeUserDefinedTrigger, "BB448.31", kSet), 0);  // i8
  ASSERT_EQ(ilink::SetScopeTriggerLevel("-3", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerLevel(kSet), -3.0);

  ASSERT_EQ(ilink::BuildScopeUnitTexts(kSet), 0);
  std::uint8_t decimals = 9;
  std::string unit;
  EXPECT_EQ(ilink::GetScopeTriggerUnit(&decimals, &unit), 1);
  ASSERT_EQ(ilink::SetScopeTrigger(0, "", kSet), 0);
  ASSERT_EQ(ilink::BuildScopeUnitTexts(kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerUnit(&decimals, &unit), 0);
}

// The user-defined trigger's code field: the text it was given while it still names the trigger's pair, else the
// pair as a reference; nothing for any other trigger.
TEST_F(ScopeTest, UserDefinedTriggerCodeText) {
  std::string text = "old";
  ASSERT_EQ(ilink::SetScopeTrigger(ilink::kScopeUserDefinedTrigger, "bb33.142", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerText(&text, kSet), 0);
  EXPECT_EQ(text, "bb33.142");
  // Record 454 names another pair (a project loaded): the reference names it.
  scope_test::WriteWord(454, 8, 448);
  scope_test::WriteWord(454, 10, 31);
  EXPECT_EQ(ilink::GetScopeTriggerText(&text, kSet), 0);
  EXPECT_EQ(text, "BB448.31");
  ASSERT_EQ(ilink::SetScopeTrigger(0, "", kSet), 0);
  EXPECT_EQ(ilink::GetScopeTriggerText(&text, kSet), 0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(ilink::GetScopeTriggerText(&text, 9), 1);
}

}  // namespace
