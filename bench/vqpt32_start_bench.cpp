// The window program's start on the headless backend, from the main window's creation (data sets, settings,
// logo settings, status line, menus) to its first idle round, and the resident memory at idle. The goals are
// under 50 ms and under 40 MB.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>

#include "app/application_start.h"
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
  for (auto _ : state) {
    platform::testing::Session session;
    platform::testing::OnMainIdle([&] {
      resident = ResidentMegabytes();
      return false;
    });
    app::KeepInstance(GetModuleHandle(nullptr));
    benchmark::DoNotOptimize(app::RunWindowProgram(GetModuleHandle(nullptr), SW_SHOWNORMAL));
  }
  state.counters["resident_MB"] = resident;
}
BENCHMARK(BM_StartToIdle)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
