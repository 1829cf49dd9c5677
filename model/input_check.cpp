// CheckParameterSet: the report writer, the range stage over the menu lists and the two stages run in turn.
#include "model/input_check.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/device_identity.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/input_check_report.h"
#include "model/menu_list_table.h"
#include "model/record_layout.h"

namespace model {
namespace input_check {
namespace {

struct CheckList {
  std::uint8_t family;  // 2, or 0 for every other family
  std::uint8_t list;
};

constexpr CheckList kCheckLists[] = {
#define CHECK_LIST(family, list) {family, list},
#include "model/data/input_check_lists.def"
#undef CHECK_LIST
};
static_assert(std::size(kCheckLists) == 62 + 40);

constexpr std::uint16_t kProjectTargetRecord = 304;

bool IsSet2Record(std::uint16_t record) {
  constexpr std::array<std::uint16_t, 10> kSet2 = {35, 39, 41, 43, 47, 49, 54, 58, 60, 251};
  return std::find(kSet2.begin(), kSet2.end(), record) != kSet2.end();
}

std::string_view RangeSuffix(std::uint8_t status) {
  switch (status) {
    case 4: return ": value too great";
    case 5: return ": value too small";
    case 6: return ": wrong value";
    case 7: return ": collision with other values";
    default: return {};
  }
}

std::uint8_t CheckEntry(const MenuListEntry& entry, std::uint8_t set, bool project, Report& report) {
  if (entry.element == kHeadingElement) return 0;
  if (entry.record == kProjectTargetRecord && !project) return 0;
  if (entry.kind < 1 || entry.kind > 4) return 0;
  const std::uint16_t index = FindLayoutEntry(entry.record, entry.element);
  if (index == kNoRow) return 3;
  const std::uint8_t* storage = ElementAddress(entry.record, entry.element, set);
  if (!storage) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];
  if (row.a == 0 && row.b == 0) return 0;
  if (row.a >= kRangeFunctionCount || row.b >= kRangePairCount) return 12;
  // Only numbers have ranges; a text or block element shown in such a list has nothing to check.
  if (!IsNumberType(row.type)) return 0;
  const RangePair* pair = RangePairTable()[row.b];
  if (!pair) return 12;
  alignas(8) std::array<std::uint8_t, 8> value{};
  std::memcpy(value.data(), storage, ElementTypeSize(row.type));
  const std::uint8_t status = RangeTable()[row.a](value.data(), pair, row.type, set, 0);
  if (status == 0) return 0;
  const char* name = entry.texts && entry.texts[0] ? entry.texts[0] : "";
  return report.Add(IsSet2Record(entry.record) ? kPrefixSet2 : kPrefixSet1, name, RangeSuffix(status));
}

}  // namespace

std::uint8_t Report::Add(std::string_view prefix, std::string_view text, std::string_view suffix) {
  if (!buffer_ || offset_ >= size_) return 3;
  char* out = buffer_ + offset_;
  std::size_t room = static_cast<std::size_t>(size_ - offset_ - 1);  // characters before the terminator
  std::size_t written = 0;
  for (const std::string_view part : {prefix, text, suffix}) {
    const std::size_t n = std::min(part.size(), room - written);
    if (n != 0) std::memcpy(out + written, part.data(), n);
    written += n;
  }
  out[written] = '\0';
  ++*count_;
  offset_ = static_cast<std::uint16_t>(offset_ + written + 1);
  const bool cut = written < prefix.size() + text.size() + suffix.size();
  return cut || offset_ >= size_ ? 3 : 0;
}

std::uint8_t CheckRanges(std::uint8_t set, Report& report) {
  const std::uint8_t family = GetDeviceFamily(set) == 2 ? 2 : 0;
  const bool project = GetFileTypeCode(set) == kFileKindProject;
  std::array<MenuListEntry, kMenuListBufferEntries> entries{};
  for (const CheckList& list : kCheckLists) {
    if (list.family != family) continue;
    if (LoadMenuList(list.list, entries.data(), set) != 0) return 3;
    for (const MenuListEntry& entry : entries) {
      if (entry.record == 0) break;
      const std::uint8_t status = CheckEntry(entry, set, project, report);
      if (status != 0) return status;
    }
  }
  return 0;
}

}  // namespace input_check

std::uint8_t CheckParameterSet(std::uint8_t set, std::uint16_t* errorCount, char* report, std::uint16_t reportSize) {
  if (set > LastDataSetIndex() || !DataSetSlot(set)) return 1;
  if (!errorCount) return 3;
  *errorCount = 0;
  input_check::Report lines(report, reportSize, errorCount);
  const std::uint8_t ranges = input_check::CheckRanges(set, lines);
  if (ranges != 0) return ranges;
  return input_check::CheckRules(set, lines);
}

}  // namespace model
