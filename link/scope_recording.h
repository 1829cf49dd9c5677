// A loaded oscilloscope recording: the channel slots built from record 454 of a data set, the raw ring of
// record 453 and its decoding into physical values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "link/scope_tables.h"
#include "model/value_formatting.h"

namespace ilink {

// The signal of one channel as the lists, the export and the trend window show it.
struct ScopeSignalInfo {
  std::uint16_t row = kScopeInactiveRow;  // signal-table row (kScopeUserDefinedRow for a user pair)
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  std::string name;  // the row's name; the user's own text or "BB<record>.<element>" for a user pair
  std::string unit;  // positioning units expanded; the descriptor's unit when the row has none
  std::uint8_t kind = 0;  // 0 off (also a pair naming no element), 1 analogue, 2 binary
  double minimum = 0.0;
  double maximum = 0.0;
};

// One channel's slot of the loaded recording.
struct ScopeChannelSlot {
  std::uint16_t size = 0;    // bytes per sample, 0 = channel off
  std::uint16_t offset = 0;  // byte offset within a sample
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  std::uint8_t type = 255;  // the element's type
  double offset_value = 0.0;
  double factor = 1.0;
  ScopeSignalInfo signal;
};

// Decodes one stored value of a sample type (lowest byte first): 0, 2 u8; 3, 13 i8; 4 u16; 5 i16; 6 u32;
// 7 i32; any other type 0. `bytes` must hold the type's size.
double DecodeScopeRaw(std::uint8_t type, std::span<const std::uint8_t> bytes);

// Reads record 454 and rebuilds the channel slots, the unit texts and the trigger's unit (no samples).
std::uint8_t BuildScopeUnitTexts(std::uint8_t set);
// BuildScopeUnitTexts, then the ring start (element 42 of record 33, 0 when unreadable, kept below the
// sample count) and record 453.
std::uint8_t LoadScopeRecording(std::uint8_t set);

// From record 454 of `set` (0 for a data set that does not exist).
std::uint8_t ScopeChannelsInUse(std::uint8_t set);
std::uint16_t ScopeSamplesPerRecord(std::uint8_t set);
std::uint16_t ScopePretriggerSamples(std::uint8_t set);
std::uint8_t GetScopeSamplingIndex(std::uint8_t set);  // element 0 of record 454; 0 on failure or above 23

// Sample n (0..count; n = count is sample 0 again) of channel c of the loaded recording; 0.0 when the set
// does not exist, the channel is off or n is beyond the count. Raw values when element 156 of record 305 of
// data set 0 ("ScopeRohwerte") is 1, else value x factor + offset.
double GetScopeSample(std::uint8_t channel, std::uint16_t sample, std::uint8_t set);

// The signals of channels 0..last (18 when last is 8 or more; 1 for a data set that does not exist).
std::uint8_t GetScopeSignalRows(std::uint8_t last_channel, std::span<ScopeSignalInfo> rows, std::uint8_t set);

// The loaded state, for the scope window and tests.
std::span<const ScopeChannelSlot> ScopeChannelSlots();
std::uint16_t LoadedScopeRingStart();
std::uint16_t LoadedScopeBytesPerSample();

// The trigger signal's display: decimals and unit. The result is its format: 0 when the trigger takes no level,
// else the display kind of the trigger element's descriptor where that is a hexadecimal or bit form (9, 10, 13:
// the level is edited as hexadecimal), else kScopeLevelDecimal.
inline constexpr std::uint8_t kScopeLevelNone = 0;
inline constexpr std::uint8_t kScopeLevelDecimal = model::kDisplayDecimal;
constexpr bool IsScopeLevelHex(std::uint8_t format) {
  return format == model::kDisplayHex || format == model::kDisplayBits16 || format == model::kDisplayBits32;
}
std::uint8_t GetScopeTriggerUnit(std::uint8_t* decimals, std::string* unit);

// Length of the recording of `set` as FormatScopeLength gives it, cut to size - 1 characters: 0 or the
// read's failure code.
std::uint8_t FormatScopeRecordLength(char* text, std::size_t size, std::uint8_t set);

// Rounds value to 1, 2 or 3 significant digits (any other digits: unchanged): mode 0 upwards, 1 downwards,
// else half away from zero; even steps round to an even last digit. 0 stays 0.
void RoundToSignificantDigits(double* value, std::uint8_t mode, std::uint8_t digits, bool even_steps);

// Replaces the display ranges of `info` by ranges derived from the data set where a rule applies.
void ComputeScopeSignalRange(ScopeSignalInfo* info, std::uint8_t set);

}  // namespace ilink
