// A dialog of 200 controls (the size of the largest parameter page: a label and a value field per row, in two
// columns) created and painted until the queue is idle, then destroyed (goal: under 5 ms).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void BM_CreateAndPaint200Controls(benchmark::State& state) {
  platform::testing::Session session;
  std::vector<std::string> labels;
  for (int i = 0; i < 100; ++i) {
    std::string label = "P";
    label += std::to_string(1000 + i);
    label += " Parameter";
    labels.push_back(label);
  }
  std::vector<DialogItemTemplate> items;
  for (int i = 0; i < 100; ++i) {
    const short column = static_cast<short>(i / 50 * 200), row = static_cast<short>(i % 50 * 12);
    items.push_back({static_cast<int>(1000 + i), WC_STATIC, labels[static_cast<std::size_t>(i)].c_str(), SS_LEFT,
                     static_cast<short>(column + 4), static_cast<short>(row + 6), 100, 9});
    items.push_back({static_cast<int>(2000 + i), WC_EDIT, "50,00", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                     static_cast<short>(column + 110), static_cast<short>(row + 4), 80, 12});
  }
  const DialogTemplate page{WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 400, 610, "Parameter", items};
  for (auto _ : state) {
    HWND dialog = CreateDialogIndirectParam(nullptr, &page, nullptr, PageProc, 0);
    platform::testing::PumpUntilIdle();
    state.PauseTiming();
    DestroyWindow(dialog);
    platform::testing::PumpUntilIdle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateAndPaint200Controls)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
