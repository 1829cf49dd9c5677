// A host of the scope library for tests: loads it by its ".dll" name as the projecting tool does, fetches all 23
// exports by name, opens the scope window on a host window of its own and feeds channels.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys/dynamic_library.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"
#include "scope/core/plot_layout.h"
#include "scope/trend_exports.h"

namespace scope_test {

#define SCOPE_EXPORTS(X)                                                                                       \
  X(ActivateWindow) X(CloseWindow) X(GetScopeColor) X(GetWindowHandle) X(GetXRaster) X(GetYRaster)             \
  X(OpenWindow) X(ResetIDCWait) X(ResetScopeData) X(SetChannelArt) X(SetChannelDType) X(SetChannelData)        \
  X(SetChannelDatacount) X(SetChannelKey) X(SetChannelKomma) X(SetChannelName) X(SetChannelUnit) X(SetIDCWait) \
  X(SetScopeColor) X(SetTimeBase) X(SetTitle) X(SetTriggerFrame) X(SetWindowPos)

struct ScopeLibrary {
  HMODULE module = nullptr;
#define SCOPE_MEMBER(name) PFN_Trend_##name name = nullptr;
  SCOPE_EXPORTS(SCOPE_MEMBER)
#undef SCOPE_MEMBER

  // True when the library loaded and every export was found.
  bool Load() {
    module = LoadLibraryA("ZprScope2.dll");
    if (!module) return false;
    bool all = true;
#define SCOPE_FETCH(name)                                                                   \
  name = reinterpret_cast<PFN_Trend_##name>(GetProcAddress(module, "Trend_" #name)); \
  all = all && name;
    SCOPE_EXPORTS(SCOPE_FETCH)
#undef SCOPE_FETCH
    return all;
  }
  bool Unload() {
    const bool done = module && FreeLibrary(module);
    module = nullptr;
    return done;
  }

  // One channel in the host's calling order.
  void Feed(short channel, int key, const char* name, const char* unit, const std::vector<double>& samples,
            short data_type = 6, char kind = 0, char decimals = 1) {
    SetChannelKey(channel, key);
    SetChannelDatacount(channel, static_cast<unsigned>(samples.size()));
    SetChannelDType(channel, data_type);
    SetChannelArt(channel, kind);
    SetChannelKomma(channel, decimals);
    SetChannelData(channel, 0, static_cast<unsigned>(samples.size()), samples.data());
    SetChannelName(channel, name);
    SetChannelUnit(channel, unit);
  }
};

// The scope window's display and its plot as laid out for the display's client size.
inline HWND Display(HWND scope_window) { return GetDlgItem(scope_window, 100); }
inline scope::PlotLayout PlotOf(HWND display, bool time_marker = false, bool value_marker = false) {
  RECT client;
  GetClientRect(display, &client);
  return scope::LayOutPlot(client, time_marker, value_marker);
}
// The control panel: the child of the scope window that holds the "Measure" button (1073).
inline HWND Panel(HWND scope_window) {
  for (HWND child = GetWindow(scope_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgItem(child, 1073)) return child;
  return nullptr;
}
inline std::string StatusText(HWND scope_window) { return platform::testing::ItemText(scope_window, 2006); }

class ScopeHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("ScopeHost", DefWindowProc));
    host_ = CreateWindowEx(0, "ScopeHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                           nullptr, nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
    ASSERT_TRUE(scope_.Load()) << platform::sys::LastLoadError();
  }
  void TearDown() override { scope_.Unload(); }

  platform::testing::Session session_;
  HWND host_ = nullptr;
  ScopeLibrary scope_;
};

}  // namespace scope_test
