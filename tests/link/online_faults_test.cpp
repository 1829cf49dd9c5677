// Faults from the simulator's script and from the port reach the caller of a service as their codes.
#include "platform/comm/port.h"
#include "tests/link/online_fixture.h"

namespace {

using online_test::GetRaw;
using online_test::OnlineOnSim;
using online_test::PutRaw;
using online_test::SetRecord;

TEST_F(OnlineOnSim, ReplyFaultsOfARequestGiveTheirCodes) {
  using sim::FaultKind;
  const struct {
    sim::Fault fault;
    std::uint8_t code;
  } cases[] = {
      {{FaultKind::kDrop}, ilink::kNoReply},       {{FaultKind::kWrongStx}, ilink::kNoStx},
      {{FaultKind::kBadBcc}, ilink::kBadBcc},      {{FaultKind::kTruncate}, ilink::kReplyIncomplete},
      {{FaultKind::kExtraBytes}, ilink::kTooManyBytes}, {{FaultKind::kWrongAddress}, ilink::kWrongSlave},
      {{FaultKind::kEcho}, ilink::kEcho},          {{FaultKind::kStatus, 19}, 19},
      {{FaultKind::kStatus, 25}, 25},              {{FaultKind::kStatus, 27}, 27},
      {{FaultKind::kStall}, ilink::kReplyIncomplete},
  };
  for (const auto& c : cases) {
    // The mirror and the device-type read of the log-in pass; the request meets the fault.
    bus_->QueueFault({});
    bus_->QueueFault({});
    bus_->QueueFault(c.fault);
    EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), c.code) << int(c.fault.kind);
    EXPECT_EQ(ilink::OnlineNesting(), 0);
  }
}

TEST_F(OnlineOnSim, LogInFaultsEndTheService) {
  bus_->QueueFault({sim::FaultKind::kAlterMirror});
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kBadMirror);
  bus_->QueueFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::ReadFullParameterList(0), ilink::kNoReply);
  bus_->QueueFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::SendControlWord(0, 0), ilink::kNoReply);
  bus_->QueueFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::ReadMonitorParameters(0), ilink::kNoReply);
}

TEST_F(OnlineOnSim, TheFirstErrorEndsAListAndKeepsWhatWasDone) {
  FillDevice(21);
  device().SetElementError(40, 0, 20);  // the fourth parameter record of the full read answers 20
  EXPECT_EQ(ilink::ReadFullParameterList(0), 20);
  std::vector<std::uint8_t> served(30);
  ASSERT_TRUE(device().ReadStored(42, 0, served));
  const auto got = SetRecord(42);
  EXPECT_TRUE(std::equal(served.begin(), served.end(), got.begin())) << "the rows before the error were read";
  EXPECT_EQ(SetRecord(41), SetRecord(41, 1)) << "the rows behind it were not";
}

TEST_F(OnlineOnSim, PortFaults) {
  fake_->FailWrites(true);
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kSendIncomplete);
  fake_->FailWrites(false);
  fake_->InjectErrors(platform::comm::kErrRxParity);
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kLineErrorBeforeSend);
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kOk);
}

TEST_F(OnlineOnSim, ConnectAndDisconnect) {
  EXPECT_EQ(ilink::ConnectInverter(7), ilink::kSoftwareError);
  PutRaw<std::uint8_t>(305, 42, 5);
  PutRaw<std::uint8_t>(305, 30, 3);
  PutRaw<std::uint16_t>(305, 36, 4);
  ASSERT_EQ(ilink::ConnectInverter(0), ilink::kOk);
  EXPECT_TRUE(ilink::InverterConnected());
  EXPECT_EQ(ilink::UssSlotAt(0).address, 5);
  EXPECT_EQ(ilink::GetUssDriverSettings().login_tries, 3);
  EXPECT_EQ(ilink::GetUssDriverSettings().pause_ms, 4);
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkOpen);
  ASSERT_EQ(ilink::ConnectInverter(0), ilink::kOk);  // connected: closes first
  ASSERT_EQ(ilink::DisconnectInverter(0), ilink::kOk);
  EXPECT_FALSE(ilink::InverterConnected());
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkClosed);
  EXPECT_EQ(ilink::DisconnectInverter(0), ilink::kOk);
  // No device behind COM1: the open fails and the next step shows it.
  platform::comm::InstallPort("COM1", nullptr);
  PutRaw<std::uint8_t>(305, 0, 15);
  EXPECT_NE(ilink::ConnectInverter(0), ilink::kOk);
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 2), ilink::kLinkNotOpen);
}

}  // namespace

namespace {

TEST_F(OnlineOnSim, UnreadableDataSetsAndElements) {
  const ilink::TransferListRow list[] = {{0, 0, 42, 0}, {0, 0, 0, 0}};
  EXPECT_EQ(ilink::TransferParameterList(7, list, 1), ilink::kSoftwareError);
  EXPECT_EQ(ilink::SendControlWord(1, 7), ilink::kSoftwareError);
  EXPECT_EQ(ilink::ReadRemoteControlRecord(7), ilink::kSoftwareError);
  EXPECT_EQ(ilink::ExecuteInverterAction(200, 350, 0), 4);  // no element 200 in record 13 of the set
  EXPECT_EQ(ilink::ReadParameterOnline(0, 38, 1), ilink::kSoftwareError);  // inside an element
  EXPECT_EQ(ilink::OnlineNesting(), 0);
}

}  // namespace
