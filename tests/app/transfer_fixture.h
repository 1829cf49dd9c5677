// The transfer dialog in the window program on the headless layer: the simulated inverter on a fake COM1 (its
// replies on the virtual clock), the simulated box on the modem lines of another fake COM1, the catalogue's
// message dialogs answered from a queue (Yes when it is empty) and remembered, message boxes answered alike.
#pragma once

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/documents/file_titles.h"
#include "app/online/transfer_dialog.h"
#include "app/shell/main_commands.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/parambox.h"
#include "link/stop_watch.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"
#include "sim/parambox/parameter_box.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {

inline constexpr int kYes = 1;  // the first button of a question
inline constexpr int kNo = 2;

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

// Everything a data set holds: its storage and change lists.
inline std::vector<std::uint8_t> SetImage(std::uint8_t set) {
  const model::ProjectDataSet* d = model::DataSetSlot(set);
  std::vector<std::uint8_t> bytes(d->storage.begin(), d->storage.end());
  bytes.push_back(static_cast<std::uint8_t>(d->change_count0));
  for (model::ChangeEntry e : d->change_list0) bytes.push_back(static_cast<std::uint8_t>(e ^ (e >> 16)));
  return bytes;
}

// The stored bytes of a record of the inverter.
inline std::vector<std::uint8_t> DeviceRecord(sim::InverterDevice& device, std::uint16_t record) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  device.ReadStored(record, 0, bytes);
  return bytes;
}

class TransferTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int id : {2, 3, 4}) {
      drv::OnDialogIdle(id, [this](HWND d) {
        dialogs_.push_back(drv::ItemText(d, 100));
        int answer = kYes;
        if (!answers_.empty()) {
          answer = answers_.front();
          answers_.pop_front();
        }
        EndDialog(d, answer);
      });
    }
    drv::OnMessageBox([this](const drv::MessageBoxRecord& box) {
      boxes_.push_back(box.text);
      return box_answer_;
    });
  }
  void TearDown() override {
    ilink::SetDelayObserver(nullptr);
    ilink::DisconnectInverter(0);
    ilink::CloseParameterBox();
    box_.reset();
    platform::comm::InstallPort("COM1", nullptr);
    app::SetDriveDisableWaitLimit(app::kDefaultDriveDisableWaitMs);
    ShellTest::TearDown();
  }

  // The inverter on COM1 with the link settings of the fake line in both sets (after the start loaded its own).
  void ConnectInverter() {
    platform::comm::InstallPort("COM1", fake_);
    sim::AttachInverters(*fake_, bus_);
    for (std::uint8_t set : {0, 1}) {
      PutRaw<std::uint8_t>(305, 0, 0, set);
      PutRaw<std::uint8_t>(305, 13, 0, set);
      PutRaw<std::uint8_t>(305, 28, 1, set);
      PutRaw<std::uint8_t>(305, 30, 1, set);
      PutRaw<std::uint16_t>(305, 36, 10, set);
      PutRaw<std::uint32_t>(305, 38, 20000, set);
      PutRaw<std::uint8_t>(305, 42, 0, set);
    }
  }
  // The box on COM1 with short bit timings.
  void ConnectBox() {
    box_port_ = std::make_shared<platform::comm::FakePort>();
    platform::comm::InstallPort("COM1", box_port_);
    box_ = std::make_unique<sim::ParameterBox>(box_port_);
    box_->eeprom().SetWriteCycle(1, 0);
    // Formatted, valid and empty.
    auto memory = box_->memory();
    std::fill(memory.begin(), memory.end(), 0xFF);
    std::fill(memory.begin(), memory.begin() + 290, 0);
    memory[0] = 2;
    memory[8] = 0x55;
    const std::uint8_t list[] = {3, 0, 10, 0, 0, 0, 0x22, 0x01};  // record 3 at 10, end at 290
    std::copy(std::begin(list), std::end(list), memory.begin() + 10);
    PutRaw<std::uint8_t>(305, 155, 1);
    PutRaw<std::uint32_t>(305, 18, 4);
    PutRaw<std::uint16_t>(305, 22, 1);
    PutRaw<std::uint16_t>(305, 24, 1);
    PutRaw<std::uint16_t>(305, 16, 2);
  }
  // Runs `action` once, the first time the line has seen `telegrams` telegrams (checked at every wait).
  void AfterTelegrams(std::size_t telegrams, std::function<void()> action) {
    ilink::SetDelayObserver([this, telegrams, action, done = false](double) mutable {
      if (done || bus_->telegrams() < telegrams) return;
      done = true;
      action();
    });
  }
  sim::InverterDevice& device() { return *bus_->Device(0); }
  // The newest message dialog's text, empty when none was shown.
  std::string LastMessage() const { return dialogs_.empty() ? std::string() : dialogs_.back(); }

  std::shared_ptr<platform::comm::FakePort> fake_ = std::make_shared<platform::comm::FakePort>();
  std::shared_ptr<sim::InverterBus> bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  std::shared_ptr<platform::comm::FakePort> box_port_;
  std::unique_ptr<sim::ParameterBox> box_;
  std::deque<int> answers_;
  std::vector<std::string> boxes_;
  int box_answer_ = IDNO;
};

}  // namespace shell_test
