// The simulated inverter's fault memory: ten entries (records 336..345: used flag, code, time stamp of the run
// time, speed, current, DC-link voltage, device temperature, status flags) and the fault counters of record 32.
#include <algorithm>
#include <array>

#include "sim/inverter_device.h"

namespace sim {
namespace {

constexpr std::uint16_t kFirstEntry = 336;
constexpr std::uint16_t kEntries = 10;
constexpr std::size_t kEntryBytes = 22;
constexpr std::uint16_t kCounterRecord = 32;
constexpr std::uint16_t kTotalCount = 16;    // E34 fault count 1: every fault
constexpr std::uint16_t kLastFaults = 32;    // E35 last fault 1..12, the newest first
constexpr std::uint16_t kLastFaultCount = 12;
constexpr std::uint8_t kSerialInterface = 1;  // extra information of a communication fault: the serial interface

// Fault codes of the entries --faults makes, in this order, and the counter of record 32 that each one counts in.
constexpr std::array<std::uint8_t, kEntries> kSampleFaults = {36, 33, 46, 39, 47, 37, kFaultExternal, 38, 34,
                                                              kFaultCommunication};
struct KindCounter {
  std::uint8_t code;
  std::uint16_t element;  // E34 fault count 3..6
};
constexpr std::array<KindCounter, 4> kKindCounters = {{{33, 24}, {36, 26}, {46, 28}, {47, 30}}};

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t Stamp(const std::array<std::uint8_t, kEntryBytes>& e) {
  return (e[2] | e[3] << 8) * 3600u + e[4] * 60u + e[5];
}

}  // namespace

void InverterDevice::SetSeed(std::uint32_t seed) {
  seed_ = seed;
  drive_ = DriveModel(seed);
  run_base_s_ = (1000 + seed % 9000) * 3600 + seed % 3600;  // a drive that has run a while
  enable_base_s_ = run_base_s_ / 3;
}

std::uint32_t InverterDevice::RunSeconds() { return run_base_s_ + static_cast<std::uint32_t>(run_ms_ / 1000); }

void InverterDevice::StoreFaultEntry(std::uint8_t code, std::uint32_t seconds, std::int16_t speed,
                                     std::int16_t current, std::int16_t dc_link) {
  // The first unused entry, else the oldest one.
  std::uint16_t target = kFirstEntry;
  std::uint32_t oldest = 0xFFFFFFFFu;
  for (std::uint16_t i = 0; i < kEntries; ++i) {
    std::array<std::uint8_t, kEntryBytes> e{};
    const auto record = static_cast<std::uint16_t>(kFirstEntry + i);
    if (!ReadStored(record, 0, e)) return;
    if (e[0] == 0) {
      target = record;
      break;
    }
    if (Stamp(e) < oldest) {
      oldest = Stamp(e);
      target = record;
    }
  }
  std::array<std::uint8_t, kEntryBytes> e{};
  e[0] = 1;
  e[1] = code;
  Put16(&e[2], std::min<std::uint32_t>(seconds / 3600, 65535));
  e[4] = static_cast<std::uint8_t>(seconds / 60 % 60);
  e[5] = static_cast<std::uint8_t>(seconds % 60);
  Put16(&e[6], static_cast<std::uint16_t>(speed));
  Put16(&e[8], static_cast<std::uint16_t>(current));
  Put16(&e[10], static_cast<std::uint16_t>(dc_link));
  Put16(&e[12], ReadNumber(33, 34));  // device temperature
  const std::uint32_t bits = ReadNumber(33, 104);
  Put16(&e[14], bits & 0xFFFF);
  e[16] = static_cast<std::uint8_t>(bits >> 16);
  e[17] = static_cast<std::uint8_t>(bits);
  e[18] = code == kFaultCommunication ? static_cast<std::uint8_t>(kSerialInterface << 4) : 0;
  WriteStored(target, 0, e);
}

void InverterDevice::CountFault(std::uint8_t code) {
  WriteNumber(kCounterRecord, kTotalCount, ReadNumber(kCounterRecord, kTotalCount) + 1);
  for (const KindCounter& k : kKindCounters) {
    if (k.code == code) WriteNumber(kCounterRecord, k.element, ReadNumber(kCounterRecord, k.element) + 1);
  }
  for (std::uint16_t i = kLastFaultCount - 1; i > 0; --i) {
    const auto to = static_cast<std::uint16_t>(kLastFaults + i);
    WriteNumber(kCounterRecord, to, ReadNumber(kCounterRecord, static_cast<std::uint16_t>(to - 1)));
  }
  WriteNumber(kCounterRecord, kLastFaults, code);
}

void InverterDevice::FillFaultMemory(unsigned n) {
  n = std::min<unsigned>(n, kEntries);
  const std::uint32_t now = RunSeconds();
  for (unsigned i = 0; i < n; ++i) {
    // Older faults first, some hours and minutes apart.
    const std::uint32_t ago = (n - i) * (7 * 3600 + 137 * (i + 1));
    const std::uint8_t code = kSampleFaults[i];
    StoreFaultEntry(code, now > ago ? now - ago : 0, static_cast<std::int16_t>(1200 + 311 * i),
                    static_cast<std::int16_t>(2000 + 97 * i), static_cast<std::int16_t>(5600 + 30 * i));  // 560.0 V and up
    CountFault(code);
  }
}

}  // namespace sim
