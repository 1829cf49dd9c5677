#include "scope/core/trend_channel.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace scope {

void TrendChannels::Reset() {
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    channels_[i] = TrendChannel{};
    channels_[i].index = static_cast<std::uint8_t>(i);
  }
  trigger_frame = 0;
  time_base = 0;
}

TrendChannel* TrendChannels::Find(int channel) {
  if (channel < 0 || channel >= kChannelCount) return nullptr;
  return &channels_[static_cast<std::size_t>(channel)];
}

void TrendChannels::SetDatacount(int channel, std::uint32_t n) {
  TrendChannel* c = Find(channel);
  if (!c) return;
  std::vector<double>().swap(c->samples);  // the old buffer goes first, so a failed allocation leaves none
  try {
    c->samples.assign(n, 0.0);
  } catch (const std::bad_alloc&) {
    std::vector<double>().swap(c->samples);
  } catch (const std::length_error&) {
    std::vector<double>().swap(c->samples);
  }
}

void TrendChannels::SetData(int channel, std::uint32_t start, std::uint32_t n, const double* values) {
  TrendChannel* c = Find(channel);
  if (!c || !values) return;
  const std::uint32_t count = c->count();
  if (n > count || start > count - n) return;  // start + n might wrap around in 32 bits
  std::copy(values, values + n, c->samples.begin() + start);
}

void TrendChannels::SetName(int channel, const char* name) {
  if (TrendChannel* c = Find(channel)) c->name = name ? name : "";
}

void TrendChannels::SetUnit(int channel, const char* unit) {
  if (TrendChannel* c = Find(channel)) c->unit = unit ? unit : "";
}

}  // namespace scope
