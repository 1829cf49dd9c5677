// The transfer dialog against the simulated inverter: reading from the menu, sending with its questions and the
// master-enable sequence, the scope mode, every fault of the simulator's script at the start and in the middle of
// a transfer, Cancel, and the dialog ending only on its transfer's own completion.
#include <gtest/gtest.h>

#include "app/templates/transfer_template.h"
#include "model/data_set.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

using app::kTransferFailed;
using app::kTransferSucceeded;

constexpr char kInterrupted[] = "Interruption of the serial communication";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A parameter record that a send writes whole, and one element of it the tests change.
constexpr std::uint16_t kRecord = 38;
constexpr std::uint16_t kElement = 2;

TEST_F(TransferTest, ReadFromTheMenuMakesTheActiveFileAReverseDocumentationOfTheInverter) {
  std::string job;
  std::vector<int> shown_percent;
  // A successful read opens the first page of the reverse documentation.
  bool first_page = false;
  drv::OnDialogIdle(12, [&](HWND page) {
    first_page = true;
    EndDialog(page, IDOK);
  });
  Run({
      [&] {
        ConnectInverter();
        device().WriteNumber(kRecord, kElement, 1234);
        // What the dialog says while it works.
        AfterTelegrams(5, [&] { job = drv::ItemText(drv::FindDialog(app::kTransferTemplate), app::kTransferJobText); });
        EXPECT_FALSE(drv::MenuState(Main(), 2005).grayed);
        EXPECT_TRUE(drv::PickMenu(Main(), 2005));
      },
      [&] {
        EXPECT_EQ(drv::FindDialog(app::kTransferTemplate), nullptr);
        EXPECT_EQ(model::GetFileTypeCode(0), model::kFileKindReverseDoc);
        EXPECT_EQ(GetRaw<std::uint16_t>(kRecord, kElement), 1234);
        EXPECT_EQ(model::ChangeList0Empty(0), 0);  // read, not saved yet
        EXPECT_EQ(ilink::InverterConnected(), 0);
        EXPECT_EQ(ilink::TransferProgress(), 100);
      },
  });
  EXPECT_EQ(job, "reading data from inverter");
  EXPECT_TRUE(first_page);
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(TransferTest, AModeAboveFourFailsWithoutADialog) {
  Run({[&] {
    EXPECT_EQ(app::RunTransferDialog(5), kTransferFailed);
    EXPECT_EQ(app::RunTransferDialog(255), kTransferFailed);
  }});
  EXPECT_TRUE(dialogs_.empty());
}

// Each fault of the simulator's script, at the log-in and in the middle of the full read: the catalogue's message,
// failure, the data set as it was and the link closed.
struct FaultCase {
  sim::FaultKind kind;
  std::uint8_t status;
  std::size_t at;  // telegrams answered before the fault
  const char* message;
};

TEST_F(TransferTest, EveryFaultOfTheLineEndsTheReadWithItsMessageAndLeavesTheSetAsItWas) {
  const FaultCase cases[] = {
      {sim::FaultKind::kDrop, 0, 40, "Inverter does not answer!"},
      {sim::FaultKind::kWrongStx, 0, 40, "Wrong device connected!"},
      {sim::FaultKind::kBadBcc, 0, 40, "Communication error occurred! Checksum (BCC) is wrong."},
      {sim::FaultKind::kTruncate, 0, 40, "Time-out error"},
      {sim::FaultKind::kExtraBytes, 0, 40, "Communication error: More characters than declared in LGE!"},
      {sim::FaultKind::kWrongAddress, 0, 40, "The answer of a wrong slave was received."},
      {sim::FaultKind::kEcho, 0, 40, "Echo of own telegram received"},
      {sim::FaultKind::kStatus, 25, 40, "Error message from inverter:\nParamter may not be send"},
      {sim::FaultKind::kStall, 0, 40, "Time-out error"},
      {sim::FaultKind::kAlterMirror, 0, 0, "Communication error at connection attempt: Error in mirror telegram."},
      {sim::FaultKind::kDrop, 0, 0, "Inverter does not answer!"},
  };
  Run({[&] {
    ConnectInverter();
    for (const FaultCase& c : cases) {
      dialogs_.clear();
      const auto before = SetImage(0);
      const std::size_t start = bus_->telegrams();
      AfterTelegrams(start + c.at, [&] { bus_->QueueFault({c.kind, c.status}); });
      EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferFailed) << c.message;
      ASSERT_EQ(dialogs_.size(), 1u) << c.message;
      EXPECT_TRUE(StartsWith(dialogs_[0], c.message)) << dialogs_[0];
      EXPECT_EQ(SetImage(0), before) << c.message;
      EXPECT_EQ(ilink::InverterConnected(), 0) << c.message;
      EXPECT_GT(bus_->telegrams(), start + c.at) << c.message;
    }
  }});
}

// An inverter whose replies come late (their rest 80 ms after the head): the time-out message, not a wrong
// device.
TEST_F(TransferTest, ALateReplyIsATimeOut) {
  Run({[&] {
    ConnectInverter();
    bus_->SetRestDelay(80'000'000);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferFailed);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(StartsWith(dialogs_[0], "Time-out error: Rest-runtime of des service or\nanswer telegram is passed over!"))
        << dialogs_[0];
  }});
}

// The read of the identity fails: the transfer ends there, nothing further is asked of the inverter.
TEST_F(TransferTest, AFailedIdentityEndsTheTransferBeforeAnythingElse) {
  Run({[&] {
    ConnectInverter();
    AfterTelegrams(1, [&] { bus_->SetPersistentFault({sim::FaultKind::kDrop}); });
    const auto before = SetImage(0);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferFailed);
    EXPECT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(SetImage(0), before);
  }});
}

TEST_F(TransferTest, CancelStopsTheReadAndOkOrCloseDoNotEndTheDialog) {
  Run({[&] {
    ConnectInverter();
    // OK and the window manager's close in the middle: the read goes on to its end.
    AfterTelegrams(20, [&] {
      HWND dialog = drv::FindDialog(app::kTransferTemplate);
      PostMessage(dialog, WM_COMMAND, IDOK, 0);
      PostMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    device().WriteNumber(kRecord, kElement, 77);
    // The close asks for a cancel, which the read honours at its next telegram: failure, set as it was.
    const auto before = SetImage(0);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferFailed);
    EXPECT_EQ(LastMessage(), kInterrupted);
    EXPECT_EQ(SetImage(0), before);

    // Only OK: the read completes.
    dialogs_.clear();
    AfterTelegrams(bus_->telegrams() + 20,
                   [&] { PostMessage(drv::FindDialog(app::kTransferTemplate), WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferSucceeded);
    EXPECT_EQ(GetRaw<std::uint16_t>(kRecord, kElement), 77);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();

    // The Cancel button, clicked as the user would.
    device().WriteNumber(kRecord, kElement, 78);
    const auto read = SetImage(0);
    const std::size_t start = bus_->telegrams();
    AfterTelegrams(start + 30, [&] { drv::Click(GetDlgItem(drv::FindDialog(app::kTransferTemplate), IDCANCEL)); });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferFailed);
    EXPECT_EQ(LastMessage(), kInterrupted);
    EXPECT_EQ(SetImage(0), read);
    EXPECT_LT(bus_->telegrams(), start + 40);
    EXPECT_EQ(ilink::InverterConnected(), 0);
  }});
}

class SendTest : public TransferTest {
 protected:
  // The inverter read into File 1, then its record changed, so that a send has something to put back.
  void ReadThenChangeDevice() {
    ConnectInverter();
    device().WriteNumber(52, 112, 1);  // master enable on: no question after the send
    ASSERT_EQ(app::RunTransferDialog(app::kTransferReadInverter), kTransferSucceeded);
    read_ = DeviceRecord(device(), kRecord);
    changed_ = read_;
    for (auto& b : changed_) b = static_cast<std::uint8_t>(b ^ 0x5A);
    device().WriteStored(kRecord, 0, changed_);
    dialogs_.clear();
  }
  std::vector<std::uint8_t> read_;
  std::vector<std::uint8_t> changed_;
};

TEST_F(SendTest, SendFromTheMenuPutsTheFileIntoTheInverterAndAsksToSaveThere) {
  box_answer_ = IDYES;
  Run({
      [&] {
        ReadThenChangeDevice();
        EXPECT_TRUE(drv::PickMenu(Main(), 2006));
      },
      [&] {
        EXPECT_EQ(DeviceRecord(device(), kRecord), read_);
        // The reverse documentation took the read device as its target.
        std::vector<std::uint8_t> identity(model::RecordSize(5)), target(model::RecordSize(304));
        model::ReadRecord(5, identity.data(), model::kModeRaw9, 0);
        model::ReadRecord(304, target.data(), model::kModeRaw9, 0);
        EXPECT_EQ(identity, target);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  ASSERT_FALSE(boxes_.empty());
  EXPECT_TRUE(StartsWith(boxes_.back(), "Should the new values in the inverter be saved against power-failure?"));
  EXPECT_FALSE(device().ActionRunning(0));
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
}

// A send that fails half-way says so, and the file stays as it was; a save in the inverter that fails says so.
TEST_F(SendTest, ASendLostHalfWayAndAFailedSaveAreShown) {
  Run({[&] {
    ReadThenChangeDevice();
    const auto file = SetImage(0);
    AfterTelegrams(bus_->telegrams() + 25, [&] { bus_->QueueFault({sim::FaultKind::kDrop}); });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferFailed);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(StartsWith(dialogs_[0], "Inverter does not answer!"));
    EXPECT_EQ(SetImage(0), file);

    dialogs_.clear();
    ilink::SetDelayObserver(nullptr);
    box_answer_ = IDYES;
    device().SetActionBehaviour(0, 2, 5);  // the inverter's save ends with an error
    app::StoreValuesAfterSend();
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(StartsWith(dialogs_[0], "Action 'Save values'")) << dialogs_[0];
    EXPECT_EQ(ilink::InverterConnected(), 0);
  }});
}

// Read from the inverter, a value changed (the reverse documentation becomes a project), sent back to the same
// inverter: one inverter's round trip raises no version question.
TEST_F(SendTest, ARoundTripWithOneInverterAsksNoVersionQuestion) {
  Run({[&] {
    ReadThenChangeDevice();
    ASSERT_EQ(model::ConvertToProjectType(model::kFileKindProject, 0), model::kFileKindProject);
    PutRaw<std::uint16_t>(kRecord, kElement, 1234);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferSucceeded);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();
    EXPECT_EQ(device().ReadNumber(kRecord, kElement), 1234u);
  }});
}

// Cancel during a send: before the first write it stops with the inverter as it was, and says so; once writing
// has begun it is greyed and ignored, and the inverter gets the whole set.
TEST_F(SendTest, CancelStopsASendOnlyBeforeAnythingIsWritten) {
  Run({[&] {
    ReadThenChangeDevice();
    const std::size_t start = bus_->telegrams();
    AfterTelegrams(start + 1, [&] { PostMessage(drv::FindDialog(app::kTransferTemplate), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferFailed);
    EXPECT_EQ(DeviceRecord(device(), kRecord), changed_);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0], "Sending was cancelled before anything was written:\nthe inverter holds its former data.");

    boxes_.clear();
    bool greyed = false;
    AfterTelegrams(bus_->telegrams() + 25, [&] {
      HWND dialog = drv::FindDialog(app::kTransferTemplate);
      greyed = !IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
      drv::Click(GetDlgItem(dialog, IDCANCEL));
      PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // Escape
      PostMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferSucceeded);
    EXPECT_TRUE(greyed);
    EXPECT_EQ(DeviceRecord(device(), kRecord), read_);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();
    EXPECT_TRUE(boxes_.empty());
  }});
}

TEST_F(SendTest, AnotherDeviceIsNotSentToAndTheFileStaysAsItWas) {
  Run({[&] {
    ReadThenChangeDevice();
    sim::DeviceIdentity other;
    other.device_type = 45;
    bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, other);
    sim::AttachInverters(*fake_, bus_);
    const auto before = DeviceRecord(device(), kRecord);
    const auto file = SetImage(0);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), kTransferFailed);
    EXPECT_TRUE(StartsWith(LastMessage(), "Inverter device type does not correspond with target of project."));
    EXPECT_EQ(DeviceRecord(device(), kRecord), before);
    EXPECT_EQ(SetImage(0), file);
  }});
}

// The master-enable sequence on a running drive of firmware 'M' or later.
struct EnabledCase {
  const char* name;
  std::deque<int> answers;           // 2.15 (switch off?), then 2.16 (on again?)
  std::uint16_t reads_until_stop;    // reads of the state until the drive stops after master enable off
  INT_PTR result;
  bool sent;
  std::uint32_t master_enable;       // 52.112 in the inverter afterwards
  std::size_t messages;
};

TEST_F(SendTest, ARunningDriveIsSentToOnlyOnceMasterEnableHasStoppedIt) {
  const EnabledCase cases[] = {
      {"no: nothing sent", {kNo}, 0, kTransferFailed, false, 1, 1},
      {"yes, stops, on again", {kYes, kYes}, 3, kTransferSucceeded, true, 1, 2},
      {"yes, stops, left off", {kYes, kNo}, 0, kTransferSucceeded, true, 0, 2},
      {"yes, never stops: time limit", {kYes}, 60000, kTransferFailed, false, 0, 2},
  };
  Run({[&] {
    ReadThenChangeDevice();
    app::SetDriveDisableWaitLimit(1500);
    for (const EnabledCase& c : cases) {
      device().WriteStored(kRecord, 0, changed_);
      device().WriteNumber(52, 112, 1);
      device().set_device_state(4);
      device().SetMasterEnableReads(c.reads_until_stop);
      dialogs_.clear();
      answers_ = c.answers;
      const auto file = SetImage(0);
      EXPECT_EQ(app::RunTransferDialog(app::kTransferSendInverter), c.result) << c.name;
      EXPECT_EQ(DeviceRecord(device(), kRecord) == read_, c.sent) << c.name;
      EXPECT_EQ(device().ReadNumber(52, 112), c.master_enable) << c.name;
      EXPECT_EQ(dialogs_.size(), c.messages) << c.name;
      EXPECT_TRUE(StartsWith(dialogs_.front(), "Inverter device status allows no sending of data!")) << c.name;
      if (c.result == kTransferFailed) {
        EXPECT_EQ(SetImage(0), file) << c.name;
      }
      EXPECT_EQ(ilink::InverterConnected(), 0) << c.name;
    }
  }});
}

TEST_F(TransferTest, ScopeModeReadsTheRecordingAndKeepsTheLinkOnFailure) {
  Run({[&] {
    ConnectInverter();
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadScope), kTransferSucceeded);
    EXPECT_EQ(model::GetFileTypeCode(0), model::kFileKindReverseDoc);
    EXPECT_EQ(ilink::InverterConnected(), 0);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();

    const auto before = SetImage(0);
    AfterTelegrams(bus_->telegrams() + 10, [&] { bus_->QueueFault({sim::FaultKind::kBadBcc}); });
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadScope), kTransferFailed);
    EXPECT_EQ(SetImage(0), before);
    EXPECT_EQ(ilink::InverterConnected(), 1);  // the scope window that ran it holds the link
  }});
}

}  // namespace
}  // namespace shell_test
