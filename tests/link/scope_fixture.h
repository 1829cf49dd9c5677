// Data sets holding crafted scope recordings: record 454 pairs, the record-453 ring and the ring start.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "link/scope_recording.h"
#include "link/scope_settings.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "sim/scope_recording.h"

namespace scope_test {

inline constexpr std::uint8_t kSet = 1;

inline void WriteWord(std::uint16_t record, std::uint16_t element, std::uint16_t value, std::uint8_t set = kSet) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  ASSERT_EQ(model::WriteElement(record, element, b, model::kModeRaw, set), 0);
}

inline void WriteByte(std::uint16_t record, std::uint16_t element, std::uint8_t value, std::uint8_t set = kSet) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0);
}

// The low 16 bits of an element of up to 4 bytes.
inline std::uint16_t ReadWord(std::uint16_t record, std::uint16_t element, std::uint8_t set = kSet) {
  std::uint8_t b[4] = {};
  EXPECT_EQ(model::ReadElement(record, element, b, model::kModeRaw, set), 0);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

inline void SetChannel(std::uint8_t channel, std::uint16_t record, std::uint16_t element) {
  WriteWord(454, static_cast<std::uint16_t>(12 + 4 * channel), record);
  WriteWord(454, static_cast<std::uint16_t>(14 + 4 * channel), element);
}

inline void SetRawValues(bool on) { WriteByte(305, 156, on ? 1 : 0, 0); }

inline void WriteRing(const std::array<std::uint8_t, 2880>& ring) {
  for (std::uint16_t block = 0; block < 12; ++block) {
    ASSERT_EQ(model::WriteElement(453, static_cast<std::uint16_t>(block * 240), ring.data() + block * 240,
                                  model::kModeRaw, kSet),
              0);
  }
}

// Fresh data sets 0 and 1, every channel off, raw values off.
class ScopeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::InitDataSet(kSet), 0);
    for (std::uint8_t c = 0; c < 8; ++c) SetChannel(c, 0, 0);
    SetRawValues(false);
  }
  void TearDown() override { SetRawValues(false); }

  // The simulator's six waveform channels with their ring at `ring_start` and that start in element 33.42.
  void InstallWaves(std::uint16_t stored_start, std::uint16_t ring_start) {
    for (std::size_t c = 0; c < sim::kScopeWaveChannels.size(); ++c) {
      SetChannel(static_cast<std::uint8_t>(c), sim::kScopeWaveChannels[c].record, sim::kScopeWaveChannels[c].element);
    }
    std::array<std::uint8_t, 2880> ring{};
    sim::FillScopeWaveRing(ring.data(), ring_start);
    WriteRing(ring);
    WriteWord(33, 42, stored_start);
    WriteByte(454, 0, sim::kScopeWaveSamplingIndex);
  }
};

}  // namespace scope_test
