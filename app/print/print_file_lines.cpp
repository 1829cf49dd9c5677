// The lines that name what is printed: the file line of the page header and the service-information line.
#include <array>
#include <cstdio>

#include "app/binding/binding_support.h"
#include "app/binding/dialog_binding.h"
#include "app/documents/file_slots.h"
#include "app/print/print_content.h"
#include "app/print/print_state.h"
#include "model/data_set.h"

namespace app {
namespace {

constexpr std::size_t kNameStemWidth = 8;
constexpr std::uint16_t kServiceRecord = 450;

std::string TextElement(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  binding::StringBuffer text{};
  if (binding::ReadString(record, element, set, text) != 0) return {};
  text.back() = '\0';
  return text.data();
}

// The display text of an element as the menu lists show it, or "" when none shows it.
std::string DisplayText(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::array<char, 1100> text{};
  if (ElementDisplayText(text.data(), static_cast<std::uint16_t>(text.size()), record, element, 0, 1, set) != 0)
    return {};
  return text.data();
}

}  // namespace

std::string PrintFileNames(std::size_t size, std::uint8_t set) {
  const bool project = model::GetFileTypeCode(set) == kKindProject;
  const std::string name = Slot(set).name;
  const std::size_t dot = name.find('.');
  const std::size_t stem = dot == std::string::npos ? name.size() : dot;  // a name without '.' is all stem
  std::string pieces[4];
  pieces[0] = project ? "proj-file: " : "rdocu-file: ";
  if (stem < kNameStemWidth) pieces[0].append(kNameStemWidth - stem, ' ');
  pieces[0] += name;
  pieces[1] = "   ";
  pieces[1] += project ? TextElement(15, 38, set) : TextElement(317, 81, set);
  // The identification: the device type and the firmware version as the title of the file shows them.
  const std::uint16_t identity = project ? 304 : 5;
  char ident[600];
  std::snprintf(ident, sizeof ident, "   %s   %s", DisplayText(identity, 1, set).c_str(),
                project ? DisplayText(304, 5, set).c_str() : TextElement(320, 0, set).c_str());
  pieces[2] = ident;
  std::string line;
  for (const std::string& piece : pieces) {
    if (line.size() + piece.size() + 1 > size) break;
    line += piece;
  }
  return line;
}

std::uint8_t PrintServiceInfo(std::uint8_t set) {
  char line[160];
  std::snprintf(line, sizeof line, "Service-Info: FA%d_FG%d_AZ%d_PK%d_%s",
                static_cast<int>(print::RawOr(kServiceRecord, 50, set, 0) & 0xFF),
                static_cast<int>(print::RawOr(kServiceRecord, 52, set, 0) & 0xFF),
                static_cast<int>(print::RawOr(kServiceRecord, 54, set, 0) & 0xFF),
                static_cast<int>(print::RawOr(kServiceRecord, 48, set, 0) & 0xFF), print::kLineEnd);
  std::string text = line;
  text += print::kLineEnd;
  return print::Send(text);
}

}  // namespace app
