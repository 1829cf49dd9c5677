// Loading and releasing the scope library, its entry points, the trend window's handle and the colours.
#include "app/scope/scope_library.h"

#include <array>
#include <cstring>
#include <string>

#include "app/common/ini_color.h"
#include "app/common/shell_state.h"
#include "app/documents/scope_file_switch.h"
#include "app/scope/scope_control.h"
#include "app/scope/scope_library_state.h"
#include "platform/sys/dynamic_library.h"

namespace app {
namespace {

constexpr const char* kBoxTitle = "ZPR-Tool";

std::string& LibraryFile() {
  static std::string file = kScopeLibraryFile;
  return file;
}

// Fetches every entry point by name; false when any is missing.
bool FetchEntryPoints(ScopeLibraryState& s) {
  bool all = true;
#define TREND_IMPORT(name)                                                                                    \
  s.calls.name = reinterpret_cast<PFN_Trend_##name>(GetProcAddress(s.module, "Trend_" #name));           \
  all = all && s.calls.name != nullptr;
#include "app/data/trend_imports.def"
#undef TREND_IMPORT
  return all;
}

void ShowStopBox(const char* text) { MessageBox(MainWindow(), text, kBoxTitle, MB_OK | MB_ICONHAND); }

}  // namespace

ScopeLibraryState& ScopeLibrary() {
  static ScopeLibraryState state;
  return state;
}

void SetScopeLibraryFile(const char* file) { LibraryFile() = file != nullptr ? file : kScopeLibraryFile; }

void LoadScopeLibrary() {
  ScopeLibraryState& s = ScopeLibrary();
  // One reference: a second load while loaded keeps the library (and its trend window) as it is.
  if (s.module != nullptr) return;
  s.module = LoadLibraryA(LibraryFile().c_str());
  if (s.module == nullptr) {
    ShowStopBox("LoadLibrary of 'ZprScope.dll' failed.");
    return;
  }
  if (!FetchEntryPoints(s)) {
    ShowStopBox("GetProcAddress() failed.");
    UnloadScopeLibrary();
  }
}

BOOL UnloadScopeLibrary() {
  ScopeLibraryState& s = ScopeLibrary();
  if (s.trend_window != nullptr && s.module != nullptr && s.calls.CloseWindow != nullptr) s.calls.CloseWindow();
  s.trend_window = nullptr;
  BOOL released = FALSE;
  if (s.module != nullptr) released = FreeLibrary(s.module);
  s.module = nullptr;
  s.calls = TrendCalls{};
  return released;
}

bool ScopeLibraryLoaded() { return ScopeLibrary().module != nullptr; }

HWND GetTrendWindowHandle() {
  const ScopeLibraryState& s = ScopeLibrary();
  if (s.module == nullptr || s.trend_window == nullptr) return nullptr;
  return s.calls.GetWindowHandle();
}

void ActivateTrendWindow() {
  const ScopeLibraryState& s = ScopeLibrary();
  if (s.module != nullptr && s.trend_window != nullptr) s.calls.ActivateWindow();
}

void SetScopeColors(COLORREF background, COLORREF grid, COLORREF trigger_line, COLORREF marker) {
  ScopeLibrary().colours = {background, grid, trigger_line, marker};
}

void ReadScopeColors(COLORREF* background, COLORREF* grid, COLORREF* trigger_line, COLORREF* marker) {
  *background = ReadIniColor("Colors", "Background", 0x000000);
  *grid = ReadIniColor("Colors", "Grid", 0x00FFFF);
  *trigger_line = ReadIniColor("Colors", "Triggerline", 0xFFFF00);
  *marker = ReadIniColor("Colors", "Marker", 0xFFFFFF);
}

void TakeScopeColorsFromSettings() {
  std::array<COLORREF, 4> c{};
  ReadScopeColors(&c[0], &c[1], &c[2], &c[3]);
  SetScopeColors(c[0], c[1], c[2], c[3]);
}

namespace {

// The documents' file switch: load again (a no-op while loaded), colours, the recording.
void ShowRecordingAfterSwitch() {
  LoadScopeLibrary();
  ShowScopeData(1);
}
void UnloadAfterSwitch() { UnloadScopeLibrary(); }

}  // namespace

void InstallScopeLibraryBinding() {
  SetScopeLibraryCalls({ShowRecordingAfterSwitch, UnloadAfterSwitch, CloseScopeControlWindow});
}

}  // namespace app
