// Single elements for other windows: value and limits, the text of a selection, the display text.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/binding/binding_support.h"
#include "app/common/active_file.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::uint16_t kRemarkRecord = 317;
constexpr std::uint16_t kRemarkElement = 2644;
constexpr std::uint16_t kDisplayTextMinimum = 50;
constexpr byte kLastDisplayList = 144;

void CopyCut(const std::string& text, char* out, std::size_t size) {
  if (out == nullptr || size == 0) return;
  const std::size_t length = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

// The first row of a list that shows the element.
bool FindRow(byte table, byte set, std::uint16_t record, std::uint16_t element, binding::MenuListEntry& found) {
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) return false;
  for (std::size_t i = 0; i < rows.count; ++i) {
    if (rows[i].record == record && rows[i].element == element) {
      found = rows[i];
      return true;
    }
  }
  return false;
}

// The text of a selection row's value with the lower limit its fill uses (0 for kinds 2 and 3).
const char* ValueText(const binding::MenuListEntry& row, long value, byte set) {
  long lower = 0;
  long upper = 0;
  if (row.kind == 4) binding::SelectionLimits(row, set, lower, upper);
  return binding::SelectionText(row, value, lower);
}

// Whether a selection text begins with the value's own number and a colon, as the menu lists write them.
bool CarriesNumber(const char* text, long value) {
  char prefix[32];
  const int length = std::snprintf(prefix, sizeof prefix, "%ld:", value);
  return length > 0 && std::strncmp(text, prefix, static_cast<std::size_t>(length)) == 0;
}

}  // namespace

byte ReadValueAndLimits(HWND owner, std::uint16_t record, std::uint16_t element, double* value, double* lower,
                        double* upper) {
  const byte set = GetActiveFile();
  byte status = binding::ReadValue(record, element, value, set);
  if (status == 0) status = model::GetElementLowerLimit(record, element, lower, model::kModeConverted, set);
  if (status == 0) status = model::GetElementUpperLimit(record, element, upper, model::kModeConverted, set);
  if (status == 0) return 1;
  model::MessageBoxByNumber(owner, 3, 12, status);
  return 0;
}

byte SelectionTextOfElement(std::uint16_t record, std::uint16_t element, byte table, byte set, char* out,
                            std::uint16_t size) {
  binding::MenuListEntry row{};
  if (!FindRow(table, set, record, element, row) || !binding::IsSelectionKind(row.kind)) return 6;
  double value = 0.0;
  const byte status = binding::ReadValue(record, element, &value, set);
  if (status != 0) return status;
  const char* text = ValueText(row, binding::AsInteger(value), set);
  if (text == nullptr) return 6;
  CopyCut(text, out, size);
  return 0;
}

byte ElementDisplayText(char* out, std::uint16_t size, std::uint16_t record, std::uint16_t element, byte with_unit,
                        byte with_text, byte set) {
  binding::MenuListEntry row{};
  bool found = false;
  for (byte table = 0; table <= kLastDisplayList && !found; ++table) found = FindRow(table, set, record, element, row);
  if (!found) return kBindingFailed;
  double value = 0.0;
  if (binding::ReadValue(record, element, &value, set) != 0) return kBindingFailed;
  std::string text;
  if (binding::IsNumericKind(row.kind)) {
    text = binding::FormatEntry(value, row.kind, row.attributes);
    if (with_unit != 0) {
      text += ' ';
      text += binding::UnitText(row, value, set);
    }
  } else if (binding::IsSelectionKind(row.kind)) {
    const long integer = binding::AsInteger(value);
    char number[32];
    std::snprintf(number, sizeof number, "%d ", static_cast<int>(integer));
    const char* value_text = with_text != 0 ? ValueText(row, integer, set) : nullptr;
    // A text that already begins with its number ("3:ZPR03 8.5A 400V") is shown alone, not after it again.
    if (value_text == nullptr || !CarriesNumber(value_text, integer)) text = number;
    if (value_text != nullptr) text += value_text;
  } else {
    return kBindingFailed;
  }
  if (size >= kDisplayTextMinimum) CopyCut(text, out, size);
  return kBindingOk;
}

bool IsTextElementSet(byte set) {
  binding::StringBuffer text{};
  if (model::ReadElement(kRemarkRecord, kRemarkElement, text.data(), model::kModeRaw, set) != 0) return false;
  // The remark's default is a blank: only a text with something in it counts.
  const std::string_view remark(text.data());
  return remark.find_first_not_of(' ') != std::string_view::npos;
}

}  // namespace app
