// The scope library binding against stand-in libraries that log every call: the feed's order and values for the
// simulator's recording, the mappings, the colours of the settings file, the failure boxes and one reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/documents/file_titles.h"
#include "app/scope/scope_library.h"
#include "link/scope_recording.h"
#include "link/scope_tables.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/settings_ini.h"
#include "platform/sys/dynamic_library.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "sim/scope_recording.h"

namespace {

namespace drv = platform::testing;

using LogText = const char* (*)();
using LogClear = void (*)();
using LogRefuse = void (*)(int);

template <typename T>
void Put(std::uint16_t record, std::uint16_t element, T value, std::uint8_t set) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0) << record << "." << element;
}

class ScopeLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    set_ = app::GetActiveFile();
    ASSERT_EQ(model::InitDataSet(set_), 0);
    ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, set_), model::kFileKindReverseDoc);
    for (std::uint8_t c = 0; c < 8; ++c) SetChannel(c, 0, 0);
    drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
    app::SetScopeLibraryFile("TrendLog.dll");
  }
  void TearDown() override {
    app::UnloadScopeLibrary();
    app::SetScopeLibraryFile(nullptr);
  }

  void SetChannel(std::uint8_t c, std::uint16_t record, std::uint16_t element) {
    Put<std::uint16_t>(454, static_cast<std::uint16_t>(12 + 4 * c), record, set_);
    Put<std::uint16_t>(454, static_cast<std::uint16_t>(14 + 4 * c), element, set_);
  }
  // The simulator's six waveform channels, their ring and sampling index.
  void InstallWaves() {
    for (std::size_t c = 0; c < sim::kScopeWaveChannels.size(); ++c) {
      SetChannel(static_cast<std::uint8_t>(c), sim::kScopeWaveChannels[c].record, sim::kScopeWaveChannels[c].element);
    }
    std::array<std::uint8_t, 2880> ring{};
    sim::FillScopeWaveRing(ring.data(), sim::kScopeWaveRingStart);
    for (std::uint16_t block = 0; block < 12; ++block) {
      ASSERT_EQ(model::WriteElement(453, static_cast<std::uint16_t>(block * 240), ring.data() + block * 240,
                                    model::kModeRaw, set_),
                0);
    }
    Put<std::uint16_t>(33, 42, sim::kScopeWaveRingStart, set_);
    Put<std::uint8_t>(454, 0, sim::kScopeWaveSamplingIndex, set_);
  }

  // The stand-in's log as lines, emptied.
  std::vector<std::string> TakeLog() {
    HMODULE module = GetModuleHandle("TrendLog.dll");
    if (module == nullptr) return {};
    std::istringstream in(reinterpret_cast<LogText>(GetProcAddress(module, "TrendLogText"))());
    reinterpret_cast<LogClear>(GetProcAddress(module, "TrendLogClear"))();
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : drv::MessageBoxes()) {
      EXPECT_EQ(box.caption, "ZPR-Tool");
      EXPECT_EQ(box.type & MB_ICONHAND, static_cast<unsigned>(MB_ICONHAND));
      texts.push_back(box.text);
    }
    return texts;
  }

  drv::Session session_;
  std::uint8_t set_ = 0;
};

std::string Fmt(const char* format, auto... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// The six waveform channels are fed in order with key c + 1, their width-keeping data types, three decimals, every
// sample as the recording gives it, name and unit; channels 6 and 7 are off and not fed; then time base,
// trigger frame, the four colours and the activation.
TEST_F(ScopeLibraryTest, FeedsTheRecordingChannelByChannelInOrder) {
  InstallWaves();
  app::SetScopeColors(0x010203, 0x040506, 0x070809, 0x0A0B0C);
  app::LoadScopeLibrary();
  ASSERT_TRUE(app::ScopeLibraryLoaded());
  app::ShowScopeData(1);
  const std::vector<std::string> log = TakeLog();

  std::array<ilink::ScopeSignalInfo, 8> rows{};
  ASSERT_EQ(ilink::GetScopeSignalRows(7, rows, set_), 0);
  const std::uint16_t n = ilink::ScopeSamplesPerRecord(set_);
  ASSERT_EQ(n, sim::kScopeWaveSamples);
  ASSERT_EQ(ilink::LoadScopeRecording(set_), 0);
  constexpr std::array<int, 6> kTypes = {3, 5, 2, 6, 7, 4};  // i16, u8, i8, u16, u32, i32

  std::vector<std::string> want = {"OpenWindow", "SetTitle(ZPR-Scope display)", "ResetScopeData"};
  for (int c = 0; c < 6; ++c) {
    const auto& row = rows[static_cast<std::size_t>(c)];
    ASSERT_EQ(row.kind, 1) << c;
    want.push_back(Fmt("SetChannelKey(%d,%d)", c, c + 1));
    want.push_back(Fmt("SetChannelDatacount(%d,%u)", c, n));
    want.push_back(Fmt("SetChannelDType(%d,%d)", c, kTypes[static_cast<std::size_t>(c)]));
    want.push_back(Fmt("SetChannelArt(%d,0)", c));
    want.push_back(Fmt("SetChannelKomma(%d,3)", c));
    for (unsigned s = 0; s < n; ++s) {
      const double v = ilink::GetScopeSample(static_cast<std::uint8_t>(c), static_cast<std::uint16_t>(s), set_);
      want.push_back(Fmt("SetChannelData(%d,%u,1,%.6g)", c, s, v));
    }
    want.push_back(Fmt("SetChannelName(%d,%s)", c, row.name.substr(0, 28).c_str()));
    want.push_back(Fmt("SetChannelUnit(%d,%s)", c, row.unit.substr(0, 28).c_str()));
  }
  want.push_back("SetTimeBase(10000)");
  want.push_back(Fmt("SetTriggerFrame(%d)", ilink::ScopePretriggerSamples(set_)));
  for (const char* colour : {"SetScopeColor(100,010203)", "SetScopeColor(101,040506)", "SetScopeColor(102,070809)",
                             "SetScopeColor(103,0A0B0C)"}) {
    want.push_back(colour);
  }
  want.push_back("ActivateWindow");
  EXPECT_EQ(log, want);
  // The samples are the recording's, not all alike.
  EXPECT_NE(want[8], want[9]);
  EXPECT_TRUE(BoxTexts().empty());

  EXPECT_NE(app::GetTrendWindowHandle(), nullptr);
  EXPECT_EQ(app::UnloadScopeLibrary(), TRUE);
  EXPECT_EQ(app::GetTrendWindowHandle(), nullptr);
  EXPECT_EQ(GetModuleHandle("TrendLog.dll"), nullptr);
}

// A binary channel is fed as kind 4 with no decimals and the unit "binary"; the channels after the last one in use
// are not fed, even with gaps before it. The time base is the recorder's period (1 ms at index 3).
TEST_F(ScopeLibraryTest, BinaryChannelAndLastChannelInUse) {
  std::uint16_t binary = ilink::kNoScopeRow;
  const auto table = ilink::ScopeSignalTable();
  for (std::uint16_t r = 1; r < table.size() && table[r].record != 0; ++r) {
    if (table[r].kind == 2 && table[r].first_letter <= 'A' && !table[r].developer) {
      binary = r;
      break;
    }
  }
  ASSERT_NE(binary, ilink::kNoScopeRow);
  SetChannel(2, table[binary].record, table[binary].element);
  Put<std::uint8_t>(454, 0, 3, set_);  // 1 ms per sample
  app::LoadScopeLibrary();
  app::ShowScopeData(1);
  const std::vector<std::string> log = TakeLog();
  auto has = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) != log.end(); };
  EXPECT_TRUE(has("SetChannelKey(0,1)"));
  EXPECT_TRUE(has("SetChannelKey(2,3)"));
  EXPECT_FALSE(has("SetChannelKey(3,4)"));
  EXPECT_TRUE(has("SetChannelArt(2,4)"));
  EXPECT_TRUE(has("SetChannelKomma(2,0)"));
  EXPECT_TRUE(has("SetChannelUnit(2,binary)"));
  EXPECT_TRUE(has("SetChannelArt(0,0)"));
  EXPECT_TRUE(has("SetTimeBase(1000)"));
}

TEST(ScopeMappingTest, TimeBaseDataTypeAndKind) {
  // The recorder's periods in microseconds, as the device samples (not 1-2-5 from 1 us at index 0).
  const std::vector<std::pair<int, int>> time_bases = {{0, 1000},      {3, 1000},      {9, 1000},    {10, 2000},
                                                      {12, 10000},     {15, 100000},   {19, 2000000}, {23, 50000000},
                                                      {24, 1000},      {25, 1000}};
  for (auto [index, us] : time_bases) EXPECT_EQ(app::MapScopeTimeBase(static_cast<std::uint8_t>(index)), us) << index;
  const std::vector<std::pair<int, int>> types = {{0, 1},   {1, 28},  {2, 5},   {3, 2},   {4, 6},  {5, 3},
                                                 {6, 7},   {7, 4},   {8, 28},  {9, 29},  {10, 30}, {11, 8},
                                                 {12, 17}, {13, 28}, {14, 31}, {15, 31}, {16, 28}, {200, 28}};
  for (auto [type, code] : types) EXPECT_EQ(app::MapScopeDataTypeOfType(static_cast<std::uint8_t>(type)), code) << type;
  EXPECT_EQ(app::MapScopeChannelKind(2), 4);
  EXPECT_EQ(app::MapScopeChannelKind(1), 0);
  EXPECT_EQ(app::MapScopeChannelKind(0), 0);
}

// A missing library, a library without one entry point and a trend window that cannot be opened each show their
// stop box and leave nothing loaded; every later call does nothing.
TEST_F(ScopeLibraryTest, FailureBoxes) {
  app::SetScopeLibraryFile("NoSuchScopeLibrary.dll");
  app::LoadScopeLibrary();
  EXPECT_FALSE(app::ScopeLibraryLoaded());
  app::ShowScopeData(1);
  EXPECT_EQ(app::UnloadScopeLibrary(), FALSE);

  app::SetScopeLibraryFile("TrendLogPartial.dll");
  app::LoadScopeLibrary();
  EXPECT_FALSE(app::ScopeLibraryLoaded());
  EXPECT_EQ(GetModuleHandle("TrendLogPartial.dll"), nullptr);

  app::SetScopeLibraryFile("TrendLog.dll");
  app::LoadScopeLibrary();
  ASSERT_TRUE(app::ScopeLibraryLoaded());
  reinterpret_cast<LogRefuse>(GetProcAddress(GetModuleHandle("TrendLog.dll"), "TrendLogRefuseWindow"))(1);
  app::ShowScopeData(1);
  EXPECT_FALSE(app::ScopeLibraryLoaded());
  EXPECT_EQ(GetModuleHandle("TrendLog.dll"), nullptr);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"LoadLibrary of 'ZprScope.dll' failed.", "GetProcAddress() failed.",
                                                  "PTrend_OpenWindow() failed."}));
}

// However often it is loaded, one unload releases the library; the trend window is closed first.
TEST_F(ScopeLibraryTest, OneReferenceAndCloseOnUnload) {
  InstallWaves();
  app::LoadScopeLibrary();
  app::LoadScopeLibrary();
  app::ShowScopeData(1);
  app::LoadScopeLibrary();
  TakeLog();
  EXPECT_EQ(app::UnloadScopeLibrary(), TRUE);
  EXPECT_EQ(GetModuleHandle("TrendLog.dll"), nullptr);
  EXPECT_EQ(app::UnloadScopeLibrary(), FALSE);
  EXPECT_EQ(app::GetTrendWindowHandle(), nullptr);
}

// The colours of section "Colors": a missing key gives its default, a present one its b/g/r value.
TEST_F(ScopeLibraryTest, ColoursFromTheSettingsFile) {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "scope_colours";
  std::filesystem::create_directories(folder);
  platform::sys::SetExecutablePathOverride((folder / "vqpt32").string());
  ASSERT_EQ(model::MakeSettingsIniPath(GetModuleHandle(nullptr)), 0);
  std::ofstream(folder / "vqpt32.ini") << "[Colors]\nBackground=b255 g0 r0\nMarker=b1 g2 r3\n";
  std::array<COLORREF, 4> c{};
  app::ReadScopeColors(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(c, (std::array<COLORREF, 4>{0xFF0000, 0x00FFFF, 0xFFFF00, 0x010203}));
  std::filesystem::remove(folder / "vqpt32.ini");
  app::ReadScopeColors(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(c, (std::array<COLORREF, 4>{0x000000, 0x00FFFF, 0xFFFF00, 0xFFFFFF}));
  platform::sys::SetExecutablePathOverride(std::nullopt);
}

}  // namespace
