#include "sim/scope_recording.h"

#include <cmath>
#include <span>
#include <vector>

#include "model/element_type.h"
#include "model/record_layout.h"
#include "sim/inverter_device.h"

namespace sim {

std::int64_t ScopeWaveValue(std::uint8_t channel, std::uint32_t n) {
  switch (channel) {
    case 0: return std::lround(1000.0 * std::sin(2.0 * 3.14159265358979 * n / 50.0));  // i16 sine
    case 1: return n % 256;                                                           // u8 ramp
    case 2: return static_cast<std::int64_t>(n % 200 < 100 ? n % 200 : 200 - n % 200) - 50;  // i8 triangle
    case 3: return (n * 300) % 65536;                                                 // u16 ramp
    case 4: return std::int64_t{1} << (n % 32);                                       // u32 walking bit
    case 5: return -100000 + static_cast<std::int64_t>(n) * 977;                      // i32 ramp
    default: return 0;
  }
}

void FillScopeWaveRing(std::uint8_t* ring, std::uint16_t ring_start) {
  for (std::uint32_t i = 0; i < 2880; ++i) ring[i] = 0;
  for (std::uint32_t n = 0; n < kScopeWaveSamples; ++n) {
    const std::uint32_t p = (n + ring_start) % kScopeWaveSamples;
    std::uint32_t offset = p * kScopeWaveBytesPerSample;
    for (std::uint8_t c = 0; c < kScopeWaveChannels.size(); ++c) {
      const std::uint8_t type = model::GetElementType(kScopeWaveChannels[c].record, kScopeWaveChannels[c].element);
      const std::uint16_t size = model::ElementTypeSizeOf(type);
      const auto value = static_cast<std::uint64_t>(ScopeWaveValue(c, n));
      for (std::uint16_t b = 0; b < size; ++b) ring[offset + b] = static_cast<std::uint8_t>(value >> (8 * b));
      offset += size;
    }
  }
}

void InstallScopeRecording(InverterDevice& device) {
  std::vector<std::uint8_t> settings(44, 0);
  settings[0] = kScopeWaveSamplingIndex;
  settings[1] = 20;  // 20 % of the samples before the trigger
  settings[2] = 2;   // trigger: power-section on (device state 4)
  settings[3] = 1;
  settings[4] = 4;
  settings[8] = 33;
  settings[10] = 67;
  for (std::size_t c = 0; c < kScopeWaveChannels.size(); ++c) {
    settings[12 + 4 * c] = static_cast<std::uint8_t>(kScopeWaveChannels[c].record);
    settings[13 + 4 * c] = static_cast<std::uint8_t>(kScopeWaveChannels[c].record >> 8);
    settings[14 + 4 * c] = static_cast<std::uint8_t>(kScopeWaveChannels[c].element);
    settings[15 + 4 * c] = static_cast<std::uint8_t>(kScopeWaveChannels[c].element >> 8);
  }
  device.WriteStored(454, 0, settings);
  std::vector<std::uint8_t> ring(2880, 0);
  FillScopeWaveRing(ring.data(), kScopeWaveRingStart);
  device.WriteStored(453, 0, ring);
  device.WriteNumber(33, 42, kScopeWaveRingStart);
}

}  // namespace sim
