// The value log on a small synthetic menu table and the virtual clock: file head, heading and data lines, the
// timed entries, the maximum that ends the log, entries by hand, and its independence of a running printout.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/documents/file_slots.h"
#include "app/online/value_log.h"
#include "app/print/print_content.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/message_presenter.h"
#include "platform/sys/clock.h"
#include "tests/app/message_sink.h"
#include "tests/app/recording_output.h"

namespace {

using model::ParameterDescriptor;

const char* kTHead[] = {"protocol monitor values", ""};
const char* kTUser[] = {"K03 R-user", ""};
const char* kTDrive[] = {"drive monitor", ""};
const char* kTSpeed[] = {"E08 n-motor", "rpm", ""};
const char* kTTorque[] = {"E90 M-motor", "%", ""};
const char* kTWord[] = {"E45 control word", ""};
const char* kTFault[] = {"E173 fault", "0:none", "1:info", ""};
const char* kTReserved[] = {"E99 reserved", ""};

const ParameterDescriptor kHeadList[] = {
    {317, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHead},
    {15, 4, 7, 0, 1, 0, 0.0, kTUser},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr},
};
// The drive monitor's list: a signed number, one with a decimal, a hexadecimal word, a byte selection; the
// heading and the reserved row are no columns.
const ParameterDescriptor kDriveList[] = {
    {33, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTDrive},
    {33, 2, 1, 0, 0, 0, 0.0, kTSpeed},
    {33, 4, 1, 1, 0, 0, 0.0, kTTorque},
    {306, 0, 9, 0, 0, 0, 0.0, kTWord},
    {33, 58, 4, 0, 0, 0, 0.0, kTFault},
    {33, 6, 5, 0, 0, 0, 0.0, kTReserved},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr},
};

using app_test::MessageSink;

using app_test::RecordingOutput;

constexpr std::array<std::uint8_t, 7> kDriveOnly{0, 1, 0, 1, 0, 0, 0};  // one drive monitor (listed twice)

class ValueLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseVirtualClock();
    model::InitDataSet(0);
    model::InitDataSet(1);
    app::ResetFileSlots();
    app::ResetValueLog();
    static const ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
    slots_[54] = {kHeadList, 0, true};
    slots_[4] = {kDriveList, 0, true};
    model::SetMenuListTableForTest(slots_);
    model::SetMessagePresenter(&messages_);
    app::SetPrintLineOutput(&printer_);
    char pattern[] = "/tmp/value-log-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    SetText(305, 62, (dir_ / "LOG.TXT").string());
    SetByte(305, 57, 1);  // text file
    SetWord(305, 58, 10);
    SetWord(305, 60, 3);
    SetText(15, 4, "anna", 1);
    SetWord(33, 2, static_cast<std::uint16_t>(-1500), 1);
    SetWord(33, 4, 255, 1);  // one decimal: 255.0
    SetWord(306, 0, 0xBEEF, 1);
    SetByte(33, 58, 1, 1);
  }
  void TearDown() override {
    app::ResetValueLog();
    if (app::PrintBufferOpen()) app::DiscardPrintBuffer();
    app::SetPrintLineOutput(nullptr);
    model::SetMessagePresenter(nullptr);
    model::SetMenuListTableForTest({});
    platform::sys::UseRealClock();
    std::filesystem::remove_all(dir_);
  }
  static void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0);
  }
  static void SetWord(std::uint16_t record, std::uint16_t element, std::uint16_t value, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0);
  }
  static void SetText(std::uint16_t record, std::uint16_t element, const std::string& text, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, text.c_str(), model::kModeRaw, set), 0);
  }
  std::string File() const {
    std::ifstream in(dir_ / "LOG.TXT", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Seconds(int s) { platform::sys::AdvanceVirtualClock(std::int64_t{s} * 1'000'000'000); }
  std::uint8_t Log(std::uint8_t mode) { return app::WriteValueLog(mode, 1, kDriveOnly); }

  std::array<model::MenuListSlot, model::kMenuListSlots> slots_{};
  std::filesystem::path dir_;
  MessageSink messages_;
  RecordingOutput printer_;
};

const std::string kEntry1 = "   1\t -1500 \t 255.0 \t     BEEF\t  1\t\r\n";

TEST_F(ValueLogTest, StartWritesHeadHeadingAndFirstEntryAndTimedEntriesFollowTheInterval) {
  SetByte(305, 56, app::kLogModeTimed);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogNothing);  // no log runs yet
  EXPECT_FALSE(std::filesystem::exists(dir_ / "LOG.TXT"));
  ASSERT_EQ(Log(app::kValueLogStart), app::kValueLogWritten);
  std::string expected = std::string("Parameter documentation") + std::string(15, ' ') + "ZPR-Tool" +
                         std::string(14, ' ') + "V 4.6 \r\n" + "protocol monitor values: \r\n" +
                         "K03 R-user: anna\r\n" + std::string(70, '-') + "\r\n" +
                         " No.\t E08[rpm]\t E90[%]\t E45[hex]\tE173\t\r\n" + kEntry1;
  EXPECT_EQ(File(), expected);

  Seconds(9);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogNothing);
  Seconds(2);  // 11 s: entry 2, the next one due at 20 s
  SetWord(33, 2, 42, 1);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogWritten);
  expected += "   2\t    42 \t 255.0 \t     BEEF\t  1\t\r\n";
  EXPECT_EQ(File(), expected);
  Seconds(8);  // 19 s
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogNothing);
  Seconds(1);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogWritten);
  EXPECT_EQ(app::ValueLogEntryNumber(), 3);

  // The maximum of 3 entries is reached: the next poll ends the log with the message, the file stays whole.
  EXPECT_TRUE(messages_.texts.empty());
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogStopped);
  EXPECT_FALSE(app::ValueLogRunning());
  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0].find("The automatic protocol of the remote-monitor-data is stopped."), 0u);
  Seconds(100);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogNothing);
  const std::string text = File();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8);
}

TEST_F(ValueLogTest, WithoutTimedModeOnlyEntriesByHandAreWritten) {
  SetByte(305, 56, app::kLogModeOff);
  ASSERT_EQ(Log(app::kValueLogEntry), app::kValueLogWritten);  // no log ran: it starts with entry 1
  Seconds(60);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogNothing);
  EXPECT_EQ(Log(app::kValueLogEntry), app::kValueLogWritten);
  EXPECT_EQ(Log(app::kValueLogEntry), app::kValueLogWritten);
  EXPECT_EQ(app::ValueLogEntryNumber(), 3);
  EXPECT_EQ(Log(app::kValueLogEntry), app::kValueLogStopped);
  const std::string text = File();
  EXPECT_NE(text.find(kEntry1), std::string::npos);
  EXPECT_NE(text.find("\r\n   3\t"), std::string::npos);
  EXPECT_EQ(text.find("\r\n   4\t"), std::string::npos);
}

TEST_F(ValueLogTest, APrintoutRunningMeanwhileNeitherDisturbsTheLogNorIsDisturbed) {
  SetByte(305, 56, app::kLogModeTimed);
  SetByte(305, 10, 1);  // the printout goes to its text file
  app::SetPrintTextPath((dir_ / "ZPRPRINT.TXT").string());
  ASSERT_EQ(app::OpenPrintBuffer(1), app::kPrintOk);
  ASSERT_EQ(app::PrintSection(app::kSectionHeader, 1), app::kPrintOk);
  ASSERT_EQ(Log(app::kValueLogStart), app::kValueLogWritten);
  Seconds(10);
  ASSERT_EQ(Log(app::kValueLogCyclic), app::kValueLogWritten);
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  app::SetPrintTextPath({});
  std::ifstream in(dir_ / "ZPRPRINT.TXT", std::ios::binary);
  std::stringstream printed;
  printed << in.rdbuf();
  EXPECT_EQ(printed.str().find("E08"), std::string::npos);
  EXPECT_EQ(printed.str().find("Parameter documentation\tZPR-Tool"), 0u);
  EXPECT_NE(File().find("\r\n   2\t"), std::string::npos);
}

TEST_F(ValueLogTest, ToThePrinterEachWriteIsAJobAndWhileADocumentPrintsTheEntryIsRefused) {
  SetByte(305, 56, app::kLogModeTimed);
  SetByte(305, 57, 0);
  ASSERT_EQ(Log(app::kValueLogStart), app::kValueLogWritten);
  ASSERT_GE(printer_.log.size(), 4u);
  EXPECT_EQ(printer_.log.front(), "START");
  EXPECT_EQ(printer_.log.back(), "END");
  EXPECT_EQ(printer_.log[printer_.log.size() - 2] + "\r\n", kEntry1);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "LOG.TXT"));

  SetByte(305, 10, 0);
  ASSERT_EQ(app::OpenPrintBuffer(1), app::kPrintOk);  // the documentation holds the printer
  printer_.log.clear();
  Seconds(10);
  EXPECT_EQ(Log(app::kValueLogCyclic), app::kValueLogFailed);
  EXPECT_TRUE(printer_.log.empty());
  app::DiscardPrintBuffer();
}

TEST_F(ValueLogTest, AnUnwritableFileFailsAndLeavesNoPartialFile) {
  SetText(305, 62, (dir_ / "missing" / "LOG.TXT").string());
  EXPECT_EQ(Log(app::kValueLogStart), app::kValueLogFailed);
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
  SetText(305, 62, "");
  EXPECT_EQ(app::ValueLogPath(), "");
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  EXPECT_EQ(Log(app::kValueLogStart), app::kValueLogWritten);  // an empty name: the default file name
  EXPECT_EQ(app::ValueLogPath(), (dir_ / app::kValueLogFileName).string()) << "a whole path, to be found again";
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(std::filesystem::exists(dir_ / app::kValueLogFileName));
}

// A fresh settings set logs into a text file; a bare name goes beside the active project file, whole.
TEST_F(ValueLogTest, TheLogGoesToATextFileBesideTheProjectByDefault) {
  model::InitDataSet(0);
  std::uint8_t selection = 0;
  ASSERT_EQ(model::ReadElement(305, 57, &selection, model::kModeRaw, 0), 0);
  EXPECT_EQ(selection, 1) << "a text file, not the printer";
  app::Slot(0).path = (dir_ / "plant.ZPR").string();
  SetText(305, 62, "");
  EXPECT_EQ(app::ValueLogTarget(), (dir_ / app::kValueLogFileName).string());
  SetText(305, 62, "line2.txt");
  EXPECT_EQ(app::ValueLogTarget(), (dir_ / "line2.txt").string());
  SetByte(305, 57, 0);
  EXPECT_EQ(app::ValueLogTarget(), "");
}

}  // namespace
