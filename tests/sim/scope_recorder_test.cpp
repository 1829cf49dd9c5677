// The simulated recorder: started with its settings it collects the samples before the trigger, waits for the
// trigger (at once, never, a device condition or a signal level), records the rest of the ring behind it and is
// then ready, the ring start naming the oldest sample; stop ends a recording under way. On the device the
// states show in record 33 and the ring in record 453.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "sim/inverter_bus.h"
#include "sim/scope_recorder.h"
#include "tests/sim/sim_frames.h"

namespace {

using sim::RecorderState;

struct Settings {
  std::array<std::uint8_t, sim::kRecorderSettingsBytes> bytes{};
  Settings& Period(std::uint8_t index) { bytes[0] = index; return *this; }
  Settings& Pretrigger(std::uint8_t percent) { bytes[1] = percent; return *this; }
  Settings& Trigger(std::uint8_t kind, std::uint8_t mode, std::int32_t level, std::uint16_t record, std::uint16_t element) {
    bytes[2] = kind;
    bytes[3] = mode;
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(level) >> (8 * i));
    Put(8, record);
    Put(10, element);
    return *this;
  }
  Settings& Channel(std::size_t c, std::uint16_t record, std::uint16_t element) {
    Put(12 + 4 * c, record);
    Put(14 + 4 * c, element);
    return *this;
  }
  void Put(std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
};

// A signal source: 33.2 (i16) counts the milliseconds, 33.67 (u8) is set by the test.
struct Source {
  std::int16_t counter = 0;
  std::uint8_t state = 2;
  sim::ScopeRecorder::Reader reader() {
    return [this](std::uint16_t r, std::uint16_t e, std::span<std::uint8_t> out) {
      if (r == 33 && e == 2 && out.size() == 2) {
        out[0] = static_cast<std::uint8_t>(counter);
        out[1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(counter) >> 8);
        return true;
      }
      if (r == 33 && e == 67 && out.size() == 1) {
        out[0] = state;
        return true;
      }
      return false;
    };
  }
};

// Ticks until the state changes (at most `ms`), counting the milliseconds up; the states passed through.
std::vector<RecorderState> TickFor(sim::ScopeRecorder& r, Source& s, int ms) {
  std::vector<RecorderState> states;
  for (int i = 0; i < ms; ++i) {
    ++s.counter;
    if (r.Tick(s.reader())) states.push_back(r.state());
  }
  return states;
}

TEST(ScopeRecorder, GoesFromStartedThroughTheTriggerToReady) {
  sim::ScopeRecorder r;
  Source s;
  // One i16 channel: 1440 samples, 25 % (360) before the trigger, a sample every 2 ms (index 10).
  Settings settings;
  settings.Period(10).Pretrigger(25).Trigger(2, 0, 1000, 33, 2).Channel(0, 33, 2).Channel(1, 65535, 0);
  ASSERT_TRUE(r.Start(settings.bytes));
  EXPECT_EQ(r.state(), RecorderState::kStarted);
  EXPECT_EQ(r.samples(), 1440);
  EXPECT_EQ(r.pretrigger(), 360);
  EXPECT_EQ(r.period_ms(), 2u);
  EXPECT_EQ(TickFor(r, s, 720), std::vector<RecorderState>{RecorderState::kArmed});
  // The counter passes 1000 at 1000 ms; 1440 - 360 samples later (2160 ms) the ring is full.
  const std::vector<RecorderState> rest = TickFor(r, s, 2900);
  EXPECT_EQ(rest, (std::vector<RecorderState>{RecorderState::kTriggered, RecorderState::kReady}));
  // From the ring start: 360 samples before the trigger, then the trigger sample (the first at or above 1000).
  const auto value = [&](std::uint32_t n) {
    const std::uint32_t p = (n + r.ring_start()) % r.samples();
    return static_cast<std::int16_t>(r.ring()[2 * p] | r.ring()[2 * p + 1] << 8);
  };
  EXPECT_GE(value(360), 1000);
  EXPECT_LT(value(359), 1000);
  for (std::uint32_t n = 1; n < r.samples(); ++n) EXPECT_EQ(value(n) - value(n - 1), 2) << n;
  r.Stop();
  EXPECT_EQ(r.state(), RecorderState::kReady) << "a ready recording stays";
}

TEST(ScopeRecorder, TriggerKindsAndStop) {
  Source s;
  {
    sim::ScopeRecorder r;  // directly, no samples before it: ready after one ring
    ASSERT_TRUE(r.Start(Settings().Channel(0, 33, 2).Trigger(0, 0, 0, 0, 0).bytes));
    EXPECT_EQ(r.state(), RecorderState::kArmed);
    EXPECT_EQ(TickFor(r, s, 1440), (std::vector<RecorderState>{RecorderState::kTriggered, RecorderState::kReady}));
  }
  {
    sim::ScopeRecorder r;  // never: armed until stopped
    ASSERT_TRUE(r.Start(Settings().Channel(0, 33, 2).Trigger(1, 0, 0, 0, 0).bytes));
    EXPECT_TRUE(TickFor(r, s, 5000).empty());
    r.Stop();
    EXPECT_EQ(r.state(), RecorderState::kInactive);
  }
  {
    sim::ScopeRecorder r;  // the device condition "power-section on": the state element equals 4
    ASSERT_TRUE(r.Start(Settings().Channel(0, 33, 67).Trigger(2, 1, 4, 33, 67).bytes));
    EXPECT_TRUE(TickFor(r, s, 3000).empty());
    s.state = 4;
    EXPECT_EQ(TickFor(r, s, 3000), (std::vector<RecorderState>{RecorderState::kTriggered, RecorderState::kReady}));
    EXPECT_EQ(r.ring()[r.ring_start()], 4) << "no samples before the trigger: the first is the trigger's";
  }
  {
    sim::ScopeRecorder r;  // no channel on: no recording
    EXPECT_FALSE(r.Start(Settings().Channel(0, 65535, 0).bytes));
    EXPECT_EQ(r.state(), RecorderState::kInactive);
  }
}

// On the device: the start action takes record 454, the states show in 33.59, the ready ring is record 453.
TEST(ScopeRecorder, TheDeviceRecordsItsActualValuesAndServesTheRing) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  std::vector<std::string> events;
  d.SetEventSink([&](std::uint8_t, const std::string& e) { events.push_back(e); });
  Settings settings;
  settings.Period(12).Pretrigger(10).Trigger(2, 1, 4, 33, 67).Channel(0, 33, 2).Channel(1, 33, 67);
  for (int c = 2; c < 8; ++c) settings.Channel(static_cast<std::size_t>(c), 65535, 0);
  ASSERT_TRUE(d.WriteStored(454, 0, settings.bytes));
  d.WriteNumber(55, 6, 1);
  d.WriteNumber(52, 112, 1);
  d.SetHardwareEnable(true);
  d.WriteNumber(48, 0, 50);
  std::int64_t t = 0;
  d.Advance(t);
  bus.Feed(sim_test::Frame(0x00, {0x05, 0x00, 13, 0x00, 10, 1}));
  EXPECT_EQ(d.ReadNumber(33, 59), 2u);
  d.Advance(t += 2'000'000'000);  // 10 ms samples: 96 before the trigger in about a second
  EXPECT_EQ(d.ReadNumber(33, 59), 3u);
  bus.Feed(sim_test::Frame(0x00, {0x03, 0x08, 0x00, 0x15}));  // enable and BE1: state 4 triggers
  d.Advance(t += 10'000'000'000);
  EXPECT_EQ(d.ReadNumber(33, 59), 5u);
  const std::vector<std::string> recorder = {"recorder started", "recorder armed", "recorder triggered",
                                             "recorder ready"};
  std::vector<std::string> seen;
  for (const auto& e : events) {
    if (e.rfind("recorder", 0) == 0) seen.push_back(e);
  }
  EXPECT_EQ(seen, recorder);
  // The ring as record 453 and its start in 33.42: the speed rises behind the trigger.
  std::array<std::uint8_t, 2880> ring{};
  ASSERT_TRUE(d.ReadStored(453, 0, ring));
  const std::uint32_t start = d.ReadNumber(33, 42);
  const std::uint32_t samples = 2880 / 3;
  const auto speed = [&](std::uint32_t n) {
    const std::uint32_t p = (n + start) % samples;
    return static_cast<std::int16_t>(ring[3 * p] | ring[3 * p + 1] << 8);
  };
  const auto state = [&](std::uint32_t n) { return ring[3 * ((n + start) % samples) + 2]; };
  EXPECT_EQ(state(95), sim::kStateReady);
  EXPECT_EQ(state(96), sim::kStateRunning);
  EXPECT_EQ(speed(90), 0);
  EXPECT_GT(speed(100), 0);
  EXPECT_GT(speed(200), speed(100)) << "the speed runs up along the ramp";
  EXPECT_EQ(speed(samples - 1), 2048) << "up to the reference";
}

}  // namespace
