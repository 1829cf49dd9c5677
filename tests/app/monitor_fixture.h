// The shell started headless with COM1 on a fake line to the simulated inverter: the link settings the monitor
// tests poll with, and the line taken down again after each test.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "link/online_services.h"
#include "model/element_access.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {

// A value written as stored into both data sets.
template <typename T>
void PutRaw(std::uint16_t record, std::uint16_t element, T value) {
  for (std::uint8_t set : {0, 1}) ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw9, set), 0);
}

class MonitorLineTest : public ShellTest {
 protected:
  void TearDown() override {
    ilink::DisconnectInverter(0);
    platform::comm::InstallPort("COM1", nullptr);
    ShellTest::TearDown();
  }
  // The link settings of the fake line, after the start has loaded its own.
  void Connect(std::uint16_t interval) {
    platform::comm::InstallPort("COM1", fake_);
    sim::AttachInverters(*fake_, bus_);
    PutRaw<std::uint8_t>(305, 0, 0);
    PutRaw<std::uint8_t>(305, 13, 0);
    PutRaw<std::uint8_t>(305, 28, 1);
    PutRaw<std::uint8_t>(305, 30, 1);
    PutRaw<std::uint16_t>(305, 36, 10);
    PutRaw<std::uint32_t>(305, 38, 20000);
    PutRaw<std::uint8_t>(305, 42, 0);
    PutRaw<std::uint16_t>(305, 160, interval);
  }

  std::shared_ptr<platform::comm::FakePort> fake_ = std::make_shared<platform::comm::FakePort>();
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
};

}  // namespace shell_test
