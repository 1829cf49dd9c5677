// The comparison and input-check report texts.
#include "app/documents/result_reports.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "app/binding/dialog_binding.h"
#include "app/documents/device_view.h"
#include "model/data_set_compare.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/raw_number.h"
#include "model/record_layout.h"

namespace app {
namespace {

constexpr std::size_t kNameColumn = 28;
constexpr std::size_t kShortNameBlanks = 10;  // more blanks than this needed: two more
constexpr std::uint8_t kLineSize = 81;        // every report line of the model fits
constexpr std::size_t kNameLimit = 44;        // a parameter's text is cut to this
constexpr std::size_t kValueTextSize = 128;
constexpr std::string_view kLineEnd = "\r\n";

// Set 2's record (the one a pair comparison logs) to its set-1 partner.
std::uint16_t PartnerOfSet1(std::uint16_t record) {
  for (const auto& [set1, set2] : kParameterSetPairs) {
    if (set2 == record) return set1;
  }
  return record;
}

// The marks that stand for a whole record: their text alone, no values.
bool IsWholeRecordMark(std::uint16_t record, std::uint16_t element) {
  return ((record == 302 || record == 5 || record == 304) && element == 0) || (record == 458 && element == 4);
}

bool AtServiceLevel() {
  std::int64_t level = 0;
  return model::ReadRawInteger(305, 11, 0, &level) == 0 && level >= kAccessLevelService;
}

// Appends `piece` when the text stays within `limit`; false (nothing appended) when it would not.
bool AppendWithin(std::string& text, std::string_view piece, std::size_t limit) {
  if (text.size() + piece.size() > limit) return false;
  text += piece;
  return true;
}

ReportResult Finish(std::string text, int listed, bool cut, std::string_view note, std::span<char> out) {
  ReportResult result;
  result.listed = listed;
  result.cut = cut;
  if (out.empty()) return result;
  if (!note.empty()) text += note;
  result.length = std::min(text.size(), out.size() - 1);
  std::memcpy(out.data(), text.data(), result.length);
  out[result.length] = '\0';
  return result;
}

std::size_t LimitOf(std::span<char> out, std::size_t reserve) { return out.size() > reserve ? out.size() - reserve : 0; }

}  // namespace

std::string ComparisonLine(std::string_view name, std::string_view value1, std::string_view value2) {
  std::string line(name);
  if (line.size() < kNameColumn) {
    const std::size_t blanks = kNameColumn - line.size();
    line.append(blanks > kShortNameBlanks ? blanks + 2 : blanks, ' ');
  }
  line += '\t';
  line += value1;
  line += '\t';
  line += value2;
  return line;
}

std::string ComparisonValueText(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::array<char, kValueTextSize> text{};
  if (ElementDisplayText(text.data(), static_cast<std::uint16_t>(text.size()), record, element, 1, 1, set) == 0) {
    return text.data();
  }
  if (!model::IsStringType(model::GetElementType(record, element))) return {};
  std::array<char, kStringBackupBytes + 1> stored{};
  if (model::ReadElement(record, element, stored.data(), model::kModeRaw, set) != 0) return {};
  return std::string(stored.data(), strnlen(stored.data(), kStringBackupBytes));
}

ReportResult WriteComparisonReport(std::uint8_t mode, std::uint8_t set, std::span<char> out) {
  const std::size_t limit = LimitOf(out, kComparisonReserve);
  const bool service = AtServiceLevel();
  std::string text;
  int listed = 0;
  std::uint16_t taken = 0;
  bool cut = false;
  for (;;) {
    std::array<char, kLineSize> name{};
    std::uint16_t record = 0;
    std::uint16_t element = 0;
    std::uint8_t kind = 0;
    const std::uint8_t code = model::NextCompareReportLine(name.data(), &record, &element, &kind, kLineSize, set);
    if (code != 0 && code != model::kCompareNoDescriptor) break;
    ++taken;
    if (code == model::kCompareNoDescriptor && !service) continue;
    // A whole-record mark is a sentence of its own and is shown whole; a parameter's text is cut.
    std::string line = name.data();
    if (!IsWholeRecordMark(record, element)) {
      const std::string_view parameter = std::string_view(name.data()).substr(0, kNameLimit);
      line = mode == kCompareFiles
                 ? ComparisonLine(parameter, ComparisonValueText(record, element, 0),
                                  ComparisonValueText(record, element, 1))
                 : ComparisonLine(parameter, ComparisonValueText(PartnerOfSet1(record), element, set),
                                  ComparisonValueText(record, element, set));
    }
    line += kLineEnd;
    if (!AppendWithin(text, line, limit)) {
      cut = true;
      break;
    }
    ++listed;
  }
  const bool more = cut || taken >= kCompareEntryLimit;
  return Finish(std::move(text), listed, cut, more ? kMoreDifferences : std::string_view(), out);
}

ReportResult WriteInputCheckReport(std::span<const char> lines, std::uint32_t count, std::span<char> out) {
  const std::size_t limit = LimitOf(out, kInputCheckReserve);
  std::string text;
  int listed = 0;
  bool cut = false;
  std::size_t at = 0;
  for (std::uint32_t i = 0; i < count && at < lines.size(); ++i) {
    const std::size_t length = strnlen(lines.data() + at, lines.size() - at);
    std::string line(lines.data() + at, length);
    at += length + 1;
    line += kLineEnd;
    if (!AppendWithin(text, line, limit)) {
      cut = true;
      break;
    }
    ++listed;
  }
  return Finish(std::move(text), listed, cut, cut ? kMoreWrongParameters : std::string_view(), out);
}

}  // namespace app
