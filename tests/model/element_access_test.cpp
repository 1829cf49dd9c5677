#include "model/element_access.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/type_limits.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using testing::Call;
using testing::DescriptorRow;
using testing::ElementRef;
using testing::Fakes;
using testing::FindElementOfType;
using testing::ModelTest;

// Elements by type, picked from the layout so that the tests follow the table (record 305 kept apart).
ElementRef Need(std::uint8_t type) {
  const auto ref = FindElementOfType(type);
  EXPECT_TRUE(ref.has_value()) << "no element of type " << int(type);
  return ref.value_or(ElementRef{0, 0, 0});
}

std::vector<std::uint8_t> StoredBytes(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  const std::uint8_t* p = ElementAddress(record, element, set);
  return {p, p + ElementTypeSize(GetElementType(record, element))};
}

std::uint8_t WriteValue(std::uint16_t record, std::uint16_t element, double value, std::uint8_t mode = kModeConverted,
                        std::uint8_t set = 0) {
  return WriteElement(record, element, &value, mode, set);
}

class ElementAccessTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    testing::InstallFakeTables();
  }
};

TEST_F(ElementAccessTest, ModesNotServedAndBadAddresses) {
  testing::InstallDescriptors({{300, 0}});
  std::uint8_t buffer[1024] = {};
  EXPECT_EQ(ReadElement(300, 0, buffer, kModeWriteUnchecked, 0), 2);
  EXPECT_EQ(WriteElement(300, 0, buffer, kModeReadConverted, 0), 2);
  for (const std::uint8_t mode : {0, 1, 2, 3, 4, 10, 255}) {
    EXPECT_EQ(ReadElement(300, 0, buffer, mode, 0), 2) << int(mode);
    EXPECT_EQ(WriteElement(300, 0, buffer, mode, 0), 2) << int(mode);
  }
  EXPECT_EQ(ReadElement(300, 0, buffer, kModeRaw, 2), 1);
  EXPECT_EQ(WriteElement(300, 0, buffer, kModeConverted, 2), 1);
  EXPECT_EQ(ReadElement(300, 1, buffer, kModeRaw, 0), 3);
  EXPECT_EQ(WriteElement(303, 0, buffer, kModeRaw, 0), 3);
  EXPECT_TRUE(Fakes().checks.empty());
}

TEST_F(ElementAccessTest, ConvertedReadNeedsADescriptorRawReadDoesNot) {
  testing::InstallDescriptors({});
  double value = 0;
  EXPECT_EQ(ReadElement(300, 2, &value, kModeConverted, 0), 3);
  char text[17] = {};
  EXPECT_EQ(ReadElement(300, 2, text, kModeRaw, 0), 0);
  EXPECT_STREQ(text, "ZPR-TOOL.EXE");
  testing::InstallDescriptors({{300, 2}});
  std::memset(text, 0, sizeof text);
  EXPECT_EQ(ReadElement(300, 2, text, kModeReadConverted, 0), 0) << "strings pass as their stored bytes";
  EXPECT_STREQ(text, "ZPR-TOOL.EXE");
  EXPECT_TRUE(Fakes().conversions.empty());
}

TEST_F(ElementAccessTest, ConvertedReadRunsTheConverterInDirectionOne) {
  testing::InstallDescriptors({{300, 37, 12, 327.67, 2}});
  const std::uint16_t stored = 1234;
  ASSERT_EQ(WriteElement(300, 37, &stored, kModeRaw, 1), 0);
  Fakes().converter_factor = 0.5;
  Fakes().converter_answer = 13;
  double value = 0;
  EXPECT_EQ(ReadElement(300, 37, &value, kModeConverted, 1), 13) << "the converter's status";
  EXPECT_EQ(value, 617.0);
  ASSERT_EQ(Fakes().conversions.size(), 1u);
  const auto& c = Fakes().conversions[0];
  EXPECT_EQ(c.in, 1234.0);
  EXPECT_EQ(c.parameter, 327.67);
  EXPECT_EQ(c.type, GetElementType(300, 37));
  EXPECT_EQ(c.decimals, 2);
  EXPECT_EQ(c.direction, 1);
  EXPECT_EQ(c.set, 1);
  EXPECT_EQ(c.record, 300);
  testing::InstallDescriptors({{300, 37, 35}});
  EXPECT_EQ(ReadElement(300, 37, &value, kModeConverted, 1), 12) << "converter index beyond the table";
}

struct LimitCase {
  std::uint8_t type;
  double entered;
  std::uint8_t status;
  double stored;  // read back raw when accepted
};

class TypeLimitsTest : public ElementAccessTest, public ::testing::WithParamInterface<LimitCase> {};

double LoadRaw(const std::vector<std::uint8_t>& bytes, std::uint8_t type) {
  auto as = [&](auto v) {
    std::memcpy(&v, bytes.data(), sizeof v);
    return static_cast<double>(v);
  };
  switch (type) {
    case kTypeU8: return as(std::uint8_t{});
    case kTypeI8: return as(std::int8_t{});
    case kTypeU16: return as(std::uint16_t{});
    case kTypeI16: return as(std::int16_t{});
    case kTypeU32: return as(std::uint32_t{});
    case kTypeI32: return as(std::int32_t{});
    case kTypeF32: return as(float{});
    case kTypeF64: return as(double{});
  }
  return -999;
}

TEST_P(TypeLimitsTest, ConvertedValueAgainstTheTypeLimitsAndTruncation) {
  const LimitCase& c = GetParam();
  const auto ref = FindElementOfType(c.type);
  if (!ref) GTEST_SKIP() << "the layout has no element of type " << int(c.type);
  testing::InstallDescriptors({{ref->record, ref->element}});
  const auto before = StoredBytes(ref->record, ref->element);
  EXPECT_EQ(WriteValue(ref->record, ref->element, c.entered), c.status);
  const auto after = StoredBytes(ref->record, ref->element);
  if (c.status != 0) {
    EXPECT_EQ(after, before);
    EXPECT_TRUE(Fakes().actions.empty());
  } else {
    EXPECT_EQ(LoadRaw(after, c.type), c.stored);
  }
}

const LimitCase kLimitCases[] = {
        LimitCase{kTypeU8, 255.9, 0, 255}, LimitCase{kTypeU8, -0.5, 5, 0}, LimitCase{kTypeU8, 256.0, 4, 0},
        LimitCase{kTypeU8, 0.0, 0, 0}, LimitCase{kTypeU8, 17.99, 0, 17}, LimitCase{kTypeI8, -128.0, 0, -128},
        LimitCase{kTypeI8, -128.5, 5, 0}, LimitCase{kTypeI8, -127.9, 0, -127}, LimitCase{kTypeI8, 127.7, 0, 127}, LimitCase{kTypeI8, 128.0, 4, 0},
        LimitCase{kTypeU16, 65535.0, 0, 65535}, LimitCase{kTypeU16, 65535.5, 0, 65535}, LimitCase{kTypeU16, 65536.0, 4, 0},
        LimitCase{kTypeU16, -0.1, 5, 0}, LimitCase{kTypeI16, -32768.0, 5, 0},
        LimitCase{kTypeI16, -32767.0, 0, -32767}, LimitCase{kTypeI16, -32767.9, 5, 0},
        LimitCase{kTypeI16, -1.9, 0, -1}, LimitCase{kTypeI16, 32767.5, 0, 32767},
        LimitCase{kTypeI16, 32767.01, 0, 32767}, LimitCase{kTypeI16, 32768.0, 4, 0},
        LimitCase{kTypeU32, 4294967295.0, 0, 4294967295.0}, LimitCase{kTypeU32, 4294967296.0, 4, 0},
        LimitCase{kTypeI32, -2147483648.0, 5, 0}, LimitCase{kTypeI32, -2147483647.0, 0, -2147483647.0},
        LimitCase{kTypeI32, 2147483647.0, 0, 2147483647.0}, LimitCase{kTypeI32, 2147483648.0, 4, 0},
        LimitCase{kTypeF32, 1.1, 0, static_cast<double>(1.1f)}, LimitCase{kTypeF32, 1e39, 4, 0},
        LimitCase{kTypeF64, -1e300, 0, -1e300}};

INSTANTIATE_TEST_SUITE_P(Cases, TypeLimitsTest, ::testing::ValuesIn(kLimitCases));

TEST(TypeLimits, EveryCaseOnTheTypeAlone) {
  for (const LimitCase& c : kLimitCases) {
    EXPECT_EQ(TypeLimitStatus(c.entered, c.type), c.status) << int(c.type) << " " << c.entered;
  }
  EXPECT_EQ(TypeLimitStatus(-1.0, kTypeU8Unused), 5);
  EXPECT_EQ(TypeLimitStatus(-1e9, kTypeText16), 0);
}

TEST_F(ElementAccessTest, NonFiniteEntriesAndConversionsAreWrongValues) {
  const ElementRef e = Need(kTypeU16);
  testing::InstallDescriptors({{e.record, e.element}});
  const auto before = StoredBytes(e.record, e.element);
  for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(WriteValue(e.record, e.element, bad), 6);
  }
  EXPECT_TRUE(Fakes().conversions.empty()) << "refused before the converter";
  Fakes().converter_result = std::nan("");
  EXPECT_EQ(WriteValue(e.record, e.element, 5.0), 6);
  EXPECT_EQ(StoredBytes(e.record, e.element), before);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_TRUE(Fakes().actions.empty());
}

TEST_F(ElementAccessTest, StepOrderOfACheckedWrite) {
  const ElementRef e = Need(kTypeU16);
  testing::InstallDescriptors({{e.record, e.element, 4, 400.0, 1}});
  auto& fakes = Fakes();

  fakes.check_answer = 7;
  EXPECT_EQ(WriteValue(e.record, e.element, 3.0), 9) << "mode 5 asks the availability check first";
  EXPECT_EQ(fakes.checks, (std::vector<Call>{{e.record, e.element, 0}}));
  EXPECT_TRUE(fakes.conversions.empty());

  EXPECT_EQ(WriteValue(e.record, e.element, 3.0, kModeWriteUnchecked), 0) << "mode 6 does not ask it";
  EXPECT_EQ(fakes.checks.size(), 1u);
  ASSERT_EQ(fakes.conversions.size(), 1u);
  EXPECT_EQ(fakes.conversions[0].direction, 0);
  EXPECT_EQ(fakes.conversions[0].in, 3.0);
  EXPECT_EQ(fakes.conversions[0].parameter, 400.0);
  EXPECT_EQ(fakes.conversions[0].decimals, 1);
  EXPECT_EQ(fakes.actions, (std::vector<Call>{{e.record, e.element, 0}}));
  EXPECT_EQ(fakes.action_indices, (std::vector<std::uint8_t>{RecordLayoutTable()[e.row].action}));
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(e.record, e.element), 3);

  testing::InstallDescriptors({});
  fakes.check_answer = 0;
  EXPECT_EQ(WriteValue(e.record, e.element, 4.0), 3) << "no descriptor, after the check";
  EXPECT_EQ(fakes.checks.size(), 2u);
}

TEST_F(ElementAccessTest, ARefusingConverterStoresNothing) {
  const ElementRef e = Need(kTypeU8);
  testing::InstallDescriptors({{e.record, e.element}});
  auto& fakes = Fakes();
  fakes.converter_answer = 13;
  fakes.converter_result = 99.0;
  const auto before = StoredBytes(e.record, e.element);
  EXPECT_EQ(WriteValue(e.record, e.element, 99.0), 13);
  EXPECT_EQ(StoredBytes(e.record, e.element), before);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_TRUE(fakes.actions.empty());
  EXPECT_TRUE(fakes.ranges.empty());
  testing::InstallDescriptors({{e.record, e.element, 35}});
  fakes.converter_answer = 0;
  EXPECT_EQ(WriteValue(e.record, e.element, 1.0), 12);
}

TEST_F(ElementAccessTest, RangeCheckGetsTheStoredFormAndItsRefusalStoresNothing) {
  const auto e = testing::FindRangeCheckedElement();
  if (!e) GTEST_SKIP() << "the layout names no range check yet";
  const LayoutEntry& row = RecordLayoutTable()[e->row];
  testing::InstallDescriptors({{e->record, e->element}});
  auto& fakes = Fakes();
  fakes.converter_result = 1.0;
  fakes.range_answer = 4;
  const auto before = StoredBytes(e->record, e->element);
  const std::uint32_t previous_before = 0;
  EXPECT_EQ(WriteValue(e->record, e->element, 1.0), 4);
  EXPECT_EQ(StoredBytes(e->record, e->element), before);
  EXPECT_EQ(std::memcmp(PreviousElementValueBuffer(), &previous_before, 4), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_TRUE(fakes.actions.empty());
  ASSERT_EQ(fakes.ranges.size(), 1u);
  EXPECT_EQ(fakes.ranges[0].pair, RangePairTable()[row.b]);
  EXPECT_EQ(fakes.ranges[0].type, row.type);
  EXPECT_EQ(fakes.ranges[0].which, 0);
  std::vector<std::uint8_t> one(8, 0);
  if (IsFloatType(row.type)) {
    if (row.type == kTypeF32) {
      const float f = 1.0f;
      std::memcpy(one.data(), &f, 4);
    } else {
      const double d = 1.0;
      std::memcpy(one.data(), &d, 8);
    }
  } else {
    one[0] = 1;
  }
  EXPECT_EQ(fakes.ranges[0].value, one);
}

TEST_F(ElementAccessTest, RowsWithoutRangeIndicesAreNotRangeChecked) {
  const auto table = RecordLayoutTable();
  for (std::uint16_t r = 0; table[r].record != 0; ++r) {
    if (table[r].type != kTypeU8 || table[r].a != 0 || table[r].b != 0 || table[r].record == 305) continue;
    const std::uint16_t element = ElementIndexInRecord(table[r].record, r);
    testing::InstallDescriptors({{table[r].record, element}});
    EXPECT_EQ(WriteValue(table[r].record, element, 1.0), 0);
    EXPECT_TRUE(Fakes().ranges.empty());
    return;
  }
  GTEST_SKIP() << "every byte row is range checked";
}

TEST_F(ElementAccessTest, ChangeListZeroLogsRealChangesOnlyAndTheActionRunsEveryTime) {
  const ElementRef e = Need(kTypeU16);
  testing::InstallDescriptors({{e.record, e.element}});
  ASSERT_EQ(WriteValue(e.record, e.element, 10.0), 0);
  ASSERT_EQ(ChangeListCount(0, 0), 1);
  EXPECT_EQ(WriteValue(e.record, e.element, 10.0), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 1) << "the same value again is not logged";
  EXPECT_EQ(Fakes().actions.size(), 2u) << "but the action runs";
  std::uint32_t entry = 0;
  ASSERT_EQ(ChangeListPop(0, 0, &entry), 0);
  EXPECT_EQ(entry, e.record | (static_cast<std::uint32_t>(e.element) << 16));
  EXPECT_EQ(ChangeListCount(1, 0), 0) << "the other set's list is untouched";
}

TEST_F(ElementAccessTest, LinkSettingsNumbersAreNotLoggedTheirTextsAre) {
  const auto table = RecordLayoutTable();
  std::optional<std::uint16_t> number, text;
  for (std::uint16_t r = FirstRowOfRecord(305); table[r].record == 305; ++r) {
    const std::uint16_t element = ElementIndexInRecord(305, r);
    if (!number && IsNumberType(table[r].type)) number = element;
    if (!text && IsStringType(table[r].type)) text = element;
  }
  ASSERT_TRUE(number && text);
  testing::InstallDescriptors({{305, *number}, {305, *text}});
  EXPECT_EQ(WriteValue(305, *number, 1.0), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_EQ(WriteElement(305, *text, "COM7", kModeConverted, 0), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 1);
}

TEST_F(ElementAccessTest, TheFiftyFirstChangeIsStoredButNotLogged) {
  const auto e = FindElementOfType(kTypeU8);
  ASSERT_TRUE(e);
  const std::uint32_t filler = 0xFFFF0001;
  for (int i = 0; i < 50; ++i) ASSERT_EQ(ChangeListPush(0, 0, &filler), 0);
  EXPECT_EQ(ChangeListPush(0, 0, &filler), 3);
  testing::InstallDescriptors({{e->record, e->element}});
  EXPECT_EQ(WriteValue(e->record, e->element, 42.0), 0);
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(e->record, e->element), 42);
  EXPECT_EQ(ChangeListCount(0, 0), 50);
}

TEST_F(ElementAccessTest, PreviousValueHoldsTheReplacedIntegerOnly) {
  const ElementRef u16 = Need(kTypeU16);
  const std::uint16_t old_value = 0x1234;
  ASSERT_EQ(WriteElement(u16.record, u16.element, &old_value, kModeRaw, 0), 0);
  const std::uint32_t stale = 0xAABBCCDD;
  SetPreviousElementValue(&stale, 4);
  testing::InstallDescriptors({{u16.record, u16.element}});
  ASSERT_EQ(WriteValue(u16.record, u16.element, 7.0), 0);
  const std::uint8_t expected[4] = {0x34, 0x12, 0, 0};
  EXPECT_EQ(std::memcmp(PreviousElementValueBuffer(), expected, 4), 0);

  Fakes().check_answer = 1;
  EXPECT_EQ(WriteValue(u16.record, u16.element, 9.0), 9);
  EXPECT_EQ(std::memcmp(PreviousElementValueBuffer(), expected, 4), 0) << "a refused write keeps it";

  Fakes().check_answer = 0;
  if (const auto f = FindElementOfType(kTypeF32)) {
    testing::InstallDescriptors({{f->record, f->element}});
    ASSERT_EQ(WriteValue(f->record, f->element, 2.5), 0);
    EXPECT_EQ(std::memcmp(PreviousElementValueBuffer(), expected, 4), 0) << "floats leave it alone";
  }
  ClearPreviousElementValue();
  const std::uint8_t zero[4] = {};
  EXPECT_EQ(std::memcmp(PreviousElementValueBuffer(), zero, 4), 0);
}

TEST_F(ElementAccessTest, AFailingActionIsReportedAfterTheValueWasStoredAndLogged) {
  const ElementRef e = Need(kTypeU16);
  testing::InstallDescriptors({{e.record, e.element}});
  Fakes().action_answer = 7;
  EXPECT_EQ(WriteValue(e.record, e.element, 321.0), 7);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(e.record, e.element), 321);
  EXPECT_EQ(ChangeListCount(0, 0), 1);
}

TEST_F(ElementAccessTest, ConvertedStringWritesAreCutLoggedWhenChangedAndRunNoAction) {
  testing::InstallDescriptors({{300, 2}});
  const std::string long_text = "A-NAME-LONGER-THAN-SIXTEEN";
  EXPECT_EQ(WriteElement(300, 2, long_text.c_str(), kModeConverted, 0), 0);
  char text[17] = {};
  ASSERT_EQ(ReadElement(300, 2, text, kModeRaw, 0), 0);
  EXPECT_EQ(std::string(text), long_text.substr(0, 16));
  EXPECT_EQ(ChangeListCount(0, 0), 1);
  EXPECT_EQ(WriteElement(300, 2, text, kModeConverted, 0), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 1) << "the same text again";
  EXPECT_TRUE(Fakes().actions.empty());
  EXPECT_TRUE(Fakes().conversions.empty());
  EXPECT_TRUE(Fakes().ranges.empty());
  EXPECT_EQ(Fakes().checks.size(), 2u);
}

TEST_F(ElementAccessTest, BlocksPassAsTheirBytesInTheConvertedModes) {
  testing::InstallDescriptors({{453, 240}});
  std::uint8_t block[240];
  for (int i = 0; i < 240; ++i) block[i] = static_cast<std::uint8_t>(255 - i);
  EXPECT_EQ(WriteElement(453, 240, block, kModeWriteUnchecked, 0), 0);
  std::uint8_t back[240] = {};
  EXPECT_EQ(ReadElement(453, 240, back, kModeConverted, 0), 0);
  EXPECT_EQ(std::memcmp(block, back, 240), 0);
  EXPECT_EQ(ChangeListCount(0, 0), 1);
  EXPECT_TRUE(Fakes().actions.empty());
}

TEST_F(ElementAccessTest, RawWritesRunNothingAndLogNothing) {
  const ElementRef e = Need(kTypeU16);
  testing::InstallDescriptors({{e.record, e.element}});
  const std::uint16_t value = 999;
  for (const std::uint8_t mode : {kModeRaw, kModeRaw9}) {
    EXPECT_EQ(WriteElement(e.record, e.element, &value, mode, 1), 0);
    EXPECT_EQ(testing::ReadRaw<std::uint16_t>(e.record, e.element, 1), 999);
  }
  EXPECT_EQ(ChangeListCount(1, 0), 0);
  EXPECT_TRUE(Fakes().checks.empty());
  EXPECT_TRUE(Fakes().actions.empty());
  EXPECT_TRUE(Fakes().conversions.empty());
}

TEST_F(ElementAccessTest, RecordReadAndWrite) {
  std::vector<std::uint8_t> buffer(RecordSize(300), 0);
  EXPECT_EQ(ReadRecord(300, buffer.data(), kModeConverted, 0), 2);
  EXPECT_EQ(WriteRecord(300, buffer.data(), kModeReadConverted, 0), 2);
  EXPECT_EQ(ReadRecord(300, buffer.data(), kModeRaw, 2), 1);
  EXPECT_EQ(ReadRecord(303, buffer.data(), kModeRaw, 0), 3);
  ASSERT_EQ(ReadRecord(300, buffer.data(), kModeRaw, 0), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data() + 2)), "ZPR-TOOL.EXE");
  std::vector<std::uint8_t> image(RecordSize(300), 'x');
  image[0] = 0x21;
  image[1] = 0x43;
  ASSERT_EQ(WriteRecord(300, image.data(), kModeRaw9, 1), 0);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(300, 0, 1), 0x4321);
  char text[17] = {};
  ASSERT_EQ(ReadElement(300, 2, text, kModeRaw, 1), 0);
  EXPECT_EQ(std::string(text), std::string(16, 'x')) << "strings cut and terminated in their element";
  EXPECT_EQ(ChangeListCount(1, 0), 0);
  EXPECT_TRUE(Fakes().actions.empty());
}

}  // namespace
}  // namespace model
