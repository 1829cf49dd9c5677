// The menu-skip section: per part three columns of the menu entries that are not skipped, then the menu jump
// targets.
#include <array>
#include <cstdio>

#include "app/binding/binding_support.h"
#include "app/print/print_content.h"
#include "app/print/print_state.h"
#include "model/menu_catalogue.h"
#include "model/menu_groups.h"
#include "model/menu_skip.h"

namespace app {
namespace {

constexpr std::size_t kCellWidth = 16;
constexpr std::uint8_t kJumpTargetList = 123;
constexpr int kRowsPerTarget = 3;

struct Column {
  std::array<model::MenuEntryText, model::kMenuGroupSlots> texts{};
  std::array<std::uint8_t, model::kMenuGroupSlots> marks{};
  std::size_t count = 0;
  std::size_t next = 0;

  // The next entry that is not skipped, or blanks when the column is used up.
  std::string Take() {
    while (next < count && (marks[next] == model::kSkipMarked || marks[next] == model::kSkipGroupMarked)) ++next;
    if (next >= count) return std::string(kCellWidth, ' ');
    std::string cell(texts[next].data(), kCellWidth);
    ++next;
    return cell;
  }
  bool UsedUp() {
    while (next < count && (marks[next] == model::kSkipMarked || marks[next] == model::kSkipGroupMarked)) ++next;
    return next >= count;
  }
};

void LoadColumn(char letter, std::uint8_t set, Column& column) {
  if (letter == ' ' || model::IsMenuGroupAvailable(set, letter) == 0) return;
  std::uint8_t texts = 0;
  std::uint8_t marks = 0;
  if (model::ListMenuEntries(set, letter, &texts, column.texts) != 0) return;
  if (model::ListMenuEntriesWithSkip(set, letter, &marks, column.marks) != 0) return;
  column.count = std::min<std::size_t>(texts, marks);
}

// A jump target's number, or the mark of one that is not set.
std::string TargetNumber(const binding::MenuListEntry& row, std::uint8_t set, const char* unset) {
  double value = 0.0;
  if (binding::ReadValue(row.record, row.element, &value, set) != 0) return unset;
  char text[48];
  switch (row.kind) {
    case 9: std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value)); break;
    default:
      if (row.attributes == 1) std::snprintf(text, sizeof text, "%.1lf", value);
      else if (row.attributes == 2) std::snprintf(text, sizeof text, "%.2lf", value);
      else if (row.attributes >= 3) std::snprintf(text, sizeof text, "%.3lf", value);
      else if (value < 0) std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
      else std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
  }
  return text;
}

}  // namespace

std::uint8_t PrintMenuSkipColumns(char a, char b, char c, std::uint8_t set) {
  std::array<Column, 3> columns;
  LoadColumn(a, set, columns[0]);
  LoadColumn(b, set, columns[1]);
  LoadColumn(c, set, columns[2]);
  for (std::size_t line = 0; line < model::kMenuGroupSlots; ++line) {
    if (columns[0].UsedUp() && columns[1].UsedUp() && columns[2].UsedUp()) break;
    char text[128];
    std::snprintf(text, sizeof text, "%s     %s     %s%s", columns[0].Take().c_str(), columns[1].Take().c_str(),
                  columns[2].Take().c_str(), print::kLineEnd);
    if (print::Send(text) != kPrintOk) return kPrintFailed;
  }
  return kPrintOk;
}

std::uint8_t PrintMenuSkip(std::uint8_t set) {
  constexpr std::array<std::array<char, 3>, 4> kParts{{{'A', 'B', 'C'}, {'D', 'E', 'F'}, {'G', 'H', ' '},
                                                       {'I', 'J', 'L'}}};
  for (std::size_t part = 0; part < kParts.size(); ++part) {
    if (part > 0 && PrintPageBreak(true, set) != kPrintOk) return kPrintFailed;
    char heading[128];
    std::snprintf(heading, sizeof heading, "%s %d%s%s%s%s%s", "M.. menu skip part", static_cast<int>(part + 1),
                  ": ", print::kLineEnd, "Here are only the menues shown, which are not skipped.", print::kLineEnd,
                  print::kLineEnd);
    if (print::Send(heading) != kPrintOk) return kPrintFailed;
    if (PrintMenuSkipColumns(kParts[part][0], kParts[part][1], kParts[part][2], set) != kPrintOk)
      return kPrintFailed;
  }
  return PrintJumpTargets(set);
}

std::uint8_t PrintJumpTargets(std::uint8_t set) {
  binding::ListRows rows;
  if (!binding::LoadRows(kJumpTargetList, set, rows)) return kPrintFailed;
  std::string text = print::kLineEnd;
  std::array<const binding::MenuListEntry*, kRowsPerTarget> target{};
  int taken = 0;
  for (std::size_t i = 0; i < rows.count; ++i) {
    if (binding::IsHeading(rows[i])) {
      text += binding::TextEntry(rows[i], 0);
      text += ": ";
      text += print::kLineEnd;
      continue;
    }
    target[taken++] = &rows[i];
    if (taken < kRowsPerTarget) continue;
    taken = 0;
    // A target of 0 names no parameter: it and its limits are not set.
    double code = 0.0;
    const bool set_target = binding::ReadValue(target[0]->record, target[0]->element, &code, set) == 0 && code != 0;
    char line[256];
    std::snprintf(line, sizeof line, "%s: %s %s %s%s", binding::TextEntry(*target[0], 0),
                  set_target ? TargetNumber(*target[0], set, "    -     ").c_str() : "    -     ",
                  set_target ? TargetNumber(*target[1], set, "   -   ").c_str() : "   -   ",
                  set_target ? TargetNumber(*target[2], set, "   -   ").c_str() : "   -   ", print::kLineEnd);
    text += line;
  }
  return print::Send(text);
}

}  // namespace app
