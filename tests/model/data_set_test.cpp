#include "model/data_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/after_write_actions.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

using testing::ModelTest;

std::string ReadText(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  char text[1024] = {};
  EXPECT_EQ(ReadElement(record, element, text, kModeRaw, set), 0);
  return text;
}

std::vector<std::uint8_t> Storage(std::uint8_t set) {
  const ProjectDataSet* data = DataSetSlot(set);
  return {data->storage.begin(), data->storage.end()};
}

std::vector<std::uint8_t> Record(std::uint16_t record, std::uint8_t set = 0) {
  std::vector<std::uint8_t> bytes(RecordSize(record));
  EXPECT_EQ(ReadRecord(record, bytes.data(), kModeRaw, set), 0);
  return bytes;
}

constexpr int kDefaultValueRows = 0
#define DEFAULT_VALUE(record, element, value) +1
#include "model/data/default_values.def"
#undef DEFAULT_VALUE
    ;

TEST(DataSetTable, TwoFilledSlotsOfFour) {
  EXPECT_EQ(LastDataSetIndex(), 1);
  EXPECT_NE(DataSetSlot(0), nullptr);
  EXPECT_NE(DataSetSlot(1), nullptr);
  EXPECT_NE(DataSetSlot(0), DataSetSlot(1));
  EXPECT_EQ(DataSetSlot(2), nullptr);
  EXPECT_EQ(DataSetSlot(3), nullptr);
  EXPECT_EQ(DataSetSlot(4), nullptr);
}

TEST(ElementAddressTest, PointsIntoTheStorageOfTheNamedSet) {
  EXPECT_EQ(ElementAddress(300, 0, 0), DataSetSlot(0)->storage.data() + RecordLayoutTable()[FirstRowOfRecord(300)].storage);
  EXPECT_EQ(ElementAddress(300, 2, 1) - DataSetSlot(1)->storage.data(),
            ElementAddress(300, 2, 0) - DataSetSlot(0)->storage.data());
  EXPECT_EQ(ElementAddress(300, 2, 2), nullptr);
  EXPECT_EQ(ElementAddress(300, 1, 0), nullptr);
  EXPECT_EQ(ElementAddress(303, 0, 0), nullptr);
}

TEST(CopyValueByTypeTest, StringsAreCutAndTerminatedInsideTheElement) {
  struct Case {
    const char* source;
    std::uint8_t type;
    std::string expected;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKL", kTypeText8, "ABCDEFGH"},
      {"ABCDEFGH", kTypeText8, "ABCDEFGH"},
      {"short", kTypeText16, "short"},
      {"", kTypeText16, ""},
      {"0123456789abcdefXYZ", kTypeText16, "0123456789abcdef"},
  };
  for (const Case& c : cases) {
    char out[32];
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(CopyValueByType(c.source, out, c.type), 0);
    EXPECT_EQ(std::string(out), c.expected);
    for (std::size_t i = ElementTypeSize(c.type); i < sizeof out; ++i) EXPECT_EQ(out[i], '#') << "written beyond";
  }
  char unterminated[9];
  std::memset(unterminated, 'x', sizeof unterminated);
  char out[9];
  ASSERT_EQ(CopyValueByType(unterminated, out, kTypeText8), 0);
  EXPECT_EQ(std::string(out), "xxxxxxxx");
}

TEST(CopyValueByTypeTest, NumbersAndBlocksCopyTheirSizeAndTypesWithoutSizeAreRefused) {
  std::uint8_t source[240], out[241];
  for (int i = 0; i < 240; ++i) source[i] = static_cast<std::uint8_t>(i);
  for (const std::uint8_t type : {kTypeU8, kTypeI16, kTypeU32, kTypeF64, kTypeBlock240, kTypeRaw8}) {
    std::memset(out, 0xEE, sizeof out);
    ASSERT_EQ(CopyValueByType(source, out, type), 0);
    EXPECT_EQ(std::memcmp(source, out, ElementTypeSize(type)), 0);
    EXPECT_EQ(out[ElementTypeSize(type)], 0xEE);
  }
  for (const std::uint8_t type : {std::uint8_t{1}, std::uint8_t{13}, std::uint8_t{17}, std::uint8_t{200}}) {
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(CopyValueByType(source, out, type), 1);
    EXPECT_EQ(out[0], 0xEE);
  }
}

TEST(DefaultStringTableTest, HoldsTheFortyEightTexts) {
  EXPECT_STREQ(DefaultString(0), " ");
  EXPECT_STREQ(DefaultString(1), "ZPR-TOOL.EXE");
  EXPECT_STREQ(DefaultString(2), "V 4.5 G Beta");
  EXPECT_STREQ(DefaultString(3), "OK!");
  EXPECT_STREQ(DefaultString(4), "Projekt._ZPR");
  EXPECT_STREQ(DefaultString(5), "drive overl");
  EXPECT_STREQ(DefaultString(6), "acc.overl.");
  EXPECT_STREQ(DefaultString(7), "brake overl");
  EXPECT_STREQ(DefaultString(8), "oper.range");
  EXPECT_STREQ(DefaultString(12), "oper.range");
  EXPECT_STREQ(DefaultString(13), "unit");
  EXPECT_STREQ(DefaultString(14), "PROTOKOL.TXT");
  EXPECT_STREQ(DefaultString(15), "unit");
  EXPECT_STREQ(DefaultString(16), "process block 1");
  EXPECT_STREQ(DefaultString(47), "process block 32");
  EXPECT_EQ(DefaultString(48), nullptr);
}

TEST(RecordDefaultTableTest, RowsAndSharedImages) {
  const auto rows = RecordDefaultTable();
  ASSERT_EQ(rows.size(), 39u);
  EXPECT_EQ(rows.front().record, 4);
  EXPECT_EQ(rows.back().record, 458);
  int images = 0;
  for (const RecordDefaultRow& row : rows) images += row.image_record == row.record ? 1 : 0;
  EXPECT_EQ(images, 25) << "36 records with an image, 11 of them sharing their partner's";
  EXPECT_EQ(RecordDefaultImage(251), RecordDefaultImage(254));
  EXPECT_EQ(RecordDefaultImage(5), RecordDefaultImage(304));
  EXPECT_EQ(RecordDefaultImage(518), RecordDefaultImage(516));
  EXPECT_EQ(RecordDefaultImage(41), RecordDefaultImage(40));
  EXPECT_NE(RecordDefaultImage(4), nullptr);
  EXPECT_NE(RecordDefaultImage(4), RecordDefaultImage(300));
  EXPECT_EQ(RecordDefaultImage(450), nullptr);
  EXPECT_EQ(RecordDefaultImage(303), nullptr);
  EXPECT_EQ(RecordDefaultImage(42), nullptr);
  EXPECT_EQ(RecordDefaultImage(0), nullptr);
}

TEST(RecordDefaultTableTest, EveryDefaultValueNamesANumberElementOfAnImageRecord) {
  struct Row {
    std::uint16_t record, element;
    double value;
  };
  const std::vector<Row> values = {
#define DEFAULT_VALUE(record, element, value) {record, element, static_cast<double>(value)},
#include "model/data/default_values.def"
#undef DEFAULT_VALUE
  };
  for (const Row& v : values) {
    bool owns_image = false;
    for (const RecordDefaultRow& row : RecordDefaultTable()) owns_image |= row.record == v.record && row.image_record == v.record;
    EXPECT_TRUE(owns_image) << v.record << " is not the first record of a RecordDefaultTable row";
    const std::uint8_t type = GetElementType(v.record, v.element);
    EXPECT_TRUE(IsNumberType(type)) << v.record << ":" << v.element;
  }
}

class InitDataSetTest : public ModelTest {};

TEST_F(InitDataSetTest, RefusesOtherSetsAndChangesNothing) {
  const auto before0 = Storage(0);
  const auto before1 = Storage(1);
  EXPECT_EQ(InitDataSet(2), 1);
  EXPECT_EQ(InitDataSet(255), 1);
  EXPECT_EQ(Storage(0), before0);
  EXPECT_EQ(Storage(1), before1);
}

TEST_F(InitDataSetTest, FillsDefaultTextsAndEmptiesBothChangeLists) {
  const std::uint32_t entry = 0x00020300;
  ASSERT_EQ(ChangeListPush(0, 0, &entry), 0);
  ASSERT_EQ(ChangeListPush(0, 1, &entry), 0);
  ASSERT_EQ(InitDataSet(0), 0);
  EXPECT_EQ(ReadText(300, 2), "ZPR-TOOL.EXE");
  EXPECT_EQ(ReadText(300, 19), "V 4.5 G Beta");
  EXPECT_EQ(ReadText(300, 41), "OK!");
  EXPECT_EQ(ReadText(302, 2), "Projekt._ZPR");
  EXPECT_EQ(ChangeListCount(0, 0), 0);
  EXPECT_EQ(ChangeListCount(0, 1), 0);
  EXPECT_EQ(PreviousElementValueBuffer()[0], 0);
}

TEST_F(InitDataSetTest, TellingDefaultValues) {
  if (kDefaultValueRows == 0) GTEST_SKIP() << "default_values.def holds no rows yet";
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(4, 0), 'Q');
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(4, 1), 22);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(302, 0), 17);
  EXPECT_EQ(GetFileTypeCode(0), kFileKindProject);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(300, 0), 4);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(300, 39), 85);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(300, 37), 0);
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(300, 36), 0);
  EXPECT_EQ(testing::ReadRaw<std::uint16_t>(305, 160), 2000);
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(304, 1), 55);
  EXPECT_EQ(testing::ReadRaw<std::uint8_t>(304, 5), 'E');
}

TEST_F(InitDataSetTest, EveryImageRecordHoldsItsImageInItsNumberElements) {
  // Without the actions that derive values from the defaults (device type, process data, positioning).
  ActionTableType no_actions{};
  no_actions.fill(&NoAction);
  SetActionTable(no_actions);
  ASSERT_EQ(InitDataSet(0), 0);
  ASSERT_EQ(InitDataSet(1), 0);
  const auto table = RecordLayoutTable();
  for (const RecordDefaultRow& row : RecordDefaultTable()) {
    const std::uint8_t* image = RecordDefaultImage(row.record);
    if (!image) continue;
    for (std::uint16_t r = FirstRowOfRecord(row.record); table[r].record == row.record; ++r) {
      if (IsStringType(table[r].type)) continue;
      const std::uint16_t element = ElementIndexInRecord(row.record, r);
      for (const std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
        ASSERT_EQ(std::memcmp(ElementAddress(row.record, element, set), image + element,
                              ElementTypeSize(table[r].type)),
                  0)
            << row.record << ":" << element << " set " << int(set);
      }
    }
  }
}

std::vector<std::uint16_t> g_text_sizes;
std::uint8_t LongText(char* out, std::uint16_t size, std::uint8_t) {
  g_text_sizes.push_back(size);
  const std::string text(2000, 'L');
  std::memcpy(out, text.data(), size - 1u);
  out[size - 1u] = '\0';
  return 0;
}

TEST_F(InitDataSetTest, ComputedTextsReceiveTheElementSize) {
  g_text_sizes.clear();
  ComputedTextTableType texts{};
  texts.fill(&LongText);
  SetComputedTextTable(texts);
  ASSERT_EQ(InitDataSet(0), 0);
  const auto table = RecordLayoutTable();
  std::vector<std::uint16_t> expected;
  for (std::uint16_t r = 0; table[r].record != 0; ++r) {
    if (IsStringType(table[r].type) && table[r].a <= 4) expected.push_back(ElementTypeSize(table[r].type));
  }
  EXPECT_EQ(g_text_sizes, expected);
}

TEST_F(InitDataSetTest, RunsTheClosingActionsInOrderAndClearsChangeListZeroAfterTheFirst) {
  testing::InstallFakeTables();
  auto& fakes = testing::Fakes();
  ASSERT_EQ(InitDataSet(1), 0);
  using testing::Call;
  EXPECT_EQ(fakes.actions, (std::vector<Call>{{304, 1, 1}, {55, 26, 1}, {514, 4, 1}}));
  EXPECT_TRUE(fakes.checks.empty());

  fakes.actions.clear();
  fakes.action_answer = 7;
  EXPECT_EQ(InitDataSet(1), 7);
  EXPECT_EQ(fakes.actions, (std::vector<Call>{{304, 1, 1}})) << "a failing first action ends it";
}

std::uint8_t PushingAction(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  const std::uint32_t entry = record | (static_cast<std::uint32_t>(element) << 16);
  ChangeListPush(set, 0, &entry);
  return record == 514 ? 5 : 0;
}

TEST_F(InitDataSetTest, ChangesOfTheFirstActionAreForgottenAndTheLastStatusIsReturned) {
  ActionTableType actions{};
  actions.fill(&PushingAction);
  SetActionTable(actions);
  EXPECT_EQ(InitDataSet(0), 5);
  std::uint32_t entry = 0;
  EXPECT_EQ(ChangeListCount(0, 0), 2);
  ASSERT_EQ(ChangeListPop(0, 0, &entry), 0);
  EXPECT_EQ(entry, 514u | (4u << 16));
  ASSERT_EQ(ChangeListPop(0, 0, &entry), 0);
  EXPECT_EQ(entry, 55u | (26u << 16));
}

class DataSetServicesTest : public ModelTest {};

TEST_F(DataSetServicesTest, GetFileTypeCodeReadsRecord302) {
  const std::uint16_t kind = 18;
  ASSERT_EQ(WriteElement(302, 0, &kind, kModeRaw, 0), 0);
  EXPECT_EQ(GetFileTypeCode(0), 18);
  EXPECT_EQ(GetFileTypeCode(2), 0);
}

TEST_F(DataSetServicesTest, StampLayoutVersion) {
  const std::uint8_t old_version[2] = {'G', 3};
  ASSERT_EQ(WriteRecord(4, old_version, kModeRaw, 1), 0);
  EXPECT_EQ(StampLayoutVersion(1), 0);
  EXPECT_EQ(Record(4, 1), (std::vector<std::uint8_t>{'Q', 22}));
  EXPECT_EQ(StampLayoutVersion(2), 1);
}

TEST_F(DataSetServicesTest, ResetRecord300DefaultsRestoresTheHeader) {
  const auto fresh = Record(300);
  std::vector<std::uint8_t> scribbled(RecordSize(300), 'z');
  ASSERT_EQ(WriteRecord(300, scribbled.data(), kModeRaw, 0), 0);
  ASSERT_NE(Record(300), fresh);
  EXPECT_EQ(ResetRecord300Defaults(0), 0);
  EXPECT_EQ(Record(300), fresh);
  EXPECT_EQ(ResetRecord300Defaults(2), 1);
}

}  // namespace
}  // namespace model
