// Rows, texts, entries, inserts and controls shared by the parts of the binding.
#include "app/binding/binding_support.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "link/online_services.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/menu_list_table.h"
#include "model/message_show.h"
#include "model/record_layout.h"
#include "model/unit_texts.h"
#include "model/value_converters.h"
#include "model/value_formatting.h"
#include "platform/win/win.h"

namespace app {
namespace {

OnlineParameterWriter g_writer = nullptr;

constexpr LPARAM kNoValueItem = LPARAM{INT_MIN} - 1;  // item data of the "Wrong selection" item

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Sign, digits with at most one point, and an optional exponent: nothing else (no "inf", no hex, no blanks).
std::optional<double> ParseDecimal(std::string_view text) {
  std::string work(text);
  std::replace(work.begin(), work.end(), ',', '.');
  std::size_t i = 0;
  if (i < work.size() && (work[i] == '+' || work[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < work.size(); ++i) {
    const char c = work[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < work.size() && (work[i] == 'e' || work[i] == 'E')) {
    ++i;
    if (i < work.size() && (work[i] == '+' || work[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < work.size() && work[i] >= '0' && work[i] <= '9') ++i, ++exponent;
    if (exponent == 0) return std::nullopt;
  }
  if (i != work.size()) return std::nullopt;
  const char* begin = work.data() + (work[0] == '+' ? 1 : 0);
  double value = 0.0;
  const auto result = std::from_chars(begin, work.data() + work.size(), value);
  if (result.ec != std::errc() || result.ptr != work.data() + work.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return static_cast<double>(value);
}

std::optional<double> ParseBits(std::string_view text, int bits) {
  std::uint64_t value = 0;
  int count = 0;
  for (char c : text) {
    if (IsBlank(c)) continue;
    if (c != '0' && c != '1') return std::nullopt;
    value = value * 2 + static_cast<std::uint64_t>(c - '0');
    if (++count > bits) return std::nullopt;
  }
  if (count == 0) return std::nullopt;
  return static_cast<double>(value);
}

std::string Format(const char* format, const char* a, const char* b) {
  char buffer[1200];
  std::snprintf(buffer, sizeof buffer, format, a, b);
  return buffer;
}

}  // namespace

void SetOnlineParameterWriter(OnlineParameterWriter writer) { g_writer = writer; }

namespace binding {

bool LoadRows(byte table, byte set, ListRows& rows) {
  rows.count = 0;
  if (model::LoadMenuList(table, rows.entries.data(), set) != 0) return false;
  while (rows.count < rows.entries.size() && rows.entries[rows.count].record != 0) ++rows.count;
  return true;
}

bool IsHeading(const MenuListEntry& row) { return row.element == model::kHeadingElement; }

int ValueTextCount(const MenuListEntry& row) {
  if (row.texts == nullptr) return 0;
  int n = 0;
  while (row.texts[n + 1] != nullptr && row.texts[n + 1][0] != '\0') ++n;
  return n;
}

const char* TextEntry(const MenuListEntry& row, int i) {
  if (row.texts == nullptr || i < 0) return "";
  if (i == 0) return row.texts[0] != nullptr ? row.texts[0] : "";
  return i <= ValueTextCount(row) ? row.texts[i] : "";
}

int RadioTextCount(const MenuListEntry& row) { return std::min(ValueTextCount(row), 4); }

int IdsOfRow(const MenuListEntry& row) {
  switch (row.kind) {
    case 1: case 2: case 4: case 5: case 7: case 9: case 10: case 13: case 14: return 1;
    case 3: return row.flag != 0 ? RadioTextCount(row) : 1;
    default: return 0;
  }
}

std::size_t BackupBytesOfRow(const MenuListEntry& row) {
  if (IdsOfRow(row) == 0 || row.kind == 5) return 0;
  return row.kind == 7 ? kStringBackupBytes : kValueBackupBytes;
}

bool IsNumericKind(byte kind) { return kind == 1 || kind == 9 || kind == 10 || kind == 13; }
bool IsSelectionKind(byte kind) { return kind == 2 || kind == 3 || kind == 4; }
bool HoldsValue(byte kind) { return IsNumericKind(kind) || IsSelectionKind(kind) || kind == 14; }

bool RowEnabled(const MenuListEntry& row, byte set) {
  if (row.kind == 14) return row.flag != 0;
  return row.flag != 0 && model::IsElementAvailable(row.record, row.element, set) == 0;
}

long AsInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(LONG_MAX)) return LONG_MAX;
  if (value <= static_cast<double>(LONG_MIN)) return LONG_MIN;
  return static_cast<long>(value);
}

const char* SelectionText(const MenuListEntry& row, long value, long lower) {
  const long base = lower < 0 ? lower : 0;
  if (value < base) return nullptr;
  const long entry = value - base + 1;
  if (entry > ValueTextCount(row)) return nullptr;
  return row.texts[entry];
}

std::string WrongSelectionText(long value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s:%d", "Wrong selection", static_cast<int>(value));
  return buffer;
}

byte ReadLimits(const MenuListEntry& row, byte set, double& lower, double& upper) {
  const byte low = model::GetElementLowerLimit(row.record, row.element, &lower, model::kModeConverted, set);
  if (low != 0) return low;
  return model::GetElementUpperLimit(row.record, row.element, &upper, model::kModeConverted, set);
}

void SelectionLimits(const MenuListEntry& row, byte set, long& lower, long& upper) {
  double low = 0.0;
  double high = 0.0;
  lower = model::GetElementLowerLimit(row.record, row.element, &low, model::kModeConverted, set) == 0
              ? AsInteger(low) : 0;
  upper = model::GetElementUpperLimit(row.record, row.element, &high, model::kModeConverted, set) == 0
              ? AsInteger(high) : 3;
}

std::optional<double> ParseEntry(std::string_view text, byte kind, byte decimals) {
  if (text.size() > kValueTextLimit) return std::nullopt;
  const std::string_view trimmed = Trimmed(text);
  switch (kind) {
    case 9: return ParseHex(trimmed);
    case 10: return ParseBits(trimmed, 16);
    case 13: return ParseBits(trimmed, 32);
    default: break;
  }
  const std::optional<double> value = ParseDecimal(trimmed);
  // A row shown without decimals would store a fraction cut off, unlike what was typed.
  if (value && decimals == 0 && std::trunc(*value) != *value) return std::nullopt;
  return value;
}

byte CheckLimits(const MenuListEntry& row, byte set, double value) {
  double lower = 0.0;
  double upper = 0.0;
  if (ReadLimits(row, set, lower, upper) != 0) return 0;
  return value > upper ? 4 : value < lower ? 5 : 0;
}

std::string FormatEntry(double value, byte kind, byte attributes) {
  char text[kValueTextLimit + 1] = {};
  if (model::FormatValue(value, kind, attributes, text, sizeof text) != 0) return {};
  return text;
}

const char* ValueName(const MenuListEntry& row, double value) {
  if (!IsNumericKind(row.kind)) return nullptr;
  const model::ParameterDescriptor* descriptor = model::FindDescriptor(row.record, row.element);
  return descriptor != nullptr ? model::ProcessCodeName(descriptor->converter, value) : nullptr;
}

std::string UnitText(const MenuListEntry& row, double value, byte set) {
  if (const char* name = ValueName(row, value)) return name;
  std::array<char, 64> unit{};
  model::ExpandUnitText(TextEntry(row, 1), unit.data(), unit.size(), set);  // other texts are copied as they are
  return unit.data();
}

std::string FormatG6(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::general, 6);
  *result.ptr = '\0';
  return buffer;
}

std::string RangeInsert(const char* name, double lower, double upper, const char* unit) {
  std::string text = Format("%s %s ", "Wrong input from", name);
  text += "(Range of values: ";
  text += FormatG6(lower);
  text += " ... ";
  text += FormatG6(upper);
  text += ' ';
  text += unit;
  text += ") ";
  return text;
}

std::string RangeInsertNoUnit(const char* name, double lower, double upper) {
  std::string text = Format("%s %s ", "Wrong input from", name);
  text += "(Range of values: ";
  text += FormatG6(lower);
  text += " ... ";
  text += FormatG6(upper);
  text += ") ";
  return text;
}

std::string CheckboxInsert(const char* name) { return Format("(%s %s)  ", "Checkbox (enable)", name); }
std::string ParameterInsert(const char* name) {
  std::string text = "(Parameter ";
  text += name;
  text += ")  ";
  return text;
}
std::string BackupInsert(const char* name) { return Format("%s in %s ", "Wrong backup value", name); }
std::string WrongInputInsert(const char* name) { return Format("%s %s", "Wrong input from", name); }

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return {};
  std::string text(static_cast<std::size_t>(std::max(GetWindowTextLength(item), 0)) + 1, '\0');
  const int length = GetWindowText(item, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(length, 0)));
  return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemText(dialog, id, text.c_str()); }

void EnableItem(HWND dialog, int id, bool enable) {
  if (HWND item = GetDlgItem(dialog, id)) EnableWindow(item, enable ? TRUE : FALSE);
}

void FillSelectionCombo(HWND combo, const MenuListEntry& row, long value, long lower, long upper) {
  SendMessage(combo, CB_RESETCONTENT, 0, 0);
  LRESULT selected = CB_ERR;
  for (long v = lower; v <= upper && v - lower < 1000; ++v) {
    const char* text = SelectionText(row, v, lower);
    if (text == nullptr) continue;
    const LRESULT item = SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessage(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(v));
    if (v == value) selected = item;
  }
  if (selected == CB_ERR) {
    const std::string wrong = WrongSelectionText(value);
    selected = SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wrong.c_str()));
    SendMessage(combo, CB_SETITEMDATA, static_cast<WPARAM>(selected), kNoValueItem);
  }
  SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::optional<long> SelectedComboValue(HWND combo) {
  const LRESULT item = SendMessage(combo, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return std::nullopt;
  const LRESULT data = SendMessage(combo, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
  if (data == kNoValueItem) return std::nullopt;
  return static_cast<long>(data);
}

void InternalError(HWND owner, std::int32_t number) {
  model::MessageBoxByNumber(owner, 3, kBindingErrorGroup, number);
}

void ShowStatus(byte status) { model::ShowMessage(3, 12, status); }

void ShowRefusal(byte status, const std::string& insert) { model::ShowMessage(3, 12, status, insert.c_str()); }

byte WriteOnline(byte set, std::uint16_t record, std::uint16_t element) {
  return g_writer != nullptr ? g_writer(set, record, element) : ilink::WriteParameterOnline(set, record, element);
}

byte ReadString(std::uint16_t record, std::uint16_t element, byte set, StringBuffer& out) {
  out.fill('\0');
  if (ElementSize(record, element) >= out.size()) return 12;
  return model::ReadElement(record, element, out.data(), model::kModeConverted, set);
}

byte ReadValue(std::uint16_t record, std::uint16_t element, double* out, byte set) {
  const std::uint8_t type = model::GetElementType(record, element);
  if (type != 255 && !model::IsNumberType(type)) return 12;
  return model::ReadElement(record, element, out, model::kModeConverted, set);
}

std::uint16_t ElementSize(std::uint16_t record, std::uint16_t element) {
  const std::uint8_t type = model::GetElementType(record, element);
  return type == 255 ? 0 : model::ElementTypeSize(type);
}

}  // namespace binding
}  // namespace app
