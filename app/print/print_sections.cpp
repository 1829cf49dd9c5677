// The sections of the printed documentation: which menu lists each prints, and the line layout of their rows
// (two short rows side by side, the right one at column 40, at most 73 characters).
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "app/binding/binding_support.h"
#include "app/documents/device_variant.h"
#include "app/documents/file_slots.h"
#include "app/print/print_content.h"
#include "app/print/print_rows.h"
#include "app/print/print_state.h"
#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/unit_texts.h"

namespace app {
namespace {

using binding::ListRows;
using Lists = std::span<const std::uint8_t>;
using binding::MenuListEntry;

constexpr std::uint8_t kListsProjectTarget[] = {11};
constexpr std::uint8_t kListsDisplayValues[] = {25, 28};
constexpr std::uint8_t kListsComments[] = {12};
constexpr std::uint8_t kListsSet1Family2[] = {13, 14, 131, 84, 86, 133, 21, 23, 88, 90, 118, 65, 92, 29};
constexpr std::uint8_t kListsSet1Family3Posi[] = {13, 14, 15, 17, 143, 21, 23, 141, 137, 29};
constexpr std::uint8_t kListsSet1Family3[] = {13, 14, 15, 17, 143, 21, 23, 139, 135, 29};
constexpr std::uint8_t kListsSet1Other[] = {13, 14, 15, 17, 19, 21, 23, 26, 70, 127, 65, 124, 29};
constexpr std::uint8_t kListsSet2Family2[] = {85, 87, 134, 22, 24, 89, 91, 119, 66, 92, 30};
constexpr std::uint8_t kListsSet2Family3Posi[] = {16, 18, 144, 22, 24, 142, 138, 30};
constexpr std::uint8_t kListsSet2Family3[] = {16, 18, 144, 22, 24, 140, 136, 30};
constexpr std::uint8_t kListsSet2Other[] = {16, 18, 20, 22, 24, 27, 71, 128, 66, 125, 30};
constexpr std::uint8_t kListsFaultMemory[] = {44, 45, 46, 47, 48, 49, 50, 51, 52, 53};
constexpr std::uint8_t kListsFaultCounter[] = {33};
constexpr std::uint8_t kListsList9[] = {9};
constexpr std::uint8_t kListsList10[] = {10};
constexpr std::uint8_t kListsPosiBelowD[] = {68, 69, 72, 73, 74, 75, 76, 77, 78, 79};
constexpr std::uint8_t kListsPosiD[] = {68,  69,  72,  73,  74,  75,  76,  77,  78,  79,  94,  95,  96,  97,  98,  99,
                                        100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,
                                        116, 117};
constexpr std::uint8_t kListsPosiAboveDFamily2[] = {
    68,  69,  72,  73,  74,  75,  76,  77,  78,  79,  94,  95,  96,  97,  98,  99,  100, 101,
    102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 126};
constexpr std::uint8_t kListsPosiAboveD[] = {68, 69, 72, 73, 74, 75, 76, 77, 78, 79, 126};

constexpr std::uint8_t kFamilyRpm = 2;
constexpr std::uint8_t kFamilyPositioning = 3;
constexpr std::uint8_t kLayoutLetterD = 'D';

std::span<const std::uint8_t> ParameterSetLists(bool second, std::uint8_t set) {
  const std::uint8_t family = model::GetDeviceFamily(set);
  if (family == kFamilyRpm) return second ? Lists(kListsSet2Family2) : Lists(kListsSet1Family2);
  if (family == kFamilyPositioning) {
    if (CheckDeviceVariant(set) != 0)
      return second ? Lists(kListsSet2Family3Posi) : Lists(kListsSet1Family3Posi);
    return second ? Lists(kListsSet2Family3) : Lists(kListsSet1Family3);
  }
  return second ? Lists(kListsSet2Other) : Lists(kListsSet1Other);
}

std::span<const std::uint8_t> PositioningLists(std::uint8_t set) {
  const std::uint8_t letter = static_cast<std::uint8_t>(print::RawOr(4, 0, set, 0) & 0xFF);
  if (letter < kLayoutLetterD) return kListsPosiBelowD;
  if (letter == kLayoutLetterD) return kListsPosiD;
  return model::GetDeviceFamily(set) == kFamilyRpm ? Lists(kListsPosiAboveDFamily2) : Lists(kListsPosiAboveD);
}

std::span<const std::uint8_t> SectionLists(std::uint8_t section, std::uint8_t set) {
  switch (section) {
    case kSectionProjectTarget: return kListsProjectTarget;
    case kSectionDisplayValues: return kListsDisplayValues;
    case kSectionComments: return kListsComments;
    case kSectionParameterSet1: return ParameterSetLists(false, set);
    case kSectionParameterSet2: return ParameterSetLists(true, set);
    case kSectionFaultMemory: return kListsFaultMemory;
    case kSectionFaultCounter: return kListsFaultCounter;
    case 11: return kListsList9;
    case 12: return kListsList10;
    case kSectionPositioning: return PositioningLists(set);
    default: return {};
  }
}

}  // namespace

namespace print {

std::string PrintRowPair(const ListRows& rows, std::size_t& at, std::uint8_t set, bool only_differing) {
  const MenuListEntry& first = rows[at++];
  std::string line = PrintRowText(first, set, only_differing);
  if (first.kind == 6) return line + kLineEnd;
  if (first.kind == 0 || line.empty()) return line;
  // A heading or an empty-line row starts a line of its own; a row that prints nothing is passed over.
  while (at < rows.count && rows[at].kind != 0 && rows[at].kind != 6) {
    const std::string second = PrintRowText(rows[at], set, only_differing);
    if (second.empty()) {
      ++at;
      continue;
    }
    // A left text that fills its column keeps one blank before the right one.
    line.append(line.size() < kPrintRightColumn ? kPrintRightColumn - line.size() : 1, ' ');
    if (line.size() + second.size() <= kPrintLineWidth) {
      line += second;
      ++at;
    } else {
      line.resize(line.find_last_not_of(' ') + 1);
    }
    break;
  }
  return line + kLineEnd;
}

}  // namespace print

namespace {

std::uint8_t PrintLists(std::uint8_t section, std::uint8_t set) {
  auto& s = print::State();
  for (const std::uint8_t list : SectionLists(section, set)) {
    ListRows rows;
    if (!binding::LoadRows(list, set, rows)) return kPrintFailed;
    std::size_t at = 0;
    while (at < rows.count) {
      const std::string line =
          section == kSectionFaultMemory ? print::PrintFaultRow(rows, at, set)
                                          : print::PrintRowPair(rows, at, set, s.only_differing);
      if (print::Send(line) != kPrintOk) return kPrintFailed;
      if (s.line_count >= kPrintLinesPerPage && PrintPageBreak(false, set) != kPrintOk) return kPrintFailed;
    }
  }
  return kPrintOk;
}

}  // namespace

namespace print {

std::string PrintRowText(const MenuListEntry& row, std::uint8_t set, bool only_differing) {
  const char* name = binding::TextEntry(row, 0);
  std::string line;
  if (row.kind == 0) return kLineEnd;
  if (row.kind == 6) return std::string(name) + ": ";
  if (row.kind == 7) {
    binding::StringBuffer text{};
    if (binding::ReadString(row.record, row.element, set, text) != 0) text[0] = '\0';
    text.back() = '\0';
    if (only_differing) {
      binding::StringBuffer fallback{};
      if (model::ReadDefaultElement(row.record, row.element, fallback.data(), model::kModeRaw, set) == 0) {
        fallback.back() = '\0';
        if (std::strcmp(fallback.data(), text.data()) == 0) return {};
      }
    }
    return std::string(name) + ": " + text.data();
  }
  const bool selection = binding::IsSelectionKind(row.kind);
  const bool number = binding::IsNumericKind(row.kind);
  if (!selection && !number && row.kind != 5) return {};
  double value = 0.0;
  if (row.kind != 5) {
    if (binding::ReadValue(row.record, row.element, &value, set) != 0) return {};
    double fallback = 0.0;
    if (only_differing &&
        model::ReadDefaultElement(row.record, row.element, &fallback, model::kModeConverted, set) == 0 &&
        fallback == value)
      return {};
  }
  line = name;
  line += ": ";
  if (row.kind == 5) return line;
  if (selection) {
    const long n = std::lround(value);
    const long last = row.kind == 2 ? 1 : row.kind == 3 ? 3 : binding::ValueTextCount(row) - 1;
    if (n >= 0 && n <= last && n < binding::ValueTextCount(row)) {
      line += binding::TextEntry(row, static_cast<int>(n) + 1);
    } else {
      char wrong[48];
      std::snprintf(wrong, sizeof wrong, "%s:%d", "wrong selection", static_cast<int>(n));
      line += wrong;
    }
    return line;
  }
  line += binding::FormatEntry(value, row.kind, row.attributes);
  line += ' ';
  line += binding::UnitText(row, value, set);
  return line;
}

}  // namespace print

std::uint8_t PrintSection(std::uint8_t section, std::uint8_t set) {
  auto& s = print::State();
  if (!s.open || section > kLastSection) return kPrintFailed;
  switch (section) {
    case kSectionHeader: return PrintPageHeader(set);
    case kSectionServiceInfo: return PrintServiceInfo(set);
    case kSectionMenuSkip:
      if (s.line_count > 0 && PrintPageBreak(true, set) != kPrintOk) return kPrintFailed;
      return PrintMenuSkip(set);
    case 4: case 5: return kPrintFailed;
    case 10: return kPrintOk;
    default: break;
  }
  if (section == kSectionParameterSet1 || section == kSectionParameterSet2) {
    std::string heading = "\n\r\n\r";
    heading += section == kSectionParameterSet1 ? "parameter set 1 and basic set" : "parameter set 2";
    heading += ": ";
    heading += print::kLineEnd;
    if (print::Send(heading) != kPrintOk) return kPrintFailed;
  }
  if ((section == kSectionFaultMemory || section == kSectionPositioning) && s.line_count > 0 &&
      PrintPageBreak(true, set) != kPrintOk)
    return kPrintFailed;
  return PrintLists(section, set);
}

}  // namespace app
