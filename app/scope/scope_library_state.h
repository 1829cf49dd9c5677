// The binding's state, shared by the load and the feed (internal).
#pragma once

#include <array>

#include "platform/win/win.h"
#include "scope/trend_exports.h"

namespace app {

struct TrendCalls {
#define TREND_IMPORT(name) PFN_Trend_##name name = nullptr;
#include "app/data/trend_imports.def"
#undef TREND_IMPORT
};

struct ScopeLibraryState {
  HMODULE module = nullptr;
  HWND trend_window = nullptr;  // what Trend_OpenWindow gave at the last feed; cleared only by the unload
  TrendCalls calls;
  std::array<COLORREF, 4> colours{0x000000, 0x00FFFF, 0xFFFF00, 0xFFFFFF};  // background, grid, trigger, marker
};

ScopeLibraryState& ScopeLibrary();

}  // namespace app
