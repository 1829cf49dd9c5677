// The stopwatch and the lamp components.
#include <gtest/gtest.h>

#include "handheld/common/led_label.h"
#include "handheld/common/qstop.h"
#include "handheld/common/simple_led.h"
#include "handheld/common/stop_watch.h"
#include "platform/sys/clock.h"
#include "platform/testing/driver.h"
#include "platform/vcl/application.h"

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
