// Telegram monitoring of the simulated inverter on a virtual clock: under serial control, from the first valid
// telegram on, every valid telegram restarts the monitoring time; a longer gap trips the drive with the
// communication fault, which stops it. At the terminals, or with the monitoring off, silence is no fault.
#include <gtest/gtest.h>

#include "sim/inverter_bus.h"
#include "tests/sim/sim_frames.h"

namespace {

using sim_test::Frame;

constexpr std::int64_t kMs = 1'000'000;
const sim_test::Bytes kEnable = Frame(0x00, {0x03, 0x04, 0x00, 0x15});  // reference 1024, enable, BE1 (enable right)
const sim_test::Bytes kReadState = Frame(0x00, {0x04, 0x00, 33, 0x00, 67});

struct Drive {
  explicit Drive(std::uint32_t timeout_ms, std::uint8_t operation_input = 1) {
    d.SetTelegramTimeout(timeout_ms);
    d.WriteNumber(55, 6, operation_input);
    d.WriteNumber(52, 112, 1);
    d.SetHardwareEnable(true);
    d.Advance(0);
    bus.Feed(kEnable);
  }
  // Telegrams every `every` ms until `until` ms.
  void Talk(std::int64_t every, std::int64_t until) {
    while (t + every <= until) {
      t += every;
      d.Advance(t * kMs);
      bus.Feed(kReadState);
    }
  }
  void Silence(std::int64_t ms) {
    t += ms;
    d.Advance(t * kMs);
  }
  sim::InverterBus bus{{0}};
  sim::InverterDevice& d = *bus.Device(0);
  std::int64_t t = 0;
};

TEST(TelegramMonitoring, TelegramsWithinTheTimeKeepTheDriveRunning) {
  Drive drive(1000);
  drive.Talk(990, 20'000);
  EXPECT_FALSE(drive.d.tripped());
  EXPECT_EQ(drive.d.device_state(), sim::kStateRunning);
}

TEST(TelegramMonitoring, AGapLongerThanTheTimeTripsWithTheCommunicationFault) {
  Drive drive(1000);
  drive.Talk(500, 3000);
  drive.Silence(1000);
  EXPECT_FALSE(drive.d.tripped()) << "exactly the monitoring time is still in time";
  drive.Silence(2);
  EXPECT_TRUE(drive.d.tripped());
  EXPECT_EQ(drive.d.device_state(), sim::kStateFault);
  EXPECT_EQ(drive.d.ReadNumber(33, 58), sim::kFaultCommunication);
  EXPECT_EQ(drive.d.ReadNumber(336, 1), sim::kFaultCommunication);
  drive.Silence(3000);
  EXPECT_EQ(drive.d.drive().speed, 0) << "the tripped drive stops";
}

TEST(TelegramMonitoring, SilenceIsNoFaultAtTheTerminalsOrWithTheMonitoringOff) {
  Drive terminals(1000, 0);
  terminals.Silence(5000);
  EXPECT_FALSE(terminals.d.tripped());
  Drive off(0);
  off.Silence(60'000);
  EXPECT_FALSE(off.d.tripped());
  EXPECT_EQ(off.d.device_state(), sim::kStateRunning);
}

// The monitoring starts with the first valid telegram under serial control, not with the switch to it.
TEST(TelegramMonitoring, StartsWithTheFirstTelegramUnderSerialControl) {
  Drive drive(1000, 0);
  drive.Silence(5000);
  drive.bus.Feed(Frame(0x00, {0x05, 0x00, 55, 0x00, 6, 1}));  // refused while enabled
  drive.d.SetHardwareEnable(false);
  drive.bus.Feed(Frame(0x00, {0x05, 0x00, 55, 0x00, 6, 1}));
  ASSERT_EQ(drive.d.operation_input(), 1);
  drive.Silence(5000);
  EXPECT_FALSE(drive.d.tripped()) << "nobody has talked under serial control yet";
  drive.bus.Feed(kReadState);
  drive.Silence(900);
  EXPECT_FALSE(drive.d.tripped());
  drive.Silence(200);
  EXPECT_TRUE(drive.d.tripped());
}

}  // namespace
