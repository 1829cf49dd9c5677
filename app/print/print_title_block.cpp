// The file head of the value log.
#include "app/binding/binding_support.h"
#include "app/print/print_content.h"
#include "app/print/print_rows.h"
#include "app/print/print_state.h"

namespace app {
namespace {

constexpr std::size_t kProgramColumn = 38;
constexpr std::size_t kVersionColumn = 60;
constexpr std::size_t kRuleWidth = 70;

void PadTo(std::string& line, std::size_t column) {
  if (line.size() < column) line.append(column - line.size(), ' ');
}

// Splits a text with the buffer's line ends ("\n\r") into lines.
void AppendLines(const std::string& text, std::vector<std::string>& lines) {
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find(print::kLineEnd, from);
    if (end == std::string::npos) {
      lines.push_back(text.substr(from));
      return;
    }
    lines.push_back(text.substr(from, end - from));
    from = end + 2;
  }
}

}  // namespace

std::vector<std::string> PrintTitleBlock(std::uint8_t set, std::uint8_t list) {
  binding::ListRows rows;
  if (!binding::LoadRows(list, set, rows)) return {};
  std::string head = kPrintTitleLine;
  PadTo(head, kProgramColumn);
  head += kPrintProgramName;
  PadTo(head, kVersionColumn);
  head += kPrintProgramVersion;
  std::vector<std::string> lines{head};
  std::size_t at = 0;
  while (at < rows.count) AppendLines(print::PrintRowPair(rows, at, set, false), lines);
  lines.emplace_back(kRuleWidth, '-');
  return lines;
}

}  // namespace app
