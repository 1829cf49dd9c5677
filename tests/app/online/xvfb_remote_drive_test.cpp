// The real vqpt32 drives the real simulated inverter by remote control with real X input. Enabled, the drive's
// speed rises in the drive monitor; Stop and close stops it, asks to switch off the enable at the terminals
// (nothing is sent meanwhile) and switches the input back. Ended by SIGTERM while the drive runs, the program stops
// it before it ends. Killed while the drive runs, the program's telegrams stop and the drive trips with the
// communication fault and stops within its monitoring time, the remote control having kept it satisfied until then. Every window shown is counted; screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <signal.h>

#include "tests/app/xvfb_sim_fixture.h"

namespace {

using namespace xvfb_test;

constexpr int kMonitoringMs = 5000;  // the simulator's default
constexpr int kRemoteCycleMs = 3464;  // the remote control's cycle at the default polling interval
constexpr std::uint32_t kSpeedBar = 0xFF0000;  // the drive monitor's n-motor bar

class XvfbRemoteDriveTest : public VqptSimTest {
 protected:
  void SetUp() override {
    VqptSimTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    StartSimulator({});
  }
};

// The speed value of the simulator's state line, polled until `done` holds for it or `ms` pass.
bool WaitForSpeed(sim_process::InverterSim& sim, const std::function<bool(long)>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (done(sim.StateValue("speed"))) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  return false;
}

TEST_F(XvfbRemoteDriveTest, EnabledTheSpeedRisesInTheDriveMonitorAndStopAndCloseStopsTheDrive) {
  MappedWindows watched(server_.display());
  ASSERT_TRUE(watched.ok());
  Program program(kVqptBinary, server_.display(), com1_);
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  const Window remote = OpenRemoteControl();
  ASSERT_NE(remote, 0u) << sim_->Log();
  const std::size_t opened = watched.size();

  // The drive monitor beside it, from the main window's Remote menu; the speed bar stands at 0.
  const Window monitor = PickRemoteItem(main, "d", kDriveMonitorCaption);
  ASSERT_NE(monitor, 0u) << "no drive monitor";
  Pause(2500);  // its first polls
  const int standing = CountPixels(monitor, kSpeedBar);
  SavePng(monitor, "vqpt32_xvfb_remote_drive_monitor_standing.png");

  // Enabled with 1200 rpm: the drive follows its acceleration ramp (D00), and the bar grows with it.
  Activate(remote);
  ASSERT_TRUE(EnableByRemoteControl("1200")) << sim_->Log();
  ASSERT_TRUE(WaitForSpeed(*sim_, [](long speed) { return speed > 1000; }, 10000)) << sim_->Log();
  ASSERT_TRUE(WaitFor([&] { return CountPixels(monitor, kSpeedBar) > standing + 200; }, 8000))
      << standing << " " << CountPixels(monitor, kSpeedBar);
  const int rising = CountPixels(monitor, kSpeedBar);
  const long reference = sim_->StateValue("reference");
  ASSERT_GT(reference, 1000) << sim_->Log();
  ASSERT_TRUE(WaitForSpeed(*sim_, [&](long speed) { return speed >= reference; }, 15000)) << sim_->Log();
  ASSERT_TRUE(WaitFor([&] { return CountPixels(monitor, kSpeedBar) > rising + 200; }, 8000))
      << rising << " " << CountPixels(monitor, kSpeedBar);
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_remote_drive_running.png");
  ASSERT_EQ(sim_->Count(" enabled"), 1u) << sim_->Log();

  // Stop and close: the drive is disabled and stops; the input cannot go back while the enable is on at the
  // terminals (2.25). While the question waits, nothing enables the drive again.
  Activate(remote);
  X({"key", "alt+s"});
  ASSERT_TRUE(sim_->WaitForLine("disabled", 5000)) << sim_->Log();
  ASSERT_NE(WaitForWindow(kConflictCaption), 0u) << "no 2.25";
  ASSERT_TRUE(sim_->WaitForLine(" stopped", 15000)) << sim_->Log();
  Pause(2 * kRemoteCycleMs);
  EXPECT_EQ(sim_->Count(" enabled"), 1u) << "enabled again while the question waited\n" << sim_->Log();
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_remote_drive_try_again.png");
  ASSERT_TRUE(sim_->Command("hw-enable off"));
  ASSERT_TRUE(sim_->WaitForLine("hardware enable off", 3000));
  ASSERT_TRUE(Answer(kConflictCaption));  // Yes: try again
  ASSERT_TRUE(Answer(kInformationCaption));  // 7.15
  EXPECT_TRUE(sim_->WaitForLine("operation input 0", 5000)) << sim_->Log();
  EXPECT_TRUE(WaitForWindowGone(kRemoteCaption));
  EXPECT_TRUE(WaitForWindowGone(kDriveMonitorCaption)) << "the monitor closes with the remote control";
  Pause(500);
  EXPECT_EQ(watched.NamesAfter(opened),
            (std::vector<std::string>{kDriveMonitorCaption, kConflictCaption, kInformationCaption}));
  EXPECT_EQ(sim_->StateValue("state"), 2) << sim_->Log();
  EXPECT_EQ(sim_->StateValue("speed"), 0);
  EXPECT_EQ(sim_->Count("tripped"), 0u) << sim_->Log();

  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

// SIGTERM while the drive runs: the program sends the stop of Stop and close (control word 0) before it ends by the
// signal, showing nothing on the way; the drive is disabled at once and runs down. The operation input stays serial:
// the drive refuses the switch back while the enable is on at its terminals, so its telegram monitoring later trips
// it, as it would on a real drive.
TEST_F(XvfbRemoteDriveTest, SigtermWhileTheDriveRunsStopsItBeforeTheEnd) {
  MappedWindows watched(server_.display());
  ASSERT_TRUE(watched.ok());
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_NE(WaitForMainWindow(program), 0u);
  const Window remote = OpenRemoteControl();
  ASSERT_NE(remote, 0u) << sim_->Log();
  ASSERT_TRUE(EnableByRemoteControl("400")) << sim_->Log();
  ASSERT_EQ(sim_->Count("disabled"), 0u) << sim_->Log();
  SavePng(remote, "vqpt32_xvfb_remote_control_enabled.png");
  const std::size_t before = watched.size();
  ASSERT_TRUE(program.Signal(SIGTERM));
  const auto signalled = std::chrono::steady_clock::now();
  ASSERT_TRUE(sim_->WaitForLine("disabled", 3000)) << sim_->Log();
  const auto stopped = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - signalled);
  EXPECT_LE(stopped.count(), 1500) << "the stop is bounded to about a second";
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(128 + SIGTERM));
  EXPECT_TRUE(watched.NamesAfter(before).empty()) << "a window showed on the way out";
  EXPECT_TRUE(sim_->WaitForLine(" stopped", 10000)) << sim_->Log();
  EXPECT_EQ(sim_->Count("tripped"), 0u) << "stopped by the program, not by the monitoring\n" << sim_->Log();
  EXPECT_EQ(sim_->StateValue("state"), 2) << sim_->Log();
}

TEST_F(XvfbRemoteDriveTest, KilledWhileTheDriveRunsTheDriveTripsAndStopsWithinTheMonitoringTime) {
  Program program(kVqptBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  ASSERT_NE(WaitForWindow(kFreshTitle), 0u);
  Pause(300);
  ASSERT_NE(OpenRemoteControl(), 0u) << sim_->Log();
  ASSERT_TRUE(EnableByRemoteControl("400")) << sim_->Log();
  // Two cycles of the remote control (3464 ms at the default polling interval) keep the drive running.
  Pause(2 * 3464 + 500);
  ASSERT_EQ(sim_->Count("tripped"), 0u) << sim_->Log();
  ASSERT_TRUE(program.Signal(SIGKILL));
  const auto killed = std::chrono::steady_clock::now();
  EXPECT_TRUE(program.WaitExit(5000).has_value());
  ASSERT_TRUE(sim_->WaitForLine("tripped code 52", kMonitoringMs + 2000)) << sim_->Log();
  const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - killed);
  EXPECT_LE(after.count(), kMonitoringMs + 1000);
  EXPECT_TRUE(sim_->WaitForLine(" stopped", 3000)) << sim_->Log();
  EXPECT_EQ(sim_->StateValue("state"), 6);
}

}  // namespace
