// A recording held by the simulated inverter: record 454 names six channels of different element types,
// record 453 holds known waveforms in its ring, element 42 of record 33 the ring start.
#pragma once

#include <array>
#include <cstdint>

namespace sim {

class InverterDevice;

struct ScopeWaveChannel {
  std::uint16_t record;
  std::uint16_t element;
};

// Channels 0..5 (6 and 7 off): i16 sine, u8 ramp, i8 triangle, u16 ramp, u32 walking bit, i32 falling ramp.
inline constexpr std::array<ScopeWaveChannel, 6> kScopeWaveChannels = {{
    {33, 14}, {33, 58}, {520, 66}, {33, 128}, {33, 104}, {33, 86},
}};
inline constexpr std::uint16_t kScopeWaveBytesPerSample = 2 + 1 + 1 + 2 + 4 + 4;
inline constexpr std::uint16_t kScopeWaveSamples = 2880 / kScopeWaveBytesPerSample;
inline constexpr std::uint16_t kScopeWaveRingStart = 17;
inline constexpr std::uint8_t kScopeWaveSamplingIndex = 12;

// The stored (raw) value of channel c at sample n (n counted from the ring start).
std::int64_t ScopeWaveValue(std::uint8_t channel, std::uint32_t sample);

// Writes the recording into a 2880-byte ring image (samples placed from the ring start on).
void FillScopeWaveRing(std::uint8_t* ring, std::uint16_t ring_start);

// Puts the recording into the device's records 454, 453 and element 42 of record 33.
void InstallScopeRecording(InverterDevice& device);

}  // namespace sim
