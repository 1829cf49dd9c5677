// The module state shared by the recording, settings and list files of the scope support (internal).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/scope_recording.h"
#include "link/scope_tables.h"

namespace ilink::scope_internal {

// The code text a user-defined channel or trigger was given, with the pair it selected.
struct UserText {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  std::string text;
};

struct ScopeState {
  std::array<ScopeChannelSlot, kScopeChannels> slots{};
  std::array<UserText, kScopeChannels> user_texts{};
  UserText trigger_text;  // the user-defined trigger's code text
  std::uint16_t bytes_per_sample = 0;
  std::uint16_t samples = 0;
  std::uint8_t channels_in_use = 0;
  std::uint16_t ring_start = 0;
  std::array<std::uint8_t, kScopeSampleBytes> ring{};
  std::uint8_t last_set = 0;
  std::uint8_t trigger_decimals = 0;
  std::string trigger_unit;
  std::uint8_t trigger_format = 0;
  std::uint16_t pretrigger = 0;
  std::vector<std::uint16_t> signal_list{kScopeInactiveRow};  // list entry -> signal-table row
};

ScopeState& State();

// A channel's (record, element) pair in record 454; 0 with the pair or the read's status.
std::uint8_t ReadChannelPair(std::uint8_t channel, std::uint8_t set, std::uint16_t* record, std::uint16_t* element);
// The trigger signal's pair (elements 8 and 10).
std::uint8_t ReadTriggerPair(std::uint8_t set, std::uint16_t* record, std::uint16_t* element);
// One byte element of record 454.
std::uint8_t ReadSettingsByte(std::uint16_t element, std::uint8_t set, std::uint8_t* out);

// The signal of a (record, element) pair: its row, name, unit (expanded) and range.
ScopeSignalInfo DescribeSignal(std::uint8_t channel, std::uint16_t record, std::uint16_t element, std::uint8_t set);

// Raw values instead of physical ones (element 156 of record 305 of data set 0 is 1).
bool ScopeRawValues();

}  // namespace ilink::scope_internal
