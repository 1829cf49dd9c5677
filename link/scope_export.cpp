#include "link/scope_export.h"

#include <array>
#include <charconv>
#include <cstring>

#include "link/scope_recording.h"
#include "link/scope_time_base.h"
#include "model/element_access.h"
#include "model/parameter_codes.h"

namespace ilink {
namespace {

struct HeaderField {
  const char* code;
  std::uint16_t record;
  std::uint16_t element;
};
// K05's value is the active file's name; (15, 21) is its element in the data set.
constexpr std::array<HeaderField, 5> kFields = {{
    {"K05", 15, 21}, {"K03", 15, 4}, {"K40", 317, 2563}, {"K10", 317, 324}, {"K41", 317, 2644},
}};
constexpr std::size_t kLabelSize = 41;  // 40 characters

std::function<std::string()>& FileNameProvider() {
  static std::function<std::string()> provider;
  return provider;
}

std::string Label(const char* code) {
  std::array<char, kLabelSize> out{};
  const std::string key = std::string(code) + " ";
  if (model::FindDescriptorByCode(out.data(), static_cast<std::uint8_t>(out.size()), key.c_str()) != 0) return code;
  return out.data();
}

std::string TextValue(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::array<char, 1100> out{};
  if (model::ReadElement(record, element, out.data(), model::kModeReadConverted, set) != 0) return {};
  out.back() = '\0';
  return out.data();
}

// "\t  %6.2lf" with the decimal point as a comma, whatever the process locale.
std::string ValuePiece(double value) {
  std::array<char, 64> digits{};
  const auto r = std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 2);
  std::string number(digits.data(), r.ptr);
  for (char& c : number) {
    if (c == '.') c = ',';
  }
  if (number.size() < 6) number.insert(0, 6 - number.size(), ' ');
  return "\t  " + number;
}

bool PutLine(std::FILE* file, const std::string& text) {
  const std::string line = text + " \n";
  return std::fwrite(line.data(), 1, line.size(), file) == line.size();
}

}  // namespace

std::uint8_t WriteScopeText(std::FILE* file, const ScopeTextContent& c) {
  bool ok = true;
  std::string line;
  for (std::size_t i = 0; i < 3; ++i) line += c.labels[i] + ": " + c.values[i] + " \t";
  ok = ok && PutLine(file, line);
  ok = ok && PutLine(file, c.labels[3] + ": " + c.values[3]);
  ok = ok && PutLine(file, c.labels[4] + ": ");
  ok = ok && PutLine(file, c.values[4]);
  ok = ok && PutLine(file, "number of channels: " + std::to_string(c.channels) + " \tnumber of samples: " +
                               std::to_string(c.samples));
  ok = ok && std::fputc('\n', file) != EOF;
  line = "Zeit-[" + c.time_base + "]";
  for (const std::string& column : c.columns) line += "\t" + column;
  ok = ok && PutLine(file, line);
  const std::uint32_t lines = c.samples < kScopeExportMaxLines ? c.samples : kScopeExportMaxLines;
  for (std::uint32_t n = 0; ok && n < lines; ++n) {
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), "%6u ", static_cast<unsigned>(n));
    line = number.data();
    for (std::size_t k = 0; k < c.columns.size(); ++k) line += ValuePiece(c.value ? c.value(k, n) : 0.0);
    ok = PutLine(file, line);
  }
  return ok && std::ferror(file) == 0 ? 0 : 2;
}

std::uint8_t ExportScopeText(std::uint8_t set, const char* path) {
  BuildScopeUnitTexts(set);
  ScopeTextContent content;
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    content.labels[i] = Label(kFields[i].code);
    content.values[i] = TextValue(kFields[i].record, kFields[i].element, set);
  }
  if (FileNameProvider()) content.values[0] = FileNameProvider()();

  std::FILE* file = path ? std::fopen(path, "w") : nullptr;
  if (!file) return 1;

  std::array<ScopeSignalInfo, 8> rows;
  std::vector<std::uint8_t> channels;
  if (GetScopeSignalRows(7, rows, set) == 0) {
    for (std::uint8_t c = 0; c < rows.size(); ++c) {
      if (rows[c].kind == 0) continue;
      channels.push_back(c);
      content.columns.push_back(rows[c].name + "-[" + rows[c].unit + "]");
    }
  }
  content.channels = ScopeChannelsInUse(set);
  content.samples = ScopeSamplesPerRecord(set);
  content.time_base = ScopeTimeBaseText(GetScopeSamplingIndex(set));
  LoadScopeRecording(set);
  content.value = [&](std::size_t column, std::uint32_t n) {
    return GetScopeSample(channels[column], static_cast<std::uint16_t>(n), set);
  };
  // Write errors (a full disk) are reported, not only a failed close.
  const std::uint8_t written = WriteScopeText(file, content);
  const bool closed = std::fclose(file) == 0;
  return written == 0 && closed ? 0 : 2;
}

void SetScopeExportFileName(std::function<std::string()> provider) { FileNameProvider() = std::move(provider); }

}  // namespace ilink
