#include <gtest/gtest.h>

#include "link/link_status.h"
#include "link/online_services.h"
#include "link/scope_recording.h"
#include "sim/scope_recording.h"
#include "tests/link/online_fixture.h"

namespace {

using online_test::OnlineOnSim;
using online_test::PutRaw;

// A recording read from the simulated inverter with the scope transfer (settings, twelve sample blocks and
// the ring start) decodes into the device's waveforms.
TEST_F(OnlineOnSim, ScopeRecordingReadEndToEnd) {
  sim::InstallScopeRecording(device());
  PutRaw<std::uint8_t>(305, 145, 1, 0);  // short scope reading
  PutRaw<std::uint8_t>(305, 156, 1, 0);  // raw values
  ASSERT_EQ(ilink::ReadTransferSelection(1), ilink::kOk);
  ASSERT_EQ(ilink::LoadScopeRecording(1), 0);
  EXPECT_EQ(ilink::ScopeChannelsInUse(1), sim::kScopeWaveChannels.size());
  ASSERT_EQ(ilink::ScopeSamplesPerRecord(1), sim::kScopeWaveSamples);
  EXPECT_EQ(ilink::LoadedScopeRingStart(), sim::kScopeWaveRingStart);
  EXPECT_EQ(ilink::GetScopeSamplingIndex(1), sim::kScopeWaveSamplingIndex);
  for (std::uint8_t c = 0; c < sim::kScopeWaveChannels.size(); ++c) {
    for (std::uint16_t n = 0; n < sim::kScopeWaveSamples; ++n) {
      ASSERT_EQ(ilink::GetScopeSample(c, n, 1), static_cast<double>(sim::ScopeWaveValue(c, n)))
          << "channel " << int(c) << " sample " << n;
    }
  }
  PutRaw<std::uint8_t>(305, 156, 0, 0);
  PutRaw<std::uint8_t>(305, 145, 0, 0);
}

}  // namespace
