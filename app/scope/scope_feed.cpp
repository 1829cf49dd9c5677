// The feed: the active data set's recording into the trend window, channel by channel, and the three mappings.
#include <array>
#include <string>

#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/scope/scope_library.h"
#include "app/scope/scope_library_state.h"
#include "link/scope_recording.h"
#include "link/scope_settings.h"
#include "link/scope_tables.h"
#include "link/scope_time_base.h"
#include "model/element_type.h"
#include "model/message_show.h"
#include "model/record_layout.h"

namespace app {
namespace {

constexpr std::int8_t kInputErrorGroup = 12;
constexpr std::size_t kTrendTextLimit = 28;
constexpr std::uint8_t kBinaryKind = 2;
constexpr char kBinaryTrace = 4;
constexpr std::array<short, 4> kColourSelectors = {100, 101, 102, 103};

std::string Cut(const std::string& text) { return text.substr(0, kTrendTextLimit); }

// Channels 0..last where last is the highest channel whose signal is on; -1 when none is.
int LastChannelInUse(const std::array<ilink::ScopeSignalInfo, ilink::kScopeChannels>& rows) {
  for (int c = ilink::kScopeChannels - 1; c >= 0; --c) {
    if (rows[static_cast<std::size_t>(c)].kind != 0) return c;
  }
  return -1;
}

void FeedChannel(const TrendCalls& t, short c, const ilink::ScopeSignalInfo& row, std::uint16_t samples,
                 std::uint8_t set) {
  t.SetChannelKey(c, c + 1);
  t.SetChannelDatacount(c, samples);
  t.SetChannelDType(c, MapScopeDataType(row.record, row.element));
  const char kind = MapScopeChannelKind(row.kind);
  t.SetChannelArt(c, kind);
  t.SetChannelKomma(c, kind == kBinaryTrace ? 0 : 3);
  ilink::LoadScopeRecording(set);
  for (std::uint16_t s = 0; s < samples; ++s) {
    const double v = ilink::GetScopeSample(static_cast<std::uint8_t>(c), s, set);
    t.SetChannelData(c, s, 1, &v);
  }
  t.SetChannelName(c, Cut(row.name).c_str());
  t.SetChannelUnit(c, row.kind == kBinaryKind ? "binary" : Cut(row.unit).c_str());
}

}  // namespace

short MapScopeDataTypeOfType(std::uint8_t type) {
  switch (type) {
    case model::kTypeU8Unused: return 1;
    case model::kTypeU8: return 5;
    // Signed types keep their width: i8, i16 and i32 have trend codes 2, 3 and 4.
    case model::kTypeI8: return 2;
    case model::kTypeI16: return 3;
    case model::kTypeI32: return 4;
    case model::kTypeU16: return 6;
    case model::kTypeU32: return 7;
    case model::kTypeText16: return 29;
    case model::kTypeText80: return 30;
    case model::kTypeF32: return 8;
    case model::kTypeF64: return 17;
    case model::kTypeBlock240:
    case model::kTypeText1023: return 31;
    default: return 28;
  }
}

short MapScopeDataType(std::uint16_t record, std::uint16_t element) {
  return MapScopeDataTypeOfType(model::GetElementType(record, element));
}

char MapScopeChannelKind(std::uint8_t kind) { return kind == kBinaryKind ? kBinaryTrace : 0; }

// The recorder's own period: the one the settings dialog shows and the device samples with.
int MapScopeTimeBase(std::uint8_t index) { return static_cast<int>(ilink::ScopeTimeBaseMicroseconds(index)); }

void ShowScopeData(int /*flag*/) {
  ScopeLibraryState& s = ScopeLibrary();
  if (s.module == nullptr) return;
  const TrendCalls& t = s.calls;
  s.trend_window = t.OpenWindow(MainWindow());
  if (s.trend_window == nullptr) {
    MessageBox(MainWindow(), "PTrend_OpenWindow() failed.", "ZPR-Tool", MB_OK | MB_ICONHAND);
    UnloadScopeLibrary();
    return;
  }
  t.SetTitle("ZPR-Scope display");
  t.ResetScopeData();
  const std::uint8_t set = GetActiveFile();
  ilink::BuildScopeUnitTexts(set);
  std::array<ilink::ScopeSignalInfo, ilink::kScopeChannels> rows{};
  if (const std::uint8_t code = ilink::GetScopeSignalRows(ilink::kScopeChannels - 1, rows, set); code != 0) {
    model::MessageBoxByNumber(MainWindow(), model::kShowFault, kInputErrorGroup, code);
    return;
  }
  const std::uint16_t samples = ilink::ScopeSamplesPerRecord(set);
  const int last = LastChannelInUse(rows);
  for (int c = 0; c <= last; ++c) FeedChannel(t, static_cast<short>(c), rows[static_cast<std::size_t>(c)], samples, set);
  t.SetTimeBase(MapScopeTimeBase(ilink::GetScopeSamplingIndex(set)));
  t.SetTriggerFrame(ilink::ScopePretriggerSamples(set));
  for (std::size_t i = 0; i < kColourSelectors.size(); ++i) t.SetScopeColor(kColourSelectors[i], s.colours[i]);
  t.ActivateWindow();
}

}  // namespace app
