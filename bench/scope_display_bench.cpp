// The scope display's painting: 19 channels of 3000 samples drawn in one paint, one zoom step with its redraw,
// and one step of a marker drag (the marker moved a pixel and the display repainted), on the headless window
// layer with the library loaded as the projecting tool loads it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/backend/capture.h"
#include "platform/sys/dynamic_library.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"
#include "platform/win/input_injection.h"
#include "scope/trend_exports.h"

namespace {

struct ScopeFixture {
  platform::testing::Session session;
  HMODULE module = nullptr;
  HWND window = nullptr;
  HWND display = nullptr;

  template <class F>
  F Get(const char* name) {
    return reinterpret_cast<F>(GetProcAddress(module, name));
  }

  bool Open() {
    platform::testing::RegisterTestWindowClass("ScopeBenchHost", DefWindowProc);
    HWND host = CreateWindowEx(0, "ScopeBenchHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800,
                               nullptr, nullptr, nullptr, nullptr);
    module = LoadLibraryA("ZprScope2.dll");
    if (!module) return false;
    window = Get<PFN_Trend_OpenWindow>("Trend_OpenWindow")(host);
    if (!window) return false;
    Get<PFN_Trend_SetWindowPos>("Trend_SetWindowPos")(0, 0, 800, 600);
    std::vector<double> samples(3000);
    for (short ch = 0; ch < 19; ++ch) {
      for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 1000 * std::sin(static_cast<double>(i) * (ch + 1) / 300.0) + ch * 50;
      Get<PFN_Trend_SetChannelKey>("Trend_SetChannelKey")(ch, ch + 1);
      Get<PFN_Trend_SetChannelDatacount>("Trend_SetChannelDatacount")(ch, 3000);
      Get<PFN_Trend_SetChannelData>("Trend_SetChannelData")(ch, 0, 3000, samples.data());
    }
    Get<PFN_Trend_SetTimeBase>("Trend_SetTimeBase")(500);
    Get<PFN_Trend_SetTriggerFrame>("Trend_SetTriggerFrame")(600);
    Get<PFN_Trend_ActivateWindow>("Trend_ActivateWindow")();
    display = GetDlgItem(window, 100);
    platform::testing::PumpUntilIdle();
    return display != nullptr;
  }
  ~ScopeFixture() {
    if (module) FreeLibrary(module);
  }
};

void BM_PaintNineteenChannels(benchmark::State& state) {
  ScopeFixture scope;
  if (!scope.Open()) {
    state.SkipWithError("scope library not loaded");
    return;
  }
  for (auto _ : state) {
    InvalidateRect(scope.display, nullptr, FALSE);
    UpdateWindow(scope.display);
  }
}
BENCHMARK(BM_PaintNineteenChannels)->Unit(benchmark::kMillisecond);

// One zoom click (in, then out with Ctrl, alternately) and the redraw it causes.
void BM_ZoomStepRedrawn(benchmark::State& state) {
  ScopeFixture scope;
  if (!scope.Open()) {
    state.SkipWithError("scope library not loaded");
    return;
  }
  platform::win::SetPopupMenuResponder([](HMENU, HWND) { return 32801u; });
  platform::win::InjectMouse(scope.display, WM_RBUTTONUP, 100, 100);
  platform::testing::PumpUntilIdle();
  RECT r;
  GetClientRect(scope.display, &r);
  bool out = false;
  for (auto _ : state) {
    const WPARAM flags = out ? MK_CONTROL : 0;
    platform::win::InjectMouse(scope.display, WM_LBUTTONDOWN, r.right / 2, r.bottom / 2, flags);
    platform::win::InjectMouse(scope.display, WM_LBUTTONUP, r.right / 2, r.bottom / 2, flags);
    platform::testing::PumpUntilIdle();
    out = !out;
  }
}
BENCHMARK(BM_ZoomStepRedrawn)->Unit(benchmark::kMillisecond);

// A marker dragged by the mouse: each step moves it one pixel (right, then back) and repaints the display.
void BM_MarkerDragStep(benchmark::State& state) {
  ScopeFixture scope;
  if (!scope.Open()) {
    state.SkipWithError("scope library not loaded");
    return;
  }
  platform::win::SetPopupMenuResponder([](HMENU, HWND) { return 32810u; });  // a new time marker
  platform::win::InjectMouse(scope.display, WM_RBUTTONUP, 100, 100);
  platform::testing::PumpUntilIdle();
  platform::win::SetPopupMenuResponder(nullptr);
  // Its A line: the first column that is white over a good part of the display.
  RECT r;
  GetClientRect(scope.display, &r);
  int a = -1;
  for (int x = 0; x < r.right && a < 0; ++x) {
    int white = 0;
    for (int y = 0; y < r.bottom; ++y) white += platform::backend::WindowPixel(scope.display, x, y) == 0xFFFFFFu;
    if (white > r.bottom / 4) a = x;
  }
  if (a < 0) {
    state.SkipWithError("no marker line");
    return;
  }
  const int y = r.bottom / 3;
  platform::win::InjectMouse(scope.display, WM_LBUTTONDOWN, a, y, MK_LBUTTON);
  platform::testing::PumpUntilIdle();
  int x = a;
  for (auto _ : state) {
    x = x == a ? a + 1 : a;
    platform::win::InjectMouse(scope.display, WM_MOUSEMOVE, x, y, MK_LBUTTON);
    platform::testing::PumpUntilIdle();
  }
  platform::win::InjectMouse(scope.display, WM_LBUTTONUP, x, y);
  platform::testing::PumpUntilIdle();
}
BENCHMARK(BM_MarkerDragStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
