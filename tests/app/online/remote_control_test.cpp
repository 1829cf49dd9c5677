// The remote-control window against the simulated inverter in virtual time: the opening with its operation-input
// questions, enable and reference sent by the control word (at once and on timer 1003), the positioning commands
// with their outcome and refusal, Stop and close with the input switched back, and the stop on every way the
// window goes (its button, the program's end, a link fault of the cyclic send).
#include <gtest/gtest.h>
#include <signal.h>

#include "app/binding/dialog_binding.h"
#include "app/common/shell_state.h"
#include "app/online/remote_control.h"
#include "app/templates/remote_templates.h"
#include "model/input_check.h"
#include "platform/sys/clock.h"
#include "platform/win/termination.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

constexpr int kStopAndClose = IDCANCEL;
constexpr std::uint8_t kEnableFlag = 0x10;  // the enable byte's bit of the control flags

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& text : texts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

class RemoteControlTest : public TransferTest {
 protected:
  // The inverter with the operation input on the terminals (0) and the first remote-control form.
  void Prepare(std::uint16_t interval = 1000) {
    ConnectInverter();
    PutRaw<std::uint16_t>(305, 160, interval);
    PutRaw<std::uint8_t>(305, 157, 0);
    device().WriteNumber(55, 6, 0);
    device().set_enable(false);
  }
  // No test of this window expects a message box (the catalogue's internal errors come as boxes).
  void TearDown() override {
    EXPECT_TRUE(boxes_.empty()) << boxes_.size() << " message boxes, the first: " << (boxes_.empty() ? "" : boxes_[0]);
    TransferTest::TearDown();
  }
  HWND Window() { return app::ModelessWindow(app::Modeless::kRemoteControl); }
  void Open() { PostMessage(Main(), WM_COMMAND, 2095, 0); }
};

constexpr const char* kInputRestoredText = "The drive at the ZPR is stopped and the parameter\noperation input (A30) is being modified,\nlike before the remote controlling.";

TEST_F(RemoteControlTest, EnableAndReferenceAreSentAndStopAndCloseStopsTheDriveAndSwitchesTheInputBack) {
  std::size_t telegrams = 0;
  Run({
      [&] { Prepare(); Open(); },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        // Not serial: 2.5 and 2.19 asked (yes), the input switched to serial.
        EXPECT_TRUE(Contains(dialogs_, "is not set to 'serial X3'"));
        EXPECT_TRUE(Contains(dialogs_, "can stop the running process"));
        EXPECT_EQ(device().operation_input(), 1);
        EXPECT_EQ(app::RemoteControlState().cycle_ms, 1732);
        EXPECT_TRUE(drv::MenuState(Main(), 2007).grayed);
        EXPECT_EQ(drv::ItemText(Window(), app::kRemoteReferenceLabel), "n-ref");
        EXPECT_FALSE(drv::Enabled(Window(), app::kRemoteProcessBlock));
        drv::Click(GetDlgItem(Window(), app::kRemoteReference));
        SetDlgItemText(Window(), app::kRemoteReference, "1500");
      },
      [&] { drv::Click(GetDlgItem(Window(), app::kRemoteEnable)); },
      [&] {
        EXPECT_EQ(device().control_word(), 4096);  // 1500 rpm at the 2 pole pairs the inverter reports
        EXPECT_EQ(device().control_flags() & kEnableFlag, kEnableFlag);
        EXPECT_FALSE(drv::Enabled(Window(), app::kRemoteProcessBlock));  // still greyed after the refill
        telegrams = bus_->telegrams();
        drv::Advance(1732);
        EXPECT_GT(bus_->telegrams(), telegrams);  // sent again on the timer
        EXPECT_TRUE(app::RemoteControlState().timer_on);
        dialogs_.clear();
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] {
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(device().control_word(), 0);
        EXPECT_EQ(device().device_state(), 2);
        EXPECT_EQ(device().operation_input(), 0);
        EXPECT_EQ(dialogs_, std::vector<std::string>{kInputRestoredText});  // 7.15 and nothing else
        EXPECT_EQ(ilink::InverterConnected(), 0);
        EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
        telegrams = bus_->telegrams();
        drv::Advance(5000);
        EXPECT_EQ(bus_->telegrams(), telegrams);  // nothing is sent any more
      },
  });
  EXPECT_EQ(steps_run_, 5u);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

// F1 held at a tick of the cycle: the help's box comes after the tick, and the cycle goes on sending while it is
// open (a box inside the tick, before its timer was armed again, held the telegrams back until the drive's telegram
// monitoring tripped it). One box, however many ticks see F1 held.
TEST_F(RemoteControlTest, TheHelpBoxOfAHeldF1KeepsTheCycleSending) {
  constexpr char kNoHelp[] = "Help-system can not be initialized.";
  std::size_t sent_under_box = 0;
  drv::OnDialogIdle(2, [&](HWND d) {
    dialogs_.push_back(drv::ItemText(d, 100));
    if (dialogs_.back() == kNoHelp) {
      const std::size_t before = bus_->telegrams();
      drv::Advance(2 * 1732);
      sent_under_box = bus_->telegrams() - before;
    }
    EndDialog(d, 1);
  });
  Run({
      [&] { Prepare(); Open(); },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        dialogs_.clear();
        drv::HoldKey(VK_F1);
        drv::Advance(2 * 1732);
        drv::ReleaseKey(VK_F1);
      },
      [&] {
        EXPECT_EQ(dialogs_, std::vector<std::string>{kNoHelp});
        EXPECT_GT(sent_under_box, 0u) << "the cycle stood still under the help's box";
        dialogs_.clear();
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] { EXPECT_EQ(dialogs_, std::vector<std::string>{kInputRestoredText}); },
  });
  EXPECT_EQ(steps_run_, 4u);
}

// Closed with a user list open (a window that keeps binding buffers of its own): the close shows 7.15 alone and
// leaves the list's buffers alone.
TEST_F(RemoteControlTest, StopAndCloseWithAUserListOpenShowsOnlyTheInputMessage) {
  std::size_t buffers = 0;
  Run({
      [&] { Prepare(); PostMessage(Main(), WM_COMMAND, 2099, 0); },
      [&] {
        buffers = app::CountUsedBackupSlots();
        Open();
      },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        dialogs_.clear();
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] {
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(dialogs_, std::vector<std::string>{kInputRestoredText});
        EXPECT_EQ(app::CountUsedBackupSlots(), buffers);
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

// The identity the opening reads goes into the project's target: the project still passes its own input check
// (what Exit > Yes runs before saving), the software version kept within its device type's range.
TEST_F(RemoteControlTest, TheProjectPassesItsInputCheckAfterTheRemoteControl) {
  auto findings = [] {
    std::uint16_t count = 0;
    std::vector<char> report(model::kInputCheckReportSize);
    EXPECT_EQ(model::CheckParameterSet(0, &count, report.data(), static_cast<std::uint16_t>(report.size())), 0);
    return count == 0 ? std::string() : std::string(report.data());
  };
  Run({
      [&] {
        Prepare();
        EXPECT_EQ(findings(), "");
        Open();
      },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        EXPECT_EQ(GetRaw(304, 1), device().identity().device_type);  // the target is the inverter now
        EXPECT_EQ(findings(), "");
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] { EXPECT_EQ(findings(), ""); },
  });
  EXPECT_EQ(steps_run_, 3u);
}

TEST_F(RemoteControlTest, OpeningAgainRaisesTheOpenWindowAndANoToTheInputQuestionOpensNothing) {
  Run({
      [&] { Prepare(); Open(); },
      [&] {
        const HWND first = Window();
        ASSERT_TRUE(IsWindow(first));
        const std::size_t asked = dialogs_.size();
        Open();
        PostMessage(Main(), WM_NULL, 0, 0);
        EXPECT_EQ(Window(), first);
        EXPECT_EQ(dialogs_.size(), asked);
        drv::ClickItem(first, kStopAndClose);
      },
      [&] {
        ASSERT_EQ(Window(), nullptr);
        device().WriteNumber(55, 6, 0);
        answers_ = {kNo};  // 2.5: the input stays as it is
        Open();
      },
      [&] {
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(device().operation_input(), 0);
        EXPECT_EQ(ilink::InverterConnected(), 0);  // the refusal gives the link back
        EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

TEST_F(RemoteControlTest, EnableStillOnAtTheInverterAsksTryAgainAndNoClosesWith226) {
  Run({
      [&] { Prepare(); Open(); },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        device().set_enable(true);
        dialogs_.clear();
        answers_ = {kYes, kNo};  // 2.25 twice
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] {
        EXPECT_EQ(Window(), nullptr);
        ASSERT_EQ(dialogs_.size(), 3u);
        EXPECT_NE(dialogs_[0].find("Try again?"), std::string::npos);
        EXPECT_NE(dialogs_[1].find("Try again?"), std::string::npos);
        EXPECT_NE(dialogs_[2].find("still not reset"), std::string::npos);
        EXPECT_EQ(device().operation_input(), 1);  // left serial: the user was told to reset it
        EXPECT_EQ(device().control_word(), 0);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 3u);
}

// Stop and close with the enable still on at the terminals: while 2.25 waits for the user, nothing is sent (no
// cyclic telegram enables again the drive the user asked to stop, however long the question stays open), and once
// it is answered the window is gone and nothing is sent any more. `press` is how Stop and close comes.
class RemoteControlStopTest : public RemoteControlTest {
 protected:
  void StopWhileEnableStaysOn(const std::function<void()>& press) {
    std::size_t at_question = 0, at_answer = 0, after = 0;
    bool asked = false;
    Run({
        [&] { Prepare(); Open(); },
        [&] {
          ASSERT_TRUE(IsWindow(Window()));
          drv::Click(GetDlgItem(Window(), app::kRemoteReference));
          SetDlgItemText(Window(), app::kRemoteReference, "1500");
        },
        [&] { drv::Click(GetDlgItem(Window(), app::kRemoteEnable)); },
        [&] {
          ASSERT_EQ(device().control_flags() & kEnableFlag, kEnableFlag);
          device().set_enable(true);
          for (int id : {2, 3, 4}) {
            drv::OnDialogIdle(id, [&](HWND d) {
              dialogs_.push_back(drv::ItemText(d, 100));
              if (!asked) {
                // The user reads the question for four cycles of the window's timer.
                asked = true;
                at_question = bus_->telegrams();
                drv::Advance(4 * 1732);
                at_answer = bus_->telegrams();
              }
              EndDialog(d, kNo);
            });
          }
          dialogs_.clear();
          press();
        },
        [&] {
          ASSERT_FALSE(dialogs_.empty());
          EXPECT_NE(dialogs_[0].find("Try again?"), std::string::npos);
          EXPECT_EQ(at_answer, at_question) << "telegrams sent while the question waited";
          EXPECT_EQ(Window(), nullptr);
          EXPECT_EQ(device().control_word(), 0);
          EXPECT_EQ(device().control_flags(), 0x3F) << "the last telegram is the stop";
          EXPECT_EQ(device().device_state(), 2);
          after = bus_->telegrams();
          drv::Advance(3 * 1732);
          EXPECT_EQ(bus_->telegrams(), after) << "sent after the window went";
        },
    });
    EXPECT_EQ(steps_run_, 5u);
  }
};

TEST_F(RemoteControlStopTest, BetweenTwoCyclesNothingIsSentWhileTryAgainWaits) {
  StopWhileEnableStaysOn([&] { drv::ClickItem(Window(), kStopAndClose); });
}

TEST_F(RemoteControlTest, ALinkFaultStopsTheCyclicSendAndTheWindowSaysTheStopWasNotSent) {
  Run({
      [&] { Prepare(); Open(); },
      [&] { drv::Click(GetDlgItem(Window(), app::kRemoteEnable)); },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        bus_->SetPersistentFault({sim::FaultKind::kDrop, 0});
        drv::Advance(1732);
      },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        EXPECT_FALSE(app::RemoteControlState().timer_on);
        EXPECT_TRUE(app::RemoteControlState().stop_failed);
        EXPECT_NE(drv::ItemText(Window(), app::kRemoteStatus).find("may still be enabled"), std::string::npos);
        // What the drive was last sent (enable), not what the unsent stop would have made of it.
        EXPECT_TRUE(drv::Checked(Window(), app::kRemoteEnable));
        EXPECT_NE(drv::ItemText(Window(), app::kRemoteStatus).find("not confirmed"), std::string::npos);
        EXPECT_TRUE(Contains(dialogs_, "Inverter does not answer!"));
        // The link comes back: Stop and close sends the stop.
        bus_->SetPersistentFault({});
        drv::ClickItem(Window(), kStopAndClose);
      },
      [&] {
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(device().control_word(), 0);
        EXPECT_EQ(device().device_state(), 2);
        EXPECT_EQ(device().operation_input(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 5u);
}

TEST_F(RemoteControlTest, AStopThatCannotBeSentKeepsTheWindowOpenUntilStopAndCloseIsPressedAgain) {
  Run({
      [&] { Prepare(); Open(); },
      [&] {
        ASSERT_TRUE(IsWindow(Window()));
        bus_->SetPersistentFault({sim::FaultKind::kDrop, 0});
        SendMessage(Window(), WM_COMMAND, kStopAndClose, 0);
        ASSERT_TRUE(IsWindow(Window()));
        EXPECT_TRUE(app::RemoteControlState().stop_failed);
        EXPECT_NE(drv::ItemText(Window(), app::kRemoteStatus).find("could not be sent"), std::string::npos);
        EXPECT_NE(drv::ItemText(Window(), app::kRemoteStatus).find("not confirmed"), std::string::npos);
        SendMessage(Window(), WM_COMMAND, kStopAndClose, 0);
        EXPECT_EQ(Window(), nullptr);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
}

TEST_F(RemoteControlTest, TheProgramsEndStopsTheDriveFirst) {
  Run({
      [&] { Prepare(); Open(); },
      [&] { drv::Click(GetDlgItem(Window(), app::kRemoteEnable)); },
      [&] {
        ASSERT_EQ(device().control_flags() & kEnableFlag, kEnableFlag);
        PostMessage(Main(), WM_CLOSE, 0, 0);
      },
  });
  EXPECT_EQ(device().control_word(), 0);
  EXPECT_EQ(device().device_state(), 2);
  EXPECT_EQ(device().operation_input(), 0);
}

// Ended from outside (SIGTERM, SIGINT, SIGHUP) with the drive enabled: the stop of Stop and close goes out in the
// program's normal flow before the end, with no question or message; without a remote control nothing is sent.
TEST_F(RemoteControlTest, ASignalStopsTheDriveAndSwitchesTheInputBackBeforeTheEnd) {
  std::vector<int> ended;
  platform::win::SetTerminationEnder([&](int cause) { ended.push_back(cause); });
  std::vector<std::function<void()>> steps = {[&] { Prepare(); }};
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    steps.push_back([&] { Open(); });
    steps.push_back([&] { drv::Click(GetDlgItem(Window(), app::kRemoteEnable)); });
    steps.push_back([&, signal] {
      ASSERT_EQ(device().control_flags() & kEnableFlag, kEnableFlag) << signal;
      ASSERT_EQ(device().operation_input(), 1) << signal;
      dialogs_.clear();
      ended.clear();
      raise(signal);
    });
    steps.push_back([&, signal] {
      EXPECT_EQ(ended, std::vector<int>{signal});
      EXPECT_EQ(device().control_word(), 0) << signal;
      EXPECT_EQ(device().device_state(), 2) << signal;
      EXPECT_EQ(device().operation_input(), 0) << signal;
      EXPECT_TRUE(dialogs_.empty()) << signal << ": " << LastMessage();
      // The test goes on where the program would have ended: the window closed as usual.
      drv::ClickItem(Window(), kStopAndClose);
    });
  }
  std::size_t telegrams = 0;
  steps.push_back([&] {
    ASSERT_EQ(Window(), nullptr);
    ended.clear();
    telegrams = bus_->telegrams();
    raise(SIGTERM);
  });
  steps.push_back([&] {
    // No remote control: the end sends nothing.
    EXPECT_EQ(ended, std::vector<int>{SIGTERM});
    EXPECT_EQ(bus_->telegrams(), telegrams);
  });
  Run(steps);
  EXPECT_EQ(steps_run_, steps.size());
  platform::win::SetTerminationEnder(nullptr);
}

// The positioning commands with positioning mode 2: each outcome and a refusal by the inverter.
TEST_F(RemoteControlTest, PositioningCommandsShowTheirOutcomeAndTheirRefusal) {
  struct Case {
    int button;
    std::uint16_t action;
    const char* done;
  };
  const Case cases[] = {
      {app::kRemotePosiStart, 21, "Posi.start action errorfree executed."},
      {app::kRemotePosiStep, 22, "Posi.step action errorfree executed."},
      {app::kRemoteTeachIn, 23, "Teach-in action errorfree executed"},
      {app::kRemoteReferencing, 24, "Reference has been started."},
  };
  std::vector<std::function<void()>> steps = {[&] {
    Prepare();
    device().WriteNumber(38, 56, 2);
    PutRaw<std::uint8_t>(38, 56, 2);
    Open();
  }};
  for (const Case& c : cases) {
    steps.push_back([&, c] {
      ASSERT_TRUE(IsWindow(Window()));
      EXPECT_TRUE(drv::Enabled(Window(), c.button));
      EXPECT_FALSE(drv::Enabled(Window(), app::kRemoteReference));
      dialogs_.clear();
      device().RefuseAction(c.action, false);
      drv::ClickItem(Window(), c.button);
    });
    steps.push_back([&, c] {
      EXPECT_TRUE(Contains(dialogs_, c.done)) << c.button << ": " << LastMessage();
      dialogs_.clear();
      device().RefuseAction(c.action, true);
      drv::ClickItem(Window(), c.button);
    });
    steps.push_back([&, c] { EXPECT_TRUE(Contains(dialogs_, "could not be started")) << c.button << ": " << LastMessage(); });
  }
  steps.push_back([&] { drv::ClickItem(Window(), kStopAndClose); });
  Run(steps);
  EXPECT_EQ(steps_run_, steps.size());
  EXPECT_EQ(device().control_word(), 0);
}

TEST_F(RemoteControlTest, CycleTimesFollowTheWaitingTimeAndStayWithin16Bits) {
  struct Case {
    std::uint16_t waiting;
    double factor;
    std::uint16_t cycle;
  };
  const Case cases[] = {{2000, 1.73205, 3464}, {1000, 1.123, 1123}, {1000, 1.414, 1414}, {60000, 1.73205, 65535},
                        {50000, 1.414, 65535}, {0, 1.73205, 3464}};
  Run({[&] {
    for (const Case& c : cases) {
      PutRaw<std::uint16_t>(305, 160, c.waiting);
      EXPECT_EQ(app::CycleTime(c.factor), c.cycle) << c.waiting << " x " << c.factor;
    }
  }});
}

}  // namespace
}  // namespace shell_test

namespace shell_test {
namespace {

// The second form (firmware 'Q' with element 157 set): record 306 exchanged on the timer, OK sends the typed values,
// Stop and close sends the block cleared, destroys the window and clears its handle.
TEST_F(RemoteControlTest, TheSecondFormExchangesRecord306AndItsCloseSendsTheClearedBlock) {
  auto reply_bytes = [] {
    std::vector<int> bytes;
    for (std::uint16_t offset = 23; offset < 32; ++offset) bytes.push_back(GetRaw(306, offset));
    return bytes;
  };
  HWND window = nullptr;
  Run({
      [&] {
        Prepare();
        PutRaw<std::uint8_t>(305, 157, 1);
        Open();
      },
      [&] {
        window = app::ModelessWindow(app::Modeless::kRemoteControl2);
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(drv::ItemText(window, app::kRemote2First), "E45 control word");
        // Reference value -2 and position 0x01020304: the simulator echoes bytes 11..19 in the reply's 23..31.
        SetDlgItemText(window, app::kRemote2First + 3, "-2");
        SetDlgItemText(window, app::kRemote2First + 5, "16909060");
        SendMessage(window, WM_COMMAND, IDOK, 0);
        const std::vector<int> echoed = {0xFF, 4, 3, 2, 1, 0, 0, 0, 0};
        EXPECT_EQ(reply_bytes(), echoed);
        // Hexadecimal display of the same values.
        CheckDlgButton(window, app::kRemote2HexFlag, BST_CHECKED);
        SendMessage(window, WM_COMMAND, MAKEWPARAM(app::kRemote2HexFlag, BN_CLICKED), 0);
        EXPECT_EQ(drv::ItemText(window, app::kRemote2First + 5), "1020304");
        const std::size_t telegrams = bus_->telegrams();
        drv::Advance(1000);
        EXPECT_GT(bus_->telegrams(), telegrams);  // exchanged on the timer at the unscaled cycle
        // A wrong number is refused and nothing is sent.
        SetDlgItemText(window, app::kRemote2First + 1, "xyz");
        dialogs_.clear();
        SendMessage(window, WM_COMMAND, IDOK, 0);
        EXPECT_FALSE(dialogs_.empty());
        SetDlgItemText(window, app::kRemote2First + 1, "0");
        SendMessage(window, WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(app::ModelessWindow(app::Modeless::kRemoteControl2), nullptr);
        EXPECT_EQ(reply_bytes(), std::vector<int>(9, 0));
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
}

}  // namespace
}  // namespace shell_test
