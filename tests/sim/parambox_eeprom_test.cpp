// The simulated two-wire EEPROM driven level by level from a small master written here, and the box on a
// FakePort's modem lines.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/comm/fake_port.h"
#include "sim/parambox/parameter_box.h"
#include "sim/parambox/two_wire_eeprom.h"

namespace sim {
namespace {

// A bus master on the chip's two lines; Update hands back the bus's SDA level.
class Master {
 public:
  explicit Master(TwoWireEeprom& chip) : chip_(chip) { chip_.Update(true, true); }
  bool Set(bool scl, bool sda) { return chip_.Update(scl_ = scl, sda_ = sda); }
  void Start() {
    Set(false, true);
    Set(true, true);
    Set(true, false);
    Set(false, false);
  }
  void Stop() {
    Set(false, false);
    Set(true, false);
    Set(true, true);
  }
  bool Clock(bool sda) {
    Set(false, sda);
    const bool level = Set(true, sda);
    Set(false, sda);
    return level;
  }
  // Sends a byte; true when the chip acknowledged it.
  bool Send(std::uint8_t byte) {
    for (int bit = 7; bit >= 0; --bit) Clock(((byte >> bit) & 1) != 0);
    return !Clock(true);
  }
  std::uint8_t Receive(bool ack) {
    std::uint8_t byte = 0;
    for (int bit = 0; bit < 8; ++bit) byte = static_cast<std::uint8_t>((byte << 1) | (Clock(true) ? 1 : 0));
    Clock(!ack);
    return byte;
  }
  bool WriteByte(std::uint16_t address, std::uint8_t value) {
    Start();
    if (!Send(static_cast<std::uint8_t>(0xA0 | ((address >> 7) & 0x0E)))) {
      Stop();
      return false;
    }
    Send(static_cast<std::uint8_t>(address));
    Send(value);
    Stop();
    return true;
  }

 private:
  TwoWireEeprom& chip_;
  bool scl_ = true, sda_ = true;
};

TEST(TwoWireEeprom, ByteWriteThenRandomRead) {
  TwoWireEeprom chip;
  chip.SetWriteCycle(0, 0);
  Master m(chip);
  ASSERT_TRUE(m.WriteByte(0x210, 0x5A));
  EXPECT_EQ(chip.memory()[0x210], 0x5A);
  EXPECT_EQ(chip.write_cycles(), 1u);
  // Dummy write to set the pointer, repeated start, read: the read control byte's block bits do not count.
  m.Start();
  ASSERT_TRUE(m.Send(0xA4));
  ASSERT_TRUE(m.Send(0x10));
  m.Start();
  ASSERT_TRUE(m.Send(0xAF));
  EXPECT_EQ(m.Receive(false), 0x5A);
  m.Stop();
  EXPECT_EQ(chip.write_cycles(), 1u) << "the dummy write wrote nothing";
  EXPECT_EQ(chip.pointer(), 0x211);
}

TEST(TwoWireEeprom, SequentialReadGoesOnWhileTheMasterAcknowledges) {
  TwoWireEeprom chip;
  for (int i = 0; i < 4; ++i) chip.memory()[0x7FE + i - (i >= 2 ? 2048 : 0)] = static_cast<std::uint8_t>(0x10 + i);
  Master m(chip);
  m.Start();
  ASSERT_TRUE(m.Send(0xAE));
  ASSERT_TRUE(m.Send(0xFE));
  m.Start();
  ASSERT_TRUE(m.Send(0xA1));
  EXPECT_EQ(m.Receive(true), 0x10);
  EXPECT_EQ(m.Receive(true), 0x11);
  EXPECT_EQ(m.Receive(true), 0x12) << "the pointer wraps to 0";
  EXPECT_EQ(m.Receive(false), 0x13);
  m.Stop();
  EXPECT_EQ(chip.bytes_read(), 4u);
}

TEST(TwoWireEeprom, AReadEndsWithAStopInsteadOfTheNinthClock) {
  TwoWireEeprom chip;
  chip.memory()[5] = 0x00;
  chip.memory()[6] = 0xC3;
  Master m(chip);
  m.Start();
  m.Send(0xA0);
  m.Send(5);
  m.Start();
  m.Send(0xA1);
  for (int bit = 0; bit < 8; ++bit) m.Clock(true);
  // The master's stop: data low, clock high (the chip hears an acknowledge), data released while high.
  m.Stop();
  m.Start();
  EXPECT_TRUE(m.Send(0xA1)) << "the chip is listening again";
  EXPECT_EQ(m.Receive(false), 0xC3);
  m.Stop();
}

TEST(TwoWireEeprom, StopInTheMiddleOfAByteWritesNothing) {
  TwoWireEeprom chip;
  Master m(chip);
  m.Start();
  ASSERT_TRUE(m.Send(0xA0));
  m.Clock(false);
  m.Clock(true);
  m.Stop();
  m.Start();
  ASSERT_TRUE(m.Send(0xA0));
  ASSERT_TRUE(m.Send(0x20));
  m.Stop();  // address but no data
  EXPECT_EQ(chip.write_cycles(), 0u);
  EXPECT_EQ(chip.memory()[0x20], 0xFF);
  m.Start();
  EXPECT_FALSE(m.Send(0x50)) << "another device's address";
  EXPECT_FALSE(m.Send(0x00)) << "ignored until the next start";
  m.Stop();
}

TEST(TwoWireEeprom, BytesBeyondAPageWrapWithinIt) {
  TwoWireEeprom chip;
  Master m(chip);
  m.Start();
  m.Send(0xA2);  // block 1
  m.Send(0x0E);
  for (int i = 0; i < 18; ++i) EXPECT_TRUE(m.Send(static_cast<std::uint8_t>(i)));
  m.Stop();
  EXPECT_EQ(chip.write_cycles(), 1u);
  EXPECT_EQ(chip.memory()[0x10E], 16);
  EXPECT_EQ(chip.memory()[0x10F], 17);
  EXPECT_EQ(chip.memory()[0x100], 2);
  EXPECT_EQ(chip.memory()[0x10D], 15);
  EXPECT_EQ(chip.memory()[0x110], 0xFF) << "the next page is untouched";
}

TEST(TwoWireEeprom, TheWriteCycleRefusesControlBytes) {
  TwoWireEeprom chip;
  std::int64_t now = 0;
  chip.SetClock([&] { return now; });
  chip.SetWriteCycle(2, 5000);
  Master m(chip);
  ASSERT_TRUE(m.WriteByte(1, 1));
  EXPECT_TRUE(chip.busy());
  EXPECT_FALSE(m.WriteByte(2, 2));
  EXPECT_FALSE(m.WriteByte(2, 2));
  EXPECT_FALSE(m.WriteByte(2, 2)) << "refusals spent, the time not yet";
  now = 5000;
  EXPECT_TRUE(m.WriteByte(2, 2));
  EXPECT_EQ(chip.refused(), 3u);
  chip.SetWriteCycle(0, 0);  // from the next cycle on
  now = 100000;
  EXPECT_FALSE(m.WriteByte(3, 3));
  EXPECT_FALSE(m.WriteByte(3, 3));
  EXPECT_TRUE(m.WriteByte(3, 3));
  chip.RefuseNext(1);
  EXPECT_FALSE(m.WriteByte(4, 4));
  EXPECT_TRUE(m.WriteByte(4, 4));
  EXPECT_EQ(chip.memory()[4], 4);
}

TEST(ParameterBox, RiShowsTheDataLine) {
  auto port = std::make_shared<platform::comm::FakePort>();
  ParameterBox box(port);
  auto ri = [&] {
    std::uint32_t lines = 0;
    port->GetModemStatus(&lines);
    return (lines & platform::comm::kModemRing) != 0;
  };
  EXPECT_TRUE(ri()) << "idle bus, box present";
  port->SetOutputLine(platform::comm::OutputLine::kRts, true);
  EXPECT_FALSE(ri()) << "the master drives data low";
  port->SetOutputLine(platform::comm::OutputLine::kRts, false);
  EXPECT_TRUE(ri());
  box.SetStuckLow(true);
  EXPECT_FALSE(ri());
  box.SetStuckLow(false);
  box.SetPresent(false);
  EXPECT_FALSE(ri());
  port->SetOutputLine(platform::comm::OutputLine::kDtr, true);
  EXPECT_FALSE(ri());
  EXPECT_EQ(box.line_changes(), 3u);
  box.SetPresent(true);
  EXPECT_TRUE(ri());
}

TEST(ParameterBox, PulledOutAfterSomeBytes) {
  auto port = std::make_shared<platform::comm::FakePort>();
  ParameterBox box(port);
  box.eeprom().SetWriteCycle(0, 0);
  box.RemoveAfterBytes(2);
  // Drive the port's lines as a master would: DTR set = clock low, RTS set = data low.
  auto set = [&](bool scl, bool sda) {
    port->SetOutputLine(platform::comm::OutputLine::kDtr, !scl);
    port->SetOutputLine(platform::comm::OutputLine::kRts, !sda);
  };
  auto write = [&](std::uint8_t address, std::uint8_t value) {
    set(true, true);
    set(true, false);
    set(false, false);
    for (const std::uint8_t byte : {std::uint8_t{0xA0}, address, value}) {
      for (int bit = 7; bit >= -1; --bit) {
        const bool level = bit < 0 || ((byte >> bit) & 1);
        set(false, level);
        set(true, level);
        set(false, level);
      }
    }
    set(false, false);
    set(true, false);
    set(true, true);
  };
  write(0, 0xAA);
  EXPECT_TRUE(box.present());
  write(1, 0xBB);
  EXPECT_FALSE(box.present());
  write(2, 0xCC);
  EXPECT_EQ(box.memory()[0], 0xAA);
  EXPECT_EQ(box.memory()[1], 0xBB);
  EXPECT_EQ(box.memory()[2], 0xFF);
}

}  // namespace
}  // namespace sim
