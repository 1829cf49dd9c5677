#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/element_access.h"
#include "model/motor_rows.h"
#include "model/range_from_pair.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using testing::Fakes;
using testing::ModelTest;

class ElementDefaultsTest : public ModelTest {};

TEST_F(ElementDefaultsTest, ModesSetsAndAbsentElements) {
  std::uint8_t out[1024] = {};
  EXPECT_EQ(ReadDefaultElement(300, 0, out, kModeRaw9, 0), 2);
  EXPECT_EQ(ReadDefaultElement(300, 0, out, kModeWriteUnchecked, 0), 2);
  EXPECT_EQ(ReadDefaultElement(300, 0, out, kModeRaw, 2), 1);
  EXPECT_EQ(ReadDefaultElement(300, 1, out, kModeRaw, 0), 3);
  EXPECT_EQ(ReadDefaultElement(300, 0, out, kModeConverted, 0), 3) << "no descriptor";
}

TEST_F(ElementDefaultsTest, StringDefaultsAreTheDefaultStringWithTheComputedTextOverIt) {
  char text[32];
  std::memset(text, '#', sizeof text);
  ASSERT_EQ(ReadDefaultElement(300, 2, text, kModeRaw, 0), 0);
  EXPECT_STREQ(text, "ZPR-TOOL.EXE");
  EXPECT_EQ(text[17], '#');
  ASSERT_EQ(ReadDefaultElement(302, 2, text, kModeReadConverted, 0), 0) << "any served mode";
  EXPECT_STREQ(text, "Projekt._ZPR");
}

TEST_F(ElementDefaultsTest, NumberDefaultsComeFromTheImageAndConvertInTheConvertedModes) {
  testing::InstallFakeTables();
  testing::InstallDescriptors({{4, 0, 3, 2.0}});
  const std::uint8_t* image = RecordDefaultImage(4);
  ASSERT_NE(image, nullptr);
  std::uint8_t raw = 0xEE;
  ASSERT_EQ(ReadDefaultElement(4, 0, &raw, kModeRaw, 0), 0);
  EXPECT_EQ(raw, image[0]);
  Fakes().converter_factor = 2.0;
  double shown = -1;
  ASSERT_EQ(ReadDefaultElement(4, 0, &shown, kModeConverted, 1), 0);
  EXPECT_EQ(shown, 2.0 * image[0]);
  ASSERT_EQ(Fakes().conversions.size(), 1u);
  EXPECT_EQ(Fakes().conversions[0].direction, 1);
  EXPECT_EQ(Fakes().conversions[0].set, 1);
  const std::uint8_t changed = 'A';
  ASSERT_EQ(WriteElement(4, 0, &changed, kModeRaw, 0), 0);
  ASSERT_EQ(ReadDefaultElement(4, 0, &raw, kModeRaw, 0), 0);
  EXPECT_EQ(raw, image[0]) << "the default, not the stored value";
}

TEST_F(ElementDefaultsTest, RecordsWithoutImageDefaultToZero) {
  const auto e = testing::FindElementOfType(kTypeU8);
  ASSERT_TRUE(e);
  const auto table = RecordLayoutTable();
  for (std::uint16_t r = 0; table[r].record != 0; ++r) {
    if (RecordDefaultImage(table[r].record) || !IsNumberType(table[r].type)) continue;
    if (table[r].record == 42 || table[r].record == 43) continue;
    const std::uint16_t element = ElementIndexInRecord(table[r].record, r);
    std::uint8_t stored[8];
    std::memset(stored, 0xEE, sizeof stored);
    ASSERT_EQ(WriteElement(table[r].record, element, stored, kModeRaw, 0), 0);
    ASSERT_EQ(ReadDefaultElement(table[r].record, element, stored, kModeRaw, 0), 0);
    for (std::uint16_t i = 0; i < ElementTypeSize(table[r].type); ++i) EXPECT_EQ(stored[i], 0);
    return;
  }
}

TEST_F(ElementDefaultsTest, MotorDataDefaultsToTheDefaultMotorRowOfTheTargetDevice) {
  // The initialised target: device type 55, version letter 'E' (the second table).
  const std::uint8_t* row = BuiltInMotorRow(MotorRowForDefaults(DefaultMotorOfDeviceType(55), 'E'));
  ASSERT_NE(row, nullptr);
  for (const std::uint16_t record : {std::uint16_t{42}, std::uint16_t{43}}) {
    for (const std::uint16_t element : {std::uint16_t{2}, std::uint16_t{4}, std::uint16_t{29}}) {
      std::uint8_t out[8];
      std::memset(out, 0xEE, sizeof out);
      ASSERT_EQ(ReadDefaultElement(record, element, out, kModeRaw, 0), 0);
      for (std::uint16_t i = 0; i < ElementTypeSize(GetElementType(record, element)); ++i) {
        EXPECT_EQ(out[i], row[element + i]) << record << "/" << element;
      }
    }
  }
}

TEST_F(ElementDefaultsTest, LimitsComeFromTheRangeFunctionInTheStoredOrTheShownForm) {
  testing::InstallDescriptors({{300, 37}, {300, 0}});
  ASSERT_EQ(GetElementType(300, 37), kTypeU16);
  std::uint16_t raw = 0;
  ASSERT_EQ(GetElementUpperLimit(300, 37, &raw, kModeRaw, 0), 0);
  EXPECT_EQ(raw, 65535) << "pair 0 clamped to the 16-bit top";
  ASSERT_EQ(GetElementLowerLimit(300, 37, &raw, kModeRaw, 0), 0);
  EXPECT_EQ(raw, 0);
  double shown = -1;
  ASSERT_EQ(GetElementUpperLimit(300, 37, &shown, kModeConverted, 0), 0);
  EXPECT_EQ(shown, 65535.0);
  shown = -1;
  EXPECT_EQ(GetElementUpperLimit(300, 37, &shown, kModeReadConverted, 0), 0);
  EXPECT_EQ(shown, -1) << "other modes write nothing";
  EXPECT_EQ(GetElementUpperLimit(300, 37, &raw, kModeRaw, 2), 1);
  EXPECT_EQ(GetElementUpperLimit(300, 2, &raw, kModeRaw, 0), 3) << "no descriptor";
  testing::InstallDescriptors({{300, 2}});
  EXPECT_EQ(GetElementUpperLimit(300, 2, &raw, kModeRaw, 0), 3) << "a text has no limit";
}

TEST_F(ElementDefaultsTest, LimitsReportRefusalsOfTheRangeFunctionAndOfTheConverter) {
  testing::InstallFakeTables();
  testing::InstallDescriptors({{300, 37}});
  Fakes().range_answer = 12;
  std::uint16_t raw = 0;
  EXPECT_EQ(GetElementUpperLimit(300, 37, &raw, kModeRaw, 0), 3);
  ASSERT_EQ(Fakes().ranges.size(), 1u);
  EXPECT_EQ(Fakes().ranges[0].which, 1);
  Fakes().range_answer = 0;
  Fakes().converter_answer = 13;
  double shown = -1;
  EXPECT_EQ(GetElementLowerLimit(300, 37, &shown, kModeConverted, 0), 13);
  EXPECT_EQ(shown, -1) << "no undefined limit is handed out";
  EXPECT_EQ(Fakes().ranges.back().which, 2);
  testing::InstallDescriptors({{300, 37, 35}});
  EXPECT_EQ(GetElementLowerLimit(300, 37, &shown, kModeConverted, 0), 12);
}

TEST_F(ElementDefaultsTest, ConvertElementValue) {
  testing::InstallFakeTables();
  testing::InstallDescriptors({{300, 37, 9, 50.0, 2}, {300, 2}});
  Fakes().converter_factor = 3.0;
  double value = 2.0;
  ASSERT_EQ(ConvertElementValue(&value, 0, 300, 37, 1, 0), 0);
  EXPECT_EQ(value, 6.0);
  EXPECT_EQ(Fakes().conversions.back().decimals, 2);
  EXPECT_EQ(Fakes().conversions.back().direction, 0);
  ASSERT_EQ(ConvertElementValue(&value, 1, 300, 37, 1, 1), 0);
  EXPECT_EQ(Fakes().conversions.back().decimals, 255) << "raw attributes";
  EXPECT_EQ(Fakes().conversions.back().direction, 1);
  Fakes().converter_answer = 13;
  value = 5.0;
  EXPECT_EQ(ConvertElementValue(&value, 1, 300, 37, 0, 0), 3);
  EXPECT_EQ(value, 5.0);
  EXPECT_EQ(ConvertElementValue(&value, 1, 300, 2, 0, 0), 3) << "a string";
  EXPECT_EQ(ConvertElementValue(&value, 1, 300, 39, 0, 0), 3) << "no descriptor";
  EXPECT_EQ(ConvertElementValue(&value, 1, 300, 1, 0, 0), 3);
  testing::InstallDescriptors({{300, 37, 35}});
  EXPECT_EQ(ConvertElementValue(&value, 1, 300, 37, 0, 0), 12);
}

TEST_F(ElementDefaultsTest, IsElementAvailable) {
  testing::InstallFakeTables();
  EXPECT_EQ(IsElementAvailable(300, 37, 0), 0);
  ASSERT_EQ(Fakes().checks.size(), 1u);
  Fakes().check_answer = 5;
  EXPECT_EQ(IsElementAvailable(300, 37, 1), 1);
  EXPECT_EQ(IsElementAvailable(300, 37, 2), 1);
  EXPECT_EQ(IsElementAvailable(300, 38, 0), 1);
  EXPECT_EQ(Fakes().checks.size(), 2u);
}

TEST(MotorRowForDefaultsTest, TableChoiceAndBounds) {
  struct Case {
    std::uint8_t motor, letter, row;
  };
  for (const Case& c : {Case{15, 'D', 15}, Case{15, 'E', 45}, Case{15, 'F', 15}, Case{0, 'E', 30}, Case{29, 'E', 59},
                        Case{39, 'E', 69}, Case{40, 'E', 255}, Case{59, 'A', 59}, Case{60, 'E', 60},
                        Case{69, 0, 69}, Case{70, 'A', 255}, Case{255, 'E', 255}}) {
    EXPECT_EQ(MotorRowForDefaults(c.motor, c.letter), c.row) << int(c.motor) << " " << c.letter;
  }
}

struct PairCase {
  std::uint8_t type;
  RangePair pair;
  std::int64_t value;
  std::uint8_t status;
};

TEST(RangeFromPairTest, ChecksSignedAndUnsignedByType) {
  const PairCase cases[] = {
      {kTypeU8, {0, 255}, 255, 0},          {kTypeU8, {1, 255}, 0, 5},           {kTypeU8, {0, 100}, 101, 4},
      {kTypeI8, {-13, 13}, -14, 5},         {kTypeI8, {-13, 13}, -13, 0},        {kTypeI16, {-410, 410}, 411, 4},
      {kTypeI16, {-410, 410}, -410, 0},     {kTypeU16, {0, 65535}, 65535, 0},    {kTypeU16, {103, 4095}, 102, 5},
      {kTypeU32, {0, -1}, 4294967295, 0},   {kTypeU32, {0, 2147483647}, 2147483648, 4},
      {kTypeI32, {-2147483647, 2147483647}, -2147483647 - 1, 5},
      {kTypeU16, {-32768, 32767}, 5, 0},  // a negative minimum counts as 0 for an unsigned type
      {kTypeU8Unused, {1, 1}, 200, 0},
  };
  for (const PairCase& c : cases) {
    std::uint8_t stored[8] = {};
    std::memcpy(stored, &c.value, ElementTypeSize(c.type));
    EXPECT_EQ(RangeFromPair(stored, &c.pair, c.type, 0, 0), c.status) << int(c.type) << " " << c.value;
  }
  const RangePair pair{-5, 10};
  const float f = 10.9f;
  EXPECT_EQ(RangeFromPair(const_cast<float*>(&f), &pair, kTypeF32, 0, 0), 0) << "floats by their whole part";
  const double d = -5.5;
  EXPECT_EQ(RangeFromPair(const_cast<double*>(&d), &pair, kTypeF64, 0, 0), 0);
  const double big = 11.0;
  EXPECT_EQ(RangeFromPair(const_cast<double*>(&big), &pair, kTypeF64, 0, 0), 4);
}

TEST(RangeFromPairTest, LimitsAreClampedAndWrittenInTheElementWidth) {
  auto limit = [](std::uint8_t type, RangePair pair, std::uint8_t which) {
    std::uint8_t out[8];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(RangeFromPair(out, &pair, type, 0, which), 0);
    std::int64_t v = 0;
    std::memcpy(&v, out, ElementTypeSize(type));
    if (type == kTypeI8) return static_cast<std::int64_t>(static_cast<std::int8_t>(out[0]));
    if (type == kTypeI16) {
      std::int16_t s;
      std::memcpy(&s, out, 2);
      return static_cast<std::int64_t>(s);
    }
    return v;
  };
  EXPECT_EQ(limit(kTypeU8, {0, 65535}, 1), 255);
  EXPECT_EQ(limit(kTypeU16, {0, -1}, 1), 65535);
  EXPECT_EQ(limit(kTypeU32, {0, -1}, 1), 4294967295);
  EXPECT_EQ(limit(kTypeI8, {-128, 255}, 1), 127);
  EXPECT_EQ(limit(kTypeI8, {-13, 13}, 2), -13);
  EXPECT_EQ(limit(kTypeI16, {-32768, 32767}, 2), -32767);  // the lowest value a write accepts
  EXPECT_EQ(limit(kTypeI16, {0, 100000}, 1), 32767);
  EXPECT_EQ(limit(kTypeU8Unused, {5, 9}, 1), 0);
  double f = 7;
  const RangePair pair{5, 9};
  EXPECT_EQ(RangeFromPair(&f, &pair, kTypeF64, 0, 1), 0);
  EXPECT_EQ(f, 9.0);  // floats get the pair's limits, as their check uses the pair
}

TEST(RangePairTableTest, HoldsEveryPair) {
  const auto& pairs = RangePairTable();
  ASSERT_EQ(pairs.size(), 196u);
  struct Expected {
    std::size_t index;
    std::int32_t min, max;
  };
  for (const Expected& e : {Expected{0, -2147483647 - 1, 2147483647}, Expected{6, 0, -1}, Expected{12, 103, 4095},
                            Expected{18, 0, 16383}, Expected{32, -410, 410}, Expected{61, 7372, 9011},
                            Expected{109, -32767, 32767}, Expected{120, 2000, 6000000},
                            Expected{147, -2147483647, 2147483647}, Expected{193, -2, 0}, Expected{195, 100, 2000}}) {
    ASSERT_NE(pairs[e.index], nullptr);
    EXPECT_EQ(pairs[e.index]->min, e.min) << e.index;
    EXPECT_EQ(pairs[e.index]->max, e.max) << e.index;
  }
  for (const auto* p : pairs) ASSERT_NE(p, nullptr);
  const auto& functions = RangeTable();
  EXPECT_EQ(functions[0], &RangeFromPair);
  EXPECT_EQ(functions[1], &RangeFromPair);
  EXPECT_EQ(functions[3], &RangeFromPair);
}

}  // namespace
}  // namespace model
