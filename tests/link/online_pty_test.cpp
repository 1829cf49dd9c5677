// End to end over a real pseudo-terminal against the simulator thread, in real time: a whole data set read,
// then sent from the other file and read back.
#include <stdlib.h>

#include "model/record_versions.h"
#include "tests/link/online_fixture.h"

namespace {

using online_test::Pattern;
using online_test::PutRaw;
using online_test::SetRecord;
using ilink::TransferList;
using ilink::TransferListRow;

class OnlineOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    setenv("COM1", line->slave_path().c_str(), 1);
    server_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    std::uint16_t last = 0;
    for (const auto& row : model::RecordLayoutTable()) {
      if (row.record == 0 || row.record == last || row.record == 4 || row.record == 5) continue;
      last = row.record;
      device().WriteStored(row.record, 0, Pattern(row.record, static_cast<std::uint8_t>(row.record)));
    }
    server_->Start();
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::InitDataSet(1), 0);
    for (std::uint8_t set : {0, 1}) {
      PutRaw<std::uint8_t>(305, 0, 0, set);
      PutRaw<std::uint8_t>(305, 28, 1, set);
      PutRaw<std::uint8_t>(305, 30, 2, set);
      PutRaw<std::uint16_t>(305, 36, 0, set);  // no pause: real time
      PutRaw<std::uint32_t>(305, 38, 20000, set);
      PutRaw<std::uint8_t>(305, 42, 0, set);
    }
    ilink::DisconnectInverter(0);
    ilink::UssCommand(2, 0);
  }
  void TearDown() override {
    ilink::DisconnectInverter(0);
    server_->Stop();
    unsetenv("COM1");
  }
  sim::InverterDevice& device() { return *bus_->Device(0); }
  std::vector<std::uint8_t> DeviceRecord(std::uint16_t record) {
    std::vector<std::uint8_t> bytes(model::RecordSize(record));
    device().ReadStored(record, 0, bytes);
    return bytes;
  }
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  std::unique_ptr<sim::InverterServer> server_;
};

TEST_F(OnlineOverPty, ReadsAWholeDataSetAndSendsOneBack) {
  ASSERT_EQ(ilink::ConnectInverter(0), ilink::kOk);
  ASSERT_EQ(ilink::TransferParameterSet(7, 0), ilink::kOk);
  ASSERT_EQ(ilink::CheckInverterIdentity(1, 0), 0);
  ASSERT_EQ(ilink::ReadFullParameterList(0), ilink::kOk);
  int compared = 0;
  for (const TransferListRow& row : ilink::FixedTransferList(TransferList::kFullRead)) {
    if (row.record == 0 || row.single || !model::RecordExistsForVersion(row.record, 'Q', 0)) continue;
    const std::size_t served = model::RecordElementCount(row.record, 'Q', 0);
    const auto got = SetRecord(row.record);
    const auto want = DeviceRecord(row.record);
    EXPECT_TRUE(std::equal(want.begin(), want.begin() + static_cast<std::ptrdiff_t>(served), got.begin()))
        << "record " << row.record;
    ++compared;
  }
  EXPECT_GT(compared, 40);
  // Send file 2's parameters and read them back into file 1.
  for (const TransferListRow& row : ilink::FixedTransferList(TransferList::kFullWrite)) {
    if (row.record == 0 || row.single) continue;
    const auto bytes = Pattern(row.record, static_cast<std::uint8_t>(row.record + 100));
    ASSERT_EQ(model::WriteRecord(row.record, bytes.data(), model::kModeRaw9, 1), 0);
  }
  ASSERT_EQ(ilink::WriteFullParameterList(1), ilink::kOk);
  ASSERT_EQ(ilink::ReadFullParameterList(0), ilink::kOk);
  for (std::uint16_t record : {11, 15, 34, 35, 38, 55, 512, 522, 59, 47}) {
    EXPECT_EQ(SetRecord(record, 0), SetRecord(record, 1)) << "record " << record;
  }
  EXPECT_EQ(ilink::DisconnectInverter(0), ilink::kOk);
}

}  // namespace
