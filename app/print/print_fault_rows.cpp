// The fault-memory rows: one line per parameter with a six-character field for each of the stored entries
// (records 307..316, the newest first), "     -" for an entry beyond the number stored.
#include <cstdio>
#include <cstring>

#include "app/print/print_content.h"
#include "app/print/print_rows.h"
#include "app/print/print_state.h"

namespace app::print {
namespace {

constexpr std::uint16_t kFirstEntryRecord = 307;
constexpr std::uint16_t kEntryCountRecord = 318;
constexpr std::uint16_t kFaultNumberElement = 1;
constexpr std::size_t kNameColumn = 11;

std::string Field(const binding::MenuListEntry& row, std::uint8_t set, std::uint32_t stored) {
  char field[32];
  const std::uint32_t entry = row.record >= kFirstEntryRecord ? row.record - kFirstEntryRecord : 0;
  if (entry >= stored) return "     -";
  if (row.kind == 7) {
    binding::StringBuffer text{};
    if (binding::ReadString(row.record, row.element, set, text) != 0) text[0] = '\0';
    text.back() = '\0';
    std::snprintf(field, sizeof field, "%6.6s", text.data());
    return field;
  }
  double value = 0.0;
  if (binding::ReadValue(row.record, row.element, &value, set) != 0) return "     -";
  const int decimals = row.attributes;
  if (row.element == kFaultNumberElement) std::snprintf(field, sizeof field, "ERR%3d", static_cast<int>(value));
  else if (decimals == 1) std::snprintf(field, sizeof field, "%6.1f", value);
  else if (decimals >= 2) std::snprintf(field, sizeof field, "%6.2f", value);
  else std::snprintf(field, sizeof field, "%6d", static_cast<int>(value));
  return std::string(field).substr(0, 6);
}

// The code of a row's name (its text up to the first blank).
std::string Code(const binding::MenuListEntry& row) {
  const char* name = binding::TextEntry(row, 0);
  const char* blank = std::strchr(name, ' ');
  return blank == nullptr ? std::string(name) : std::string(name, blank);
}

}  // namespace

std::string PrintFaultRow(const binding::ListRows& rows, std::size_t& at, std::uint8_t set) {
  const binding::MenuListEntry& first = rows[at++];
  if (first.kind == 6) return std::string(binding::TextEntry(first, 0)) + kLineEnd;
  const std::uint32_t stored = RawOr(kEntryCountRecord, 0, set, 0) & 0xFF;
  std::string line = Code(first) + ":";
  line.resize(kNameColumn, ' ');
  line += '|';
  line += Field(first, set, stored);
  while (at < rows.count && rows[at].kind != 6 && Code(rows[at]) == Code(first)) line += Field(rows[at++], set, stored);
  if (line.size() > kPrintLineWidth) line.resize(kPrintLineWidth);
  return line + kLineEnd;
}

}  // namespace app::print
