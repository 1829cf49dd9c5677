// The guided phase test of the real vqpt32 against the real simulated inverter, by real X input: Remote > Start
// action > B40 phase test; Next after the warning; the program switches the operation input to serial and asks
// for the enable at the inverter, which the simulator's hardware enable input gives; the action runs in the drive
// to its end; the program asks for the enable off again, gives the operation input back and reports the end.
// A screenshot of the last step is left in the test folder.
#include <gtest/gtest.h>

#include "tests/app/xvfb_sim_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kStartAction = "Start action in ZPR";
const std::string kPhaseTest = "Action: B40 phase test";

class XvfbPhaseTest : public VqptSimTest {
 protected:
  void SetUp() override {
    VqptSimTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    StartSimulator({"--type", "43"});
  }
};

TEST_F(XvfbPhaseTest, RunsToItsEndWithTheEnableGivenAndTakenAtTheSimulator) {
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  Pause(300);
  const Window start = PickUntilShown(
      [&] {
        X({"key", "alt+r"});
        Pause(400);
        X({"key", "s"});
      },
      kStartAction, 2);
  ASSERT_NE(start, 0u);
  Pause(300);
  X({"key", "alt+p"});  // "B40 &phase test"
  const Window progress = WaitForWindow(kPhaseTest);
  ASSERT_NE(progress, 0u);
  Pause(500);
  X({"key", "alt+n"});  // Next after the warning
  // The program switches the input to serial and waits for the enable at the inverter.
  ASSERT_TRUE(sim_->WaitForLine("operation input 1", 10000)) << sim_->Log();
  Pause(2500);
  SavePng(progress, "vqpt32_xvfb_phase_test_enable.png");
  ASSERT_TRUE(sim_->Command("hw-enable on"));
  ASSERT_TRUE(sim_->WaitForLine("action 17 requested", 15000)) << sim_->Log();
  ASSERT_TRUE(sim_->WaitForLine("action 17 running", 15000)) << sim_->Log();
  ASSERT_TRUE(sim_->WaitForLine("action 17 done", 10000)) << sim_->Log();
  ASSERT_TRUE(sim_->WaitForLine("action 17 ended", 10000)) << sim_->Log();
  // Now it asks for the enable off; then it gives the input back.
  Pause(2500);
  ASSERT_TRUE(sim_->Command("hw-enable off"));
  ASSERT_TRUE(sim_->WaitForLine("operation input 0", 15000)) << sim_->Log();
  Pause(2500);
  SavePng(progress, "vqpt32_xvfb_phase_test_end.png");
  EXPECT_EQ(sim_->Count("interrupted"), 0u) << sim_->Log();
  EXPECT_EQ(sim_->Count("tripped"), 0u) << sim_->Log();
  X({"key", "alt+n"});  // Next closes the ended action
  EXPECT_TRUE(WaitForWindowGone(kPhaseTest));
  EXPECT_EQ(FindWindowNamed(user_, kConflictCaption), 0u);

  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

}  // namespace
