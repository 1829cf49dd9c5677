#include <gtest/gtest.h>

#include <cstring>

#include "link/link_status.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "sim/inverter_transport.h"
#include "tests/link/uss_fixture.h"

namespace {

using ilink_test::UssOnFake;

struct ElementAt {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
};

// The first element of a type in the layout (by default in records 1..60, the inverter's own).
ElementAt FindElement(std::uint8_t type, std::uint16_t lowest = 1, std::uint16_t highest = 60) {
  std::uint16_t record = 0;
  std::uint16_t offset = 0;
  for (const auto& row : model::RecordLayoutTable()) {
    if (row.record != record) {
      record = row.record;
      offset = 0;
    }
    if (row.type == type && record >= lowest && record <= highest) return {record, offset};
    offset = static_cast<std::uint16_t>(offset + model::ElementTypeSize(row.type));
  }
  return {};
}

bool AllTravel(std::uint16_t record) {
  const auto table = model::RecordLayoutTable();
  for (std::size_t row = model::FirstRowOfRecord(record); row < table.size() && table[row].record == record; ++row) {
    const std::uint8_t t = table[row].type;
    if (!(t >= 2 && t <= 11) && t != 14 && t != 16) return false;
  }
  return true;
}

// A record of several pieces whose elements all travel.
std::uint16_t FindLongRecord() {
  for (const auto& row : model::RecordLayoutTable()) {
    const std::uint16_t size = model::RecordSize(row.record);
    if (row.record != 0 && row.record != 453 && size > 244 && size < 1000 && AllTravel(row.record)) return row.record;
  }
  return 0;
}

// Bytes for every element of a record, strings terminated inside their element.
std::vector<std::uint8_t> Pattern(std::uint16_t record, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  const auto table = model::RecordLayoutTable();
  std::size_t offset = 0;
  for (std::size_t row = model::FirstRowOfRecord(record); row < table.size() && table[row].record == record; ++row) {
    const std::uint16_t size = model::ElementTypeSize(table[row].type);
    for (std::uint16_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<std::uint8_t>(seed + 7 * (offset + i) + 1);
    if (table[row].type == 8 || table[row].type == 9 || table[row].type == 10) bytes[offset + size - 1] = 0;
    offset += size;
  }
  return bytes;
}

// The stored bytes of a whole record in data set 0.
std::vector<std::uint8_t> DataSetRecord(std::uint16_t record) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  model::ReadRecord(record, bytes.data(), model::kModeRaw9, 0);
  return bytes;
}

class CallServiceOnSim : public UssOnFake {
 protected:
  void SetUp() override {
    UssOnFake::SetUp();
    sim::AttachInverters(*fake_, bus_);
    ilink::UssSlotAt(0).address = 0;
    ASSERT_EQ(ilink::UssCommand(3, 0), ilink::kOk);
  }
  std::uint8_t Call(std::uint8_t service, std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
    ilink::UssSlot& s = ilink::UssSlotAt(0);
    s.service = service;
    s.parameter = record;
    s.index = element;
    return ilink::CallService(4, 0, set);
  }
  sim::InverterDevice& device() { return *bus_->Device(0); }
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
};

TEST_F(CallServiceOnSim, LogInReadsTheDeviceType) { EXPECT_EQ(ilink::UssScratch()[0], sim::DeviceIdentity{}.device_type); }

TEST_F(CallServiceOnSim, SingleElementsTravelInTheirByteOrderBothWays) {
  for (std::uint8_t type : {2, 4, 7, 9}) {
    const ElementAt e = FindElement(type);
    ASSERT_NE(e.record, 0) << "type " << int(type);
    const std::uint16_t size = model::ElementTypeSize(type);
    std::vector<std::uint8_t> value(size);
    for (std::uint16_t i = 0; i < size; ++i) value[i] = static_cast<std::uint8_t>(0x41 + i);
    if (type == 9) value[size - 1] = 0;
    ASSERT_TRUE(device().WriteStored(e.record, e.element, value));
    ASSERT_EQ(Call(4, e.record, e.element), ilink::kOk) << "type " << int(type);
    std::vector<std::uint8_t> got(size);
    ASSERT_EQ(model::ReadElement(e.record, e.element, got.data(), model::kModeRaw9, 0), 0);
    EXPECT_EQ(got, value) << "read, type " << int(type);

    for (auto& b : value) b = static_cast<std::uint8_t>(b + 0x10);
    if (type == 9) value[size - 1] = 0;
    ASSERT_EQ(model::WriteElement(e.record, e.element, value.data(), model::kModeRaw9, 0), 0);
    ASSERT_EQ(Call(5, e.record, e.element), ilink::kOk);
    std::vector<std::uint8_t> on_device(size);
    ASSERT_TRUE(device().ReadStored(e.record, e.element, on_device));
    EXPECT_EQ(on_device, value) << "write, type " << int(type);
  }
  // On the line a 16-bit value goes high byte first.
  const ElementAt w = FindElement(4);
  const std::uint8_t v[2] = {0x34, 0x12};
  model::WriteElement(w.record, w.element, v, model::kModeRaw9, 0);
  fake_->ClearWrites();
  ASSERT_EQ(Call(5, w.record, w.element), ilink::kOk);
  const auto sent = fake_->writes().at(0);
  EXPECT_EQ(sent[8], 0x12);
  EXPECT_EQ(sent[9], 0x34);
}

TEST_F(CallServiceOnSim, WholeRecordsTravelPieceByPiece) {
  const std::uint16_t record = FindLongRecord();
  ASSERT_NE(record, 0);
  const std::uint16_t size = model::RecordSize(record);
  const std::vector<std::uint8_t> pattern = Pattern(record, 3);
  ASSERT_TRUE(device().WriteStored(record, 0, pattern));
  fake_->ClearWrites();
  ASSERT_EQ(Call(6, record, 0), ilink::kOk);
  EXPECT_GE(fake_->writes().size(), 2u);
  const std::vector<std::uint8_t> got = DataSetRecord(record);
  EXPECT_EQ(got, pattern);

  std::vector<std::uint8_t> zeros(size, 0);
  ASSERT_TRUE(device().WriteStored(record, 0, zeros));
  ASSERT_EQ(Call(7, record, 0), ilink::kOk);
  std::vector<std::uint8_t> on_device(size);
  ASSERT_TRUE(device().ReadStored(record, 0, on_device));
  EXPECT_EQ(on_device, got);
}

TEST_F(CallServiceOnSim, AShortRecordFromAnOlderDeviceKeepsTheRestAndSkipsNothing) {
  const std::uint16_t record = FindLongRecord();
  ASSERT_NE(record, 0);
  const std::uint16_t size = model::RecordSize(record);
  std::vector<std::uint8_t> before(size, 0xEE);
  ASSERT_EQ(model::WriteRecord(record, before.data(), model::kModeRaw9, 0), 0);
  const std::vector<std::uint8_t> stored_before = DataSetRecord(record);
  ASSERT_TRUE(device().WriteStored(record, 0, Pattern(record, 5)));
  // The device serves about 100 bytes (whole elements): the first piece comes back short, the next one
  // is refused as unknown to this firmware.
  std::uint16_t served = 0;
  for (std::uint16_t e = 100; e < size && served == 0; ++e) {
    if (model::GetElementType(record, e) != 255) served = e;
  }
  device().SetServedBytes(record, served);
  EXPECT_EQ(Call(6, record, 0), 19);
  const std::vector<std::uint8_t> got = DataSetRecord(record);
  const std::vector<std::uint8_t> sent = Pattern(record, 5);
  EXPECT_TRUE(std::equal(got.begin(), got.begin() + served, sent.begin()));
  EXPECT_TRUE(std::equal(got.begin() + served, got.end(), stored_before.begin() + served));
  const auto requests = fake_->writes();
  ASSERT_GE(requests.size(), 2u);
  const auto& second = requests.back();
  EXPECT_EQ((second[6] << 8) | second[7], served) << "the next piece starts where the reply ended";
}

TEST_F(CallServiceOnSim, RefusalsLeaveTheDataSetAlone) {
  const ElementAt e = FindElement(4);
  const std::uint8_t mark[2] = {0xAB, 0xCD};
  ASSERT_EQ(model::WriteElement(e.record, e.element, mark, model::kModeRaw9, 0), 0);
  device().SetElementError(e.record, e.element, 19);
  EXPECT_EQ(Call(4, e.record, e.element), 19);
  std::uint8_t got[2] = {};
  model::ReadElement(e.record, e.element, got, model::kModeRaw9, 0);
  EXPECT_EQ(got[0], 0xAB);
  EXPECT_EQ(got[1], 0xCD);
  EXPECT_EQ(ilink::UssSlotAt(0).last_error, 19);

  fake_->ClearWrites();
  EXPECT_EQ(Call(4, 999, 0), ilink::kSoftwareError);  // no such element
  EXPECT_EQ(Call(4, e.record, e.element, 2), ilink::kSoftwareError);  // no such data set
  const ElementAt big = FindElement(15, 1, 999);
  ASSERT_NE(big.record, 0);
  EXPECT_EQ(Call(4, big.record, big.element), ilink::kTooMuchData);
  EXPECT_EQ(Call(9, e.record, e.element), ilink::kSoftwareError);
  EXPECT_TRUE(fake_->writes().empty());
}

TEST_F(CallServiceOnSim, ControlWordExchangeFillsStatusWordAndFlags) {
  ilink::UssSlot& s = ilink::UssSlotAt(0);
  s.control_word = 0x047F;
  EXPECT_EQ(Call(3, 0, 0), ilink::kOk);
  EXPECT_EQ(device().control_word(), 0x047F);
  EXPECT_EQ(s.status_word, device().status_word());
  EXPECT_EQ(s.status_flags, sim::kStateReady) << "the control word is a reference: no enable flag, no enable";
}

TEST_F(CallServiceOnSim, MemoryServicesUseTheRemoteRecord) {
  if (model::GetElementType(306, 32) != 6 || model::GetElementType(306, 36) != 6) {
    GTEST_SKIP() << "record 306 does not yet hold 32-bit elements at 32 and 36";
  }
  const std::uint32_t address = 0x00012345;
  device().set_memory(address, 0xA1B2C3D4);
  ASSERT_EQ(model::WriteElement(306, 32, &address, model::kModeRaw9, 0), 0);
  ASSERT_EQ(Call(10, 306, 0), ilink::kOk);
  std::uint32_t value = 0;
  model::ReadElement(306, 36, &value, model::kModeRaw9, 0);
  EXPECT_EQ(value, 0xA1B2C3D4u);
  value = 0x000000EE;
  model::WriteElement(306, 36, &value, model::kModeRaw9, 0);
  ASSERT_EQ(Call(11, 306, 0), ilink::kOk);
  EXPECT_EQ(device().memory(address), 0xA1B2C3EEu);
}

TEST_F(CallServiceOnSim, RemoteControlExchangeSendsTwelveBytesAndStoresTheTwelveBack) {
  for (std::uint16_t i = 0; i < 12; ++i) {
    const std::uint8_t v = static_cast<std::uint8_t>(0xB0 + i);
    ASSERT_EQ(model::WriteElement(306, static_cast<std::uint16_t>(8 + i), &v, model::kModeRaw9, 0), 0);
  }
  fake_->ClearWrites();
  ASSERT_EQ(Call(8, 306, 0), ilink::kOk);
  const auto sent = fake_->writes().at(0);
  ASSERT_EQ(sent.size(), 17u);
  EXPECT_EQ(sent[4], 0xB0);
  EXPECT_EQ(sent[15], 0xBB);
  std::uint8_t back[12] = {};
  for (std::uint16_t i = 0; i < 12; ++i) model::ReadElement(306, static_cast<std::uint16_t>(20 + i), back + i, model::kModeRaw9, 0);
  EXPECT_EQ((back[0] << 8) | back[1], device().status_word());
  EXPECT_EQ(back[2], device().device_state());
  EXPECT_EQ(back[3], 0xB3);
  EXPECT_EQ(back[11], 0xBB);
}

}  // namespace
