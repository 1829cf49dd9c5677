#include "link/parambox_bus.h"

#include <algorithm>

#include "link/com_port.h"
#include "link/parambox_codes.h"
#include "link/stop_watch.h"
#include "platform/comm/port.h"
#include "platform/comm/win_comm.h"

namespace ilink {
namespace pc = platform::comm;
namespace {

constexpr double kMsPerUnit = 0.005;  // timings count 5-microsecond units
constexpr std::uint8_t kAttempts = 10;
constexpr std::uint8_t kReadControl = 0xA1;

struct BusState {
  std::uint32_t t1 = 0;
  std::uint16_t t2 = 0, t3 = 0, t4 = 0;
  bool line_fault = false;  // a line could not be set or read since the last block began
};

BusState g_bus;
std::span<std::uint8_t> g_stand_in;

void Wait(std::uint32_t units) { DelayMs(static_cast<double>(units) * kMsPerUnit, false); }

void Line(DWORD function) {
  if (!pc::EscapeCommFunction(ComPortHandle(), function)) g_bus.line_fault = true;
  Wait(g_bus.t4);
}

void ClockHigh() { Line(pc::kClrDtr); }
void ClockLow() { Line(pc::kSetDtr); }
void DataLow() { Line(pc::kSetRts); }
void DataRelease() { Line(pc::kClrRts); }

// RI on = data high. A status that cannot be read counts as a line fault (and as data low).
bool SampleData() {
  DWORD status = 0;
  if (!pc::GetCommModemStatus(ComPortHandle(), &status)) {
    g_bus.line_fault = true;
    return false;
  }
  return (status & pc::kModemRing) != 0;
}

void Start() {
  ClockHigh();
  DataLow();
  ClockLow();
  DataRelease();
  Wait(g_bus.t3);
}

void Stop() {
  DataLow();
  ClockHigh();
  DataRelease();
  ClockLow();
  Wait(g_bus.t3);
}

void SendByte(std::uint8_t byte) {
  for (int bit = 7; bit >= 0; --bit) {
    if ((byte >> bit) & 1) {
      ClockHigh();
      ClockLow();
    } else {
      DataLow();
      ClockHigh();
      ClockLow();
      DataRelease();
    }
    Wait(g_bus.t3);
  }
}

// True when the box acknowledged (data low).
bool ReadAcknowledge() {
  ClockHigh();
  const bool high = SampleData();
  ClockLow();
  Wait(g_bus.t3);
  return !high;
}

void AcknowledgeClock() {
  ClockHigh();
  ClockLow();
  Wait(g_bus.t3);
}

bool ReadBit() {
  ClockHigh();
  const bool bit = SampleData();
  ClockLow();
  Wait(g_bus.t3);
  return bit;
}

// Addresses the box for one byte: start and control byte until it acknowledges. The tenth attempt answers 4
// even when it is acknowledged; the bus is then given back with a stop.
std::uint8_t Address(std::uint16_t address, bool wait_before_ack) {
  for (std::uint8_t tries = 0;;) {
    Start();
    SendByte(BoxControlByte(address));
    if (wait_before_ack) Wait(g_bus.t2);
    const bool ack = ReadAcknowledge();
    if (!ack) Stop();
    ++tries;
    if (tries >= kAttempts) {
      if (ack) Stop();
      return kBoxNoAnswer;
    }
    if (ack) return kBoxOk;
  }
}

bool Beyond(std::uint16_t address, std::uint16_t count) {
  return count > 0 && (address >= kBoxSize || count > kBoxSize - address);
}

}  // namespace

void SetBoxBusTimings(const BoxSettings& settings) {
  g_bus.t1 = settings.t1;
  g_bus.t2 = settings.t2;
  g_bus.t3 = settings.t3;
  g_bus.t4 = settings.t4;
}

void SetBoxMemoryStandIn(std::span<std::uint8_t> memory) {
  g_stand_in = memory.size() == kBoxSize ? memory : std::span<std::uint8_t>();
}

void BoxIdle() {
  if (!g_stand_in.empty()) return;
  ClockLow();
  DataRelease();
  Wait(g_bus.t3);
}

void BoxWake() {
  if (!g_stand_in.empty()) return;
  ClockLow();
  DataRelease();
  Wait(g_bus.t1);
}

bool BoxPresent() {
  if (!g_stand_in.empty()) return true;
  g_bus.line_fault = false;
  BoxIdle();
  const bool present = !ReadAcknowledge();
  return present && !g_bus.line_fault;
}

std::uint8_t BoxWriteBlock(std::uint16_t address, std::uint16_t count, const std::uint8_t* bytes) {
  if (Beyond(address, count)) return kBoxWriteError;
  if (!g_stand_in.empty()) {
    std::copy_n(bytes, count, g_stand_in.begin() + address);
    return kBoxOk;
  }
  g_bus.line_fault = false;
  for (std::uint16_t i = 0; i < count; ++i, ++address) {
    if (Address(address, true) != kBoxOk) return kBoxNoAnswer;
    SendByte(static_cast<std::uint8_t>(address & 0xFF));
    AcknowledgeClock();
    SendByte(bytes[i]);
    AcknowledgeClock();
    Wait(g_bus.t2);
    Stop();
    if (g_bus.line_fault) return kBoxNoAnswer;
  }
  return kBoxOk;
}

std::uint8_t BoxReadBlock(std::uint16_t address, std::uint16_t count, std::uint8_t* buffer) {
  if (Beyond(address, count)) return kBoxReadError;
  if (!g_stand_in.empty()) {
    std::copy_n(g_stand_in.begin() + address, count, buffer);
    return kBoxOk;
  }
  g_bus.line_fault = false;
  for (std::uint16_t i = 0; i < count; ++i, ++address) {
    if (Address(address, false) != kBoxOk) return kBoxNoAnswer;
    SendByte(static_cast<std::uint8_t>(address & 0xFF));
    AcknowledgeClock();
    Start();
    SendByte(kReadControl);
    AcknowledgeClock();
    std::uint8_t byte = 0;
    for (int bit = 0; bit < 8; ++bit) byte = static_cast<std::uint8_t>((byte << 1) | (ReadBit() ? 1 : 0));
    Stop();
    if (g_bus.line_fault) return kBoxNoAnswer;
    buffer[i] = byte;
  }
  return kBoxOk;
}

}  // namespace ilink
