// Parameter lists between a data set and the simulated inverter: whole data sets both ways, what an older
// firmware does not serve, progress.
#include <algorithm>

#include "model/record_versions.h"
#include "tests/link/online_fixture.h"

namespace {

using online_test::GetRaw;
using online_test::OnlineOnSim;
using online_test::Pattern;
using online_test::PutRaw;
using online_test::SetRecord;
using ilink::TransferList;
using ilink::TransferListRow;

std::vector<std::uint8_t> DeviceRecord(sim::InverterDevice& d, std::uint16_t record) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  d.ReadStored(record, 0, bytes);
  return bytes;
}

std::vector<std::uint8_t> Head(std::vector<std::uint8_t> bytes, std::size_t n) {
  bytes.resize(std::min(n, bytes.size()));
  return bytes;
}

TEST_F(OnlineOnSim, FullReadBringsEveryServedRecordIntoTheDataSet) {
  FillDevice(3);
  ASSERT_EQ(ilink::ReadFullParameterList(0), ilink::kOk);
  const std::uint8_t version = GetRaw(4, 0);
  for (const TransferListRow& row : ilink::FixedTransferList(TransferList::kFullRead)) {
    if (row.record == 0) break;
    if (row.single) {
      EXPECT_EQ(GetRaw(row.record, row.element), DeviceRecord(device(), row.record)[row.element]) << row.record;
    } else if (model::RecordExistsForVersion(row.record, version, 0)) {
      // The served bytes as the device holds them, the rest as the data set had it (42 serves 30 bytes).
      const std::size_t served = model::RecordElementCount(row.record, version, 0);
      const auto got = SetRecord(row.record);
      EXPECT_EQ(Head(got, served), Head(DeviceRecord(device(), row.record), served)) << "record " << row.record;
      EXPECT_TRUE(std::equal(got.begin() + static_cast<std::ptrdiff_t>(served), got.end(),
                             SetRecord(row.record, 1).begin() + static_cast<std::ptrdiff_t>(served)))
          << "record " << row.record;
    } else {
      // Family 1 has no records 516, 518, 520: nothing asked, the data set keeps its values.
      EXPECT_EQ(SetRecord(row.record), SetRecord(row.record, 1)) << "record " << row.record;
    }
  }
}

TEST_F(OnlineOnSim, FullWriteSendsTheDataSetAndReadsBackTheSame) {
  for (const TransferListRow& row : ilink::FixedTransferList(TransferList::kFullWrite)) {
    if (row.record == 0 || row.single) continue;
    const auto bytes = Pattern(row.record, static_cast<std::uint8_t>(row.record * 3));
    ASSERT_EQ(model::WriteRecord(row.record, bytes.data(), model::kModeRaw9, 0), 0) << row.record;
  }
  PutRaw<std::uint8_t>(52, 88, 0x5A);
  PutRaw<std::uint16_t>(458, 20, 0x1234);
  ASSERT_EQ(ilink::WriteFullParameterList(0), ilink::kOk);
  EXPECT_EQ(device().ReadNumber(52, 88), 0x5Au);
  EXPECT_EQ(device().ReadNumber(458, 20), 0x1234u);
  for (const TransferListRow& row : ilink::FixedTransferList(TransferList::kFullWrite)) {
    if (row.record == 0 || row.single || !model::RecordExistsForVersion(row.record, 'Q', 0)) continue;
    const std::size_t served = model::RecordElementCount(row.record, 'Q', 0);
    EXPECT_EQ(Head(DeviceRecord(device(), row.record), served), Head(SetRecord(row.record), served))
        << "record " << row.record;
  }
  // Read back into the other file: the same records.
  ASSERT_EQ(ilink::ReadFullParameterList(1), ilink::kOk);
  for (std::uint16_t record : {11, 15, 34, 512, 522, 59, 47}) EXPECT_EQ(SetRecord(record, 1), SetRecord(record));
}

TEST_F(OnlineOnSim, OlderFirmwareGetsOnlyWhatItServes) {
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, sim::DeviceIdentity{1, 42, 0, 'H'});
  sim::AttachInverters(*fake_, bus_);
  FillDevice(9);
  PutRaw<std::uint8_t>(4, 0, 'H');  // the data set's version: 52 holds 82 bytes, 512 96; no 59, 60, 522
  const auto before = SetRecord(512);
  ASSERT_EQ(ilink::ReadFullParameterList(0), ilink::kOk);
  EXPECT_EQ(GetRaw(52, 88), GetRaw(52, 88, 1));  // 52.88 lies beyond the 82 bytes: skipped
  for (std::uint16_t record : {59, 60, 522, 516}) EXPECT_EQ(SetRecord(record), SetRecord(record, 1)) << record;
  const auto after = SetRecord(512);
  ASSERT_EQ(model::RecordElementCount(512, 'H', 0), 96);
  EXPECT_EQ(Head(after, 96), Head(DeviceRecord(device(), 512), 96));
  for (std::size_t i = 96; i < after.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;  // the rest as it was
  EXPECT_EQ(SetRecord(458), DeviceRecord(device(), 458));  // 458 exists from 'F'
}

TEST_F(OnlineOnSim, ListsOfRowsTheVersionLacksTransferNothing) {
  PutRaw<std::uint8_t>(4, 0, 'H');
  const TransferListRow list[] = {{0, 0, 353, 0}, {1, 0, 59, 0}, {0, 1, 52, 88}, {0, 0, 0, 0}};
  const std::size_t before = bus_->telegrams();
  EXPECT_EQ(ilink::TransferParameterList(0, list, 1), ilink::kOk);
  EXPECT_EQ(bus_->telegrams() - before, 2u);  // the log-in and its device-type read
  // An element that starts where the version's bytes end lies beyond them (52 holds 82 bytes below 'I').
  const TransferListRow at_count[] = {{0, 1, 52, 82}, {0, 1, 52, 80}, {0, 0, 0, 0}};
  device().WriteNumber(52, 80, 0x77);
  EXPECT_EQ(ilink::TransferParameterList(0, at_count, 0), ilink::kOk);
  EXPECT_EQ(GetRaw(52, 80), 0x77);
  // Directions other than read and write are skipped; the list ends at record 0.
  const TransferListRow odd[] = {{2, 0, 42, 0}, {0, 0, 0, 0}, {0, 0, 43, 0}};
  const std::size_t mid = bus_->telegrams();
  EXPECT_EQ(ilink::TransferParameterList(0, odd, 0), ilink::kOk);
  EXPECT_EQ(bus_->telegrams() - mid, 2u);
}

TEST_F(OnlineOnSim, ProgressGrowsInStepsAboveTwoAndEndsAt100) {
  std::vector<std::uint8_t> seen;
  ilink::SetTransferProgressHook([&](std::uint8_t p) { seen.push_back(p); });
  ASSERT_EQ(ilink::ReadFullParameterList(0), ilink::kOk);
  ASSERT_GT(seen.size(), 5u);
  std::uint8_t last = 0;
  for (std::uint8_t p : seen) {
    EXPECT_GT(p, last + 2);
    EXPECT_LE(p, 100);
    last = p;
  }
  EXPECT_EQ(ilink::TransferProgress(), 100);
  // The identity adds 10 and stays at 100.
  ASSERT_EQ(ilink::TransferParameterSet(1, 0), ilink::kOk);
  EXPECT_EQ(seen.back(), 100);
  // Mode 0 delivers nothing.
  ilink::SetTransferProgressHook([&](std::uint8_t p) { seen.push_back(p); });
  seen.clear();
  ASSERT_EQ(ilink::TransferParameterList(0, ilink::FixedTransferList(TransferList::kKind7), 0), ilink::kOk);
  EXPECT_TRUE(seen.empty());
}

TEST_F(OnlineOnSim, ARowThatJoinsAfterTheIdentityKeepsProgressAt100) {
  // Reverse documentation takes its family from record 5: family 1 here, so 516 has no weight; the inverter
  // is family 2, whose identity arrives first and lets 516 through.
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, sim::DeviceIdentity{2, 42, 10, 'Q'});
  sim::AttachInverters(*fake_, bus_);
  FillDevice(5);
  PutRaw<std::uint16_t>(302, 0, model::kFileKindReverseDoc);
  PutRaw<std::uint8_t>(5, 0, 1);
  std::vector<std::uint8_t> seen;
  ilink::SetTransferProgressHook([&](std::uint8_t p) { seen.push_back(p); });
  const TransferListRow list[] = {{0, 0, 5, 0}, {0, 0, 516, 0}, {0, 0, 0, 0}};
  ASSERT_EQ(ilink::TransferParameterList(0, list, 1), ilink::kOk);
  EXPECT_EQ(SetRecord(516), DeviceRecord(device(), 516));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), 100);
  EXPECT_EQ(ilink::TransferProgress(), 100);
}

TEST_F(OnlineOnSim, TransferKindsAndTheProjectTarget) {
  EXPECT_EQ(ilink::TransferParameterSet(0, 0), ilink::kSoftwareError);
  EXPECT_EQ(ilink::TransferParameterSet(8, 0), ilink::kSoftwareError);
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, sim::DeviceIdentity{1, 30, 3, 'P'});
  sim::AttachInverters(*fake_, bus_);
  device().set_device_state(4);
  // Kind 2 reads the identity and the device state, and leaves the target alone.
  ASSERT_EQ(ilink::TransferParameterSet(2, 0), ilink::kOk);
  EXPECT_EQ(GetRaw(5, 1), 30);
  EXPECT_EQ(GetRaw(4, 0), 'P');
  EXPECT_EQ(GetRaw(33, 67), 4);
  EXPECT_EQ(GetRaw(304, 1), 55);
  // Kind 1 copies the identity into the target, its software version kept within the device type's range
  // (type 30 allows '@'..'A'), so that the project passes its own input check.
  ASSERT_EQ(ilink::TransferParameterSet(1, 0), ilink::kOk);
  auto identity = SetRecord(5);
  ASSERT_EQ(identity[5], 'E');
  identity[5] = 'A';
  EXPECT_EQ(SetRecord(304), identity);
}

TEST_F(OnlineOnSim, TransferSelectionReadsTheRecordingOrEverything) {
  FillDevice(11);
  PutRaw<std::uint8_t>(305, 145, 1);  // scope-transfer selection of the program (data set 0)
  ASSERT_EQ(ilink::ReadTransferSelection(1), ilink::kOk);
  EXPECT_EQ(SetRecord(453, 1), DeviceRecord(device(), 453));
  EXPECT_EQ(SetRecord(454, 1), DeviceRecord(device(), 454));
  EXPECT_EQ(GetRaw<std::uint16_t>(33, 42, 1), device().ReadNumber(33, 42));
  EXPECT_EQ(SetRecord(42, 1), SetRecord(42, 0));  // no parameters
  PutRaw<std::uint8_t>(305, 145, 0);
  ASSERT_EQ(ilink::ReadTransferSelection(1), ilink::kOk);
  EXPECT_EQ(SetRecord(40, 1), DeviceRecord(device(), 40));
  EXPECT_NE(SetRecord(33, 1), DeviceRecord(device(), 33));  // everything but record 33 (only 33.42 came)
  // The monitor values.
  ASSERT_EQ(ilink::ReadMonitorParameters(1), ilink::kOk);
  for (std::uint16_t record : {36, 33, 52}) EXPECT_EQ(SetRecord(record, 1), DeviceRecord(device(), record)) << record;
}

TEST_F(OnlineOnSim, SendScopeSettingsWritesRecord454) {
  const auto bytes = Pattern(454, 40);
  ASSERT_EQ(model::WriteRecord(454, bytes.data(), model::kModeRaw9, 0), 0);
  ASSERT_EQ(ilink::SendScopeSettings(0), ilink::kOk);
  EXPECT_EQ(DeviceRecord(device(), 454), bytes);
}

}  // namespace
