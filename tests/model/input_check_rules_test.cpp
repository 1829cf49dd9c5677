// The rule stage of the input check: per rule a data set that fires only that rule, for families 1 and 2,
// and the hints of every family. The menu lists are emptied so that only the rules report.
#include "model/input_check.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/descriptor.h"
#include "model/menu_list_table.h"
#include "upgrade_fixture.h"

namespace model {
namespace {

using upgrade_test::Put;

struct Value {
  std::uint16_t record;
  std::uint16_t element;
  double value;
};

const std::string kIncrements = "F36 encoder-increment too high for C01 n-Max";
const std::string kFeedback = "F34 o.F35 not correct for B20=2:vect.feedback";
const std::string kDirection =
    "If one BE is set to '14: ccw V3.2' then the other BE has to be set to '14: cw V3.2' an no BE has set to "
    "'6:dirOfRotat', '8:halt' or '9:quick stop'!";
const std::string kX20 =
    "Error in parametrisation of H20 X20-Function. Function does't fit to zu B26 motor-encoder or G27 "
    "synchron-encoder or I02 posi.encoder";
const std::string kConflict =
    "conflict at encoder-access or error at parametrisation of SinCos-Encoder: check H20, H40, B26, F31, F32!";
const std::string kBinary =
    "BE encoder: If by ZPR B20=2 setted, encodersignal has to acchive to BE1/2 or optional board. By QWM F31/F32 "
    "don't match to G27 or I02 (If G27 or I02=0, F31/32 has set to encoder, if G27 or I01=1, F31/32 must not "
    "encoder!)";
const std::string kAnalog = "F20 AE2-Funktion mu\xDF anders als F25 AE1-Funktion parametriert sein";
const std::string kTargetWindow =
    "Hint: I22 target window is greater or equal as I23 dead band pos. control. This may cause trouble by "
    "positioning.";
const std::string kCircular =
    "I01 circular length is zero or after calculation in internal increments zu high. Change I01 or I07, I08!";

struct RuleCase;

class RuleStageTest : public testing::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
  }
  // A fresh data set of the family (its family change run with the program's descriptors), with the given
  // values written raw; then the menu lists emptied.
  void Fresh(std::uint8_t family, const std::vector<Value>& values) {
    SetMenuListTableForTest({});
    ASSERT_EQ(InitDataSet(0), 0);
    const double f = family;
    ASSERT_EQ(WriteElement(304, 0, &f, kModeWriteUnchecked, 0), 0);
    for (const Value& v : values) Put(v.record, v.element, v.value);
    SetMenuListTableForTest(slots_);
  }
  void RunCases(std::uint8_t family, const std::vector<RuleCase>& cases);
  static std::vector<std::string> Lines(std::uint8_t expected_status = 0) {
    std::vector<char> report(kInputCheckReportSize);
    std::uint16_t count = 0;
    EXPECT_EQ(CheckParameterSet(0, &count, report.data(), kInputCheckReportSize), expected_status);
    std::vector<std::string> lines;
    const char* p = report.data();
    for (std::uint16_t i = 0; i < count; ++i, p += lines.back().size() + 1) lines.emplace_back(p);
    return lines;
  }
  static constexpr const char* kNoName[] = {""};
  static constexpr ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, kNoName}};
  std::array<MenuListSlot, kMenuListSlots> slots_{};
};

struct RuleCase {
  const char* name;
  std::vector<Value> values;
  std::vector<std::string> expected;
};

void RuleStageTest::RunCases(std::uint8_t family, const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh(family, c.values);
    EXPECT_EQ(Lines(), c.expected);
  }
}


TEST_F(RuleStageTest, FamilyOneRules) {
  // B20 2 and B26 0 in set 1 with F34/F35 as the vector feedback wants them.
  const std::vector<Value> feedback = {{40, 6, 2}, {40, 15, 0}, {34, 22, 14}, {34, 23, 15}};
  auto with = [&](std::vector<Value> more) {
    std::vector<Value> v = feedback;
    v.insert(v.end(), more.begin(), more.end());
    return v;
  };
  RunCases(1, {
      {"fresh", {}, {}},
      {"feedback wired", feedback, {}},
      {"increments", with({{42, 26, 1}, {38, 2, 3000}, {34, 30, 4096}}), {"P1." + kIncrements}},
      {"increments at the limit", with({{42, 26, 1}, {38, 2, 1600}, {34, 30, 4096}}), {}},
      {"no pole pairs", with({{42, 26, 0}, {38, 2, 1}, {34, 30, 1}}), {"P1." + kIncrements}},
      {"BE5 not wired, both sets",
       {{40, 6, 2}, {40, 15, 0}, {34, 22, 14}, {34, 23, 0}, {41, 6, 2}, {41, 15, 0}, {35, 22, 14}, {35, 23, 0}},
       {"P1." + kFeedback, "P2." + kFeedback}},
      {"one direction input", {{35, 19, 14}, {35, 20, 0}}, {"P2." + kDirection}},
      {"both direction inputs", {{34, 19, 14}, {34, 20, 14}}, {}},
      {"both direction inputs and halt", {{34, 19, 14}, {34, 20, 14}, {34, 23, 8}}, {"P1." + kDirection}},
      {"X20 without the encoder function", {{304, 3, 5}, {40, 6, 2}, {40, 15, 1}, {34, 63, 0}}, {"P1." + kX20}},
      {"X20 with it", {{304, 3, 5}, {40, 6, 2}, {40, 15, 1}, {34, 63, 1}}, {}},
      {"X20 on another board", {{304, 3, 4}, {40, 6, 2}, {40, 15, 1}, {34, 63, 0}}, {}},
      {"gear from X20", {{304, 3, 6}, {47, 9, 1}, {47, 40, 1}, {35, 63, 1}}, {"P2." + kX20}},
      {"positioning from X20", {{304, 3, 7}, {38, 56, 2}, {512, 86, 1}, {34, 63, 5}}, {}},
  });
}

TEST_F(RuleStageTest, ReverseDocumentationReadsTheBoardOfRecordFive) {
  const std::vector<Value> x20_unset = {{302, 0, kFileKindReverseDoc}, {5, 0, 1}, {40, 6, 2}, {40, 15, 1},
                                        {34, 63, 0}};
  auto with = [&](double board5, double board304) {
    std::vector<Value> v = x20_unset;
    v.push_back({5, 3, board5});
    v.push_back({304, 3, board304});
    return v;
  };
  RunCases(1, {{"record 5 board", with(5, 0), {"P1." + kX20}}, {"record 304 board ignored", with(0, 5), {}}});
}

TEST_F(RuleStageTest, FamilyTwoRules) {
  // H40 1 keeps rule 1 quiet; every case names what it changes.
  RunCases(2, {
      {"fresh", {}, {}},
      {"SinCos with X41 off", {{40, 15, 3}, {59, 9, 0}}, {"P1." + kConflict}},
      {"SinCos alone", {{40, 15, 3}, {59, 9, 1}, {34, 63, 0}, {34, 19, 0}, {34, 20, 0}}, {}},
      {"gear from inputs not wired", {{46, 9, 1}, {46, 40, 0}, {59, 9, 0}, {34, 19, 0}, {34, 20, 0}},
       {"P1." + kBinary}},
      {"gear from inputs wired", {{46, 9, 1}, {46, 40, 0}, {59, 9, 0}, {34, 63, 0}, {34, 19, 14}, {34, 20, 15}}, {}},
      {"gear from X41 not set", {{47, 9, 1}, {47, 40, 2}, {60, 9, 0}}, {"P2." + kConflict}},
      {"positioning from X41 not set", {{38, 56, 2}, {512, 86, 3}, {59, 9, 0}}, {"P1." + kConflict}},
      {"positioning with I02 2", {{38, 56, 3}, {512, 86, 2}, {59, 9, 0}}, {}},
      {"one encoder input", {{34, 19, 14}, {34, 20, 0}, {59, 9, 0}}, {"P1." + kBinary}},
      {"encoder pair with X41", {{34, 19, 15}, {34, 20, 14}, {59, 9, 2}}, {"P1." + kConflict}},
      {"direction inputs 3 and 4", {{35, 21, 14}, {35, 22, 0}}, {"P2." + kDirection}},
      {"equal analog functions", {{34, 24, 3}, {34, 62, 3}}, {"P1." + kAnalog}},
      {"both analog functions off", {{34, 24, 0}, {34, 62, 0}}, {}},
  });
}

TEST_F(RuleStageTest, HintsOfEveryFamily) {
  for (const std::uint8_t family : {1, 2, 3}) {
    SCOPED_TRACE(int(family));
    Fresh(family, {});
    const double nominal = GetDeviceNominalCurrent(0);
    const std::int64_t over_110 = static_cast<std::int64_t>(nominal * 110.0) + 1;
    const std::int64_t at_107 = static_cast<std::int64_t>(nominal * 107.0);
    Put(42, 4, static_cast<double>(over_110));
    Put(43, 4, static_cast<double>(at_107));
    Put(512, 12, 50);
    Put(512, 92, 50);
    Put(512, 48, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Hint: P1.B12 I-nominal is higher then ZPR-device nominal current",
                                                 "Hint: P2.B12 I-nominal is higher then ZPR-device nominal current",
                                                 kTargetWindow, kCircular}));
  }
}

TEST_F(RuleStageTest, CircularLengthWithoutNumeratorOrBeyondThirtyTwoBits) {
  RunCases(1, {{"no numerator", {{512, 52, 0}}, {kCircular}},
               {"negative numerator counts by its size", {{512, 52, -4096}}, {}},
               {"product beyond 32 bits", {{512, 48, 2000000000}, {512, 56, 2000000000}, {512, 52, 1}}, {kCircular}}});
}

}  // namespace
}  // namespace model
