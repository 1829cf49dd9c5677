// The channels a host feeds before it activates the scope window: 19 records with their samples, the trigger
// frame and the time base. Every value and text is copied in; channel numbers outside 0..18 are ignored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace scope {

inline constexpr int kChannelCount = 19;

struct TrendChannel {
  std::int32_t key = 0;  // the host's number for the channel; 0 = not fed
  std::uint8_t index = 0;  // the channel's own slot 0..18
  std::int8_t decimals = 0;
  std::int16_t data_type = 0;
  std::uint8_t kind = 0;  // 0 analogue, 4 binary
  std::vector<double> samples;  // absent = empty: the count is its size
  std::string unit;
  std::string name;

  std::uint32_t count() const { return static_cast<std::uint32_t>(samples.size()); }
};

class TrendChannels {
 public:
  TrendChannels() { Reset(); }

  // Every record emptied (index i kept in record i); trigger frame and time base 0.
  void Reset();

  // Null for a number outside 0..18.
  TrendChannel* Find(int channel);
  const std::array<TrendChannel, kChannelCount>& all() const { return channels_; }

  // A fresh buffer of n samples (0.0) replaces the old one; when it cannot be had, the channel has none.
  void SetDatacount(int channel, std::uint32_t n);
  // Copies n samples from start on when the whole range lies inside the buffer; otherwise nothing.
  void SetData(int channel, std::uint32_t start, std::uint32_t n, const double* values);
  // Null texts are empty.
  void SetName(int channel, const char* name);
  void SetUnit(int channel, const char* unit);

  std::int32_t trigger_frame = 0;
  std::int32_t time_base = 0;  // microseconds per sample

 private:
  std::array<TrendChannel, kChannelCount> channels_;
};

}  // namespace scope
