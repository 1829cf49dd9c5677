#include "platform/sys/clock.h"

#include <gtest/gtest.h>

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
