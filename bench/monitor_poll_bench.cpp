// The tool's own part of one poll cycle with all seven monitor windows open (headless): each window refilled
// from the data set (WM_MONITOR_UPDATE, the drive monitor's bars drawn anew with new values) and the value log's
// cyclic call. The reading itself (the wire) is not in it. Goal: under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/online/monitor_dialogs.h"
#include "app/online/monitor_windows.h"
#include "app/online/value_log.h"
#include "app/shell/application_start.h"
#include "app/templates/page_templates.h"
#include "link/online_services.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"

namespace {

template <typename T>
void Put(std::uint16_t record, std::uint16_t element, T value) {
  model::WriteElement(record, element, &value, model::kModeRaw9, 0);
}

void BM_MonitorPollCycleSevenWindows(benchmark::State& state) {
  platform::testing::Session session;
  model::InitDataSet(0);
  model::InitDataSet(1);
  // The link settings of an in-process line to the simulated inverter (the windows connect when they register).
  auto port = std::make_shared<platform::comm::FakePort>();
  auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  platform::comm::InstallPort("COM1", port);
  sim::AttachInverters(*port, bus);
  Put<std::uint8_t>(305, 0, 0);
  Put<std::uint8_t>(305, 13, 0);
  Put<std::uint8_t>(305, 28, 1);
  Put<std::uint8_t>(305, 30, 1);
  Put<std::uint16_t>(305, 36, 10);
  Put<std::uint32_t>(305, 38, 20000);
  Put<std::uint8_t>(305, 42, 0);
  const HINSTANCE instance = GetModuleHandle(nullptr);
  app::KeepInstance(instance);
  app::RegisterPageTemplates(instance);
  app::Shell().main = CreateWindow("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr, instance,
                                   nullptr);
  app::OpenDriveMonitor();
  app::OpenControlInterfaceMonitor();
  app::OpenProcessDataMonitor();
  app::OpenPositioningMonitor();
  app::OpenFieldbusMonitor();
  app::OpenStatusBitsMonitor();
  app::OpenControlBitsMonitor();
  platform::testing::PumpUntilIdle();
  if (app::CountOpenMonitors() != 7) {
    state.SkipWithError("the monitors did not open");
    return;
  }
  // One poll so that the records count as read.
  ilink::ReadMonitorParameters(0);
  const std::array<std::uint8_t, app::kOnlineSlots> kinds = {app::kLogDrive, app::kLogControlInterface,
                                                             app::kLogProcessData, app::kLogPositioning,
                                                             app::kLogFieldbus, app::kLogOther, app::kLogOther};
  std::int16_t speed = 0;
  for (auto _ : state) {
    speed = static_cast<std::int16_t>(speed >= 3000 ? -3000 : speed + 97);
    Put<std::int16_t>(33, 2, speed);
    Put<std::int16_t>(33, 6, static_cast<std::int16_t>(speed / 30));
    for (HWND window : app::OnlineWindows()) {
      if (window != nullptr) SendMessage(window, app::WM_MONITOR_UPDATE, 0, 0);
    }
    app::WriteValueLog(app::kValueLogCyclic, 0, kinds);
  }
  app::CloseAllMonitors();
  ilink::DisconnectInverter(0);
  platform::comm::InstallPort("COM1", nullptr);
}
BENCHMARK(BM_MonitorPollCycleSevenWindows)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
