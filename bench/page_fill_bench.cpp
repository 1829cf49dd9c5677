// Filling the largest parameter page (the most bound ids) from the data set, with and without its backup, and
// a store of the whole of the largest page that stores, finding nothing changed (goal: a fill under 2 ms).
#include <benchmark/benchmark.h>

#include "app/dialog_binding.h"
#include "app/templates/page_templates.h"
#include "model/data_set.h"
#include "model/menu_list_table.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

bool HasEditableRow(std::uint8_t list) {
  for (const model::ParameterDescriptor* row = model::MenuListTable()[list].rows; row->record != 0; ++row) {
    if (row->flag != 0 && row->element != model::kHeadingElement) return true;
  }
  return false;
}

// The page with the most bound ids (of those that store anything, when asked).
const app::PageSpec& LargestPage(bool editable) {
  const app::PageSpec* largest = nullptr;
  for (const app::PageSpec& spec : app::PageSpecs()) {
    if (spec.list == 0 || spec.layout != app::PageLayout::kRows) continue;
    if (editable && !HasEditableRow(spec.list)) continue;
    if (largest == nullptr || spec.last - spec.first > largest->last - largest->first) largest = &spec;
  }
  return *largest;
}

class PageFixture {
 public:
  explicit PageFixture(bool editable = false) : spec_(LargestPage(editable)) {
    model::InitDataSet(0);
    dialog_ = CreateDialogIndirectParam(nullptr, app::PageTemplate(spec_.number), nullptr, PageProc, 0);
    platform::testing::PumpUntilIdle();
  }
  ~PageFixture() {
    if (app::CountUsedBackupSlots() != 0) app::ReleaseDialogBuffers(dialog_);
    DestroyWindow(dialog_);
  }
  std::uint8_t Fill(std::uint8_t backup) {
    return app::FillDialogFromParameters(dialog_, spec_.first, spec_.last, spec_.list, 0, backup);
  }
  std::uint8_t Store() { return app::StoreDialogToParameters(dialog_, spec_.first, spec_.last, 0, spec_.list, 0, 0); }
  const app::PageSpec& spec() const { return spec_; }

 private:
  platform::testing::Session session_;
  const app::PageSpec& spec_;
  HWND dialog_ = nullptr;
};

void BM_FillLargestPage(benchmark::State& state) {
  PageFixture page;
  for (auto _ : state) benchmark::DoNotOptimize(page.Fill(0));
  state.SetLabel("template " + std::to_string(page.spec().number) + ", " +
                 std::to_string(page.spec().last - page.spec().first) + " ids");
}
BENCHMARK(BM_FillLargestPage)->Unit(benchmark::kMicrosecond);

void BM_FillLargestPageWithBackup(benchmark::State& state) {
  PageFixture page;
  for (auto _ : state) benchmark::DoNotOptimize(page.Fill(1));
}
BENCHMARK(BM_FillLargestPageWithBackup)->Unit(benchmark::kMicrosecond);

void BM_StoreUnchangedLargestPage(benchmark::State& state) {
  PageFixture page(true);
  page.Fill(0);
  for (auto _ : state) benchmark::DoNotOptimize(page.Store());
  state.SetLabel("template " + std::to_string(page.spec().number));
}
BENCHMARK(BM_StoreUnchangedLargestPage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
