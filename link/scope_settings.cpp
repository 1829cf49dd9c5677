#include "link/scope_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "link/scope_recording.h"
#include "link/scope_state.h"
#include "link/scope_tables.h"
#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/parameter_codes.h"
#include "model/record_layout.h"
#include "model/record_versions.h"
#include "model/version_letter.h"

namespace ilink {
namespace {

using scope_internal::State;

constexpr std::uint8_t kBadChannel = 18;
constexpr std::uint8_t kBadIndex = 20;
constexpr std::uint8_t kNoSet = 1;
constexpr std::uint8_t kWrongValue = 6;

std::uint8_t WriteWord(std::uint16_t element, std::uint16_t value, std::uint8_t set) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  return model::WriteElement(kScopeSettingsRecord, element, bytes, model::kModeRaw, set);
}

std::uint8_t WriteByte(std::uint16_t element, std::uint8_t value, std::uint8_t set) {
  return model::WriteElement(kScopeSettingsRecord, element, &value, model::kModeRaw, set);
}

std::uint8_t WriteLevel(std::int32_t level, std::uint8_t set) {
  const auto u = static_cast<std::uint32_t>(level);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                                 static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
  return model::WriteElement(kScopeSettingsRecord, 4, bytes, model::kModeRaw, set);
}

std::int32_t ReadLevel(std::uint8_t set) {
  std::uint8_t b[4] = {};
  if (model::ReadElement(kScopeSettingsRecord, 4, b, model::kModeRaw, set) != 0) return 0;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0] | b[1] << 8 | b[2] << 16) |
                                   static_cast<std::uint32_t>(b[3]) << 24);
}

// A pair the recorder can sample: an element of the set's firmware version, of a number type with a size.
bool Sampleable(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (record == 0 || record == 65535 || model::IsElementInVersion(record, element, set) != 1) return false;
  const std::uint8_t type = model::GetElementType(record, element);
  return !model::IsStringType(type) && type != model::kTypeBlock240 && model::ElementTypeSizeOf(type) != 0;
}

// The pair a user-defined code text names (a parameter code, else a "BB" reference); (0, 0) when nothing
// sampleable.
void ResolveUserCode(const char* code, std::uint8_t set, std::uint16_t* record, std::uint16_t* element) {
  const char* text = code && code[0] != '\0' ? code : " ";
  std::uint16_t r = 0;
  std::uint16_t e = 0;
  if (model::FindParameterByCode(&r, &e, text, set) != 1 && ParseScopeReference(text, &r, &e) != 1) r = e = 0;
  if (!Sampleable(r, e, set)) r = e = 0;
  *record = r;
  *element = e;
}

bool ParseNumber(const char* text, double* out) {
  if (!text) return false;
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  std::string_view v(s);
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  const auto result = std::from_chars(v.data(), v.data() + v.size(), *out);
  return result.ec == std::errc() && result.ptr == v.data() + v.size() && std::isfinite(*out);
}

// The stored value of a 32-bit level read as the trigger element's type (only the signed types 3 and 5 are
// sign-extended from their width).
double LevelAsStored(std::int32_t level, std::uint8_t type) {
  const auto u = static_cast<std::uint32_t>(level);
  switch (type) {
    case 0: case 2: return u & 0xFFu;
    case 3: return static_cast<std::int8_t>(u & 0xFFu);
    case 4: return u & 0xFFFFu;
    case 5: return static_cast<std::int16_t>(u & 0xFFFFu);
    case 6: return u;
    default: return level;
  }
}

// The stored range of an integer type.
void TypeRange(std::uint8_t type, double* lo, double* hi) {
  switch (type) {
    case 0: case 2: *lo = 0; *hi = 255; break;
    case 3: *lo = -128; *hi = 127; break;
    case 4: *lo = 0; *hi = 65535; break;
    case 5: *lo = -32768; *hi = 32767; break;
    case 6: *lo = 0; *hi = 4294967295.0; break;
    default: *lo = -2147483648.0; *hi = 2147483647.0; break;
  }
}

}  // namespace

std::uint16_t BuildScopeSignalList(std::uint8_t set) {
  auto& list = State().signal_list;
  list.assign(1, kScopeInactiveRow);
  const std::uint8_t letter = model::GetVersionLetter(set);
  std::uint8_t access = 0;
  model::ReadElement(305, 11, &access, model::kModeRaw, 0);
  const bool developer = access >= 2 || scope_internal::ScopeRawValues();
  const auto table = ScopeSignalTable();
  for (std::uint16_t row = 1; row < kScopeSignalRows && list.size() < kScopeSignalListSize; ++row) {
    if (letter != 0 && letter < table[row].first_letter) continue;  // an unknown letter offers every row
    if (table[row].developer && !developer) continue;
    list.push_back(row);
  }
  return static_cast<std::uint16_t>(list.size());
}

std::uint16_t ScopeSignalListRow(std::uint16_t n) {
  const auto& list = State().signal_list;
  return n < list.size() ? list[n] : kNoScopeRow;
}

std::uint8_t GetScopeSignalNames(std::uint8_t channel, std::vector<std::string>* names, std::uint8_t set) {
  if (channel >= kScopeChannels) return kBadChannel;
  if (set > model::LastDataSetIndex()) return kNoSet;
  BuildScopeSignalList(set);
  const bool family2 = model::GetDeviceFamily(set) == 2;
  names->clear();
  for (const std::uint16_t row : State().signal_list) {
    const char* name = ScopeSignalTable()[row].name;
    names->push_back(family2 && std::strcmp(name, "E18 relay 2") == 0 ? "E18 BA 2" : name);
  }
  return 0;
}

std::uint16_t GetScopeSignalSelection(std::uint8_t channel, std::uint8_t set) {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (channel >= kScopeChannels || set > model::LastDataSetIndex() ||
      scope_internal::ReadChannelPair(channel, set, &record, &element) != 0) {
    return 0;
  }
  const ScopeSignalInfo info = scope_internal::DescribeSignal(channel, record, element, set);
  const auto& list = State().signal_list;
  const auto it = std::find(list.begin(), list.end(), info.row);
  return it == list.end() ? 0 : static_cast<std::uint16_t>(it - list.begin());
}

std::uint8_t GetScopeSignalTexts(std::uint8_t channel, std::string* name, std::string* text, std::uint8_t set) {
  if (channel >= kScopeChannels) return kBadChannel;
  if (set > model::LastDataSetIndex()) return kNoSet;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (const std::uint8_t s = scope_internal::ReadChannelPair(channel, set, &record, &element); s != 0) return s;
  const ScopeSignalInfo info = scope_internal::DescribeSignal(channel, record, element, set);
  if (name) *name = info.name;
  if (text) *text = info.row == kScopeUserDefinedRow ? info.name : std::string();
  return 0;
}

std::uint8_t ParseScopeReference(const char* text, std::uint16_t* record, std::uint16_t* element) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ') ++p;
  if ((p[0] != 'B' && p[0] != 'b') || (p[1] != 'B' && p[1] != 'b')) return 0;
  p += 2;
  while (*p == ' ') ++p;
  std::uint32_t r = 0;
  const char* digits = p;
  while (*p >= '0' && *p <= '9' && r <= 65535) r = r * 10 + static_cast<std::uint32_t>(*p++ - '0');
  if (p == digits || r < 1 || r > 65535) return 0;
  while (*p == ' ') ++p;
  if (*p != '.' && *p != ',') return 0;
  ++p;
  while (*p == ' ') ++p;
  std::uint32_t e = 0;
  digits = p;
  while (*p >= '0' && *p <= '9' && e <= 65535) e = e * 10 + static_cast<std::uint32_t>(*p++ - '0');
  if (p == digits || e > 65535) return 0;
  *record = static_cast<std::uint16_t>(r);
  *element = static_cast<std::uint16_t>(e);
  return 1;
}

std::uint8_t SetScopeChannelSignal(std::uint8_t channel, std::uint16_t n, const char* code, std::uint8_t set) {
  // Channel 8 would write at 12 + 4 x 8 = 44, past the record: refused like every channel above it.
  if (channel >= kScopeChannels) return kBadChannel;
  if (n >= kScopeSignalListSize) return kBadIndex;
  if (set > model::LastDataSetIndex()) return kNoSet;
  BuildScopeSignalList(set);
  const std::uint16_t row = ScopeSignalListRow(n);
  if (row == kNoScopeRow) return kBadIndex;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  scope_internal::UserText& user = State().user_texts[channel];
  user = {};
  if (row == kScopeUserDefinedRow) {
    ResolveUserCode(code, set, &record, &element);
    if (record != 0 && code) user = {record, element, code};
  } else if (row != kScopeInactiveRow) {
    record = ScopeSignalTable()[row].record;
    element = ScopeSignalTable()[row].element;
  }
  const auto base = static_cast<std::uint16_t>(12 + 4 * channel);
  if (const std::uint8_t s = WriteWord(base, record, set); s != 0) return s;
  return WriteWord(static_cast<std::uint16_t>(base + 2), element, set);
}

std::uint8_t RaiseScopeSamplingIndex(std::uint8_t set) {
  if (const std::uint8_t s = BuildScopeUnitTexts(set); s != 0) return s;
  const std::uint8_t in_use = State().channels_in_use;
  std::uint8_t index = 0;
  if (const std::uint8_t s = scope_internal::ReadSettingsByte(0, set, &index); s != 0) return s;
  const std::uint8_t current = index <= 23 ? index : 0;
  const std::uint8_t lowest = in_use >= 7 ? 12 : in_use >= 5 ? 11 : 0;
  if (current < lowest) return WriteByte(0, lowest, set);
  return 0;
}

void GetScopeTriggerNames(std::vector<std::string>* names) {
  names->clear();
  for (const ScopeTriggerRow& row : ScopeTriggerTable()) names->emplace_back(row.name);
}

std::uint16_t GetScopeTriggerSelection(std::uint8_t set) {
  std::uint8_t kind = 0;
  std::uint8_t mode = 0;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (set > model::LastDataSetIndex() || scope_internal::ReadSettingsByte(2, set, &kind) != 0 ||
      scope_internal::ReadSettingsByte(3, set, &mode) != 0 ||
      scope_internal::ReadTriggerPair(set, &record, &element) != 0) {
    return 0;
  }
  if (kind == 0) return 0;
  if (kind == 1) return 1;
  const auto table = ScopeTriggerTable();
  if (mode != 0) {
    const std::int32_t level = ReadLevel(set);
    for (std::uint16_t n = 2; n < table.size(); ++n) {
      const ScopeTriggerRow& row = table[n];
      if (!row.is_signal && row.kind == kind && row.mode == mode && row.record == record &&
          row.element == element && row.level == level) {
        return n;
      }
    }
    return 0;
  }
  const std::uint16_t signal = FindScopeSignalRow(record, element);
  if (signal != kNoScopeRow) return static_cast<std::uint16_t>(kScopeFixedTriggerRows - 1 + signal);
  return Sampleable(record, element, set) ? kScopeUserDefinedTrigger : 0;
}

std::uint8_t SetScopeTrigger(std::uint16_t n, const char* code, std::uint8_t set) {
  if (n >= kScopeTriggerRows) return kBadIndex;
  if (set > model::LastDataSetIndex()) return kNoSet;
  const ScopeTriggerRow& row = ScopeTriggerTable()[n];
  std::uint16_t record = row.record;
  std::uint16_t element = row.element;
  if (row.is_signal && row.signal_row == kScopeUserDefinedRow) {
    ResolveUserCode(code, set, &record, &element);
    State().trigger_text = record != 0 && code ? scope_internal::UserText{record, element, code}
                                               : scope_internal::UserText{};
  }
  std::uint16_t old_record = 0;
  std::uint16_t old_element = 0;
  const bool same_signal = scope_internal::ReadTriggerPair(set, &old_record, &old_element) == 0 &&
                           old_record == record && old_element == element && row.has_level &&
                           GetScopeTriggerSelection(set) == n;
  if (const std::uint8_t s = WriteByte(2, row.kind, set); s != 0) return s;
  if (const std::uint8_t s = WriteByte(3, row.mode, set); s != 0) return s;
  // A level belongs to its signal: it goes back to the row's default when the signal changes and stays when
  // the same signal is chosen again.
  if (!same_signal) {
    if (const std::uint8_t s = WriteLevel(row.level, set); s != 0) return s;
  }
  if (const std::uint8_t s = WriteWord(8, record, set); s != 0) return s;
  return WriteWord(10, element, set);
}

std::uint8_t GetScopeTriggerText(std::string* text, std::uint8_t set) {
  text->clear();
  if (set > model::LastDataSetIndex()) return kNoSet;
  if (GetScopeTriggerSelection(set) != kScopeUserDefinedTrigger) return 0;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (const std::uint8_t s = scope_internal::ReadTriggerPair(set, &record, &element); s != 0) return s;
  const scope_internal::UserText& user = State().trigger_text;
  if (!user.text.empty() && user.record == record && user.element == element) {
    *text = user.text;
  } else {
    *text = "BB";
    *text += std::to_string(record);
    *text += '.';
    *text += std::to_string(element);
  }
  return 0;
}

double GetScopeTriggerLevel(std::uint8_t set) {
  if (set > model::LastDataSetIndex()) return 0.0;
  const std::uint16_t n = GetScopeTriggerSelection(set);
  if (!ScopeTriggerTable()[n].has_level) return 0.0;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (scope_internal::ReadTriggerPair(set, &record, &element) != 0) return 0.0;
  const double stored = LevelAsStored(ReadLevel(set), model::GetElementType(record, element));
  double value = stored;
  if (model::ConvertElementValue(&value, 1, record, element, set, 0) != 0) value = stored;
  return value;
}

std::uint8_t SetScopeTriggerLevel(const char* text, std::uint8_t set) {
  if (set > model::LastDataSetIndex()) return kNoSet;
  double value = 0.0;
  if (!ParseNumber(text, &value)) return kWrongValue;
  const std::uint16_t n = GetScopeTriggerSelection(set);
  if (!ScopeTriggerTable()[n].has_level) return kWrongValue;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  if (const std::uint8_t s = scope_internal::ReadTriggerPair(set, &record, &element); s != 0) return s;
  const std::uint8_t type = model::GetElementType(record, element);
  if (!model::IsIntegerType(type)) return kWrongValue;
  // Converted without writing the trigger element: a converted write would run its checks and after-write
  // action and log a change; the element itself stays as it is.
  const std::uint8_t s = model::ConvertElementValue(&value, 0, record, element, set, 0);
  if (s != 0 && s != 3) return s;  // 3: no converter, the text is the stored value
  double lo = 0.0;
  double hi = 0.0;
  TypeRange(type, &lo, &hi);
  value = std::clamp(std::round(value), lo, hi);
  const std::int32_t level = value > 2147483647.0 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(value))
                                                  : static_cast<std::int32_t>(value);
  return WriteLevel(level, set);
}

}  // namespace ilink
