// Filling the largest parameter page (the most bound ids) from the data set, with and without its backup, and
// a store of the whole of the largest page that stores, finding nothing changed; the inverter page whose process
// data words look up the names of their values (goal: a fill under 2 ms).
#include <benchmark/benchmark.h>

#include "app/binding/dialog_binding.h"
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
const app::PageDefinition& LargestPage(bool editable) {
  const app::PageDefinition* largest = nullptr;
  for (const app::PageDefinition& def : app::PageDefinitions()) {
    if (def.list == 0 || def.layout != app::PageLayout::kRows) continue;
    if (editable && !HasEditableRow(def.list)) continue;
    if (largest == nullptr || def.last - def.first > largest->last - largest->first) largest = &def;
  }
  return *largest;
}

const app::PageDefinition& PageOfTemplate(int number) {
  for (const app::PageDefinition& def : app::PageDefinitions()) {
    if (def.number == number) return def;
  }
  return LargestPage(false);
}

class PageFixture {
 public:
  explicit PageFixture(bool editable = false) : PageFixture(LargestPage(editable)) {}
  explicit PageFixture(const app::PageDefinition& def) : def_(def) {
    model::InitDataSet(0);
    dialog_ = CreateDialogIndirectParam(nullptr, app::PageTemplate(def_.number), nullptr, PageProc, 0);
    platform::testing::PumpUntilIdle();
  }
  ~PageFixture() {
    if (app::CountUsedBackupSlots() != 0) app::ReleaseDialogBuffers(dialog_);
    DestroyWindow(dialog_);
  }
  std::uint8_t Fill(std::uint8_t backup) {
    return app::FillDialogFromParameters(dialog_, def_.first, def_.last, def_.list, 0, backup);
  }
  std::uint8_t Store() { return app::StoreDialogToParameters(dialog_, def_.first, def_.last, 0, def_.list, 0, 0); }
  const app::PageDefinition& def() const { return def_; }

 private:
  platform::testing::Session session_;
  const app::PageDefinition& def_;
  HWND dialog_ = nullptr;
};

void BM_FillLargestPage(benchmark::State& state) {
  PageFixture page;
  for (auto _ : state) benchmark::DoNotOptimize(page.Fill(0));
  state.SetLabel("template " + std::to_string(page.def().number) + ", " +
                 std::to_string(page.def().last - page.def().first) + " ids");
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
  state.SetLabel("template " + std::to_string(page.def().number));
}
BENCHMARK(BM_StoreUnchangedLargestPage)->Unit(benchmark::kMicrosecond);

void BM_FillInverterPart2(benchmark::State& state) {
  constexpr int kInverterPart2 = 60;
  PageFixture page(PageOfTemplate(kInverterPart2));
  for (auto _ : state) benchmark::DoNotOptimize(page.Fill(0));
  state.SetLabel("template " + std::to_string(page.def().number));
}
BENCHMARK(BM_FillInverterPart2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
