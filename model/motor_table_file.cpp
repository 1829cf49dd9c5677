// The motor database files: the path in use, counting and reading records, and the rewrites (add, store, delete)
// that go through the BAK copy and a temporary file.
#include <algorithm>
#include <optional>
#include <vector>

#include "model/element_access.h"
#include "model/motor_table.h"
#include "model/project_file.h"
#include "model/record_layout.h"
#include "platform/sys/atomic_file.h"

namespace model {
namespace {

constexpr std::uint16_t kWorkingRecord = 348;

std::string g_path;

std::optional<std::string> ReadFile(std::string_view path) {
  if (path.empty()) return std::nullopt;
  return platform::sys::ReadWholeFile(std::string(path));
}

// The line end the file uses: CR LF when its first line ends so, else LF.
std::string_view LineEndOf(std::string_view content) {
  const std::size_t lf = content.find('\n');
  return lf != std::string_view::npos && lf > 0 && content[lf - 1] == '\r' ? "\r\n" : "\n";
}

// Copies comment lines, drops ignored lines and replaces record line i by what rewrite(i, line) gives; then the BAK
// copy is made and the file replaced in one step.
template <typename Rewrite>
std::uint8_t RewriteFile(const std::string& content, Rewrite rewrite) {
  const std::string_view end = LineEndOf(content);
  std::string written;
  std::size_t index = 0;
  for (const std::string_view line : SplitMotorTableLines(content)) {
    switch (ClassifyMotorTableLine(line)) {
      case MotorLineKind::kComment:
        written.append(line).append(end);
        break;
      case MotorLineKind::kIgnored:
        break;
      case MotorLineKind::kRecord:
        for (const std::string& out : rewrite(index++, line)) written.append(out).append(end);
        break;
    }
  }
  if (MakeBackupCopy(g_path.c_str()) != kFileDone) return 1;
  return platform::sys::WriteFileAtomically(g_path, written) ? 1 : 0;
}

// The record lines of the content, in file order.
std::vector<std::string_view> RecordLines(std::string_view content) {
  std::vector<std::string_view> records;
  for (const std::string_view line : SplitMotorTableLines(content)) {
    if (ClassifyMotorTableLine(line) == MotorLineKind::kRecord) records.push_back(line);
  }
  return records;
}

// Everything after the third tab of a record line (its values); nullopt when it has fewer tabs.
std::optional<std::string_view> ValuesOf(std::string_view line) {
  std::size_t pos = 0;
  for (int tab = 0; tab < 3; ++tab) {
    pos = line.find('\t', pos);
    if (pos == std::string_view::npos) return std::nullopt;
    ++pos;
  }
  return line.substr(pos);
}

// The decimal at the start of text (blanks skipped), or fallback.
std::uint32_t LeadingNumber(std::string_view line, std::uint32_t fallback) {
  std::uint64_t number = 0;
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  const std::size_t first = i;
  while (i < line.size() && i - first < 10 && line[i] >= '0' && line[i] <= '9') {
    number = number * 10 + static_cast<std::uint64_t>(line[i++] - '0');
  }
  return i == first || number > UINT32_MAX ? fallback : static_cast<std::uint32_t>(number);
}

// A written record line stays a record: blanks after its last value lengthen it to 51 characters.
std::string PadToRecordLength(std::string line) {
  if (line.size() < kMotorRecordMinLength) line.resize(kMotorRecordMinLength, ' ');
  return line;
}

}  // namespace

std::uint8_t MotorTableSetFile(std::string_view path) {
  if (path.size() > kMotorPathLength) {
    g_path.clear();
    return 1;
  }
  g_path = std::string(path);
  return 0;
}

std::uint8_t MotorTableCount(std::uint16_t* count) {
  const auto content = ReadFile(g_path);
  if (!content) return 1;
  if (count) *count = CountMotorTableRecords(*content);
  return 0;
}

std::uint8_t MotorTableGetName(std::span<char> out, std::string_view path0, std::string_view path1,
                               std::uint8_t layout, std::uint8_t n) {
  if (out.empty()) return 1;
  out[0] = '\0';
  const auto content = ReadFile(layout == kMotorLayoutServo ? path1 : path0);
  if (!content) return 1;
  const auto records = RecordLines(*content);
  MotorTableEntry entry;
  if (n >= records.size() || !ParseMotorTableLine(records[n], layout, &entry)) return 1;
  const std::size_t length = std::min(out.size() - 1, std::string_view(entry.name.data()).size());
  std::copy_n(entry.name.begin(), length, out.begin());
  out[length] = '\0';
  return 0;
}

std::uint8_t MotorTableReadRecord(std::span<MotorTableEntry> out, std::uint8_t layout, std::uint16_t* read) {
  if (read) *read = 0;
  const auto content = ReadFile(g_path);
  if (!content || MotorTableColumns(layout).empty()) return 1;
  return ReadMotorTableText(*content, layout, out, read);
}

std::uint8_t MotorTableCountAll(std::size_t* count) {
  const auto content = ReadFile(g_path);
  if (!content) return 1;
  if (count) *count = RecordLines(*content).size();
  return 0;
}

std::uint8_t MotorTableAddRecord(std::uint16_t* n, std::uint8_t layout) {
  if (!n) return 1;
  std::error_code error;
  const auto content = g_path.empty() ? std::nullopt : platform::sys::ReadWholeFile(g_path, &error);
  if (!content && error == std::errc::no_such_file_or_directory && !MotorTableColumns(layout).empty()) {
    // No database yet: it begins with the placeholder record over the layout's template.
    const std::string first = PadToRecordLength(
        FormatMotorTableLine(1, kMotorPlaceholderName, MotorTableValues(MotorTableTemplate(layout), layout)));
    if (platform::sys::WriteFileAtomically(g_path, std::string(kMotorTableHeading) + "\n" + first + "\n")) return 1;
    *n = 0;
    return 0;
  }
  if (!content) return 1;
  const auto records = RecordLines(*content);
  if (*n >= records.size()) return 1;
  std::size_t flagged = 0;
  for (const std::string_view line : records) {
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    if (LeadingNumber(line.substr(tab + 1), 0) != 0) ++flagged;
  }
  // After record k (counted from 1): the end when at least n + 1 records are flagged, else after record n.
  const std::size_t k = flagged >= *n + 1u ? records.size() : *n + 1u;
  const auto values = ValuesOf(records[k - 1]);
  if (!values) return 1;
  const std::string added = PadToRecordLength(std::to_string(records.size() + 1) + "\t0\t" +
                                              kMotorPlaceholderName + "\t" + std::string(*values));
  const std::uint8_t status = RewriteFile(*content, [&](std::size_t index, std::string_view line) {
    std::vector<std::string> out{std::string(line)};
    if (index + 1 == k) out.push_back(added);
    return out;
  });
  if (status == 0) *n = static_cast<std::uint16_t>(k);
  return status;
}

std::uint8_t MotorTableStoreRecord(std::uint16_t n, std::string_view name, std::uint8_t set, std::uint8_t layout) {
  if (MotorTableColumns(layout).empty() || RecordSize(kWorkingRecord) != kMotorRowSize) return 1;
  MotorTableEntry working;
  if (ReadRecord(kWorkingRecord, working.motor_record.data(), kModeRaw, set) != 0) return 1;
  const std::vector<std::int64_t> values = MotorTableValues(working, layout);
  const auto content = ReadFile(g_path);
  if (!content) return 1;
  const auto records = RecordLines(*content);
  if (n >= records.size()) return 1;
  const std::string line = PadToRecordLength(FormatMotorTableLine(LeadingNumber(records[n], n + 1u), name, values));
  return RewriteFile(*content, [&](std::size_t index, std::string_view old) {
    return std::vector<std::string>{index == n ? line : std::string(old)};
  });
}

std::uint8_t MotorTableDeleteRecord(std::uint16_t n) {
  const auto content = ReadFile(g_path);
  if (!content) return 1;
  if (n >= CountMotorTableRecords(*content)) return 1;
  return RewriteFile(*content, [&](std::size_t index, std::string_view line) {
    return index == n ? std::vector<std::string>{} : std::vector<std::string>{std::string(line)};
  });
}

}  // namespace model
