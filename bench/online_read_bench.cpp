// Reading a whole data set from the simulated inverter over a pseudo-terminal. The goal concerns the tool's
// own time per telegram, under 50 us: the wall time outside the waits the driver asks for (the pause after each
// exchange, the wait before sending, the polls for the reply, during which the simulator answers). Apart from it:
//   own_cpu_us_per_telegram  the thread's CPU time outside the waits (what the tool itself computes and calls);
//   late_us_per_telegram     how much longer the waits took than asked (a late wake-up, the end of the spin);
//   wall_per_asked           the whole read against the waits asked for (on a pseudo-terminal the bytes take no
//                            wire time); the goal is at most 1.01.
// The baseline in the same run, BM_WaitsOfAReadAlone, makes the same waits in the same order with nothing else:
// its wall_per_asked and late_us_per_telegram are what this machine's clock and scheduler allow at this moment.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <memory>
#include <vector>

#include "link/link_status.h"
#include "link/online_services.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/sys/clock.h"
#include "sim/inverter_transport.h"

namespace {

double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

template <typename T>
void Put(std::uint16_t element, T value) {
  model::WriteElement(305, element, &value, model::kModeRaw9, 0);
}

// The waits one read asks for, in order (kept by the read benchmark for the baseline).
std::vector<double>& WaitsOfARead() {
  static std::vector<double> waits;
  return waits;
}

void BM_ReadFullDataSetOverPty(benchmark::State& state) {
  platform::sys::UseRealClock();
  auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  auto line = std::make_unique<sim::PtyLine>();
  if (!line->ok()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  setenv("COM1", line->slave_path().c_str(), 1);
  sim::InverterServer server(bus, std::move(line));
  server.Start();
  model::InitDataSet(0);
  Put<std::uint8_t>(0, 0);
  Put<std::uint8_t>(28, 1);
  Put<std::uint8_t>(30, 1);
  Put<std::uint16_t>(36, 0);
  Put<std::uint32_t>(38, 20000);
  Put<std::uint8_t>(42, 0);
  if (ilink::ConnectInverter(0) != ilink::kOk) {
    state.SkipWithError("cannot open the pseudo-terminal");
    server.Stop();
    return;
  }
  double wall_ms = 0, own_ms = 0, own_cpu_ms = 0, late_ms = 0, asked_ms = 0;
  std::size_t telegrams = 0;
  WaitsOfARead().clear();
  ilink::SetDelayObserver([](double ms) { WaitsOfARead().push_back(ms); });
  for (auto _ : state) {
    const std::size_t before = bus->telegrams();
    ilink::SetDelayAccounting(true);
    const double cpu = ThreadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    const std::uint8_t code = ilink::ReadFullParameterList(0);
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double cpu_used = ThreadCpuMs() - cpu;
    const ilink::DelayAccount waits = ilink::DelayAccounting();
    ilink::SetDelayAccounting(false);
    ilink::SetDelayObserver(nullptr);  // the first read's waits are the baseline's
    if (code != ilink::kOk) {
      state.SkipWithError("read failed");
      break;
    }
    wall_ms += wall;
    own_ms += wall - waits.spent_ms;
    own_cpu_ms += cpu_used - waits.spent_cpu_ms;
    late_ms += waits.spent_ms - waits.asked_ms;
    asked_ms += waits.asked_ms;
    telegrams += bus->telegrams() - before;
  }
  ilink::DisconnectInverter(0);
  server.Stop();
  unsetenv("COM1");
  if (telegrams > 0) {
    const double n = static_cast<double>(telegrams);
    state.counters["telegrams"] = n / static_cast<double>(state.iterations());
    state.counters["own_us_per_telegram"] = own_ms * 1000.0 / n;
    state.counters["own_cpu_us_per_telegram"] = own_cpu_ms * 1000.0 / n;
    state.counters["late_us_per_telegram"] = late_ms * 1000.0 / n;
    state.counters["wall_per_asked"] = asked_ms > 0 ? wall_ms / asked_ms : 0;
  }
}
// Five repetitions of five reads each: a single read's figures vary by half with what else the machine does,
// so the median of the repetitions is the figure to read.
BENCHMARK(BM_ReadFullDataSetOverPty)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

// The baseline: the first read's waits again, with no line, no simulator and no telegram work between them.
void BM_WaitsOfAReadAlone(benchmark::State& state) {
  platform::sys::UseRealClock();
  const std::vector<double> waits = WaitsOfARead();
  if (waits.empty()) {
    state.SkipWithError("run after BM_ReadFullDataSetOverPty");
    return;
  }
  double wall_ms = 0, asked_ms = 0;
  for (auto _ : state) {
    ilink::SetDelayAccounting(true);
    const auto start = std::chrono::steady_clock::now();
    for (const double ms : waits) ilink::DelayMs(ms, ilink::kPumpMessages);
    wall_ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    asked_ms += ilink::DelayAccounting().asked_ms;
    ilink::SetDelayAccounting(false);
  }
  const double reads = static_cast<double>(state.iterations());
  state.counters["waits"] = static_cast<double>(waits.size());
  state.counters["wall_per_asked"] = asked_ms > 0 ? wall_ms / asked_ms : 0;
  state.counters["late_us_per_read"] = (wall_ms - asked_ms) * 1000.0 / reads;
  state.counters["late_us_per_wait"] = (wall_ms - asked_ms) * 1000.0 / (reads * static_cast<double>(waits.size()));
}
BENCHMARK(BM_WaitsOfAReadAlone)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
