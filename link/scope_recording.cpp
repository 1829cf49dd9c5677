#include "link/scope_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "link/scope_settings.h"
#include "link/scope_state.h"
#include "link/scope_time_base.h"
#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_attributes.h"
#include "model/element_type.h"
#include "model/record_layout.h"
#include "model/unit_texts.h"

namespace ilink {
namespace scope_internal {

ScopeState& State() {
  static ScopeState state;
  return state;
}

namespace {

std::uint8_t ReadWord(std::uint16_t element, std::uint8_t set, std::uint16_t* out) {
  std::uint8_t bytes[2] = {};
  const std::uint8_t status = model::ReadElement(kScopeSettingsRecord, element, bytes, model::kModeRaw, set);
  if (status == 0) *out = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
  return status;
}

// The unit a descriptor shows beside a number, "" when it has none.
std::string DescriptorUnit(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  const model::ParameterDescriptor* d = model::FindDescriptor(record, element);
  if (!d || d->kind != 1 || !d->texts || !d->texts[0] || d->texts[0][0] == '\0' || !d->texts[1]) return {};
  char unit[64] = {};
  model::ExpandUnitText(d->texts[1], unit, sizeof unit, set);
  return unit;
}

}  // namespace

std::uint8_t ReadChannelPair(std::uint8_t channel, std::uint8_t set, std::uint16_t* record, std::uint16_t* element) {
  const auto base = static_cast<std::uint16_t>(12 + 4 * channel);
  if (const std::uint8_t s = ReadWord(base, set, record); s != 0) return s;
  return ReadWord(static_cast<std::uint16_t>(base + 2), set, element);
}

std::uint8_t ReadTriggerPair(std::uint8_t set, std::uint16_t* record, std::uint16_t* element) {
  if (const std::uint8_t s = ReadWord(8, set, record); s != 0) return s;
  return ReadWord(10, set, element);
}

std::uint8_t ReadSettingsByte(std::uint16_t element, std::uint8_t set, std::uint8_t* out) {
  return model::ReadElement(kScopeSettingsRecord, element, out, model::kModeRaw, set);
}

ScopeSignalInfo DescribeSignal(std::uint8_t channel, std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  ScopeSignalInfo info;
  info.record = record;
  info.element = element;
  const auto table = ScopeSignalTable();
  if (record == 0 || record == 65535 || model::ElementTypeSizeOf(model::GetElementType(record, element)) == 0) {
    // Off, or a pair naming no element of the layout: nothing can be sampled.
    info.name = table[kScopeInactiveRow].name;
    return info;
  }
  std::uint16_t row = FindScopeSignalRow(record, element);
  if (row == kNoScopeRow) {
    row = kScopeUserDefinedRow;
    const UserText& user = State().user_texts[channel % kScopeChannels];
    if (!user.text.empty() && user.record == record && user.element == element) {
      info.name = user.text;
    } else {
      char name[24];
      std::snprintf(name, sizeof name, "BB%u.%u", static_cast<unsigned>(record), static_cast<unsigned>(element));
      info.name = name;
    }
  } else {
    info.name = table[row].name;
  }
  const ScopeSignalRow& r = table[row];
  info.row = row;
  info.kind = r.kind;
  info.minimum = r.minimum;
  info.maximum = r.maximum;
  char unit[64] = {};
  model::ExpandUnitText(r.unit, unit, sizeof unit, set);
  info.unit = unit;
  if (info.unit.empty() && r.kind != 2) info.unit = DescriptorUnit(record, element, set);
  ComputeScopeSignalRange(&info, set);
  return info;
}

bool ScopeRawValues() {
  std::uint8_t raw = 0;
  return model::ReadElement(305, 156, &raw, model::kModeRaw, 0) == 0 && raw == 1;
}

}  // namespace scope_internal

using scope_internal::ScopeState;
using scope_internal::State;

namespace {

struct ChannelLayout {
  std::array<ScopeChannelSlot, kScopeChannels> slots{};
  std::uint16_t bytes_per_sample = 0;
  std::uint16_t samples = 0;
  std::uint8_t in_use = 0;
};

// The scale of a channel: a raw 1 through the element's converter, unrounded. A factor that fails, is not a
// number or is 0 would turn every sample into the same value; it is refused for 1.0.
double ChannelFactor(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  double value = 1.0;
  if (model::ConvertElementValue(&value, 1, record, element, set, 1) != 0) return 1.0;
  if (!std::isfinite(value) || value == 0.0) return 1.0;
  return value;
}

std::uint8_t ReadLayout(std::uint8_t set, ChannelLayout* layout, bool describe) {
  if (set > model::LastDataSetIndex()) return 1;
  std::uint32_t offset = 0;
  for (std::uint8_t c = 0; c < kScopeChannels; ++c) {
    std::uint16_t record = 0;
    std::uint16_t element = 0;
    if (const std::uint8_t s = scope_internal::ReadChannelPair(c, set, &record, &element); s != 0) return s;
    ScopeChannelSlot& slot = layout->slots[c];
    slot.record = record;
    slot.element = element;
    if (record == 0 || record == 65535) continue;
    slot.type = model::GetElementType(record, element);
    slot.size = model::ElementTypeSizeOf(slot.type);
    if (slot.size == 0) continue;  // an absent element: no bytes, the channel stays off
    slot.offset = static_cast<std::uint16_t>(std::min<std::uint32_t>(offset, 0xFFFF));
    offset += slot.size;
    ++layout->in_use;
    if (!describe) continue;
    slot.factor = ChannelFactor(record, element, set);
    slot.offset_value = 0.0;
    if (record == 33 && element == 61) {  // the active parameter set counts from 1
      slot.factor = 1.0;
      slot.offset_value = 1.0;
    }
    slot.signal = scope_internal::DescribeSignal(c, record, element, set);
  }
  // Guarded on the byte sum, not on the channel count: channels naming no element add no bytes.
  layout->bytes_per_sample = static_cast<std::uint16_t>(std::min<std::uint32_t>(offset, 0xFFFF));
  layout->samples = offset == 0 ? 0 : static_cast<std::uint16_t>(kScopeSampleBytes / offset);
  return 0;
}

}  // namespace

double DecodeScopeRaw(std::uint8_t type, std::span<const std::uint8_t> bytes) {
  const auto at = [&](std::size_t i) -> std::uint32_t { return i < bytes.size() ? bytes[i] : 0u; };
  const std::uint32_t u16 = at(0) | at(1) << 8;
  const std::uint32_t u32 = u16 | at(2) << 16 | at(3) << 24;
  switch (type) {
    case 0: case 2: return static_cast<double>(at(0));
    case 3: case 13: return static_cast<double>(static_cast<std::int8_t>(at(0)));
    case 4: return static_cast<double>(u16);
    case 5: return static_cast<double>(static_cast<std::int16_t>(u16));
    case 6: return static_cast<double>(u32);
    case 7: return static_cast<double>(static_cast<std::int32_t>(u32));
    default: return 0.0;
  }
}

std::uint8_t BuildScopeUnitTexts(std::uint8_t set) {
  ChannelLayout layout;
  if (const std::uint8_t s = ReadLayout(set, &layout, true); s != 0) return s;
  ScopeState& state = State();
  state.slots = layout.slots;
  state.bytes_per_sample = layout.bytes_per_sample;
  state.samples = layout.samples;
  state.channels_in_use = layout.in_use;
  state.last_set = set;
  std::uint8_t share = 0;
  scope_internal::ReadSettingsByte(1, set, &share);
  state.pretrigger = static_cast<std::uint16_t>(static_cast<std::uint32_t>(layout.samples) * std::min<std::uint8_t>(share, 100) / 100);

  // The trigger signal's display form.
  state.trigger_decimals = 0;
  state.trigger_unit.clear();
  state.trigger_format = 0;
  const std::uint16_t trigger = GetScopeTriggerSelection(set);
  const ScopeTriggerRow& row = ScopeTriggerTable()[trigger < kScopeTriggerRows ? trigger : 0];
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (row.has_level && scope_internal::ReadTriggerPair(set, &record, &element) == 0) {
    state.trigger_format = kScopeLevelDecimal;
    if (const model::ParameterDescriptor* d = model::FindDescriptor(record, element)) {
      state.trigger_decimals = model::GetElementAttributes(record, d->selector, set);
      if (IsScopeLevelHex(d->kind)) state.trigger_format = d->kind;
    }
    state.trigger_unit = scope_internal::DescribeSignal(0, record, element, set).unit;
  }
  return 0;
}

std::uint8_t LoadScopeRecording(std::uint8_t set) {
  if (const std::uint8_t s = BuildScopeUnitTexts(set); s != 0) return s;
  ScopeState& state = State();
  std::uint8_t start[2] = {};
  std::uint16_t ring_start = 0;
  if (model::ReadElement(33, 42, start, model::kModeRaw, set) == 0) {
    ring_start = static_cast<std::uint16_t>(start[0] | start[1] << 8);
  }
  // The start comes from the inverter or a file: kept inside the ring so that no read leaves record 453.
  state.ring_start = state.samples == 0 ? 0 : static_cast<std::uint16_t>(ring_start % state.samples);
  state.ring.fill(0);
  return model::ReadRecord(kScopeSampleRecord, state.ring.data(), model::kModeRaw, set);
}

std::uint8_t ScopeChannelsInUse(std::uint8_t set) {
  ChannelLayout layout;
  return ReadLayout(set, &layout, false) == 0 ? layout.in_use : 0;
}

std::uint16_t ScopeSamplesPerRecord(std::uint8_t set) {
  ChannelLayout layout;
  return ReadLayout(set, &layout, false) == 0 ? layout.samples : 0;
}

std::uint16_t ScopePretriggerSamples(std::uint8_t set) {
  ChannelLayout layout;
  std::uint8_t share = 0;
  if (ReadLayout(set, &layout, false) != 0 || scope_internal::ReadSettingsByte(1, set, &share) != 0) return 0;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(layout.samples) * std::min<std::uint8_t>(share, 100) / 100);
}

std::uint8_t GetScopeSamplingIndex(std::uint8_t set) {
  std::uint8_t index = 0;
  if (set > model::LastDataSetIndex() || scope_internal::ReadSettingsByte(0, set, &index) != 0) return 0;
  return index < kScopeSamplingIndices ? index : 0;
}

double GetScopeSample(std::uint8_t channel, std::uint16_t sample, std::uint8_t set) {
  const ScopeState& state = State();
  if (set > model::LastDataSetIndex() || channel >= kScopeChannels || sample > state.samples) return 0.0;
  const ScopeChannelSlot& slot = state.slots[channel];
  if (slot.size == 0 || state.samples == 0) return 0.0;
  std::uint32_t p = static_cast<std::uint32_t>(sample) + state.ring_start;
  if (p >= state.samples) p -= state.samples;
  const std::uint32_t position = p * state.bytes_per_sample + slot.offset;
  if (position + slot.size > state.ring.size()) return 0.0;
  const double value = DecodeScopeRaw(slot.type, std::span(state.ring).subspan(position, slot.size));
  if (scope_internal::ScopeRawValues()) return value;
  return value * slot.factor + slot.offset_value;
}

std::uint8_t GetScopeSignalRows(std::uint8_t last_channel, std::span<ScopeSignalInfo> rows, std::uint8_t set) {
  if (last_channel >= kScopeChannels) return 18;
  if (set > model::LastDataSetIndex()) return 1;
  for (std::uint8_t c = 0; c <= last_channel && c < rows.size(); ++c) {
    std::uint16_t record = 0;
    std::uint16_t element = 0;
    if (const std::uint8_t s = scope_internal::ReadChannelPair(c, set, &record, &element); s != 0) return s;
    rows[c] = scope_internal::DescribeSignal(c, record, element, set);
  }
  return 0;
}

std::span<const ScopeChannelSlot> ScopeChannelSlots() { return State().slots; }
std::uint16_t LoadedScopeRingStart() { return State().ring_start; }
std::uint16_t LoadedScopeBytesPerSample() { return State().bytes_per_sample; }

std::uint8_t GetScopeTriggerUnit(std::uint8_t* decimals, std::string* unit) {
  const ScopeState& state = State();
  if (decimals) *decimals = state.trigger_decimals;
  if (unit) *unit = state.trigger_unit;
  return state.trigger_format;
}

std::uint8_t FormatScopeRecordLength(char* text, std::size_t size, std::uint8_t set) {
  if (set > model::LastDataSetIndex()) return 1;
  std::uint8_t index = 0;
  if (const std::uint8_t s = scope_internal::ReadSettingsByte(0, set, &index); s != 0) return s;
  ChannelLayout layout;
  if (const std::uint8_t s = ReadLayout(set, &layout, false); s != 0) return s;
  const std::string length = FormatScopeLength(layout.samples, index);
  if (text && size > 0) {
    const std::size_t n = std::min(length.size(), size - 1);
    std::memcpy(text, length.data(), n);
    text[n] = '\0';
  }
  return 0;
}

}  // namespace ilink
