// Record images and the directory look-up of the open file.
#include <algorithm>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/project_file_internal.h"
#include "model/project_line_codec.h"
#include "model/record_layout.h"

namespace model::project_file_internal {

std::uint16_t LoadU16(const std::vector<std::uint8_t>& image, std::size_t at) {
  return static_cast<std::uint16_t>(image[at] | (image[at + 1] << 8));
}

void StoreU16(std::vector<std::uint8_t>& image, std::size_t at, std::uint16_t v) {
  image[at] = static_cast<std::uint8_t>(v);
  image[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::string_view TextAt(const std::vector<std::uint8_t>& image, std::size_t at, std::size_t size) {
  if (at >= image.size()) return {};
  const char* p = reinterpret_cast<const char*>(image.data() + at);
  const std::size_t limit = std::min(size, image.size() - at);
  return {p, static_cast<std::size_t>(std::find(p, p + limit, '\0') - p)};
}

std::uint8_t FindRange(const OpenFile& file, std::uint16_t record, std::uint16_t* first, std::uint16_t* count) {
  if (record == 0) return 2;
  for (std::size_t i = 0; i + 1 < file.entries.size(); ++i) {
    const DirectoryEntry& e = file.entries[i];
    if (e.record != record && !(record == kCommentRecord && e.record == kOldCommentRecord)) continue;
    const std::uint16_t next = file.entries[i + 1].first_line;
    if (next < e.first_line) return kFileInvalidData;
    *first = e.first_line;
    *count = static_cast<std::uint16_t>(next - e.first_line);
    return 0;
  }
  return 1;
}

std::uint8_t ReadRecordLines(ProjectFileProfile& profile, const OpenFile& file, std::uint16_t record,
                             std::vector<std::uint8_t>& image, std::uint8_t layout_letter, bool* absent) {
  *absent = false;
  std::uint16_t first = 0;
  std::uint16_t count = 0;
  const std::uint8_t found = FindRange(file, record, &first, &count);
  if (found == 1) {
    *absent = true;
    return kFileDone;
  }
  if (found != 0) return found == 2 ? kFileInternalError : found;
  const auto elements = profile.RecordElements(record);
  std::size_t n = std::min<std::size_t>(count, elements.size());
  if (profile.CutsOldMotorRecords() && (record == 34 || record == 35) && layout_letter < kShortMotorLayoutBelow &&
      count > kShortMotorLines) {
    n = std::min<std::size_t>(n, kShortMotorLines);
  }
  if (n == 0) return kFileDone;
  if (first == 0 || first > file.last_line || first > file.lines.size()) return kFileInvalidData;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t line = first + i;  // 1-based
    if (line > file.lines.size()) {
      profile.session().fault_line = static_cast<std::uint32_t>(line);
      return kFileInternalError;
    }
    const ElementSlot& e = elements[i];
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (e.element + size > image.size()) return kFileInternalError;
    const std::uint8_t s =
        DecodeElementLine(e.type, file.lines[line - 1], std::span(image).subspan(e.element, size));
    if (s != kLineDone) {
      profile.session().fault_line = static_cast<std::uint32_t>(line);
      return kFileInternalError;
    }
  }
  return kFileDone;
}

}  // namespace model::project_file_internal
