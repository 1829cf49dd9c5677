// The window program's start on the headless backend, from the main window's creation (data sets, settings,
// logo settings, status line, menus) to its first idle round, where the user closes it; the resident memory at idle
// and what each start and close adds to it (nothing once the first start has filled the lasting tables). The goals
// are under 50 ms and under 40 MB. The in-process start shares the loaded program and its tables with the earlier
// iterations: bench_vqpt32_exec_start_bench measures the start of the program as a user runs it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#include "app/common/shell_state.h"
#include "app/shell/application_start.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace {

double ResidentMegabytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_StartToIdle(benchmark::State& state) {
  double resident = 0;
  double first_resident = 0;
  std::int64_t starts = 0;
  for (auto _ : state) {
    platform::testing::Session session;
    platform::testing::OnMainIdle([&] {
      resident = ResidentMegabytes();
      if (HWND main = app::MainWindow(); IsWindow(main)) PostMessage(main, WM_CLOSE, 0, 0);
      return true;
    });
    app::KeepInstance(GetModuleHandle(nullptr));
    benchmark::DoNotOptimize(app::RunWindowProgram(GetModuleHandle(nullptr), SW_SHOWNORMAL));
    if (++starts == 1) first_resident = resident;
  }
  state.counters["resident_MB"] = resident;
  // Growth after the first start, per start (the first one fills the tables that last for the process).
  state.counters["growth_KB_per_start"] =
      starts > 1 ? (resident - first_resident) * 1024.0 / static_cast<double>(starts - 1) : 0.0;
}
BENCHMARK(BM_StartToIdle)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
