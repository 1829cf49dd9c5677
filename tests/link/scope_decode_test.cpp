#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "link/scope_recording.h"
#include "model/element_access.h"
#include "tests/link/scope_fixture.h"

namespace {

using scope_test::kSet;
using scope_test::ScopeTest;
using scope_test::SetChannel;

struct DecodeCase {
  std::uint8_t type;
  std::vector<std::uint8_t> bytes;
  double expected;
};

// Every sample type on the same high-bit patterns: sign extension only for the signed types.
TEST(ScopeDecode, EachSampleType) {
  const std::vector<DecodeCase> cases = {
      {0, {0xFE}, 254.0},          {2, {0xFE}, 254.0},
      {3, {0xFE}, -2.0},           {13, {0x80}, -128.0},
      {4, {0xFE, 0xFF}, 65534.0},  {5, {0xFE, 0xFF}, -2.0},
      {5, {0x34, 0x12}, 4660.0},   {6, {0xFE, 0xFF, 0xFF, 0xFF}, 4294967294.0},
      {7, {0xFE, 0xFF, 0xFF, 0xFF}, -2.0}, {7, {0x78, 0x56, 0x34, 0x12}, 305419896.0},
      {1, {0xFF}, 0.0},            {8, {0x41, 0, 0, 0, 0, 0, 0, 0, 0}, 0.0},
      {11, {0, 0, 0x80, 0x3F}, 0.0}, {12, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, 0.0},
      {14, std::vector<std::uint8_t>(240, 1), 0.0},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(ilink::DecodeScopeRaw(c.type, c.bytes), c.expected) << "type " << int(c.type);
  }
}

// The simulator's waveforms (i16, u8, i8, u16, u32, i32) read back sample by sample in raw mode, from a ring
// that starts at 17; n = count wraps to sample 0.
TEST_F(ScopeTest, KnownWaveformsInRawMode) {
  InstallWaves(sim::kScopeWaveRingStart, sim::kScopeWaveRingStart);
  scope_test::SetRawValues(true);
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  ASSERT_EQ(ilink::ScopeSamplesPerRecord(kSet), sim::kScopeWaveSamples);
  ASSERT_EQ(ilink::ScopeChannelsInUse(kSet), 6);
  ASSERT_EQ(ilink::LoadedScopeBytesPerSample(), sim::kScopeWaveBytesPerSample);
  for (std::uint8_t c = 0; c < 6; ++c) {
    for (std::uint16_t n = 0; n < sim::kScopeWaveSamples; ++n) {
      ASSERT_EQ(ilink::GetScopeSample(c, n, kSet), static_cast<double>(sim::ScopeWaveValue(c, n)))
          << "channel " << int(c) << " sample " << n;
    }
    EXPECT_EQ(ilink::GetScopeSample(c, sim::kScopeWaveSamples, kSet), ilink::GetScopeSample(c, 0, kSet));
    EXPECT_EQ(ilink::GetScopeSample(c, sim::kScopeWaveSamples + 1, kSet), 0.0);
  }
  EXPECT_EQ(ilink::GetScopeSample(6, 0, kSet), 0.0);  // off
  EXPECT_EQ(ilink::GetScopeSample(8, 0, kSet), 0.0);  // no such channel
  EXPECT_EQ(ilink::GetScopeSample(0, 0, 3), 0.0);     // no such data set
}

// Physical values are raw x factor + offset; the factor is the converter's unrounded value of a raw 1, so a
// converter that shows few decimals does not turn the factor into 0.
TEST_F(ScopeTest, PhysicalValuesUseTheUnroundedFactor) {
  InstallWaves(sim::kScopeWaveRingStart, sim::kScopeWaveRingStart);
  SetChannel(1, 33, 12);  // E01 P-motor: kW with two decimals
  SetChannel(2, 33, 61);  // E84: shown from 1
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  double unrounded = 1.0;
  ASSERT_EQ(model::ConvertElementValue(&unrounded, 1, 33, 12, kSet, 1), 0);
  const auto slots = ilink::ScopeChannelSlots();
  EXPECT_NE(slots[1].factor, 0.0);
  EXPECT_DOUBLE_EQ(slots[1].factor, unrounded);
  EXPECT_EQ(slots[2].factor, 1.0);
  EXPECT_EQ(slots[2].offset_value, 1.0);

  scope_test::SetRawValues(true);
  std::vector<double> raw;
  for (std::uint16_t n = 0; n < 20; ++n) raw.push_back(ilink::GetScopeSample(1, n, kSet));
  const double raw_set = ilink::GetScopeSample(2, 3, kSet);
  scope_test::SetRawValues(false);
  for (std::uint16_t n = 0; n < 20; ++n) EXPECT_DOUBLE_EQ(ilink::GetScopeSample(1, n, kSet), raw[n] * unrounded);
  EXPECT_EQ(ilink::GetScopeSample(2, 3, kSet), raw_set + 1.0);
}

// A ring start from the inverter or a file at or beyond the sample count stays inside the ring: it counts
// modulo the count (the sanitizers catch a read past record 453).
TEST_F(ScopeTest, RingStartIsKeptInsideTheRing) {
  const std::uint16_t count = sim::kScopeWaveSamples;
  for (const std::uint16_t stored : {std::uint16_t(count), std::uint16_t(count + 5), std::uint16_t(65535)}) {
    InstallWaves(stored, static_cast<std::uint16_t>(stored % count));
    scope_test::SetRawValues(true);
    ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
    EXPECT_EQ(ilink::LoadedScopeRingStart(), stored % count);
    for (std::uint16_t n = 0; n <= count; ++n) {
      ASSERT_EQ(ilink::GetScopeSample(5, n, kSet), static_cast<double>(sim::ScopeWaveValue(5, n % count)))
          << "start " << stored << " sample " << n;
    }
  }
}

// Channels that add no bytes: no channel on, or only pairs naming no element (type 255, size 0) give no
// samples instead of a division by zero; a float element takes its four bytes and reads 0.0.
TEST_F(ScopeTest, ChannelsWithoutBytes) {
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  EXPECT_EQ(ilink::ScopeSamplesPerRecord(kSet), 0);
  EXPECT_EQ(ilink::ScopeChannelsInUse(kSet), 0);
  EXPECT_EQ(ilink::GetScopeSample(0, 0, kSet), 0.0);

  SetChannel(0, 33, 1);    // inside record 33 but no element
  SetChannel(3, 999, 7);   // no such record
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  EXPECT_EQ(ilink::ScopeSamplesPerRecord(kSet), 0);
  EXPECT_EQ(ilink::ScopeChannelsInUse(kSet), 0);
  EXPECT_EQ(ilink::GetScopeSample(0, 0, kSet), 0.0);

  SetChannel(1, 320, 60);  // f32
  SetChannel(2, 33, 14);   // i16
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  EXPECT_EQ(ilink::ScopeChannelsInUse(kSet), 2);
  EXPECT_EQ(ilink::ScopeSamplesPerRecord(kSet), 2880 / 6);
  EXPECT_EQ(ilink::ScopeChannelSlots()[2].offset, 4);
  EXPECT_EQ(ilink::GetScopeSample(1, 0, kSet), 0.0);
}

TEST_F(ScopeTest, PretriggerSamplesFromTheShare) {
  InstallWaves(0, 0);
  scope_test::WriteByte(454, 1, 20);
  EXPECT_EQ(ilink::ScopePretriggerSamples(kSet), sim::kScopeWaveSamples * 20 / 100);
  scope_test::WriteByte(454, 1, 250);  // beyond 100 %: all samples
  EXPECT_EQ(ilink::ScopePretriggerSamples(kSet), sim::kScopeWaveSamples);
  EXPECT_EQ(ilink::ScopePretriggerSamples(3), 0);
}

}  // namespace
