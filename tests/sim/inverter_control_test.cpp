// The simulated inverter's control: control word (the reference, a value) and control flags of the telegrams,
// the operation input and the hardware enable input decide whether the drive runs; the binary inputs act through
// their functions; master enable, faults and their acknowledge as a program meets them.
#include <gtest/gtest.h>

#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "sim/control_inputs.h"
#include "sim/inverter_bus.h"
#include "tests/sim/sim_frames.h"

namespace {

using sim_test::Bytes;
using sim_test::Frame;
using sim_test::One;

// A control-word telegram (service 3) to address 0.
Bytes Control(std::uint16_t word, std::uint8_t flags) {
  return Frame(0x00, {0x03, static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word), flags});
}

TEST(InverterControl, ControlWordAndFlagsGiveTheState) {
  const struct {
    const char* name;
    std::uint8_t operation_input;
    bool hw_enable;
    std::uint16_t word;
    std::uint8_t flags;
    std::uint8_t state;
    std::int32_t reference;
  } cases[] = {
      // The defaults' binary-input functions: BE1 enable right, BE2 enable left, BE3 quick stop, BE4 fault reset.
      {"serial: enable, BE1 (enable right) and the input", 1, true, 1500, 0x15, sim::kStateRunning, 1500},
      {"an odd reference changes nothing", 1, true, 1501, 0x15, sim::kStateRunning, 1501},
      {"BE2 (enable left) runs the other way", 1, true, 1500, 0x19, sim::kStateRunning, -1500},
      {"no enable flag: ready", 1, true, 1501, 0x05, sim::kStateReady, 0},
      {"enable without a direction: ready", 1, true, 1500, 0x11, sim::kStateReady, 0},
      {"both directions: ready", 1, true, 1500, 0x1D, sim::kStateReady, 0},
      {"quick stop (BE3): ready", 1, true, 1500, 0x17, sim::kStateReady, 0},
      {"flags without the hardware enable: ready", 1, false, 1500, 0x15, sim::kStateReady, 0},
      {"the stop telegram (0, \"?\")", 1, true, 0, 0x3F, sim::kStateReady, 0},
      {"reference 0 with enable holds the drive", 1, true, 0, 0x15, sim::kStateRunning, 0},
      {"terminals: the hardware enable alone", 0, true, 1500, 0x00, sim::kStateRunning, 0},
      {"terminals: flags count for nothing", 0, false, 1500, 0x15, sim::kStateReady, 0},
  };
  for (const auto& c : cases) {
    sim::InverterBus bus({0});
    sim::InverterDevice& d = *bus.Device(0);
    d.WriteNumber(55, 6, c.operation_input);
    d.SetHardwareEnable(c.hw_enable);
    d.WriteNumber(52, 112, 1);
    d.Advance(0);
    const Bytes reply = One(bus.Feed(Control(c.word, c.flags)));
    ASSERT_EQ(reply.size(), 8u) << c.name;
    EXPECT_EQ(reply[6], c.state) << c.name << ": the status flags are the state";
    EXPECT_EQ(d.ReadNumber(33, 67), c.state) << c.name;
    d.Advance(1'000'000);  // one millisecond: the reference reaches the drive
    EXPECT_EQ(static_cast<std::int16_t>(d.ReadNumber(33, 32)), c.reference) << c.name;
    EXPECT_EQ(d.ReadNumber(52, 60), c.word) << c.name << ": E45 shows the control word";
  }
}

TEST(InverterControl, BinaryInputFunctionsGiveDirectionAndQuickStop) {
  using sim::InputFunction;
  const struct {
    const char* name;
    std::uint8_t be1_function;
    bool be1_inverted;
    std::uint8_t flags;
    bool enable;
    std::int32_t reference;
    bool quick_stop;
  } cases[] = {
      {"no function: the reference's sign", 0, false, 0x11, true, -500, false},
      {"enable right given", static_cast<std::uint8_t>(InputFunction::kEnableRight), false, 0x15, true, 500, false},
      {"enable right missing", static_cast<std::uint8_t>(InputFunction::kEnableRight), false, 0x11, false, 0, false},
      {"enable left given", static_cast<std::uint8_t>(InputFunction::kEnableLeft), false, 0x15, true, -500, false},
      {"quick stop", static_cast<std::uint8_t>(InputFunction::kQuickStop), false, 0x15, false, 0, true},
      {"quick stop inverted, input off", static_cast<std::uint8_t>(InputFunction::kQuickStop), true, 0x11, false, 0, true},
      {"quick stop inverted, input on", static_cast<std::uint8_t>(InputFunction::kQuickStop), true, 0x15, true, -500, false},
  };
  for (const auto& c : cases) {
    sim::ControlSources s;
    s.operation_input = sim::kOperationSerial;
    s.hw_enable = true;
    s.control_seen = true;
    s.control_word = static_cast<std::uint16_t>(-500);
    s.control_flags = c.flags;
    s.setup.function[0] = c.be1_function;
    s.setup.inverted[0] = c.be1_inverted;
    const sim::DriveCommand d = sim::DecodeControl(s);
    EXPECT_EQ(d.enable, c.enable) << c.name;
    EXPECT_EQ(d.reference, c.reference) << c.name;
    EXPECT_EQ(d.quick_stop, c.quick_stop) << c.name;
  }
  EXPECT_EQ(sim::InputsFromFlags(0x01), 0x00) << "bit 0 set means BE4 off";
  EXPECT_EQ(sim::InputsFromFlags(0x00), 0x08);
  EXPECT_EQ(sim::InputsFromFlags(0x2E), 0x1F);
}

// A running drive that master enable switches off runs down along its deceleration ramp and then leaves the
// enabled states; master enable on lets it run again.
TEST(InverterControl, MasterEnableStopsTheRunningDriveAlongTheRamp) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  d.WriteNumber(48, 0, 20);  // 2 s per 150 Hz: 4096 raw (50 Hz) in 0.67 s
  d.WriteNumber(48, 2, 20);
  d.WriteNumber(55, 6, 1);
  d.SetHardwareEnable(true);
  d.WriteNumber(52, 112, 1);
  std::int64_t t = 0;
  d.Advance(t);
  bus.Feed(Control(4096, 0x15));
  d.Advance(t += 1'000'000'000);
  EXPECT_NEAR(d.drive().speed, 4096, 1);
  EXPECT_EQ(d.device_state(), sim::kStateRunning);
  const Bytes off = Frame(0x00, {0x05, 0x00, 52, 0x00, 112, 0});
  EXPECT_EQ(One(bus.Feed(off)), Frame(0x00, {0x00}));
  d.Advance(t += 300'000'000);
  EXPECT_EQ(d.device_state(), sim::kStateStopping);
  EXPECT_LT(d.drive().speed, 4096);
  EXPECT_GT(d.drive().speed, 0);
  d.Advance(t += 500'000'000);
  EXPECT_EQ(d.drive().speed, 0);
  EXPECT_EQ(d.device_state(), sim::kStateReady);
  bus.Feed(Frame(0x00, {0x05, 0x00, 52, 0x00, 112, 1}));
  bus.Feed(Control(4096, 0x15));
  EXPECT_EQ(d.device_state(), sim::kStateRunning);
}

TEST(InverterControl, ATripStopsTheDriveUntilAcknowledgedAndEnabledAgain) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  d.WriteNumber(55, 6, 1);
  d.SetHardwareEnable(true);
  d.WriteNumber(52, 112, 1);
  std::vector<std::string> events;
  d.SetEventSink([&](std::uint8_t, const std::string& e) { events.push_back(e); });
  std::int64_t t = 0;
  d.Advance(t);
  bus.Feed(Control(2000, 0x15));
  d.Advance(t += 2'000'000'000);
  ASSERT_GT(d.drive().speed, 0);
  d.Trip(75);
  EXPECT_EQ(d.device_state(), sim::kStateFault);
  EXPECT_EQ(d.ReadNumber(33, 58), 75u);
  EXPECT_EQ(d.ReadNumber(33, 64), 3u);
  EXPECT_EQ(d.ReadNumber(336, 0), 1u);
  EXPECT_EQ(d.ReadNumber(336, 1), 75u);
  EXPECT_EQ(d.ReadNumber(32, 16), 1u);
  EXPECT_EQ(d.ReadNumber(32, 32), 75u);
  d.Advance(t += 2'000'000'000);
  EXPECT_EQ(d.drive().speed, 0) << "it coasts to rest";
  // Fault acknowledge (action 9) clears the fault; the enable still given does not start the drive.
  bus.Feed(Frame(0x00, {0x05, 0x00, 13, 0x00, 9, 1}));
  EXPECT_EQ(d.device_state(), sim::kStateReady);
  bus.Feed(Control(2000, 0x15));
  EXPECT_EQ(d.device_state(), sim::kStateReady);
  bus.Feed(Control(2000, 0x05));
  bus.Feed(Control(2000, 0x15));
  EXPECT_EQ(d.device_state(), sim::kStateRunning);
  const std::vector<std::string> expected = {"enabled", "tripped code 75", "disabled", "stopped", "fault acknowledged", "enabled"};
  EXPECT_EQ(events, expected);
}

TEST(InverterControl, FaultMemoryIsFilledWithEntriesAndCounters) {
  sim::InverterDevice d(0, {});
  d.FillFaultMemory(3);
  std::uint32_t last_stamp = 0;
  for (std::uint16_t r = 336; r < 339; ++r) {
    EXPECT_EQ(d.ReadNumber(r, 0), 1u) << r;
    EXPECT_NE(d.ReadNumber(r, 1), 0u) << r;
    const std::uint32_t stamp = d.ReadNumber(r, 2) * 3600 + d.ReadNumber(r, 4) * 60 + d.ReadNumber(r, 5);
    EXPECT_GT(stamp, last_stamp) << "older entries first";
    last_stamp = stamp;
  }
  EXPECT_EQ(d.ReadNumber(339, 0), 0u);
  EXPECT_EQ(d.ReadNumber(32, 16), 3u);
  EXPECT_EQ(d.ReadNumber(32, 32), d.ReadNumber(338, 1)) << "the newest fault first";
  d.FillFaultMemory(12);
  EXPECT_EQ(d.ReadNumber(345, 0), 1u) << "ten entries at most";
}

// The drive's actual values read through the program's own descriptors and converters show what a real drive at
// that point would: 1500 rpm at 50 Hz on a 400 V mains, the motor voltage the mains', the DC link its peak.
TEST(InverterControl, ActualValuesReadInTheProgramsUnitsAsARealDrives) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  d.WriteNumber(48, 0, 20);
  d.WriteNumber(55, 6, 1);
  d.SetHardwareEnable(true);
  d.SetMains(400);
  d.WriteNumber(52, 112, 1);
  std::int64_t t = 0;
  d.Advance(t);
  bus.Feed(Control(4096, 0x15));
  d.Advance(t += 2'000'000'000);
  ASSERT_EQ(d.device_state(), sim::kStateRunning);
  model::InitDataSet(0);
  std::vector<std::uint8_t> record(model::RecordSize(33));
  ASSERT_TRUE(d.ReadStored(33, 0, record));
  ASSERT_EQ(model::WriteRecord(33, record.data(), model::kModeRaw, 0), 0);
  const struct {
    const char* name;
    std::uint16_t element;
    double shown;
    double within;
  } cases[] = {
      {"E08 n-motor rpm", 2, 1500, 1},        {"E06 n-ref.val rpm", 32, 1500, 1},
      {"E05 f1-motor Hz", 16, 50, 0.05},      {"E03 DC-link-volt V", 8, 565.7, 3},
      {"E04 V-motor V", 10, 400, 1},          {"E169 I2t device %", 50, 9, 3},
  };
  for (const auto& c : cases) {
    double value = 0;
    ASSERT_EQ(model::ReadElement(33, c.element, &value, model::kModeConverted, 0), 0) << c.name;
    EXPECT_NEAR(value, c.shown, c.within) << c.name;
  }
}

}  // namespace
