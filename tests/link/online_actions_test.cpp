// Inverter actions and the guided remote actions against the simulator's action engine.
#include "tests/link/online_fixture.h"

namespace {

using online_test::GetRaw;
using online_test::OnlineOnSim;
using online_test::PutRaw;

TEST_F(OnlineOnSim, ActionResultBytesBecomeActionCodes) {
  const struct {
    std::uint8_t result, code;
  } cases[] = {{0, 0}, {24, 6}, {7, 17}, {250, 255}};
  for (const auto& c : cases) {
    device().SetActionBehaviour(9, 2, c.result);
    EXPECT_EQ(ilink::ExecuteInverterAction(9, 350, 0), c.code) << int(c.result);
    EXPECT_FALSE(device().ActionRunning(9));
    EXPECT_EQ(GetRaw(13, 9), 0);
    EXPECT_EQ(GetRaw(33, 66), c.result);
  }
  EXPECT_EQ(ilink::OnlineNesting(), 0);
}

TEST_F(OnlineOnSim, ActionsWaitAtMostTheirPolls) {
  device().SetActionBehaviour(1000, 0);
  delays_.clear();
  EXPECT_EQ(ilink::SaveValuesAction(0), 4);  // code 3: still running after 600 polls
  EXPECT_EQ(CountDelays(100), 599);
  delays_.clear();
  EXPECT_EQ(ilink::FaultAcknowledgeAction(0), 16);
  EXPECT_EQ(CountDelays(100), 349);
  EXPECT_EQ(ilink::ExecuteInverterAction(9, 0, 0), 3);
}

TEST_F(OnlineOnSim, ActionFailures) {
  device().RefuseAction(4);
  EXPECT_EQ(ilink::ExecuteInverterAction(4, 350, 0), 5);
  EXPECT_EQ(ilink::LoadDefaultSettingsAction(0), 12);
  device().SetElementError(13, 9, 20);
  EXPECT_EQ(ilink::ExecuteInverterAction(9, 350, 0), 2);
  EXPECT_EQ(ilink::ExecuteInverterAction(9, 350, 7), 2);  // no such data set
  bus_->SetPersistentFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::ExecuteInverterAction(0, 600, 0), 2);
  EXPECT_EQ(ilink::SaveValuesAction(0), 4);
}

TEST_F(OnlineOnSim, FirmwareBeforeAtReportsInRecord12) {
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, sim::DeviceIdentity{1, 42, 0, '?'});
  sim::AttachInverters(*fake_, bus_);
  device().SetActionBehaviour(3, 24);
  PutRaw<std::uint8_t>(4, 0, '?');
  EXPECT_EQ(ilink::ExecuteInverterAction(9, 350, 0), 6);
}

TEST_F(OnlineOnSim, ActionsRunOnTheDataSetTheyAreGiven) {
  // Set 0 says firmware '?', set 1 'Q' like the inverter: set 1's version chooses 33.66 and set 1's record
  // 13 carries the start.
  PutRaw<std::uint8_t>(4, 0, '?', 0);
  PutRaw<std::uint8_t>(13, 10, 7, 0);
  PutRaw<std::uint8_t>(33, 66, 9, 0);
  device().SetActionBehaviour(1, 24);
  EXPECT_EQ(ilink::ExecuteInverterAction(10, 350, 1), 6);
  EXPECT_EQ(GetRaw(33, 66, 1), 24);
  EXPECT_EQ(GetRaw(13, 10, 0), 7);  // file 1 untouched
  EXPECT_EQ(GetRaw(33, 66, 0), 9);
  EXPECT_EQ(ilink::StartScopeAction(1), 22);
}

TEST_F(OnlineOnSim, WrappersMapTheirCodes) {
  const struct {
    const char* what;
    std::uint8_t (*run)(std::uint8_t);
    std::uint8_t result, number;
  } cases[] = {
      {"save ok", ilink::SaveValuesAction, 0, 2},
      {"save 11", ilink::SaveValuesAction, 11, 6},
      {"save 1", ilink::SaveValuesAction, 1, 3},
      {"defaults ok", ilink::LoadDefaultSettingsAction, 0, 8},
      {"defaults 1", ilink::LoadDefaultSettingsAction, 1, 9},
      {"fault ok", ilink::FaultAcknowledgeAction, 0, 14},
      {"fault 24", ilink::FaultAcknowledgeAction, 24, 15},
      {"scope start ok", ilink::StartScopeAction, 0, 19},
      {"scope start 3", ilink::StartScopeAction, 3, 20},
      {"scope stop ok", ilink::StopScopeAction, 0, 24},
      {"scope stop 1", ilink::StopScopeAction, 1, 26},
      {"memo ok", ilink::ResetMemoAction, 0, 36},
      {"memo 1", ilink::ResetMemoAction, 1, 37},
      {"posi start ok", ilink::PositioningStartAction, 0, 32},
      {"posi start 21", ilink::PositioningStartAction, 21, 28},
      {"posi start 1", ilink::PositioningStartAction, 1, 29},
      {"posi step ok", ilink::PositioningStepAction, 0, 33},
      {"posi step 21", ilink::PositioningStepAction, 21, 28},
      {"teach-in ok", ilink::TeachInAction, 0, 34},
      {"teach-in 24", ilink::TeachInAction, 24, 29},
      {"reference ok", ilink::ReferenceAction, 0, 35},
      {"action 8 ok", ilink::WriteValueAndRunAction8, 0, 0},
      {"action 8 1", ilink::WriteValueAndRunAction8, 1, 11},
  };
  for (const auto& c : cases) {
    device().SetActionBehaviour(1, c.result);
    EXPECT_EQ(c.run(0), c.number) << c.what;
  }
  EXPECT_EQ(device().ReadNumber(52, 90), 1u);
  device().SetElementError(52, 90, 26);
  EXPECT_EQ(ilink::WriteValueAndRunAction8(0), 3);
  device().SetElementError(514, 0, 19);
  device().SetActionBehaviour(1, 0);
  EXPECT_EQ(ilink::TeachInAction(0), 30);
}

TEST_F(OnlineOnSim, MasterEnableOffLetsTheDriveLeaveItsEnabledState) {
  device().set_device_state(4);
  device().SetMasterEnableReads(2);
  PutRaw<std::uint8_t>(52, 112, 0);
  ASSERT_EQ(ilink::WriteParameterOnline(0, 52, 112), ilink::kOk);
  ASSERT_EQ(ilink::ReadParameterOnline(0, 33, 67), ilink::kOk);
  EXPECT_EQ(GetRaw(33, 67), 4);
  ASSERT_EQ(ilink::ReadParameterOnline(0, 33, 67), ilink::kOk);
  EXPECT_EQ(GetRaw(33, 67), 2);
}

TEST_F(OnlineOnSim, RemoteActionSequences) {
  device().WriteNumber(55, 6, 4);
  EXPECT_EQ(ilink::RunRemoteAction(0, 1, 0), 0);
  EXPECT_EQ(device().operation_input(), 1);  // serial while the action runs; 4 kept
  EXPECT_EQ(ilink::RunRemoteAction(0, 13, 0), 1);
  EXPECT_EQ(ilink::RunRemoteAction(0, 4, 0), 2);  // enable off
  device().set_enable(true);
  EXPECT_EQ(ilink::RunRemoteAction(0, 4, 0), 0);
  EXPECT_EQ(ilink::RunRemoteAction(0, 14, 0), 2);
  device().set_enable(false);
  device().SetActionBehaviour(17, 1000, 0);  // the guided action runs until stopped
  EXPECT_EQ(ilink::RunRemoteAction(0, 5, 0), 0);
  EXPECT_EQ(device().ReadNumber(13, 17), 1u);  // mode 0: action parameter 17
  EXPECT_EQ(ilink::RunRemoteAction(1, 5, 0), 0);
  EXPECT_EQ(device().ReadNumber(13, 13), 1u);  // other modes: 13
  EXPECT_EQ(ilink::RunRemoteAction(0, 7, 0), 0);
  EXPECT_EQ(ilink::UssLastRequest()[6] & 0x10, 0x10);  // the remote flag went out with the control word
  EXPECT_EQ(ilink::RunRemoteAction(0, 6, 0), 0);
  // Action 9: running while the state byte is 253 or more.
  device().WriteNumber(33, 69, 10);
  EXPECT_EQ(ilink::RunRemoteAction(0, 9, 0), 2);
  device().WriteNumber(33, 69, 253);
  EXPECT_EQ(ilink::RunRemoteAction(0, 9, 0), 0);
  device().WriteNumber(13, 17, 0);
  EXPECT_EQ(ilink::RunRemoteAction(0, 9, 0), 3);
  // Action 11 reads the list of the active parameter set.
  device().WriteNumber(33, 61, 1);
  device().WriteNumber(60, 6, 0x4321);
  EXPECT_EQ(ilink::RunRemoteAction(0, 11, 0), 0);
  EXPECT_EQ(GetRaw<std::uint16_t>(60, 6), 0x4321);
  EXPECT_EQ(ilink::RunRemoteAction(0, 14, 0), 0);
  EXPECT_EQ(device().operation_input(), 4);  // back to the kept input
  // Mode 2 ends: remote flag off, input back.
  device().WriteNumber(55, 6, 1);
  EXPECT_EQ(ilink::RunRemoteAction(2, 9, 0), 0);
  EXPECT_EQ(device().operation_input(), 4);
  EXPECT_EQ(ilink::UssLastRequest()[3], 5);
  // A refused operation input gives 2, a dead line 1.
  device().set_enable(true);
  EXPECT_EQ(ilink::RunRemoteAction(0, 1, 0), 2);
  bus_->SetPersistentFault({sim::FaultKind::kDrop});
  EXPECT_EQ(ilink::RunRemoteAction(0, 17, 0), 1);
}

}  // namespace
