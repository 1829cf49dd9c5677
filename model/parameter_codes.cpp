// Parameter codes: search by code text, partner records of the two parameter sets, code numbers.
#include "model/parameter_codes.h"

#include <array>
#include <cctype>
#include <cstring>
#include <string>

#include "model/menu_groups.h"
#include "model/menu_list_table.h"

namespace model {
namespace {

// Lists that ParseParameterCode searches: 0 to 144 (145 and 146 are not parameter lists of the pages).
constexpr std::uint8_t kLastSearchedList = 144;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLeadingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWith(const char* text, const std::string& prefix) {
  return text && std::strncmp(text, prefix.c_str(), prefix.size()) == 0;
}

struct Partner {
  std::uint16_t set1;
  std::uint16_t set2;
};
constexpr std::array<Partner, 9> kPartners{{
    {34, 35}, {38, 39}, {40, 41}, {42, 43}, {46, 47}, {48, 49}, {53, 54}, {57, 58}, {59, 60}}};

}  // namespace

std::uint8_t FindDescriptorByCode(char* out, std::uint8_t size, const char* code) {
  if (!code || std::strlen(code) < 3) return 6;
  for (const MenuListSlot& slot : MenuListTable()) {
    if (!slot.used || !slot.rows || slot.override_record != 0) continue;
    for (std::size_t i = 0; i < 255 && slot.rows[i].record != 0; ++i) {
      const ParameterDescriptor& row = slot.rows[i];
      if (!row.texts || !row.texts[0] || std::strncmp(row.texts[0], code, 3) != 0) continue;
      if (out && size > 0) {
        std::strncpy(out, row.texts[0], size - 1);
        out[size - 1] = '\0';
      }
      return 0;
    }
  }
  return 6;
}

std::uint8_t ParseParameterCode(MenuListEntry* out, const char* text, std::uint8_t set) {
  if (!text || std::strlen(text) < 3) return 0;
  std::string code(text);
  for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::size_t start = 0;
  while (start < code.size() && IsLeadingSpace(code[start])) ++start;
  code.erase(0, start);

  bool to_set2 = false;
  if (code.size() >= 2 && code[0] == 'P' && (code[1] == '1' || code[1] == '2')) {
    to_set2 = code[1] == '2';
    code.erase(0, std::min<std::size_t>(3, code.size()));
  }
  if (code.size() < 3 || !IsUpperLetter(code[0]) || !IsDigit(code[1]) || !IsDigit(code[2])) return 0;
  if (IsMenuGroupAvailable(set, code[0]) != 1) return 0;
  code.resize(code.size() >= 4 && IsDigit(code[3]) ? 4 : 3);
  code += ' ';

  std::array<MenuListEntry, kMenuListBufferEntries> rows{};
  for (std::uint8_t list = 0; list <= kLastSearchedList; ++list) {
    if (LoadMenuList(list, rows.data(), 0) != 0) continue;
    for (std::size_t i = 0; i < rows.size() && rows[i].record != 0; ++i) {
      const MenuListEntry& row = rows[i];
      if (row.element == kHeadingElement || !row.texts || !StartsWith(row.texts[0], code)) continue;
      if (out) {
        *out = row;
        out->record = OtherParameterSetRecord(row.record, row.element, to_set2 ? 1 : 0);
      }
      return 1;
    }
  }
  return 0;
}

std::uint8_t FindParameterByCode(std::uint16_t* record, std::uint16_t* element, const char* text,
                                 std::uint8_t set) {
  MenuListEntry entry{};
  if (ParseParameterCode(&entry, text, set) != 1) return 0;
  if (record) *record = entry.record;
  if (element) *element = entry.element;
  return 1;
}

std::uint16_t OtherParameterSetRecord(std::uint16_t record, std::uint16_t element, std::uint8_t to_set2) {
  if (record == 41 && element == 10) return 41;
  for (const Partner& p : kPartners) {
    if (to_set2 == 1 && record == p.set1) return p.set2;
    if (to_set2 == 0 && record == p.set2) return p.set1;
  }
  return record;
}

std::uint8_t ParameterCodeConvert(char* text, std::uint16_t* code, std::uint8_t direction) {
  if (!text || !code) return 1;
  if (direction == 0) {
    const unsigned letter = *code >> 8;
    const unsigned number = *code & 0xFFu;
    if (*code == 0 || letter < 1 || letter > 26) {
      text[0] = '\0';
      return 1;
    }
    std::size_t n = 0;
    text[n++] = static_cast<char>('@' + letter);
    if (number >= 100) text[n++] = static_cast<char>('0' + number / 100);
    text[n++] = static_cast<char>('0' + number / 10 % 10);
    text[n++] = static_cast<char>('0' + number % 10);
    text[n] = '\0';
    return 0;
  }
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (!IsUpperLetter(letter) || !IsDigit(text[1]) || !IsDigit(text[2])) {
    *code = 0;
    return 1;
  }
  unsigned number = static_cast<unsigned>((text[1] - '0') * 10 + (text[2] - '0'));
  if (IsDigit(text[3]) && number * 10 + static_cast<unsigned>(text[3] - '0') <= 255) {
    number = number * 10 + static_cast<unsigned>(text[3] - '0');
  }
  *code = static_cast<std::uint16_t>((letter - '@') * 256 + number);
  return 0;
}

}  // namespace model
