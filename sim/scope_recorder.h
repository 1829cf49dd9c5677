// The inverter's recorder: configured by the scope settings (record 454), started and stopped by inverter actions
// 10 and 11. It samples the configured channels at the chosen period into a ring of 2880 bytes (each sample the
// channels' stored bytes one after another, lowest byte first) and waits for its trigger once the share of
// samples before the trigger is in; when the ring is full behind the trigger the recording is ready, the ring
// start naming the oldest sample.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace sim {

// The scope state (record 33 element 59).
enum class RecorderState : std::uint8_t {
  kInactive = 1,
  kStarted = 2,   // collecting the samples before the trigger
  kArmed = 3,     // ready for the trigger
  kTriggered = 4, // recording behind the trigger
  kReady = 5,
};
const char* RecorderStateName(RecorderState state);

inline constexpr std::size_t kRecorderSettingsBytes = 44;
inline constexpr std::size_t kRecorderRingBytes = 2880;
inline constexpr std::size_t kRecorderChannels = 8;

class ScopeRecorder {
 public:
  // Reads an element's stored bytes; false when the device has no such element.
  using Reader = std::function<bool(std::uint16_t record, std::uint16_t element, std::span<std::uint8_t> out)>;

  // Takes the settings (record 454 as stored) and starts; false (and inactive) when no channel is on.
  bool Start(std::span<const std::uint8_t, kRecorderSettingsBytes> settings);
  // Stops a recording under way; a ready one stays ready.
  void Stop();
  // Advances by one millisecond; true when the state changed.
  bool Tick(const Reader& read);

  RecorderState state() const { return state_; }
  const std::array<std::uint8_t, kRecorderRingBytes>& ring() const { return ring_; }
  std::uint16_t ring_start() const { return ring_start_; }
  std::uint16_t samples() const { return samples_; }
  std::uint16_t pretrigger() const { return pretrigger_; }
  std::uint32_t period_ms() const { return period_ms_; }

 private:
  struct Channel {
    std::uint16_t record = 0;
    std::uint16_t element = 0;
    std::uint16_t size = 0;
  };
  bool Triggers(const Reader& read);
  void TakeSample(const Reader& read);

  RecorderState state_ = RecorderState::kInactive;
  std::array<Channel, kRecorderChannels> channels_{};
  std::uint16_t bytes_per_sample_ = 0;
  std::uint16_t samples_ = 0;
  std::uint16_t pretrigger_ = 0;
  std::uint32_t period_ms_ = 1;
  std::uint8_t trigger_kind_ = 0;
  std::uint8_t trigger_mode_ = 0;
  std::int32_t trigger_level_ = 0;
  std::uint16_t trigger_record_ = 0;
  std::uint16_t trigger_element_ = 0;
  bool have_last_ = false;
  std::int64_t last_value_ = 0;
  std::uint32_t ms_to_sample_ = 0;
  std::uint32_t collected_ = 0;  // samples since the start
  std::uint32_t post_left_ = 0;  // samples still to take behind the trigger
  std::uint16_t write_ = 0;
  std::uint16_t ring_start_ = 0;
  std::array<std::uint8_t, kRecorderRingBytes> ring_{};
};

}  // namespace sim
