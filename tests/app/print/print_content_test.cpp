// The printed documentation on a small synthetic menu table: line layout, the text file, the printer path's rows
// and page breaks, the menu-skip columns.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/documents/file_slots.h"
#include "app/print/print_content.h"
#include "app/print/print_rows.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/menu_skip.h"
#include "tests/app/recording_output.h"

namespace {

using model::ParameterDescriptor;

const char* kTHeading[] = {"synthetic group", ""};
const char* kTNumber[] = {"A01 block", "blk", ""};
const char* kTCheck[] = {"A02 check", "0:no", "1:yes", ""};
const char* kTCombo[] = {"A04 combo", "0:zero", "1:one", "2:two", ""};
const char* kTLong[] = {"A05 a long name that fills the left-hand column", "0:off", "1:on", ""};
const char* kTReserved[] = {"A06 reserved", ""};
const char* kTFull[] = {"A07 name that fills column 1", "0:inactive", "1:active", ""};
const char* kTScope[] = {"A08 scope setting", ""};
const char* kTSpeed[] = {"A13 speed", "m/s", ""};

// List 11: pairs, a heading, an empty-line row, a long row, a row that prints nothing (kind 8).
const ParameterDescriptor kPairs[] = {
    {306, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading},
    {306, 8, 1, 0, 1, 0, 0.0, kTNumber},
    {305, 44, 2, 0, 1, 0, 0.0, kTCheck},
    {305, 47, 4, 0, 1, 0, 0.0, kTCombo},
    {305, 46, 2, 0, 1, 0, 0.0, kTLong},
    {305, 50, 0, 0, 1, 0, 0.0, kTReserved},
    {305, 49, 5, 0, 1, 0, 0.0, kTReserved},
    {305, 48, 8, 0, 1, 0, 0.0, kTScope},
    {320, 68, 1, 1, 1, 0, 0.0, kTSpeed},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr},
};
// List 33: forty rows of one number (80 half-lines = 40 lines per walk).
std::array<ParameterDescriptor, 81> ManyRows() {
  std::array<ParameterDescriptor, 81> rows{};
  for (int i = 0; i < 80; ++i) rows[static_cast<std::size_t>(i)] = {306, 8, 1, 0, 1, 0, 0.0, kTNumber};
  rows[80] = {0, 0, 0, 0, 0, 0, 0.0, nullptr};
  return rows;
}
const std::array<ParameterDescriptor, 81> kMany = ManyRows();
// List 12: a left row of exactly 40 characters, then a short one.
const ParameterDescriptor kFullLeft[] = {
    {305, 45, 2, 0, 1, 0, 0.0, kTFull},
    {306, 8, 1, 0, 1, 0, 0.0, kTNumber},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr},
};

using app_test::RecordingOutput;

class PrintContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model::InitDataSet(0);
    model::InitDataSet(1);
    app::ResetFileSlots();
    static const ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
    slots_[11] = {kPairs, 0, true};
    slots_[33] = {kMany.data(), 0, true};
    slots_[12] = {kFullLeft, 0, true};
    model::SetMenuListTableForTest(slots_);
    char pattern[] = "/tmp/print-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    app::SetPrintTextPath((dir_ / "ZPRPRINT.TXT").string());
    app::SetPrintLineOutput(&printer_);
  }
  void TearDown() override {
    if (app::PrintBufferOpen()) app::DiscardPrintBuffer();
    app::SetPrintLineOutput(nullptr);
    app::SetPrintTextPath({});
    model::SetMenuListTableForTest({});
    std::filesystem::remove_all(dir_);
  }
  static void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0);
  }
  static void ToTextFile(bool on) { SetByte(305, 10, on ? 1 : 0); }
  std::string TextFile() const {
    std::ifstream in(dir_ / "ZPRPRINT.TXT", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The text file of sections printed one after another (without the header of section 0).
  std::string PrintToText(std::initializer_list<std::uint8_t> sections, std::uint8_t set = 0) {
    ToTextFile(true);
    EXPECT_EQ(app::OpenPrintBuffer(set), app::kPrintOk);
    for (std::uint8_t section : sections) EXPECT_EQ(app::PrintSection(section, set), app::kPrintOk);
    EXPECT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
    return TextFile();
  }

  std::array<model::MenuListSlot, model::kMenuListSlots> slots_{};
  std::filesystem::path dir_;
  RecordingOutput printer_;
};

TEST_F(PrintContentTest, RowsPairUpAtColumn40AndLongOrOutOfRangeRowsStandAlone) {
  SetByte(306, 8, 7);
  SetByte(305, 44, 1);
  SetByte(305, 47, 9);  // no option text 9
  SetByte(305, 46, 1);
  // The second row of a pair starts in column 41; a row of kind 0 is an empty line of its own.
  const std::string expected =
      "synthetic group: \r\n"
      "A01 block: 7 blk                        A02 check: 1:yes\r\n"
      "A04 combo: wrong selection:9\r\n"
      "A05 a long name that fills the left-hand column: 1:on\r\n"
      "\r\n"
      "A06 reserved:                           A13 speed: 14.6 m/s\r\n";
  EXPECT_EQ(PrintToText({app::kSectionProjectTarget}), expected);
}

TEST_F(PrintContentTest, ALeftRowThatFillsItsColumnKeepsOneBlankBeforeTheRightOne) {
  SetByte(305, 45, 0);
  SetByte(306, 8, 7);
  app::binding::ListRows rows;
  ASSERT_TRUE(app::binding::LoadRows(12, 0, rows));
  std::size_t at = 0;
  EXPECT_EQ(app::print::PrintRowPair(rows, at, 0, false), "A07 name that fills column 1: 0:inactive A01 block: 7 blk\n\r");
  EXPECT_EQ(at, 2u);
}

TEST_F(PrintContentTest, OnlyDifferingValuesLeaveOutDefaultRowsAndAnEmptyResult) {
  SetByte(305, 153, 1);  // the option lives in data set 0, also when data set 1 is printed
  SetByte(306, 8, 7, 1);
  const std::string text = PrintToText({app::kSectionProjectTarget}, 1);
  EXPECT_NE(text.find("A01 block: 7 blk"), std::string::npos) << text;
  EXPECT_EQ(text.find("A02 check"), std::string::npos) << text;
}

TEST_F(PrintContentTest, TextFilePagesBreakAfter65LinesWithAHeaderPerPage) {
  ToTextFile(true);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionHeader, 0), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionFaultCounter, 0), app::kPrintOk);  // 40 lines
  ASSERT_EQ(app::PrintSection(app::kSectionFaultCounter, 0), app::kPrintOk);  // 40 more
  EXPECT_EQ(app::PrintPageCount(), 1);
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  const std::string text = TextFile();
  const std::size_t second = text.find("page: 2");
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(text.find("Parameter documentation\tZPR-Tool V 4.6 \t  page: 1\r\n"), 0u);
  // Lines before the second header: 3 header lines + 62 rows, then the form feed as three line ends.
  std::size_t lines = 0;
  for (std::size_t i = 0; i < second; ++i) lines += text[i] == '\n' ? 1 : 0;
  EXPECT_EQ(lines, 65u + 3u);
  EXPECT_NE(text.find("\r\n \r\n \r\n"), std::string::npos);
}

TEST_F(PrintContentTest, PrinterRowsAreIndentedCutAt73AndForcedBreaksAreFormFeeds) {
  static const char* kTWide[] = {"A20 wide", ""};
  static const ParameterDescriptor kWide[] = {{15, 4, 7, 0, 1, 0, 0.0, kTWide}, {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
  slots_[12] = {kWide, 0, true};
  const std::string long_text(16, 'x');
  ASSERT_EQ(model::WriteElement(15, 4, long_text.c_str(), model::kModeRaw, 0), 0);
  ToTextFile(false);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionComments, 0), app::kPrintOk);
  app::SetPrintBufferText(std::string(80, 'y') + "\n\r");
  ASSERT_EQ(app::AddPrintLine(), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionFaultMemory, 0), app::kPrintOk);  // page has lines: forced break
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  const std::vector<std::string> expected = {
      "START", "    A20 wide: xxxxxxxxxxxxxxxx", "    " + std::string(73, 'y'), "    yyyyyyy", "\f", "END"};
  EXPECT_EQ(printer_.log, expected);
}

TEST_F(PrintContentTest, FailuresLeaveNoTextFileAndNoHalfJob) {
  ToTextFile(true);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionProjectTarget, 0), app::kPrintOk);
  EXPECT_EQ(app::PrintSection(4, 0), app::kPrintFailed);
  app::DiscardPrintBuffer();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ZPRPRINT.TXT"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));

  app::SetPrintTextPath((dir_ / "missing" / "ZPRPRINT.TXT").string());
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  EXPECT_EQ(app::ClosePrintBuffer(), app::kPrintFailed);

  ToTextFile(false);
  printer_.start_ok = false;
  EXPECT_EQ(app::OpenPrintBuffer(0), app::kPrintFailed);
  printer_.start_ok = true;
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  app::DiscardPrintBuffer();
  EXPECT_EQ(printer_.log.back(), "END incomplete");
  EXPECT_EQ(app::OpenPrintBuffer(model::LastDataSetIndex() + 1), app::kPrintFailed);
}

TEST_F(PrintContentTest, MenuSkipColumnOfAFullySkippedGroupIsBlank) {
  ASSERT_EQ(model::SetMenuSkip(0, "B..", 1), 0);
  ToTextFile(true);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  ASSERT_EQ(app::PrintMenuSkipColumns('A', 'B', 'C', 0), app::kPrintOk);
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  std::istringstream lines(TextFile());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    if (count > 0) line.erase(0, 1);  // the blank of the previous line's carriage return
    ASSERT_GE(line.size(), 37u) << line;
    EXPECT_EQ(line.substr(16, 21), std::string(21, ' ')) << line;
    EXPECT_EQ(line.substr(0, 1), count == 0 ? "A" : line.substr(0, 1));
    ++count;
  }
  EXPECT_GT(count, 1);
}

TEST_F(PrintContentTest, ServiceInfoLine) {
  SetByte(450, 50, 3);
  SetByte(450, 52, 4);
  SetByte(450, 54, 5);
  SetByte(450, 48, 6);
  EXPECT_EQ(PrintToText({app::kSectionServiceInfo}), "Service-Info: FA3_FG4_AZ5_PK6_\r\n \r\n");
}

}  // namespace
