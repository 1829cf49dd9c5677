// The 23 exports. Every one runs on the host's window thread and lets no exception out: a failure inside ends
// the call with its neutral result.
#include "scope/trend_exports.h"

#include <cstdint>
#include <type_traits>

#include "platform/win/window.h"
#include "scope/core/plot_layout.h"
#include "scope/scope_app.h"
#include "scope/scope_resources.h"

using scope::TheApp;

namespace {

template <class F, class R = std::invoke_result_t<F>>
R Guarded(F body, R fallback = R()) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}
template <class F>
void GuardedVoid(F body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

scope::CScopeDlg* OpenWindow() {
  scope::CScopeDlg* w = TheApp().window.get();
  return w && w->IsOpen() ? w : nullptr;
}

}  // namespace

// Host and library agree on every signature.
static_assert(std::is_same_v<decltype(&Trend_ActivateWindow), PFN_Trend_ActivateWindow>);
static_assert(std::is_same_v<decltype(&Trend_CloseWindow), PFN_Trend_CloseWindow>);
static_assert(std::is_same_v<decltype(&Trend_GetScopeColor), PFN_Trend_GetScopeColor>);
static_assert(std::is_same_v<decltype(&Trend_GetWindowHandle), PFN_Trend_GetWindowHandle>);
static_assert(std::is_same_v<decltype(&Trend_GetXRaster), PFN_Trend_GetXRaster>);
static_assert(std::is_same_v<decltype(&Trend_GetYRaster), PFN_Trend_GetYRaster>);
static_assert(std::is_same_v<decltype(&Trend_OpenWindow), PFN_Trend_OpenWindow>);
static_assert(std::is_same_v<decltype(&Trend_ResetIDCWait), PFN_Trend_ResetIDCWait>);
static_assert(std::is_same_v<decltype(&Trend_ResetScopeData), PFN_Trend_ResetScopeData>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelArt), PFN_Trend_SetChannelArt>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelDType), PFN_Trend_SetChannelDType>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelData), PFN_Trend_SetChannelData>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelDatacount), PFN_Trend_SetChannelDatacount>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelKey), PFN_Trend_SetChannelKey>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelKomma), PFN_Trend_SetChannelKomma>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelName), PFN_Trend_SetChannelName>);
static_assert(std::is_same_v<decltype(&Trend_SetChannelUnit), PFN_Trend_SetChannelUnit>);
static_assert(std::is_same_v<decltype(&Trend_SetIDCWait), PFN_Trend_SetIDCWait>);
static_assert(std::is_same_v<decltype(&Trend_SetScopeColor), PFN_Trend_SetScopeColor>);
static_assert(std::is_same_v<decltype(&Trend_SetTimeBase), PFN_Trend_SetTimeBase>);
static_assert(std::is_same_v<decltype(&Trend_SetTitle), PFN_Trend_SetTitle>);
static_assert(std::is_same_v<decltype(&Trend_SetTriggerFrame), PFN_Trend_SetTriggerFrame>);
static_assert(std::is_same_v<decltype(&Trend_SetWindowPos), PFN_Trend_SetWindowPos>);
static_assert(std::size(kTrendExportNames) == 23);

// Window exports.

HWND Trend_OpenWindow(HWND parent) {
  return Guarded([&]() -> HWND {
    scope::CScopeApp& app = TheApp();
    if (!app.window) return nullptr;
    if (app.window->IsOpen()) return app.window->m_hWnd;
    if (parent && !IsWindow(parent)) return nullptr;
    afx::CWnd* owner = nullptr;
    if (parent) owner = app.caller.Attach(parent) ? &app.caller : afx::CWnd::FromHandle(parent);
    if (!app.window->Create(scope::kScopeDialog, owner)) {
      app.caller.Detach();
      return nullptr;
    }
    app.window->ShowWindow(SW_SHOW);
    return app.window->m_hWnd;
  });
}

BOOL Trend_CloseWindow() {
  return Guarded([]() -> BOOL {
    scope::CScopeDlg* w = OpenWindow();
    if (!w) return FALSE;
    const BOOL done = w->DestroyWindow();
    TheApp().caller.Detach();
    return done;
  });
}

void Trend_SetTitle(const char* text) {
  GuardedVoid([&] {
    if (scope::CScopeDlg* w = OpenWindow()) w->SetWindowText(text ? text : "");
  });
}

HWND Trend_GetWindowHandle() {
  return Guarded([]() -> HWND {
    scope::CScopeDlg* w = OpenWindow();
    return w ? w->m_hWnd : nullptr;
  });
}

int Trend_ActivateWindow() {
  return Guarded([]() -> int {
    scope::CScopeDlg* w = OpenWindow();
    if (!w) return 0;
    const scope::TrendChannels& c = TheApp().channels;
    w->display.TakeOver(c.all(), c.trigger_frame, c.time_base);
    return 1;
  });
}

void Trend_SetWindowPos(short x, short y, short width, short height) {
  GuardedVoid([&] {
    if (scope::CScopeDlg* w = OpenWindow()) w->MoveWindow(x, y, width, height, TRUE);
  });
}

void Trend_SetIDCWait() {
  GuardedVoid([] {
    if (OpenWindow()) TheApp().BeginWaitCursor();
  });
}

void Trend_ResetIDCWait() {
  GuardedVoid([] {
    if (OpenWindow()) TheApp().EndWaitCursor();
  });
}

short Trend_GetXRaster() {
  return Guarded([]() -> short { return OpenWindow() ? static_cast<short>(scope::kXDivisions) : 0; });
}

short Trend_GetYRaster() {
  return Guarded([]() -> short { return OpenWindow() ? static_cast<short>(scope::kYDivisions) : 0; });
}

// Channel exports.

void Trend_SetChannelKey(short channel, int key) {
  GuardedVoid([&] {
    if (scope::TrendChannel* c = TheApp().channels.Find(channel)) c->key = key;
  });
}

void Trend_SetChannelDType(short channel, short data_type) {
  GuardedVoid([&] {
    if (scope::TrendChannel* c = TheApp().channels.Find(channel)) c->data_type = data_type;
  });
}

void Trend_SetChannelKomma(short channel, char decimals) {
  GuardedVoid([&] {
    if (scope::TrendChannel* c = TheApp().channels.Find(channel)) c->decimals = static_cast<std::int8_t>(decimals);
  });
}

void Trend_SetChannelArt(short channel, char kind) {
  GuardedVoid([&] {
    if (scope::TrendChannel* c = TheApp().channels.Find(channel))
      c->kind = static_cast<std::uint8_t>(static_cast<unsigned char>(kind));
  });
}

void Trend_SetChannelDatacount(short channel, unsigned count) {
  GuardedVoid([&] { TheApp().channels.SetDatacount(channel, count); });
}

void Trend_SetChannelData(short channel, unsigned start, unsigned count, const double* values) {
  GuardedVoid([&] { TheApp().channels.SetData(channel, start, count, values); });
}

void Trend_SetChannelName(short channel, const char* name) {
  GuardedVoid([&] { TheApp().channels.SetName(channel, name); });
}

void Trend_SetChannelUnit(short channel, const char* unit) {
  GuardedVoid([&] { TheApp().channels.SetUnit(channel, unit); });
}

void Trend_SetTriggerFrame(int sample_index) {
  GuardedVoid([&] { TheApp().channels.trigger_frame = sample_index; });
}

void Trend_SetTimeBase(int microseconds_per_sample) {
  GuardedVoid([&] { TheApp().channels.time_base = microseconds_per_sample; });
}

void Trend_ResetScopeData() {
  GuardedVoid([] { TheApp().channels.Reset(); });
}

// Colour exports.

void Trend_SetScopeColor(short which, COLORREF colour) {
  GuardedVoid([&] {
    scope::CScopeApp& app = TheApp();
    if (!app.window) return;
    app.window->display.SetColour(which, colour);
    if (app.window->display.m_hWnd) app.window->display.Invalidate(TRUE);
  });
}

COLORREF Trend_GetScopeColor(short which) {
  return Guarded([&]() -> COLORREF {
    const scope::CScopeApp& app = TheApp();
    return app.window ? app.window->display.Colour(which) : 0;
  });
}
