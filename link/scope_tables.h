// The recorder's tables: the signals a channel can sample, the trigger sources, and the sizes of the lists.
#pragma once

#include <cstdint>
#include <span>

namespace ilink {

// One row of ScopeSignalTable.
struct ScopeSignalRow {
  std::uint16_t record;   // 65535 for "inactive", 0 for the end row
  std::uint16_t element;  // byte offset
  const char* name;       // display name, beginning with its parameter code
  const char* unit;       // "" for binary signals; model::kUnitPosition/kUnitPositionPerS for positioning units
  std::uint8_t kind;      // 0 none, 1 analogue, 2 binary
  float minimum;          // display range
  float maximum;
  std::uint8_t first_letter;  // lowest firmware version letter that has the signal
  std::uint8_t developer;     // 1: offered only at access level 2 or with raw values on
};

// One row of ScopeTriggerTable.
struct ScopeTriggerRow {
  const char* name;          // the fixed rows' own text; signal rows take the signal's name
  std::uint16_t signal_row;  // signal-table row of a signal row, 0 for a fixed row
  std::uint8_t is_signal;
  std::uint8_t has_level;
  std::uint8_t kind;  // element 2 of record 454: 0 at once, 1 never, 2 condition or level
  std::uint8_t mode;  // element 3: 1 device-state condition, 0 signal level
  std::uint16_t record;
  std::uint16_t element;
  std::int32_t level;  // default level or compared value
};

inline constexpr std::uint8_t kScopeChannels = 8;
inline constexpr std::uint16_t kScopeSignalRows = 126;   // rows 0..125 before the end row
inline constexpr std::uint16_t kScopeSignalListSize = 126;
inline constexpr std::uint16_t kScopeTriggerRows = 133;
inline constexpr std::uint16_t kScopeFixedTriggerRows = 5;  // rows 0..4; rows 5.. name signal rows 1..
inline constexpr std::uint16_t kScopeInactiveRow = 0;
inline constexpr std::uint16_t kScopeUserDefinedRow = 114;
inline constexpr std::uint16_t kScopeUserDefinedTrigger = kScopeFixedTriggerRows - 1 + kScopeUserDefinedRow;
inline constexpr std::uint16_t kNoScopeRow = 0xFFFF;

inline constexpr std::uint16_t kScopeSettingsRecord = 454;
inline constexpr std::uint16_t kScopeSampleRecord = 453;
inline constexpr std::uint16_t kScopeSampleBytes = 2880;

std::uint8_t ScopeChannelCount();       // 8
std::uint16_t ScopeSignalListSize();    // 126
std::uint16_t ScopeTriggerListSize();   // 133

// The signal table with its end row (record 0).
std::span<const ScopeSignalRow> ScopeSignalTable();
std::span<const ScopeTriggerRow> ScopeTriggerTable();

// The first signal row (1 onwards, user-defined row excepted) naming (record, element); kNoScopeRow when none.
std::uint16_t FindScopeSignalRow(std::uint16_t record, std::uint16_t element);

}  // namespace ilink
