// The online services against the simulated inverter on an installed fake port (COM1), on the virtual clock,
// with data sets 0 and 1 freshly initialised and the link settings of record 305 set for the fake.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/link_status.h"
#include "link/online_services.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "sim/inverter_transport.h"

namespace online_test {

template <typename T>
void PutRaw(std::uint16_t record, std::uint16_t element, T value, std::uint8_t set = 0) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw9, set), 0) << record << "." << element;
}

template <typename T = std::uint8_t>
T GetRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  T value{};
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeRaw9, set), 0) << record << "." << element;
  return value;
}

// Bytes for every element of a record, strings terminated inside their element.
inline std::vector<std::uint8_t> Pattern(std::uint16_t record, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  const auto table = model::RecordLayoutTable();
  std::size_t offset = 0;
  for (std::size_t row = model::FirstRowOfRecord(record); row < table.size() && table[row].record == record; ++row) {
    const std::uint8_t type = table[row].type;
    const std::uint16_t size = model::ElementTypeSize(type);
    for (std::uint16_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<std::uint8_t>(seed + 7 * (offset + i) + 1);
    if (type == 8 || type == 9 || type == 10) bytes[offset + size - 1] = 0;
    offset += size;
  }
  return bytes;
}

inline std::vector<std::uint8_t> SetRecord(std::uint16_t record, std::uint8_t set = 0) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  model::ReadRecord(record, bytes.data(), model::kModeRaw9, set);
  return bytes;
}

class OnlineOnSim : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseVirtualClock(1000);
    platform::comm::InstallPort("COM1", fake_);
    sim::AttachInverters(*fake_, bus_);
    ilink::SetDelayObserver([this](double ms) { delays_.push_back(ms); });
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::InitDataSet(1), 0);
    for (std::uint8_t set : {0, 1}) {
      PutRaw<std::uint8_t>(305, 0, 0, set);    // COM1
      PutRaw<std::uint8_t>(305, 13, 0, set);   // highest address
      PutRaw<std::uint8_t>(305, 28, 1, set);   // 9600 baud
      PutRaw<std::uint8_t>(305, 30, 1, set);   // one try
      PutRaw<std::uint16_t>(305, 36, 10, set);
      PutRaw<std::uint32_t>(305, 38, 20000, set);
      PutRaw<std::uint8_t>(305, 42, 0, set);   // bus address
    }
    ilink::DisconnectInverter(0);
    ilink::UssCommand(2, 0);
    ilink::UssCommand(0, 0);
    ilink::ClearTransferProgressHook();
  }
  void TearDown() override {
    ilink::ClearTransferProgressHook();
    ilink::DisconnectInverter(0);
    ilink::UssCommand(2, 0);
    ilink::SetDelayObserver(nullptr);
    platform::comm::InstallPort("COM1", nullptr);
    platform::sys::UseRealClock();
  }
  sim::InverterDevice& device(std::uint8_t address = 0) { return *bus_->Device(address); }
  int CountDelays(double ms) const {
    int n = 0;
    for (double d : delays_) n += d == ms;
    return n;
  }
  // Every record of the device filled with a pattern of its own.
  void FillDevice(std::uint8_t seed) {
    std::uint16_t last = 0;
    for (const auto& row : model::RecordLayoutTable()) {
      if (row.record == 0 || row.record == last) continue;
      last = row.record;
      if (row.record == 4 || row.record == 5) continue;  // the identity stays
      device().WriteStored(row.record, 0, Pattern(row.record, static_cast<std::uint8_t>(seed + row.record)));
    }
  }

  std::shared_ptr<platform::comm::FakePort> fake_ = std::make_shared<platform::comm::FakePort>();
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  std::vector<double> delays_;
};

}  // namespace online_test
