// Reading a whole data set from the simulated inverter over a pseudo-terminal. The goal concerns the tool's
// own time per telegram: the wall time minus every wait the driver asks for (the pause after each exchange,
// the wait before sending, the polls for the reply, during which the simulator answers), under 50 us.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <memory>

#include "link/link_status.h"
#include "link/online_services.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/sys/clock.h"
#include "sim/inverter_transport.h"

namespace {

template <typename T>
void Put(std::uint16_t element, T value) {
  model::WriteElement(305, element, &value, model::kModeRaw9, 0);
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
  double waited_ms = 0;
  ilink::SetDelayObserver([&](double ms) { waited_ms += ms; });
  double own_us = 0;
  std::size_t telegrams = 0;
  for (auto _ : state) {
    waited_ms = 0;
    const std::size_t before = bus->telegrams();
    const auto start = std::chrono::steady_clock::now();
    if (ilink::ReadFullParameterList(0) != ilink::kOk) {
      state.SkipWithError("read failed");
      break;
    }
    const double wall_us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    own_us += wall_us - waited_ms * 1000.0;
    telegrams += bus->telegrams() - before;
  }
  ilink::SetDelayObserver(nullptr);
  ilink::DisconnectInverter(0);
  server.Stop();
  unsetenv("COM1");
  if (telegrams > 0) {
    state.counters["telegrams"] = static_cast<double>(telegrams) / static_cast<double>(state.iterations());
    state.counters["own_us_per_telegram"] = own_us / static_cast<double>(telegrams);
  }
}
BENCHMARK(BM_ReadFullDataSetOverPty)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
