// The whole documentation of a project (every group a project prints) through the line printer to a PDF file
// (goal: under 500 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/print/print_commands.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/shell/application_start.h"
#include "app/shell/main_resources.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "platform/testing/driver.h"

namespace {

namespace fs = std::filesystem;

void BM_ProjectDocumentationToPdf(benchmark::State& state) {
  platform::testing::Session session;
  app::KeepInstance(GetModuleHandle(nullptr));
  app::RegisterMainResources(GetModuleHandle(nullptr));
  model::InitDataSet(0);
  app::ResetFileSlots();
  app::SetActiveFile(0);
  const fs::path pdf = fs::temp_directory_path() / ("print-bench-" + std::to_string(getpid()) + ".pdf");
  platform::gdi::PrinterSettings settings;
  settings.output_path = pdf.string();
  platform::gdi::SetDefaultPrinter(settings);
  platform::gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return true; });
  std::uint8_t value = 0;
  model::WriteElement(305, 10, &value, model::kModeRaw, 0);
  value = 1;
  for (std::uint16_t group : {44, 46, 47, 48, 50, 152}) model::WriteElement(305, group, &value, model::kModeRaw, 0);
  for (auto _ : state) {
    if (app::PrintOrExportProject(nullptr) != app::kPrintOk) state.SkipWithError("the printout failed");
  }
  state.SetLabel(std::to_string(fs::file_size(pdf) / 1024) + " KiB PDF");
  fs::remove(pdf);
  platform::gdi::SetPrintDialogAnswer(nullptr);
  app::FreePrinterSettings();
}
BENCHMARK(BM_ProjectDocumentationToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
