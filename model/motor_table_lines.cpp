// The line grammar of the motor databases: classifying, parsing and writing record lines, typed names.
#include <algorithm>

#include "model/element_type.h"
#include "model/motor_table.h"
#include "model/record_layout.h"
#include "model/stored_value.h"
#include "platform/sys/module_path.h"

namespace model {
namespace {

constexpr std::uint16_t kWorkingRecord = 348;  // the motor record image the database rows hold
constexpr std::uint16_t kMotorTypeElement = 29;
constexpr std::uint8_t kServoMotorType = 60;
constexpr std::uint8_t kAsyncTemplateRow = 1;

constexpr std::array<std::uint16_t, 16> kAsyncColumns = {26, 6, 4, 8, 2, 0, 27, 10, 12, 22, 24, 25, 16, 14, 20, 18};
constexpr std::array<std::uint16_t, 12> kServoColumns = {30, 62, 26, 6, 4, 8, 60, 34, 10, 22, 16, 14};

// A decimal with optional leading blanks and sign, as the C library reads one; nothing consumed on failure.
bool ParseDecimal(std::string_view line, std::size_t* pos, std::int64_t* value) {
  std::size_t i = *pos;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
  const std::size_t digits = i;
  std::int64_t v = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    if (i - digits >= 12) return false;  // far beyond any stored value
    v = v * 10 + (line[i++] - '0');
  }
  if (i == digits) return false;
  *value = negative ? -v : v;
  *pos = i;
  return true;
}

bool StepOverTab(std::string_view line, std::size_t* pos) {
  if (*pos >= line.size() || line[*pos] != '\t') return false;
  ++*pos;
  return true;
}

void CopyName(std::string_view name, std::array<char, kMotorNameLength + 1>* out) {
  out->fill('\0');
  std::copy_n(name.begin(), std::min(name.size(), kMotorNameLength), out->begin());
}

}  // namespace

std::span<const std::uint16_t> MotorTableColumns(std::uint8_t layout) {
  if (layout == kMotorLayoutAsync) return kAsyncColumns;
  if (layout == kMotorLayoutServo) return kServoColumns;
  return {};
}

const char* MotorTableFileName(std::uint8_t layout) {
  return layout == kMotorLayoutAsync ? "mottab.txt" : "esmottab.txt";
}

std::string MotorTablePathBesideProgram(std::uint8_t layout) {
  return platform::sys::FileBesideExecutable(MotorTableFileName(layout));
}

MotorTableEntry MotorTableTemplate(std::uint8_t layout) {
  MotorTableEntry entry;
  const std::uint8_t* row = BuiltInMotorRow(layout == kMotorLayoutServo ? kServoMotorType : kAsyncTemplateRow);
  if (row) {
    std::copy_n(row, kMotorRowSize, entry.motor_record.begin());
  } else if (layout == kMotorLayoutServo) {
    entry.motor_record[kMotorTypeElement] = kServoMotorType;
  }
  CopyName(kMotorDefaultName, &entry.name);
  return entry;
}

MotorLineKind ClassifyMotorTableLine(std::string_view line) {
  if (!line.empty() && line.front() == ';') return MotorLineKind::kComment;
  return line.size() < kMotorRecordMinLength ? MotorLineKind::kIgnored : MotorLineKind::kRecord;
}

bool ParseMotorTableLine(std::string_view line, std::uint8_t layout, MotorTableEntry* out) {
  const auto columns = MotorTableColumns(layout);
  if (columns.empty() || !out) return false;
  line = line.substr(0, kMotorLineLength);
  *out = MotorTableTemplate(layout);

  std::size_t pos = 0;
  std::int64_t number = 0;
  if (!ParseDecimal(line, &pos, &number) || number < 0 || number > UINT32_MAX) return false;
  std::int64_t flag = 0;
  if (!StepOverTab(line, &pos) || !ParseDecimal(line, &pos, &flag) || !StepOverTab(line, &pos)) return false;
  const std::size_t name_end = line.find('\t', pos);
  if (name_end == std::string_view::npos) return false;  // the line ends inside the name
  const std::string_view name = line.substr(pos, name_end - pos);
  pos = name_end;

  for (const std::uint16_t element : columns) {
    std::int64_t value = 0;
    if (!ParseDecimal(line, &pos, &value) || value < INT32_MIN || value > UINT32_MAX) return false;
    const std::uint8_t type = GetElementType(kWorkingRecord, element);
    if (element + ElementTypeSizeOf(type) > kMotorRowSize || !IsIntegerType(type)) return false;
    StoreDoubleAs(out->motor_record.data() + element, type, static_cast<double>(value));
  }
  out->motor_number = static_cast<std::uint32_t>(number);
  out->flag = flag != 0 ? 1 : 0;
  if (!name.empty()) CopyName(name, &out->name);
  return true;
}

std::vector<std::int64_t> MotorTableValues(const MotorTableEntry& entry, std::uint8_t layout) {
  std::vector<std::int64_t> values;
  for (const std::uint16_t element : MotorTableColumns(layout)) {
    const std::uint8_t type = GetElementType(kWorkingRecord, element);
    const bool fits = IsIntegerType(type) && element + ElementTypeSizeOf(type) <= kMotorRowSize;
    values.push_back(fits ? static_cast<std::int64_t>(LoadStoredAsDouble(entry.motor_record.data() + element, type))
                          : 0);
  }
  return values;
}

std::string SanitizeMotorName(std::string_view typed) {
  std::string name;
  for (const char c : typed) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) continue;
    if (name.size() == kMotorNameLength) break;
    name.push_back(c);
  }
  return name;
}

std::string FormatMotorTableLine(std::uint32_t motor_number, std::string_view name,
                                 std::span<const std::int64_t> values) {
  std::string line = std::to_string(motor_number) + "\t0\t" + SanitizeMotorName(name);
  for (const std::int64_t v : values) {
    line += '\t';
    line += std::to_string(v);
  }
  return line;
}

std::vector<std::string_view> SplitMotorTableLines(std::string_view content) {
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
    // A NUL ends the line first, then its CRs go: a rewrite writes the line so, and it must read back the same.
    line = line.substr(0, line.find('\0'));
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

std::uint16_t CountMotorTableRecords(std::string_view content) {
  std::size_t count = 0;
  for (const std::string_view line : SplitMotorTableLines(content)) {
    if (ClassifyMotorTableLine(line) == MotorLineKind::kRecord) ++count;
  }
  return static_cast<std::uint16_t>(std::min<std::size_t>(count, UINT16_MAX));
}

std::uint8_t ReadMotorTableText(std::string_view content, std::uint8_t layout, std::span<MotorTableEntry> out,
                                std::uint16_t* read) {
  std::size_t filled = 0;
  std::uint8_t status = 0;
  for (const std::string_view line : SplitMotorTableLines(content)) {
    if (filled == out.size()) break;
    if (ClassifyMotorTableLine(line) != MotorLineKind::kRecord) continue;
    if (!ParseMotorTableLine(line, layout, &out[filled])) {
      status = 1;
      break;
    }
    ++filled;
  }
  if (read) *read = static_cast<std::uint16_t>(std::min<std::size_t>(filled, UINT16_MAX));
  return status;
}

}  // namespace model
