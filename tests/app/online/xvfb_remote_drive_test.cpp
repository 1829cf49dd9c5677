// The real vqpt32 drives the real simulated inverter by remote control with real X input; killed while the drive
// runs, the program's telegrams stop and the drive trips with the communication fault and stops within its
// monitoring time, the remote control having kept it satisfied until then.
#include <gtest/gtest.h>

#include <signal.h>

#include "tests/app/xvfb_sim_fixture.h"

namespace {

using namespace xvfb_test;

constexpr int kMonitoringMs = 5000;  // the simulator's default

class XvfbRemoteDriveTest : public VqptSimTest {
 protected:
  void SetUp() override {
    VqptSimTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    StartSimulator({});
  }
};

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
