#include "model/settings_ini.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "model/project_line_codec.h"
#include "model/record_layout.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/ini_document.h"
#include "platform/sys/module_path.h"
#include "platform/sys/private_profile.h"

namespace model {
namespace {

constexpr std::uint8_t kSettingsSet = 0;
constexpr std::uint8_t kKindNumber = 1;
constexpr std::uint8_t kKindHeading = 6;
constexpr std::uint8_t kKindString = 7;
constexpr std::size_t kEntryLength = 80;
constexpr std::size_t kMaxRows = kMenuListBufferEntries;

std::optional<std::string> g_settings_path;

// One settings row as the list hands it out: the record override applied.
struct SettingsRow {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t kind;
  const char* const* texts;
};

std::vector<SettingsRow> ListRows(std::uint8_t list) {
  std::vector<SettingsRow> rows;
  const auto table = MenuListTable();
  if (list >= table.size() || !table[list].used || !table[list].rows) return rows;
  const MenuListSlot& slot = table[list];
  for (std::size_t i = 0; i < kMaxRows && slot.rows[i].record != 0; ++i) {
    const ParameterDescriptor& d = slot.rows[i];
    rows.push_back({slot.override_record != 0 ? slot.override_record : d.record, d.element, d.kind, d.texts});
  }
  return rows;
}

const char* Name(const SettingsRow& row) { return row.texts && row.texts[0] ? row.texts[0] : ""; }

const char* UnitText(const SettingsRow& row) {
  return row.texts && row.texts[0] && row.texts[0][0] != '\0' && row.texts[1] ? row.texts[1] : "";
}

// Selection texts follow the name in value order, ended by an empty text.
std::vector<std::string_view> SelectionTexts(const SettingsRow& row) {
  std::vector<std::string_view> texts;
  if (!row.texts || !row.texts[0] || row.texts[0][0] == '\0') return texts;
  for (std::size_t i = 1; row.texts[i] && row.texts[i][0] != '\0'; ++i) texts.emplace_back(row.texts[i]);
  return texts;
}

std::optional<std::string> SelectionText(const SettingsRow& row, std::uint32_t value) {
  if (!row.texts || !row.texts[0] || row.texts[0][0] == '\0') return std::nullopt;
  for (std::size_t i = 1; row.texts[i] && row.texts[i][0] != '\0'; ++i) {
    if (i - 1 == value) return std::string(row.texts[i]);
  }
  return std::nullopt;
}

// The text after a selection text's "n:" prefix; empty for a text without one.
std::string_view AfterNumber(std::string_view text) {
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  return digits > 0 && digits < text.size() && text[digits] == ':' ? text.substr(digits + 1) : std::string_view();
}

enum class Form { kNone, kNumber16, kNumber32, kSelection, kString };

Form FormOf(const SettingsRow& row, std::uint8_t type) {
  const std::uint16_t size = ElementTypeSizeOf(type);
  if (row.kind == kKindNumber && IsIntegerType(type)) return size == 4 ? Form::kNumber32 : Form::kNumber16;
  if (row.kind >= 2 && row.kind <= 4 && IsIntegerType(type) && size <= 2) return Form::kSelection;
  if (row.kind == kKindString && IsStringType(type)) return Form::kString;
  return Form::kNone;
}

std::uint32_t LoadUnsigned(const std::vector<std::uint8_t>& bytes, std::size_t size) {
  std::uint32_t v = 0;
  for (std::size_t i = size; i-- > 0;) v = (v << 8) | bytes[i];
  return v;
}

void StoreLow(std::vector<std::uint8_t>& bytes, std::size_t size, std::uint32_t v) {
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The element's own range check on a stored value (none when its layout row names none).
bool RangeAccepts(std::uint16_t record, std::uint16_t element, std::uint8_t type, std::vector<std::uint8_t>& value) {
  const std::uint16_t row = FindLayoutEntry(record, element);
  if (row == kNoRow) return false;
  const LayoutEntry& entry = RecordLayoutTable()[row];
  if (entry.a == 0 && entry.b == 0) return true;
  if (entry.a >= kRangeFunctionCount || entry.b >= kRangePairCount) return false;
  const RangeFunction check = RangeTable()[entry.a];
  return !check || check(value.data(), RangePairTable()[entry.b], type, kSettingsSet, 0) == 0;
}

std::string NumberText(std::int32_t value, const SettingsRow& row) {
  return FormatSigned32(value) + " " + UnitText(row);
}

std::string ProfileString(const std::string& path, const char* section, const char* key, const std::string& def) {
  char buf[kEntryLength + 1];
  GetPrivateProfileStringA(section, key, def.c_str(), buf, sizeof buf, path.c_str());
  return buf;
}

// Loads one row; false when an element access fails.
bool LoadRow(const std::string& path, const std::string& section, const SettingsRow& row) {
  const std::uint8_t type = GetElementType(row.record, row.element);
  const Form form = FormOf(row, type);
  if (form == Form::kNone) return true;
  const std::size_t size = ElementTypeSizeOf(type);
  std::vector<std::uint8_t> def(std::max<std::size_t>(size, 4) + 1, 0);
  if (ReadDefaultElement(row.record, row.element, def.data(), kModeRaw, kSettingsSet) != 0) return false;
  std::vector<std::uint8_t> value = def;
  const char* key = Name(row);

  switch (form) {
    case Form::kNumber16: {
      const std::uint32_t d = LoadUnsigned(def, size);
      const auto n = static_cast<std::int32_t>(
          GetPrivateProfileIntA(section.c_str(), key, static_cast<INT>(d), path.c_str()));
      // A value the element cannot hold (signed or as its bit pattern) is not cut to fit: the default stays.
      const bool fits = size == 1 ? n >= -128 && n <= 255 : n >= -32768 && n <= 65535;
      if (fits) StoreLow(value, size, static_cast<std::uint32_t>(n));
      break;
    }
    case Form::kNumber32: {
      const auto d = static_cast<std::int32_t>(LoadUnsigned(def, 4));
      const std::string text = ProfileString(path, section.c_str(), key, NumberText(d, row));
      std::int32_t n;
      if (ParseSigned32(text, &n)) StoreLow(value, 4, static_cast<std::uint32_t>(n));
      break;
    }
    case Form::kSelection: {
      std::vector<std::uint8_t> current(size, 0);
      if (ReadElement(row.record, row.element, current.data(), kModeRaw, kSettingsSet) != 0) return false;
      const std::string text =
          ProfileString(path, section.c_str(), key, SelectionText(row, LoadUnsigned(def, size)).value_or(""));
      const auto texts = SelectionTexts(row);
      auto match = std::find(texts.begin(), texts.end(), text);
      // A file written when the list numbered its texts otherwise ("3:9600 baud") still names the same choice.
      if (match == texts.end() && !AfterNumber(text).empty()) {
        match = std::find_if(texts.begin(), texts.end(),
                             [&](std::string_view t) { return AfterNumber(t) == AfterNumber(text); });
      }
      if (match == texts.end()) return true;  // no equal text: the element keeps its value
      StoreLow(value, size, static_cast<std::uint32_t>(match - texts.begin()));
      break;
    }
    case Form::kString: {
      const std::string text = ProfileString(path, section.c_str(), key, reinterpret_cast<const char*>(def.data()));
      value.assign(size, 0);
      std::memcpy(value.data(), text.data(), std::min(text.size(), size - 1));
      return WriteElement(row.record, row.element, value.data(), kModeRaw, kSettingsSet) == 0;
    }
    case Form::kNone:
      return true;
  }
  if (!RangeAccepts(row.record, row.element, type, value)) value = def;
  return WriteElement(row.record, row.element, value.data(), kModeRaw, kSettingsSet) == 0;
}

// The INI value of one row, or nullopt when the row is not stored.
std::optional<std::string> SaveForm(const SettingsRow& row, bool* failed) {
  const std::uint8_t type = GetElementType(row.record, row.element);
  const Form form = FormOf(row, type);
  if (form == Form::kNone) return std::nullopt;
  const std::size_t size = ElementTypeSizeOf(type);
  std::vector<std::uint8_t> value(size + 1, 0);
  if (ReadElement(row.record, row.element, value.data(), kModeRaw, kSettingsSet) != 0) {
    *failed = true;
    return std::nullopt;
  }
  switch (form) {
    case Form::kNumber16:
    case Form::kNumber32:
      return NumberText(static_cast<std::int32_t>(LoadUnsigned(value, size)), row);
    case Form::kSelection:
      return SelectionText(row, LoadUnsigned(value, size));
    case Form::kString:
      return std::string(reinterpret_cast<const char*>(value.data()));
    case Form::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::uint8_t MakeSettingsIniPath(HINSTANCE) {
  if (platform::sys::ExecutablePath().empty()) {
    g_settings_path.reset();
    return kSettingsNoPath;
  }
  g_settings_path = platform::sys::SettingsFilePath("ini");
  return kSettingsDone;
}

std::uint8_t GetSettingsIniPath(char* out, std::uint32_t size) {
  if (!g_settings_path || !out || size == 0) return 1;
  const std::size_t n = std::min<std::size_t>(g_settings_path->size(), size - 1);
  std::memcpy(out, g_settings_path->data(), n);
  out[n] = '\0';
  return 0;
}

std::uint8_t LoadSettingsIni(HINSTANCE module) {
  if (MakeSettingsIniPath(module) != kSettingsDone) return kSettingsNoPath;
  const std::string path = *g_settings_path;
  const platform::sys::ProfileReadOnce read_once;  // one read of the file for all its rows
  for (const std::uint8_t list : kSettingsListNumbers) {
    std::string section;
    for (const SettingsRow& row : ListRows(list)) {
      if (row.kind == kKindHeading || row.element == kHeadingElement) {
        section = Name(row);
        continue;
      }
      if (section.empty()) continue;
      if (!LoadRow(path, section, row)) return kSettingsFault;
    }
  }
  return kSettingsDone;
}

std::uint8_t SaveSettingsIni(HINSTANCE module) {
  if (MakeSettingsIniPath(module) != kSettingsDone) return kSettingsNoPath;
  const std::string path = *g_settings_path;
  std::error_code error;
  const auto text = platform::sys::ReadWholeFile(path, &error);
  if (!text && error != std::errc::no_such_file_or_directory) return kSettingsFault;
  auto doc = text ? platform::sys::IniDocument::Parse(*text) : platform::sys::IniDocument{};
  for (const std::uint8_t list : kSettingsListNumbers) {
    if (list == kReadOnlySettingsList) continue;
    std::string section;
    for (const SettingsRow& row : ListRows(list)) {
      if (row.kind == kKindHeading || row.element == kHeadingElement) {
        section = Name(row);
        continue;
      }
      bool failed = false;
      const auto value = SaveForm(row, &failed);
      if (failed) return kSettingsFault;
      if (value && !section.empty()) doc.Set(section, Name(row), *value);
    }
  }
  return platform::sys::WriteFileAtomically(path, doc.Serialize()) ? kSettingsFault : kSettingsDone;
}

}  // namespace model
