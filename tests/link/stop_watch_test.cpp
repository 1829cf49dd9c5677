#include "link/stop_watch.h"

#include <gtest/gtest.h>

#include "platform/sys/clock.h"

namespace {

class StopWatchTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::sys::UseVirtualClock(1000); }
  void TearDown() override {
    ilink::SetDelayPump(nullptr);
    platform::sys::SetPerformanceCounterAvailable(true);
    platform::sys::UseRealClock();
  }
};

TEST_F(StopWatchTest, ElapsedIsMinusOneAfterStartAndMillisecondsAfterwards) {
  ilink::StopWatchInit();
  EXPECT_EQ(ilink::StopWatchElapsedMs(), 0.0);
  ilink::StopWatchStart();
  EXPECT_EQ(ilink::StopWatchElapsedMs(), -1.0);
  platform::sys::AdvanceVirtualClock(12'000'000);
  ilink::StopWatchElapsed();
  EXPECT_NEAR(ilink::StopWatchElapsedMs(), 12.0, 0.01);
}

TEST_F(StopWatchTest, WithoutCounterTheWatchCountsWholeSeconds) {
  platform::sys::SetPerformanceCounterAvailable(false);
  ilink::StopWatchInit();
  ilink::StopWatchStart();
  platform::sys::AdvanceVirtualClock(2'500'000'000);
  ilink::StopWatchElapsed();
  const double ms = ilink::StopWatchElapsedMs();
  EXPECT_TRUE(ms == 2000.0 || ms == 3000.0) << ms;
}

TEST_F(StopWatchTest, DelayOfZeroMakesOneRoundAndLongerDelaysPumpUntilDue) {
  int rounds = 0;
  ilink::SetDelayPump([&] { ++rounds; });
  ilink::DelayMs(0, true);
  EXPECT_EQ(rounds, 1);
  rounds = 0;
  ilink::DelayMs(0, false);
  EXPECT_EQ(rounds, 0);
  const std::int64_t t0 = platform::sys::MonotonicNanos();
  ilink::DelayMs(3, true);
  EXPECT_GE(platform::sys::MonotonicNanos() - t0, 3'000'000);
  EXPECT_GT(rounds, 1);
  const std::int64_t t1 = platform::sys::MonotonicNanos();
  ilink::DelayMs(40, false);
  const std::int64_t waited = platform::sys::MonotonicNanos() - t1;
  EXPECT_GE(waited, 40'000'000);
  EXPECT_LT(waited, 41'000'000);
}

// The accounting sums what the waits asked for and what they took; it starts afresh when switched on and counts
// nothing while off.
TEST_F(StopWatchTest, AccountingSumsAskedAndSpentTime) {
  ilink::DelayMs(5, false);
  ilink::SetDelayAccounting(true);
  for (const double ms : {0.0, 0.2, 2.0, 5.0, 12.5}) ilink::DelayMs(ms, false);
  const ilink::DelayAccount a = ilink::DelayAccounting();
  ilink::SetDelayAccounting(false);
  ilink::DelayMs(5, false);
  EXPECT_EQ(a.waits, 5);
  EXPECT_DOUBLE_EQ(a.asked_ms, 19.7);
  EXPECT_GE(a.spent_ms, a.asked_ms);
  EXPECT_LT(a.spent_ms, a.asked_ms + 0.1) << "each wait ends at its deadline, a few counter steps late at most";
  EXPECT_EQ(ilink::DelayAccounting().waits, 5) << "nothing counted while off";
}

TEST_F(StopWatchTest, DelayFallsBackToTheTickCount) {
  platform::sys::SetPerformanceCounterAvailable(false);
  const DWORD t0 = GetTickCount();
  ilink::DelayMs(2, false);
  EXPECT_GE(GetTickCount() - t0, 2u);
}

}  // namespace
