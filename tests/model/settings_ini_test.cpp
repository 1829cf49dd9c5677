#include "model/settings_ini.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "model/record_layout.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/module_path.h"

namespace {

using namespace model;

struct Element {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
};

// The n-th element of a type in the layout without range check and with the default 0 (the tests do not
// depend on where the layout puts its elements); with_range: the n-th one that has a range check instead.
Element FindElement(std::uint8_t type, int n = 0, bool with_range = false) {
  const auto table = RecordLayoutTable();
  for (std::size_t row = 0; table[row].record != 0; ++row) {
    const LayoutEntry& entry = table[row];
    if (entry.type != type || entry.record == 300 || entry.record == 3 || entry.record == 4) continue;
    const bool ranged = !IsStringType(type) && (entry.a != 0 || entry.b != 0);
    if (ranged != with_range) continue;
    const std::uint16_t first = FirstRowOfRecord(entry.record);
    const Element e{entry.record, static_cast<std::uint16_t>(entry.storage - table[first].storage)};
    std::array<std::uint8_t, 1024> def{};
    if (ReadDefaultElement(e.record, e.element, def.data(), kModeRaw, 0) != 0) continue;
    if (!with_range && !IsStringType(type) && std::any_of(def.begin(), def.end(), [](std::uint8_t b) { return b != 0; })) {
      continue;
    }
    if (n-- > 0) continue;
    return e;
  }
  return {};
}

template <typename T>
T Raw(Element e) {
  T v{};
  EXPECT_EQ(ReadElement(e.record, e.element, &v, kModeRaw, 0), 0);
  return v;
}

template <typename T>
void SetRaw(Element e, T v) {
  ASSERT_EQ(WriteElement(e.record, e.element, &v, kModeRaw, 0), 0);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kInterface[] = {"interface", ""};
const char* const kSerial[] = {"serial interface", "COM1", "COM2", "COM3", "COM4", ""};
const char* const kWait[] = {"Remotecontrol waiting time", "ms", ""};
const char* const kTimeout[] = {"max. timout time", "ms", ""};
const char* const kUss[] = {"USS-Protocol", ""};
const char* const kLog[] = {"LogFileOn", "0:inactive", "1:active", ""};
const char* const kPrinter[] = {"printer selection", ""};
const char* const kPrintFile[] = {"print file name", ""};
const char* const kOptions[] = {"options/remote", ""};
const char* const kAutoTime[] = {"Fb-auto-proto-time", "", ""};
const char* const kQuellox[] = {"Quellox", ""};
const char* const kBits[] = {"time between bits", "* 5\xB5s", ""};
const char* const kOpGeh[] = {"OpGeh", ""};
const char* const kAwLev[] = {"AwLev", "", ""};

class SettingsIni : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zprini.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    platform::sys::SetExecutablePathOverride(dir_ + "/vqpt32");
    ini_ = dir_ + "/vqpt32.ini";
    ASSERT_EQ(InitDataSet(0), 0);
    serial_ = FindElement(kTypeU8, 0);
    log_ = FindElement(kTypeU8, 1);
    bits_ = FindElement(kTypeU8, 2);
    awlev_ = FindElement(kTypeU8, 3);
    wait_ = FindElement(kTypeU16);
    auto_time_ = FindElement(kTypeI16);
    if (auto_time_.record == 0) auto_time_ = FindElement(kTypeU16, 1);
    timeout_ = FindElement(kTypeU32);
    if (timeout_.record == 0) timeout_ = FindElement(kTypeI32);
    print_file_ = FindElement(kTypeText80);
    ASSERT_NE(print_file_.record, 0);
    ASSERT_NE(timeout_.record, 0);

    auto row = [](Element e, std::uint8_t kind, const char* const* texts) {
      return ParameterDescriptor{e.record, e.element, kind, 0, 1, 0, 0.0, texts};
    };
    auto heading = [](const char* const* texts) {
      return ParameterDescriptor{305, kHeadingElement, 6, 0, 0, 0, 0.0, texts};
    };
    const ParameterDescriptor end{0, 0, 0, 0, 0, 0, 0.0, nullptr};
    list56_ = {heading(kInterface), row(serial_, 4, kSerial), row(wait_, 1, kWait), row(timeout_, 1, kTimeout), end};
    list58_ = {heading(kUss), row(log_, 2, kLog), end, end, end};
    list2_ = {heading(kPrinter), row(print_file_, 7, kPrintFile), end, end, end};
    list55_ = {heading(kOptions), row(auto_time_, 1, kAutoTime), end, end, end};
    list59_ = {heading(kQuellox), row(bits_, 1, kBits), end, end, end};
    list60_ = {heading(kOpGeh), row(awlev_, 1, kAwLev), end, end, end};
    static const ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
    slots_[56] = {list56_.data(), 0, true};
    slots_[57] = {kEmpty, 0, true};
    slots_[58] = {list58_.data(), 0, true};
    slots_[2] = {list2_.data(), 0, true};
    slots_[55] = {list55_.data(), 0, true};
    slots_[59] = {list59_.data(), 0, true};
    slots_[60] = {list60_.data(), 0, true};
    SetMenuListTableForTest(slots_);
  }
  void TearDown() override {
    SetMenuListTableForTest({});
    ResetFunctionTables();
    platform::sys::SetExecutablePathOverride(std::nullopt);
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  void SetValues() {
    SetRaw<std::uint8_t>(serial_, 2);
    SetRaw<std::uint16_t>(wait_, 2000);
    SetRaw<std::uint32_t>(timeout_, 4000000000u);
    SetRaw<std::uint8_t>(log_, 1);
    char text[81] = "ZPRPRINT.TXT \xE4";
    ASSERT_EQ(WriteElement(print_file_.record, print_file_.element, text, kModeRaw, 0), 0);
    SetRaw<std::int16_t>(auto_time_, -1);
    SetRaw<std::uint8_t>(bits_, 3);
    SetRaw<std::uint8_t>(awlev_, 9);
  }

  std::string dir_, ini_;
  Element serial_, log_, bits_, awlev_, wait_, auto_time_, timeout_, print_file_;
  std::array<ParameterDescriptor, 5> list56_, list58_, list2_, list55_, list59_, list60_;
  std::array<MenuListSlot, kMenuListSlots> slots_;
};

TEST_F(SettingsIni, PathBesideTheProgram) {
  ASSERT_EQ(MakeSettingsIniPath(nullptr), kSettingsDone);
  char buf[1025];
  ASSERT_EQ(GetSettingsIniPath(buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf), ini_);
  ASSERT_EQ(GetSettingsIniPath(buf, 5), 0);
  EXPECT_EQ(std::string(buf), ini_.substr(0, 4));
  platform::sys::SetExecutablePathOverride("");
  EXPECT_EQ(MakeSettingsIniPath(nullptr), kSettingsNoPath);
  EXPECT_EQ(GetSettingsIniPath(buf, sizeof buf), 1);
  EXPECT_EQ(LoadSettingsIni(nullptr), kSettingsNoPath);
  EXPECT_EQ(SaveSettingsIni(nullptr), kSettingsNoPath);
}

TEST_F(SettingsIni, SavedFormsAndRoundTrip) {
  SetValues();
  ASSERT_EQ(SaveSettingsIni(nullptr), kSettingsDone);
  EXPECT_EQ(ReadBytes(ini_),
            "[interface]\r\n"
            "serial interface=COM3\r\n"
            "Remotecontrol waiting time=2000 ms\r\n"
            "max. timout time=-294967296 ms\r\n"  // a 32-bit value as a 32-bit long prints it
            "[USS-Protocol]\r\n"
            "LogFileOn=1:active\r\n"
            "[printer selection]\r\n"
            "print file name=ZPRPRINT.TXT \xE4\r\n"
            "[options/remote]\r\n"
            "Fb-auto-proto-time=65535 \r\n"  // the unsigned bit pattern; no unit leaves a trailing blank
            "[Quellox]\r\n"
            "time between bits=3 * 5\xB5s\r\n");  // list 60 ("OpGeh") is never saved

  ASSERT_EQ(InitDataSet(0), 0);
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  EXPECT_EQ(Raw<std::uint8_t>(serial_), 2);
  EXPECT_EQ(Raw<std::uint16_t>(wait_), 2000);
  EXPECT_EQ(Raw<std::uint32_t>(timeout_), 4000000000u);
  EXPECT_EQ(Raw<std::uint8_t>(log_), 1);
  EXPECT_EQ(Raw<std::int16_t>(auto_time_), -1);
  EXPECT_EQ(Raw<std::uint8_t>(bits_), 3);
  char text[81] = {};
  ASSERT_EQ(ReadElement(print_file_.record, print_file_.element, text, kModeRaw, 0), 0);
  EXPECT_STREQ(text, "ZPRPRINT.TXT \xE4");
}

TEST_F(SettingsIni, MissingFileGivesDefaults) {
  SetValues();
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  for (Element e : {serial_, log_, bits_, awlev_}) {
    std::uint8_t def = 0xEE;
    ASSERT_EQ(ReadDefaultElement(e.record, e.element, &def, kModeRaw, 0), 0);
    EXPECT_EQ(Raw<std::uint8_t>(e), def) << e.record << "/" << e.element;
  }
  std::uint16_t def16 = 0;
  ASSERT_EQ(ReadDefaultElement(wait_.record, wait_.element, &def16, kModeRaw, 0), 0);
  EXPECT_EQ(Raw<std::uint16_t>(wait_), def16);
  EXPECT_FALSE(std::filesystem::exists(ini_));  // loading writes nothing
}

TEST_F(SettingsIni, EditedValuesAreCheckedAndOpGehIsReadOnly) {
  std::ofstream(ini_, std::ios::binary) << "[Colors]\nGrayText=8421504\n"
                                           "[INTERFACE]\nSerial Interface=COM9\nmax. timout time=abc ms\n"
                                           "[Quellox]\ntime between bits=300 * 5\xB5s\n"
                                           "[OpGeh]\nAwLev=7\n";
  SetRaw<std::uint8_t>(serial_, 1);
  SetRaw<std::uint8_t>(bits_, 4);
  SetRaw<std::uint32_t>(timeout_, 77);
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  EXPECT_EQ(Raw<std::uint8_t>(serial_), 1);    // no text matches: the element keeps its value
  EXPECT_EQ(Raw<std::uint8_t>(bits_), 0);      // 300 does not fit a byte: the default, not 300 cut to 44
  EXPECT_EQ(Raw<std::uint32_t>(timeout_), 0);  // no number: the default
  EXPECT_EQ(Raw<std::uint8_t>(awlev_), 7);     // read at start

  SetRaw<std::uint8_t>(awlev_, 9);
  ASSERT_EQ(SaveSettingsIni(nullptr), kSettingsDone);
  const std::string saved = ReadBytes(ini_);
  EXPECT_NE(saved.find("[Colors]\nGrayText=8421504\n"), std::string::npos);
  EXPECT_NE(saved.find("[OpGeh]\nAwLev=7\n"), std::string::npos);  // never written
  EXPECT_NE(saved.find("[INTERFACE]\nserial interface=COM2\n"), std::string::npos);
}

// A settings file from a list that numbered its texts otherwise ("3:9600 baud" where "1:9600 baud" now stands)
// keeps the named choice; a name no text has leaves the element as it is.
TEST_F(SettingsIni, ANumberedTextOfAnOlderListKeepsItsChoice) {
  static const char* const rates[] = {"baudrate", "0:4800 baud", "1:9600 baud", "2:19200 baud", "3:38400 baud", ""};
  list58_[1] = ParameterDescriptor{log_.record, log_.element, 4, 0, 1, 0, 0.0, rates};
  for (const auto& [written, expected] : {std::pair{"3:9600 baud", 1}, {"1:38400 baud", 3}, {"2:19200 baud", 2},
                                          {"1:2400 baud", 2}, {"9600 baud", 2}}) {
    SCOPED_TRACE(written);
    std::ofstream(ini_, std::ios::binary | std::ios::trunc) << "[USS-Protocol]\nbaudrate=" << written << "\n";
    SetRaw<std::uint8_t>(log_, 2);
    ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
    EXPECT_EQ(Raw<std::uint8_t>(log_), expected);
  }
}

TEST_F(SettingsIni, WaitingTimeAndPortOfTheLinkSettings) {
  // The real elements: port index (305, 0) and polling interval (305, 160, default 2000 ms).
  const Element port{305, 0};
  const Element polling{305, 160};
  list56_[1] = ParameterDescriptor{port.record, port.element, 4, 0, 1, 0, 0.0, kSerial};
  list56_[2] = ParameterDescriptor{polling.record, polling.element, 1, 0, 1, 0, 0.0, kWait};
  ASSERT_EQ(Raw<std::uint16_t>(polling), 2000);
  ASSERT_EQ(SaveSettingsIni(nullptr), kSettingsDone);
  const std::string saved = ReadBytes(ini_);
  EXPECT_NE(saved.find("serial interface=COM1\r\nRemotecontrol waiting time=2000 ms\r\n"), std::string::npos);

  std::ofstream(ini_, std::ios::binary) << "[interface]\nserial interface=COM9\nRemotecontrol waiting time=0 ms\n";
  SetRaw<std::uint8_t>(port, 1);
  SetRaw<std::uint16_t>(polling, 500);
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  EXPECT_EQ(Raw<std::uint8_t>(port), 1);  // COM9 matches no text
  EXPECT_EQ(Raw<std::uint16_t>(polling), 2000);  // 0 ms is refused by the element's range (100 to 2000)
  std::remove(ini_.c_str());
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  EXPECT_EQ(Raw<std::uint16_t>(polling), 2000);  // no file: the default
  EXPECT_EQ(Raw<std::uint8_t>(port), 0);         // the default selection text "COM1"
}

std::uint8_t RefuseFive(void* value, const RangePair*, std::uint8_t type, std::uint8_t, std::uint8_t which) {
  if (which != 0) return 0;
  std::uint32_t v = 0;
  std::memcpy(&v, value, ElementTypeSizeOf(type));
  return v == 5 ? 4 : 0;
}

TEST_F(SettingsIni, TheRangeCheckOfTheElementRefusesToTheDefault) {
  Element ranged = FindElement(kTypeU16, 0, true);
  if (ranged.record == 0) ranged = FindElement(kTypeU8, 0, true);
  if (ranged.record == 0) GTEST_SKIP() << "no layout row with a range check";
  const LayoutEntry& entry = RecordLayoutTable()[FindLayoutEntry(ranged.record, ranged.element)];
  RangeTableType ranges = RangeTable();
  ranges[entry.a] = RefuseFive;
  SetRangeTable(ranges);
  list55_[1] = ParameterDescriptor{ranged.record, ranged.element, 1, 0, 1, 0, 0.0, kAutoTime};
  std::array<std::uint8_t, 4> def{};
  ASSERT_EQ(ReadDefaultElement(ranged.record, ranged.element, def.data(), kModeRaw, 0), 0);

  std::ofstream(ini_, std::ios::binary) << "[options/remote]\nFb-auto-proto-time=5\n";
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  std::array<std::uint8_t, 4> now{};
  ASSERT_EQ(ReadElement(ranged.record, ranged.element, now.data(), kModeRaw, 0), 0);
  EXPECT_EQ(now, def);
  std::ofstream(ini_, std::ios::binary) << "[options/remote]\nFb-auto-proto-time=6\n";
  ASSERT_EQ(LoadSettingsIni(nullptr), kSettingsDone);
  ASSERT_EQ(ReadElement(ranged.record, ranged.element, now.data(), kModeRaw, 0), 0);
  EXPECT_EQ(now[0], 6);
  ResetFunctionTables();
}

TEST_F(SettingsIni, AFailedSaveLeavesTheOldFile) {
  std::ofstream(ini_, std::ios::binary) << "[interface]\r\nserial interface=COM4\r\n";
  SetValues();
  platform::sys::SetAtomicWriteFaultForTest(platform::sys::AtomicWriteStage::kWrite);
  EXPECT_EQ(SaveSettingsIni(nullptr), kSettingsFault);
  platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
  EXPECT_EQ(ReadBytes(ini_), "[interface]\r\nserial interface=COM4\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

}  // namespace
