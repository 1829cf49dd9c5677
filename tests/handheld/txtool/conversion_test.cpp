// TX-Tool's conversion: its older layout, its images and defaults, its project files next to vqpt32's, and the
// unit image with its directory, record sizes and bounds.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_layout.h"
#include "handheld/txtool/conv_project_file.h"
#include "handheld/txtool/conv_unit_image.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "model/record_layout.h"

namespace txtool {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ConvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("txconv_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    ASSERT_EQ(ConvInitImage(0), kConvDone);
    ASSERT_EQ(ConvInitImage(1), kConvDone);
    ASSERT_EQ(ConvSetFileKind(17, 0), 17);  // a fresh image has no texts, not even its kind's name
  }
  void TearDown() override {
    ConvProjectFile(model::kProjectClose, 0, Path("x.ZPR").c_str());
    model::ProjectFileAccess(model::kProjectClose, 0, Path("x.ZPR").c_str());
    fs::remove_all(dir);
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  // Single-byte elements only (the accessors copy an element's whole stored form).
  std::uint8_t U8(std::uint16_t record, std::uint16_t element, std::uint8_t image = 0) {
    const ConvLayoutRow* row = ConvFindElement(record, element);
    if (!row || model::ElementTypeSize(row->type) != 1) {
      ADD_FAILURE() << record << "/" << element << " is no byte";
      return 0;
    }
    std::uint8_t v = 0xEE;
    EXPECT_EQ(ConvReadElement(record, element, &v, 8, image), kConvDone) << record << "/" << element;
    return v;
  }
  void SetU8(std::uint16_t record, std::uint16_t element, std::uint8_t v, std::uint8_t image = 0) {
    const ConvLayoutRow* row = ConvFindElement(record, element);
    ASSERT_TRUE(row && model::ElementTypeSize(row->type) == 1) << record << "/" << element << " is no byte";
    ASSERT_EQ(ConvWriteElement(record, element, &v, 8, image), kConvDone) << record << "/" << element;
  }
  fs::path dir;
};

TEST(ConvLayout, IsTheModelsLayoutWithTheOlderRecords) {
  EXPECT_EQ(ConvLayoutTable().size(), 2769u);
  EXPECT_EQ(ConvStorageSize(), 16659u);
  struct Case {
    std::uint16_t record;
    std::size_t elements;
    std::uint16_t bytes;
  };
  for (const Case& c : {Case{5, 14, 48}, Case{304, 14, 48}, Case{33, 90, 150}, Case{305, 64, 159},
                        Case{306, 7, 8}, Case{320, 83, 338}, Case{302, 2, model::RecordSize(302)}}) {
    EXPECT_EQ(ConvRecordElements(c.record).size(), c.elements) << c.record;
    EXPECT_EQ(ConvRecordSize(c.record), c.bytes) << c.record;
  }
  EXPECT_EQ(ConvFindElement(320, 336)->type, 2);
  EXPECT_EQ(ConvFindElement(320, 337)->type, 2);
  EXPECT_EQ(ConvFindElement(5, 48), nullptr);
  for (std::uint16_t r = 353; r <= 362; ++r) EXPECT_EQ(ConvRecordSize(r), 0) << r;
  // Positions run back to back in table order.
  const auto rows = ConvLayoutTable();
  for (std::size_t i = 1; i < rows.size(); ++i) ASSERT_GT(rows[i].storage, rows[i - 1].storage) << i;
}

TEST_F(ConvTest, FreshImagesHoldTheDefaultImagesAndNoTexts) {
  std::uint16_t format = 0, header_value = 0, kind = 0;
  ConvReadElement(300, 0, &format, 8, 0);
  ConvReadElement(300, 39, &header_value, 8, 0);
  ConvReadElement(302, 0, &kind, 8, 0);
  EXPECT_EQ(format, 4);
  EXPECT_EQ(header_value, 85);
  EXPECT_EQ(kind, 17);
  EXPECT_EQ(U8(304, 0), 1);
  EXPECT_EQ(U8(304, 1), 55);
  EXPECT_EQ(U8(304, 5), 'E');
  char text[1024] = "x";
  ConvReadElement(300, 2, text, 8, 0);
  EXPECT_STREQ(text, "");
  // Raw modes only; images 0 and 1 only.
  std::uint8_t v = 0;
  EXPECT_EQ(ConvReadElement(304, 0, &v, 5, 0), kConvBadMode);
  EXPECT_EQ(ConvWriteRecord(304, &v, 7, 0), kConvBadMode);
  EXPECT_EQ(ConvReadElement(304, 0, &v, 8, 2), kConvNoImage);
  EXPECT_EQ(ConvInitImage(2), kConvNoImage);
  EXPECT_EQ(ConvReadElement(305, 160, &v, 9, 0), kConvNoElement);
}

TEST_F(ConvTest, FileKindTurnsReverseDocumentationIntoAProject) {
  struct Case {
    std::uint8_t family, board, expected_board;
  };
  for (const Case& c : {Case{2, 4, 10}, Case{2, 12, 12}, Case{1, 9, 0}, Case{1, 7, 7}, Case{3, 9, 0}}) {
    ASSERT_EQ(ConvInitImage(0), kConvDone);
    ASSERT_EQ(ConvSetFileKind(18, 0), 18);
    SetU8(5, 0, c.family);
    SetU8(5, 3, c.board);
    SetU8(5, 1, 77);
    ConvWriteElement(317, 0, "Anlage 7 Presse", 8, 0);
    ASSERT_EQ(ConvSetFileKind(17, 0), 17);
    EXPECT_EQ(ConvGetFileKind(0), 17);
    EXPECT_EQ(U8(304, 3), c.expected_board) << int(c.family) << "/" << int(c.board);
    EXPECT_EQ(U8(304, 1), 77);
    char comment[32] = {};
    ConvReadElement(15, 4, comment, 8, 0);
    EXPECT_STREQ(comment, "Anlage 7 Presse");
  }
  EXPECT_EQ(ConvSetFileKind(19, 0), 19);
  EXPECT_EQ(ConvGetFileKind(0), 17);
}

TEST_F(ConvTest, WrittenFilesCarryTxToolsHeaderAndLists) {
  const std::string project = Path("p.ZPR");
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteProject, 0, project.c_str()), model::kFileDone);
  const std::string text = ReadText(project);
  EXPECT_EQ(text.substr(0, 3), "4\r\n");
  EXPECT_NE(text.find("\r\nTX-TOOL.EXE\r\nV 4.5\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nOK!\r\n"), std::string::npos);
  EXPECT_EQ(text.find('\n', 2), text.find("\r\n", 1) + 1);  // every line ends in CR LF

  ASSERT_EQ(ConvSetFileKind(18, 0), 18);
  const std::string reverse = Path("r.ZPR");
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteReverseDoc, 0, reverse.c_str()), model::kFileDone);
  EXPECT_EQ(ConvRecordList(5).size(), 53u);
  EXPECT_EQ(ConvRecordList(6).size(), 55u);
  EXPECT_EQ(ReadText(reverse).find(" 347 "), std::string::npos);
  EXPECT_EQ(ConvProjectFile(model::kProjectOpen, 1, reverse.c_str()), model::kFileDone);
  EXPECT_EQ(ConvOpenFileKind(), 18);
  EXPECT_EQ(ConvProjectFile(model::kProjectReadReverseDoc, 1, reverse.c_str()), model::kFileDone);
  EXPECT_EQ(ConvGetFileKind(1), 18);
}

TEST_F(ConvTest, VersionCheckAroundP) {
  // vqpt32 writes its own letter 'Q': newer for TX-Tool. A file of TX-Tool's own version text always opens.
  ASSERT_EQ(model::InitDataSet(0), 0);
  const std::string q = Path("q.ZPR");
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 0, q.c_str()), model::kFileDone);
  struct Case {
    std::uint8_t letter;
    std::uint8_t expected;
  };
  for (const Case& c : {Case{'Q', model::kFileNewerLayout}, Case{'P', model::kFileDone},
                        Case{'C', model::kFileOlderLayout}}) {
    const std::uint8_t version[2] = {c.letter, 22};
    ASSERT_EQ(model::WriteRecord(4, version, model::kModeRaw, 0), 0);
    ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 0, q.c_str()), model::kFileDone);
    EXPECT_EQ(ConvProjectFile(model::kProjectOpen, 0, q.c_str()), c.expected) << c.letter;
    ConvProjectFile(model::kProjectClose, 0, q.c_str());
  }
  // Written by TX-Tool with a newer letter in record 4: its own version text opens it without a question.
  SetU8(4, 0, 'Z');
  const std::string own = Path("own.ZPR");
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteProject, 0, own.c_str()), model::kFileDone);
  EXPECT_EQ(ConvProjectFile(model::kProjectOpen, 1, own.c_str()), model::kFileDone);
}

TEST_F(ConvTest, LongMotorRecordsOfOldFilesAreReadWhole) {
  // A file of layout 'F' with 51 lines for record 34: TX-Tool takes all of them, vqpt32 only the first 43.
  ASSERT_EQ(model::InitDataSet(0), 0);
  const auto elements = ConvRecordElements(34);
  ASSERT_EQ(elements.size(), 51u);
  const std::uint16_t last = elements.back().element;
  ASSERT_EQ(model::ElementTypeSize(model::GetElementType(34, last)), 1);
  const std::uint8_t marker = 0x5A;
  ASSERT_EQ(model::WriteElement(34, last, &marker, model::kModeRaw, 0), 0);
  const std::uint8_t version[2] = {'F', 22};
  ASSERT_EQ(model::WriteRecord(4, version, model::kModeRaw, 0), 0);
  const std::string file = Path("f.ZPR");
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 0, file.c_str()), model::kFileDone);

  EXPECT_EQ(ConvProjectFile(model::kProjectOpen, 0, file.c_str()), model::kFileOlderLayout);
  ASSERT_EQ(ConvProjectFile(model::kProjectReadProject, 0, file.c_str()), model::kFileDone);
  EXPECT_EQ(U8(34, last), marker);

  ASSERT_EQ(model::InitDataSet(1), 0);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, file.c_str()), model::kFileDone);  // its own text
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, file.c_str()), model::kFileDone);
  std::uint8_t seen = 0;
  model::ReadElement(34, last, &seen, model::kModeRaw, 1);
  EXPECT_NE(seen, marker);
}

TEST_F(ConvTest, DamagedFilesLeaveTheImageAsItWas) {
  SetU8(304, 1, 99);
  const std::string file = Path("d.ZPR");
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteProject, 0, file.c_str()), model::kFileDone);
  std::string text = ReadText(file);
  const std::size_t at = text.find("\r\n99\r\n");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 6, "\r\n9x9\r\n");
  std::ofstream(file, std::ios::binary) << text;
  SetU8(304, 1, 12);
  EXPECT_EQ(ConvProjectFile(model::kProjectOpen, 0, file.c_str()), model::kFileDone);
  EXPECT_EQ(ConvProjectFile(model::kProjectReadProject, 0, file.c_str()), model::kFileInternalError);
  EXPECT_GT(ConvFaultLine(), 0u);
  EXPECT_EQ(U8(304, 1), 12);
}

TEST(ConvTargets, LettersListsAndSizes) {
  struct Letter {
    std::uint8_t identity, target;
    std::size_t records;
  };
  for (const Letter& c : {Letter{'1', '3', 8}, Letter{64, 64, 22}, Letter{'A', 'A', 22}, Letter{'B', 'C', 27},
                          Letter{'C', 'F', 27}, Letter{'D', 'I', 32}, Letter{'E', 'P', 30}, Letter{'Z', 'P', 30}}) {
    EXPECT_EQ(ConvTargetLetter(c.identity), c.target) << c.identity;
    EXPECT_EQ(ConvUnitRecordList(c.target).size(), c.records) << c.identity;
  }
  EXPECT_EQ(ConvUnitRecordList(' ').size(), 6u);
  EXPECT_EQ(ConvUnitRecordList('0').size(), 7u);

  struct Size {
    std::uint16_t record;
    std::uint8_t letter, family;
    std::uint16_t bytes;
  };
  for (const Size& c : {
           Size{52, 'I', 1, 108},  // the rows above 'I' are 'L' (113) and 'K' (108): the last one wins
           Size{52, 'C', 1, 74},   Size{52, 'A', 1, 12}, Size{52, 'P', 1, model::RecordSize(52)},
           Size{346, 'P', 1, 50},  // family 1 reads the first threshold (255)
           Size{346, 'P', 2, ConvRecordSize(346)},  // the others the second (0: never)
           Size{346, 'A', 2, 44},  Size{5, 'P', 1, 48}, Size{5, 'C', 1, 46}, Size{5, 'A', 1, 12},
           Size{59, 'I', 1, ConvRecordSize(59)}, Size{59, 'H', 1, 21}, Size{999, 'P', 1, 0}}) {
    EXPECT_EQ(RecordSizeForVersion(c.record, c.letter, c.family), c.bytes)
        << c.record << " " << c.letter << " " << int(c.family);
  }
}

std::uint16_t Word(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST_F(ConvTest, UnitImageForAnIdentityOfLayoutB) {
  SetU8(304, 5, 'B');
  SetU8(11, 0, 0x42);
  std::vector<std::uint8_t> buffer(8192, 0xCC);
  ConvSetUnitBuffer(buffer);
  std::vector<int> progress;
  ConvSetProgress([&](int p) { progress.push_back(p); });
  std::size_t length = 0;
  ASSERT_EQ(ConvBuildUnitDataSet(0, 0, &length), kConvDone);
  ConvSetProgress(nullptr);

  EXPECT_EQ(U8(4, 0), 'C');
  EXPECT_EQ(buffer[8], kUnitComplete);
  EXPECT_EQ(buffer[9], 0);
  EXPECT_EQ(Word(buffer, 10), 3);
  EXPECT_EQ(Word(buffer, 12), 10);
  EXPECT_EQ(Word(buffer, 14), 4);
  EXPECT_EQ(Word(buffer, 16), 122);  // 10 + 4 * 27 + 4
  const auto records = ConvUnitDirectory(std::span(buffer).first(length));
  ASSERT_TRUE(records.has_value());
  ASSERT_EQ(records->size(), 27u);
  EXPECT_EQ(records->back().offset + records->back().length, length);
  for (const UnitRecord& r : *records) {
    if (r.record == 3) continue;
    EXPECT_EQ(r.length, RecordSizeForVersion(r.record, 'C', 1)) << r.record;
  }
  const auto rec11 = std::find_if(records->begin(), records->end(), [](const UnitRecord& r) { return r.record == 11; });
  EXPECT_EQ(buffer[rec11->offset], 0x42);
  EXPECT_EQ(buffer[length], 0xCC);  // nothing beyond the image
  ASSERT_FALSE(progress.empty());
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i] - progress[i - 1], 3);
  EXPECT_LT(progress.back(), 100);

  // Forced 'P'.
  ASSERT_EQ(ConvBuildUnitDataSet(0, 1, &length), kConvDone);
  EXPECT_EQ(U8(4, 0), 'P');
  EXPECT_EQ(ConvUnitDirectory(std::span(buffer).first(length))->size(), 30u);
}

TEST_F(ConvTest, UnitImageThatDoesNotFitIsNotWritten) {
  std::vector<std::uint8_t> buffer(1000, 0xCC);
  ConvSetUnitBuffer(buffer);
  EXPECT_EQ(ConvBuildUnitDataSet(0, 0), kConvImageTooLarge);
  EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xCC), 1000);
  ConvSetUnitBuffer({});
  EXPECT_EQ(ConvBuildUnitDataSet(0, 0), kConvNoBuffer);
}

TEST(ConvUnitDirectory, RefusesDirectoriesOutsideTheBytesReceived) {
  auto image = [](std::vector<std::uint16_t> words, std::size_t size) {
    std::vector<std::uint8_t> b(size, 0);
    for (std::size_t i = 0; i < words.size(); ++i) {
      b[10 + 2 * i] = static_cast<std::uint8_t>(words[i]);
      b[11 + 2 * i] = static_cast<std::uint8_t>(words[i] >> 8);
    }
    return b;
  };
  EXPECT_TRUE(ConvUnitDirectory(image({3, 10, 11, 22, 0, 40}, 64)).has_value());
  EXPECT_FALSE(ConvUnitDirectory(image({3, 10, 11, 22, 0, 90}, 64)).has_value());  // end beyond the bytes
  EXPECT_FALSE(ConvUnitDirectory(image({3, 10, 11, 30, 12, 20, 0, 40}, 64)).has_value());  // runs backwards
  EXPECT_FALSE(ConvUnitDirectory(image({3, 10, 11, 22}, 18)).has_value());  // no closing entry
}

TEST_F(ConvTest, ProjectToUnitImageAndBack) {
  SetU8(304, 5, 'E');
  SetU8(11, 0, 0x21);
  SetU8(46, 8, 0x17);
  std::vector<std::uint8_t> buffer(8192, 0);
  ConvSetUnitBuffer(buffer);
  std::size_t length = 0;
  ASSERT_EQ(ConvBuildUnitDataSet(0, 0, &length), kConvDone);
  const auto records = ConvUnitDirectory(std::span(buffer).first(length));
  ASSERT_TRUE(records);
  for (const UnitRecord& r : *records) {
    std::vector<std::uint8_t> bytes(ConvRecordSize(r.record), 0);
    ASSERT_EQ(ConvReadRecord(r.record, bytes.data(), 8, 1), kConvDone);
    std::copy_n(buffer.begin() + static_cast<std::ptrdiff_t>(r.offset), std::min(r.length, bytes.size()),
                bytes.begin());
    ASSERT_EQ(ConvWriteRecord(r.record, bytes.data(), 8, 1), kConvDone);
  }
  EXPECT_EQ(U8(11, 0, 1), 0x21);
  EXPECT_EQ(U8(46, 8, 1), 0x17);
  EXPECT_EQ(U8(304, 5, 1), 'E');
  EXPECT_EQ(U8(4, 0, 1), 'P');
}

}  // namespace
}  // namespace txtool
