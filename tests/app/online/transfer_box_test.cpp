// The transfer dialog's Quellox modes against the simulated box: a project written and read back from the menu,
// a box that is missing or pulled out during the read, a device family the box does not serve.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/documents/file_slots.h"
#include "app/templates/transfer_template.h"
#include "model/data_set.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

constexpr std::uint16_t kRecord = 38;
constexpr std::uint16_t kElement = 2;

TEST_F(TransferTest, AProjectWrittenIntoTheBoxReadsBackIntoTheOtherFile) {
  Run({
      [&] {
        ConnectBox();
        PutRaw<std::uint16_t>(kRecord, kElement, 4321);
        EXPECT_TRUE(drv::PickMenu(Main(), 2008));
      },
      [&] {
        EXPECT_TRUE(dialogs_.empty()) << LastMessage();
        app::SelectActiveFile(1);
        // The settings of the box are read from File 1 (set 0) whichever file is active.
        EXPECT_TRUE(drv::PickMenu(Main(), 2007));
      },
      [&] {
        EXPECT_TRUE(dialogs_.empty()) << LastMessage();
        EXPECT_EQ(GetRaw<std::uint16_t>(kRecord, kElement, 1), 4321);
        EXPECT_EQ(model::GetFileTypeCode(1), model::kFileKindProject);
        EXPECT_EQ(model::ChangeList0Empty(1), 0);  // read, not saved yet
      },
  });
  EXPECT_EQ(steps_run_, 3u);
}

TEST_F(TransferTest, AMissingOrPulledBoxGivesItsMessageAndLeavesTheFileAsItWas) {
  Run({[&] {
    ConnectBox();
    ASSERT_EQ(ilink::OpenParameterBox(0), 0);
    ASSERT_EQ(app::RunTransferDialog(app::kTransferWriteBox), app::kTransferSucceeded);
    ilink::CloseParameterBox();
    PutRaw<std::uint16_t>(kRecord, kElement, 999);
    model::ClearChangeList0(0);
    const auto before = SetImage(0);

    box_->SetPresent(false);
    app::MainOnCommand(Main(), 2007, nullptr, 0);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0], "No Quellox found at the choosen interface.\nIs the Quellox correct connected?");
    EXPECT_EQ(SetImage(0), before);

    dialogs_.clear();
    box_->SetPresent(true);
    box_->RemoveAfterBytes(600);
    app::MainOnCommand(Main(), 2007, nullptr, 0);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(SetImage(0), before);
  }});
}

// A box formatted for the old versions is written only when the user agrees to re-format it.
TEST_F(TransferTest, ABoxOfTheOldFormatIsReformattedOnlyOnYes) {
  Run({[&] {
    ConnectBox();
    box_->memory()[0] = 1;
    const std::vector<std::uint8_t> old(box_->memory().begin(), box_->memory().end());
    answers_ = {kNo};
    app::MainOnCommand(Main(), 2008, nullptr, 0);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(dialogs_[0].find("Should Quellox be re-formatted") != std::string::npos) << dialogs_[0];
    EXPECT_EQ(std::vector<std::uint8_t>(box_->memory().begin(), box_->memory().end()), old);

    dialogs_.clear();
    answers_ = {kYes};
    app::MainOnCommand(Main(), 2008, nullptr, 0);
    EXPECT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(box_->memory()[0], 2);
    EXPECT_EQ(box_->memory()[8], 0x55);
  }});
}

// Cancel once the box is being written is greyed and ignored: the box gets the whole set.
TEST_F(TransferTest, CancelDoesNotStopTheWritingOfTheBox) {
  Run({[&] {
    ConnectBox();
    PutRaw<std::uint16_t>(kRecord, kElement, 4321);
    bool greyed = false;
    bool posted = false;
    const std::vector<std::uint8_t> empty(box_->memory().begin(), box_->memory().end());
    // Once the first bytes have reached the box: Cancel, Escape and the window manager's close.
    ilink::SetDelayObserver([&](double) {
      if (posted || std::equal(empty.begin(), empty.end(), box_->memory().begin())) return;
      posted = true;
      HWND dialog = drv::FindDialog(app::kTransferTemplate);
      greyed = !IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
      PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
      PostMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    ASSERT_EQ(ilink::OpenParameterBox(0), 0);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferWriteBox), app::kTransferSucceeded);
    ilink::SetDelayObserver(nullptr);
    EXPECT_TRUE(posted);
    EXPECT_TRUE(greyed);
    EXPECT_TRUE(dialogs_.empty()) << LastMessage();
    EXPECT_TRUE(boxes_.empty());
    // What the box holds reads back whole.
    PutRaw<std::uint16_t>(kRecord, kElement, 1);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferReadBox), app::kTransferSucceeded);
    ilink::CloseParameterBox();
    EXPECT_EQ(GetRaw<std::uint16_t>(kRecord, kElement), 4321);
  }});
}

TEST_F(TransferTest, AFamilyTheBoxDoesNotServeIsNotWrittenAndReportsFailure) {
  Run({[&] {
    ConnectBox();
    PutRaw<std::uint8_t>(304, 0, 2);  // the project's target: family 2
    const auto memory = std::vector<std::uint8_t>(box_->memory().begin(), box_->memory().end());
    ASSERT_EQ(ilink::OpenParameterBox(0), 0);
    EXPECT_EQ(app::RunTransferDialog(app::kTransferWriteBox), app::kTransferFailed);
    ilink::CloseParameterBox();
    EXPECT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(box_->memory().begin(), box_->memory().end()), memory);
  }});
}

}  // namespace
}  // namespace shell_test
