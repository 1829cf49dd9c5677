#include "sim/scope_recorder.h"

#include <algorithm>

#include "model/element_type.h"
#include "model/record_layout.h"

namespace sim {
namespace {

// Milliseconds per sample by the sampling-period index (indexes above the table count as 0).
constexpr std::array<std::uint32_t, 24> kPeriodMs = {1,  1,  1,   1,   1,   1,   1,    1,    1,    1,    2,     5,
                                                     10, 20, 50,  100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000};

std::uint16_t U16(std::span<const std::uint8_t, kRecorderSettingsBytes> s, std::size_t at) {
  return static_cast<std::uint16_t>(s[at] | s[at + 1] << 8);
}

// A stored value as the level compares it: 8- and 16-bit values sign-extended, 32-bit ones as signed.
std::int64_t LevelForm(std::span<const std::uint8_t> b) {
  switch (b.size()) {
    case 1: return static_cast<std::int8_t>(b[0]);
    case 2: return static_cast<std::int16_t>(b[0] | b[1] << 8);
    case 4: return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                             static_cast<std::uint32_t>(b[2]) << 16 |
                                             static_cast<std::uint32_t>(b[3]) << 24);
    default: return 0;
  }
}

std::uint16_t StoredSize(std::uint16_t record, std::uint16_t element) {
  if (record == 0 || record == 65535) return 0;
  const std::uint16_t size = model::ElementTypeSizeOf(model::GetElementType(record, element));
  return size <= 4 ? size : 0;  // a recorder samples numbers
}

}  // namespace

const char* RecorderStateName(RecorderState state) {
  switch (state) {
    case RecorderState::kInactive: return "inactive";
    case RecorderState::kStarted: return "started";
    case RecorderState::kArmed: return "armed";
    case RecorderState::kTriggered: return "triggered";
    case RecorderState::kReady: return "ready";
  }
  return "inactive";
}

bool ScopeRecorder::Start(std::span<const std::uint8_t, kRecorderSettingsBytes> s) {
  bytes_per_sample_ = 0;
  for (std::size_t c = 0; c < kRecorderChannels; ++c) {
    Channel& ch = channels_[c];
    ch.record = U16(s, 12 + 4 * c);
    ch.element = U16(s, 14 + 4 * c);
    ch.size = StoredSize(ch.record, ch.element);
    bytes_per_sample_ = static_cast<std::uint16_t>(bytes_per_sample_ + ch.size);
  }
  if (bytes_per_sample_ == 0) {
    state_ = RecorderState::kInactive;
    return false;
  }
  samples_ = static_cast<std::uint16_t>(kRecorderRingBytes / bytes_per_sample_);
  // At least the trigger's own sample lies behind the trigger.
  pretrigger_ = static_cast<std::uint16_t>(std::min<std::uint32_t>(samples_ * std::min<std::uint8_t>(s[1], 100) / 100,
                                                                   samples_ - 1u));
  period_ms_ = kPeriodMs[s[0] < kPeriodMs.size() ? s[0] : 0];
  trigger_kind_ = s[2];
  trigger_mode_ = s[3];
  trigger_level_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(s[4]) | static_cast<std::uint32_t>(s[5]) << 8 |
                                             static_cast<std::uint32_t>(s[6]) << 16 |
                                             static_cast<std::uint32_t>(s[7]) << 24);
  trigger_record_ = U16(s, 8);
  trigger_element_ = U16(s, 10);
  have_last_ = false;
  ms_to_sample_ = 0;
  collected_ = 0;
  post_left_ = 0;
  write_ = 0;
  ring_.fill(0);
  state_ = pretrigger_ == 0 ? RecorderState::kArmed : RecorderState::kStarted;
  return true;
}

void ScopeRecorder::Stop() {
  if (state_ != RecorderState::kReady) state_ = RecorderState::kInactive;
}

bool ScopeRecorder::Triggers(const Reader& read) {
  if (trigger_kind_ == 0) return true;   // directly
  if (trigger_kind_ != 2) return false;  // never
  std::array<std::uint8_t, 4> b{};
  const std::uint16_t size = StoredSize(trigger_record_, trigger_element_);
  if (size == 0 || !read(trigger_record_, trigger_element_, std::span(b.data(), size))) return false;
  const std::int64_t value = LevelForm(std::span<const std::uint8_t>(b.data(), size));
  const std::int64_t last = have_last_ ? last_value_ : value;
  have_last_ = true;
  last_value_ = value;
  if (trigger_mode_ == 1) return value == trigger_level_;  // a device condition
  // A signal level: the signal reaches or crosses it, either way.
  return (last < trigger_level_ && value >= trigger_level_) || (last > trigger_level_ && value <= trigger_level_);
}

void ScopeRecorder::TakeSample(const Reader& read) {
  std::size_t at = static_cast<std::size_t>(write_) * bytes_per_sample_;
  for (const Channel& ch : channels_) {
    if (ch.size == 0) continue;
    std::span<std::uint8_t> out(ring_.data() + at, ch.size);
    if (!read(ch.record, ch.element, out)) std::fill(out.begin(), out.end(), 0);
    at += ch.size;
  }
  write_ = static_cast<std::uint16_t>((write_ + 1) % samples_);
  ++collected_;
}

bool ScopeRecorder::Tick(const Reader& read) {
  if (state_ == RecorderState::kInactive || state_ == RecorderState::kReady) return false;
  if (ms_to_sample_ > 0) {
    --ms_to_sample_;
    return false;
  }
  ms_to_sample_ = period_ms_ - 1;
  const RecorderState before = state_;
  if (state_ == RecorderState::kArmed && Triggers(read)) {
    state_ = RecorderState::kTriggered;
    post_left_ = static_cast<std::uint32_t>(samples_ - pretrigger_);
  } else if (state_ == RecorderState::kStarted) {
    Triggers(read);  // keeps the last value, so that a level already passed does not count as crossed
  }
  TakeSample(read);
  if (state_ == RecorderState::kStarted && collected_ >= pretrigger_) state_ = RecorderState::kArmed;
  if (state_ == RecorderState::kTriggered && --post_left_ == 0) {
    ring_start_ = write_;
    state_ = RecorderState::kReady;
  }
  return state_ != before;
}

}  // namespace sim
