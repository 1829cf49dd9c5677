// Single elements, the control word, the remote-control record, memory words, the operation-input switch
// and the user lists, against the simulator.
#include <cstring>

#include "tests/link/online_fixture.h"

namespace {

using online_test::GetRaw;
using online_test::OnlineOnSim;
using online_test::PutRaw;
using online_test::SetRecord;

TEST_F(OnlineOnSim, SingleElementsLogInBeforeEveryRequest) {
  device().WriteNumber(38, 2, 1500);
  std::size_t before = bus_->telegrams();
  ASSERT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kOk);
  EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 1500);
  EXPECT_EQ(bus_->telegrams() - before, 3u);  // mirror, device type, request
  PutRaw<std::uint16_t>(38, 2, 2500);
  before = bus_->telegrams();
  ASSERT_EQ(ilink::WriteParameterOnline(0, 38, 2), ilink::kOk);
  EXPECT_EQ(device().ReadNumber(38, 2), 2500u);
  EXPECT_EQ(bus_->telegrams() - before, 3u);
  EXPECT_TRUE(ilink::InverterConnected());  // connected on demand
  EXPECT_EQ(ilink::OnlineNesting(), 0);
  EXPECT_EQ(ilink::OnlineNestingMark(), 1);
}

TEST_F(OnlineOnSim, RunModeGoesToTheCopyOnOlderFamily1Firmware) {
  for (const char version : {'I', 'J'}) {
    bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, sim::DeviceIdentity{1, 42, 0, version});
    sim::AttachInverters(*fake_, bus_);
    device().WriteNumber(38, 56, 0);
    device().WriteNumber(512, 67, 0);
    PutRaw<std::uint8_t>(38, 56, 2);
    PutRaw<std::uint8_t>(5, 0, 3);  // the set's own identity, put back afterwards
    PutRaw<std::uint8_t>(4, 0, 'C');
    ASSERT_EQ(ilink::WriteParameterOnline(0, 38, 56), ilink::kOk) << version;
    EXPECT_EQ(device().ReadNumber(512, 67), version == 'I' ? 2u : 0u) << version;
    EXPECT_EQ(device().ReadNumber(38, 56), version == 'I' ? 0u : 2u) << version;
    EXPECT_EQ(GetRaw(5, 0), 3);
    EXPECT_EQ(GetRaw(4, 0), 'C');
  }
}

TEST_F(OnlineOnSim, ControlWordCarriesTheFlagBytes) {
  const struct {
    std::uint16_t offset;
    std::uint8_t flags;
  } cases[] = {{0, 0x01}, {6, 0x00}, {5, 0x03}, {3, 0x05}, {4, 0x09}, {2, 0x11}, {7, 0x21}};
  for (const auto& c : cases) {
    for (std::uint16_t o = 2; o < 8; ++o) PutRaw<std::uint8_t>(306, o, 0);
    if (c.offset != 0) PutRaw<std::uint8_t>(306, c.offset, 1);
    PutRaw<std::uint16_t>(306, 0, 0x1235);
    ASSERT_EQ(ilink::SendControlWord(1, 0), ilink::kOk);
    const auto t = ilink::UssLastRequest();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[3], 3);
    EXPECT_EQ(t[4], 0x12);
    EXPECT_EQ(t[5], 0x35);
    EXPECT_EQ(t[6], c.flags) << "flag byte " << c.offset;
  }
  // The reply: status word (the actual speed, at rest) into 33.2, device state into 33.67 (no enable flag sent:
  // ready, whatever the reference).
  EXPECT_EQ(GetRaw<std::uint16_t>(33, 2), 0);
  EXPECT_EQ(GetRaw(33, 67), sim::kStateReady);
  EXPECT_EQ(ilink::RemoteControlCopy()[0], 0x35);
  // Logged in already: the control word alone.
  std::size_t before = bus_->telegrams();
  ASSERT_EQ(ilink::SendControlWord(0, 0), ilink::kOk);
  EXPECT_EQ(bus_->telegrams() - before, 1u);
  EXPECT_EQ(ilink::UssLastRequest()[4], 0);
  EXPECT_EQ(ilink::UssLastRequest()[6], 0x3F);
  EXPECT_EQ(GetRaw(33, 67), 2);
  before = bus_->telegrams();
  EXPECT_EQ(ilink::SendControlWord(2, 0), ilink::kOk);
  EXPECT_EQ(bus_->telegrams(), before);
}

TEST_F(OnlineOnSim, RemoteControlRecordNeedsFirmwareQ) {
  for (std::uint16_t o = 8; o < 20; ++o) PutRaw<std::uint8_t>(306, o, static_cast<std::uint8_t>(o));
  PutRaw<std::uint8_t>(4, 0, 'P');
  EXPECT_EQ(ilink::ReadRemoteControlRecord(0), ilink::kSoftwareError);
  PutRaw<std::uint8_t>(4, 0, 'Q');
  ASSERT_EQ(ilink::ReadRemoteControlRecord(0), ilink::kOk);
  EXPECT_EQ(GetRaw(306, 23), 11);  // the device's block back from its fourth byte on
  const auto copy = ilink::RemoteControlCopy();
  EXPECT_EQ(std::vector<std::uint8_t>(copy.begin(), copy.end()), SetRecord(306));
}

TEST_F(OnlineOnSim, MemoryWords) {
  device().set_memory(0x00012340, 0x11223344);
  std::uint32_t value = 0;
  ASSERT_EQ(ilink::ReadInverterWord(0, 0x00012340, &value), ilink::kOk);
  EXPECT_EQ(GetRaw<std::uint32_t>(306, 36), 0x11223344u);
  EXPECT_EQ(value, 0x44332211u);  // handed over with its bytes reversed once more
  ASSERT_EQ(ilink::WriteInverterWord(0, 0x00012340, 0xAABBCCDD), ilink::kOk);
  EXPECT_EQ(device().memory(0x00012340), 0x112233DDu);  // the value's lowest byte travels
  ASSERT_EQ(ilink::DisconnectInverter(0), ilink::kOk);
  EXPECT_FALSE(ilink::InverterConnected());
  EXPECT_EQ(ilink::WriteInverterWord(0, 0x00012340, 1), ilink::kLinkNotOpen);  // it does not connect
}

TEST_F(OnlineOnSim, OperationInputSwitch) {
  PutRaw<std::uint8_t>(55, 6, 1);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(0, 0), 18);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(1, 0), 18);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(2, 0), 18);
  PutRaw<std::uint8_t>(55, 6, 4);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(0, 0), 19);
  device().set_enable(true);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(1, 0), 21);  // refused while enabled
  device().set_enable(false);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(1, 0), 20);
  EXPECT_EQ(device().operation_input(), 1);
  device().set_enable(true);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(2, 0), 25);
  device().set_enable(false);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(2, 0), 22);
  EXPECT_EQ(device().operation_input(), 4);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(9, 0), 18);
  bus_->SetPersistentFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::SwitchOperationInputSerial(1, 0), 24);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(2, 0), 23);
  EXPECT_EQ(ilink::SwitchOperationInputSerial(0, 9), 1);
}

TEST_F(OnlineOnSim, TripleOfRecord33IsCleared) {
  for (std::uint16_t e : {139, 140, 141}) device().WriteNumber(33, e, 5);
  ASSERT_EQ(ilink::WriteRecord33TripleOnline(0), ilink::kOk);
  for (std::uint16_t e : {139, 140, 141}) EXPECT_EQ(device().ReadNumber(33, e), 0u);
}

void PutCode(std::size_t i, const char* code) {
  char text[9] = {};
  std::strncpy(text, code, sizeof text - 1);
  ASSERT_EQ(model::WriteElement(347, static_cast<std::uint16_t>(i * 9), text, model::kModeRaw9, 0), 0);
}

TEST_F(OnlineOnSim, UserListsFromParameterCodes) {
  PutCode(0, "C01");  // 38.2
  PutCode(1, "Z99");  // no such parameter: skipped
  PutCode(2, "E08");  // 33.2, a measured value: always read
  PutCode(3, "A30");  // 55.6
  PutCode(4, "C01");  // fifth code: beyond the short list's four
  ASSERT_EQ(ilink::BuildUserList(0, 0), ilink::kOk);
  const auto rows = ilink::UserList(0);
  ASSERT_EQ(rows.size(), ilink::kShortUserListRows);
  EXPECT_EQ(rows[0].record, 38);
  EXPECT_EQ(rows[0].element, 2);
  EXPECT_EQ(rows[1].record, 33);
  EXPECT_EQ(rows[2].record, 55);
  EXPECT_EQ(rows[2].element, 6);
  EXPECT_EQ(rows[3].record, 0);
  PutRaw<std::uint16_t>(38, 2, 1234);
  PutRaw<std::uint8_t>(55, 6, 1);
  device().WriteNumber(33, 2, 777);
  ASSERT_EQ(ilink::WriteUserListOnline(0, 0), ilink::kOk);
  EXPECT_EQ(device().ReadNumber(38, 2), 1234u);
  EXPECT_EQ(device().ReadNumber(55, 6), 1u);
  EXPECT_EQ(GetRaw<std::uint16_t>(33, 2), 777);  // read even in a write
  EXPECT_EQ(rows[1].direction, ilink::kDirRead);
  device().WriteNumber(38, 2, 4321);
  ASSERT_EQ(ilink::ReadUserListOnline(0, 0), ilink::kOk);
  EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 4321);
  ASSERT_EQ(ilink::BuildUserList(1, 0), ilink::kOk);
  EXPECT_EQ(ilink::UserList(1).size(), ilink::kLongUserListRows);
  EXPECT_EQ(ilink::UserList(1)[3].record, 38);  // the long list takes the fifth code too
  ASSERT_EQ(ilink::ClearUserList(1, 0), ilink::kOk);
  for (const auto& row : ilink::UserList(1)) EXPECT_EQ(row.record, 0);
}

}  // namespace
