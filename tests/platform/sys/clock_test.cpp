#include "platform/sys/clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class VirtualClock : public ::testing::Test {
 protected:
  void SetUp() override { platform::sys::UseVirtualClock(1000); }
  void TearDown() override {
    platform::sys::SetPerformanceCounterAvailable(true);
    platform::sys::UseRealClock();
  }
};

TEST_F(VirtualClock, EveryReadMovesForwardSoBusyWaitsEnd) {
  LARGE_INTEGER a{}, b{};
  ASSERT_TRUE(QueryPerformanceCounter(&a));
  ASSERT_TRUE(QueryPerformanceCounter(&b));
  EXPECT_EQ(b.QuadPart - a.QuadPart, 1000);
  LARGE_INTEGER f{};
  ASSERT_TRUE(QueryPerformanceFrequency(&f));
  EXPECT_EQ(f.QuadPart, platform::sys::kCounterFrequency);
}

TEST_F(VirtualClock, SleepAndAdvanceMoveTheTickCount) {
  const DWORD t0 = GetTickCount();
  Sleep(250);
  platform::sys::AdvanceVirtualClock(750'000'000);
  EXPECT_GE(GetTickCount() - t0, 1000u);
  EXPECT_LE(GetTickCount() - t0, 1001u);
}

TEST_F(VirtualClock, MissingCounterFailsBothQueries) {
  platform::sys::SetPerformanceCounterAvailable(false);
  LARGE_INTEGER v{7};
  EXPECT_FALSE(QueryPerformanceCounter(&v));
  EXPECT_FALSE(QueryPerformanceFrequency(&v));
  EXPECT_EQ(v.QuadPart, 0);
}

}  // namespace

namespace {

// A worker's reads and sleeps move only its own time; AdvanceVirtualClock moves every thread's.
TEST_F(VirtualClock, AWorkerNeverMovesTheCallingThreadsTime) {
  LARGE_INTEGER before{}, after{};
  QueryPerformanceCounter(&before);
  std::int64_t worker_first = 0, worker_after_sleep = 0, worker_after_advance = 0;
  std::thread worker([&] {
    worker_first = platform::sys::MonotonicNanos();
    for (int i = 0; i < 1000; ++i) platform::sys::MonotonicNanos();
    Sleep(5000);
    worker_after_sleep = platform::sys::MonotonicNanos();
    platform::sys::AdvanceVirtualClock(1'000'000);
    worker_after_advance = platform::sys::MonotonicNanos();
  });
  worker.join();
  QueryPerformanceCounter(&after);
  EXPECT_EQ(after.QuadPart - before.QuadPart, 1000 + 1'000'000) << "one step of its own, plus the shared advance";
  EXPECT_EQ(worker_first, 1000) << "a new thread starts at the shared base";
  EXPECT_EQ(worker_after_sleep - worker_first, 1001 * 1000 + 5'000'000'000);
  EXPECT_EQ(worker_after_advance - worker_after_sleep, 1000 + 1'000'000);
}

}  // namespace

namespace {

// The absolute-deadline sleep ends at its deadline, not a whole sleep after the call: time spent before the call
// does not lengthen it, and a deadline already passed returns at once.
TEST_F(VirtualClock, SleepUntilMovesTheThreadToTheDeadline) {
  const std::int64_t start = platform::sys::MonotonicNanos();
  platform::sys::SleepUntilNanos(start + 5'000'000);
  const std::int64_t after = platform::sys::MonotonicNanos();
  EXPECT_GE(after, start + 5'000'000);
  EXPECT_LE(after, start + 5'000'000 + 1000);  // the one step of this read
  platform::sys::SleepUntilNanos(start);
  EXPECT_LE(platform::sys::MonotonicNanos() - after, 1000);
}

TEST(RealClock, SleepUntilEndsAtTheDeadline) {
  platform::sys::UseRealClock();
  for (const std::int64_t wait_ns : {200'000, 2'000'000}) {
    const std::int64_t start = platform::sys::MonotonicNanos();
    platform::sys::SleepUntilNanos(start + wait_ns);
    EXPECT_GE(platform::sys::MonotonicNanos() - start, wait_ns);
  }
  const std::int64_t now = platform::sys::MonotonicNanos();
  platform::sys::SleepUntilNanos(now - 1'000'000);  // passed: no sleep (a second would fail the ctest time-out)
  EXPECT_LT(platform::sys::MonotonicNanos() - now, 1'000'000'000);
}

}  // namespace
