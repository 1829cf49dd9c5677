// The stopwatch and the lamp components.
#include <gtest/gtest.h>

#include "handheld/common/led_label.h"
#include "handheld/common/qstop.h"
#include "handheld/common/simple_led.h"
#include "handheld/common/stop_watch.h"
#include "platform/sys/clock.h"
#include "platform/testing/driver.h"
#include "platform/vcl/application.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

class ComponentsTest : public ::testing::Test {
 protected:
  ComponentsTest() { Application->Reset(); }
  ~ComponentsTest() override {
    platform::sys::SetPerformanceCounterAvailable(true);
    Application->Reset();
  }
  platform::testing::Session session;  // virtual clock
};

TEST_F(ComponentsTest, StopWatchMeasuresAndPausesOnTheCounterOrTheTick) {
  for (const bool counter : {true, false}) {
    platform::sys::SetPerformanceCounterAvailable(counter);
    handheld::StopWatch w;
    EXPECT_EQ(w.HasCounter(), counter);
    if (!counter) {
      EXPECT_EQ(w.Frequency(), handheld::StopWatch::kFallbackFrequency);
    }
    w.Start();
    EXPECT_EQ(w.Elapsed(), -1.0);
    w.Pause(true, 50);
    const double ms = w.Stop();
    EXPECT_GE(ms, 50.0) << counter;
    EXPECT_LT(ms, 60.0) << counter;
    EXPECT_EQ(w.Elapsed(), ms);
  }
  TQStop q(nullptr);
  q.Start();
  q.Pause(20, false);
  q.Pause();
  EXPECT_GE(q.Stop(), 20.0);
}

// On the virtual clock a wait is not walked through counter step by counter step: it is one sleep to its end, or,
// pumping, one to each timer due before it, which fires at its time.
TEST_F(ComponentsTest, StopWatchPausesOnTheVirtualClockInOneStepPerTimer) {
  struct Case {
    bool pump;
    double ms;
    UINT timer_ms;  // 0: no timer
    std::int64_t max_reads;
    int ticks;
  };
  for (const Case c : {Case{false, 0.4, 0, 3, 0}, Case{false, 140, 0, 3, 0}, Case{true, 0.4, 0, 4, 0},
                       Case{true, 140, 0, 4, 0}, Case{true, 140, 30, 30, 4}, Case{false, 140, 30, 3, 0}}) {
    int ticks = 0;
    HWND window = CreateWindowEx(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    static int* counter = nullptr;
    counter = &ticks;
    if (c.timer_ms != 0) SetTimer(window, 1, c.timer_ms, [](HWND, UINT, UINT_PTR, DWORD) { ++*counter; });
    handheld::StopWatch w;
    w.Start();
    const std::int64_t reads = platform::sys::VirtualClockReads();
    w.Pause(c.pump, c.ms);
    EXPECT_LE(platform::sys::VirtualClockReads() - reads, c.max_reads) << c.pump << " " << c.ms;
    const double ms = w.Stop();
    EXPECT_GE(ms, c.ms) << c.pump;
    EXPECT_LT(ms, c.ms + 0.1) << c.pump;
    EXPECT_EQ(ticks, c.ticks) << c.pump << " " << c.ms;
    DestroyWindow(window);
  }
}

TEST_F(ComponentsTest, LampsShowTheirColoursFromTheNextSetActive) {
  TSimpleLed led(nullptr);
  EXPECT_FALSE(led.Active());
  EXPECT_EQ(led.Brush().Color, clSilver);
  led.SetActive(true);
  EXPECT_EQ(led.Brush().Color, clLime);
  led.SetColor_Active(clRed);
  EXPECT_EQ(led.Brush().Color, clLime);
  led.SetActive(true);
  EXPECT_EQ(led.Brush().Color, clRed);
  led.SetActive(false);
  EXPECT_EQ(led.Brush().Color, clSilver);

  TLedLabel label(nullptr);
  EXPECT_EQ(label.Font().Color, clSilver);
  label.SetActive(true);
  EXPECT_EQ(label.Font().Color, clLime);
  label.SetColor_Inactive(clBlack);
  label.SetActive(false);
  EXPECT_EQ(label.Font().Color, clBlack);
}

}  // namespace
