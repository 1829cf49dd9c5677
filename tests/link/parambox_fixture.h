// The parameter-box link on an installed FakePort (COM1) with the simulated box on its modem lines, the
// virtual clock, data sets 0 and 1 freshly initialised, and short bit timings in record 305 of set 0.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "link/com_port.h"
#include "link/parambox.h"
#include "link/parambox_codes.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "sim/parambox/parameter_box.h"

namespace ilink_test {

using Bytes = std::vector<std::uint8_t>;

// Timings in 5-us units: T1 wake, T2 before acknowledge, T3 after bits, T4 after every line change.
inline constexpr std::uint32_t kT1 = 4;
inline constexpr std::uint16_t kT2 = 1, kT3 = 1, kT4 = 2;

template <typename T>
void PutRaw(std::uint16_t record, std::uint16_t element, T value, std::uint8_t set = 0) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw9, set), 0) << record << "." << element;
}

template <typename T>
T GetRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  T value{};
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeRaw9, set), 0) << record << "." << element;
  return value;
}

inline Bytes RecordBytes(std::uint16_t record, std::uint8_t set) {
  Bytes bytes(model::RecordSize(record));
  EXPECT_EQ(model::ReadRecord(record, bytes.data(), model::kModeRaw9, set), 0) << record;
  return bytes;
}

// A box image built here, apart from the link's own code: head (format, valid mark, contents list of
// {record, address} little-endian, ended by record 0) and the blocks behind it.
struct BoxImage {
  Bytes bytes = Bytes(2048, 0xFF);
  std::uint16_t next = 290;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> list = {{3, 10}};

  BoxImage(std::uint8_t format = 2, std::uint8_t valid = 0x55) {
    std::fill(bytes.begin(), bytes.begin() + 290, 0);
    bytes[0] = format;
    bytes[8] = valid;
  }
  // Appends a block for a record at the next free address.
  void Add(std::uint16_t record, const Bytes& block) {
    list.emplace_back(record, next);
    std::copy(block.begin(), block.end(), bytes.begin() + next);
    next = static_cast<std::uint16_t>(next + block.size());
  }
  // Writes the list with its end entry (or without one when the list is full).
  Bytes Finish() {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> all = list;
    if (all.size() < 70) all.emplace_back(0, next);
    for (std::size_t i = 0; i < all.size() && i < 70; ++i) {
      const std::size_t at = 10 + 4 * i;
      bytes[at] = static_cast<std::uint8_t>(all[i].first);
      bytes[at + 1] = static_cast<std::uint8_t>(all[i].first >> 8);
      bytes[at + 2] = static_cast<std::uint8_t>(all[i].second);
      bytes[at + 3] = static_cast<std::uint8_t>(all[i].second >> 8);
    }
    return bytes;
  }
};

class BoxOnFake : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseVirtualClock(1000);
    ilink::CloseParameterBox();
    ilink::ComPortClose();
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::InitDataSet(1), 0);
    PutRaw<std::uint8_t>(305, 155, 1);
    PutRaw<std::uint32_t>(305, 18, kT1);
    PutRaw<std::uint16_t>(305, 22, kT2);
    PutRaw<std::uint16_t>(305, 24, kT3);
    PutRaw<std::uint16_t>(305, 16, kT4);
    port_ = std::make_shared<platform::comm::FakePort>();
    platform::comm::InstallPort("COM1", port_);
    box_ = std::make_unique<sim::ParameterBox>(port_);
    box_->eeprom().SetWriteCycle(1, 0);
  }
  void TearDown() override {
    ilink::CloseParameterBox();
    ilink::ComPortClose();
    ilink::ClearBoxProgressHook();
    box_.reset();
    platform::comm::InstallPort("COM1", nullptr);
    platform::sys::UseRealClock();
  }
  void Open() { ASSERT_EQ(ilink::OpenParameterBox(0), ilink::kBoxOk); }
  void Load(const Bytes& image) { std::copy(image.begin(), image.end(), box_->memory().begin()); }
  Bytes Memory() const { return Bytes(box_->memory().begin(), box_->memory().end()); }

  std::shared_ptr<platform::comm::FakePort> port_;
  std::unique_ptr<sim::ParameterBox> box_;
};

}  // namespace ilink_test
