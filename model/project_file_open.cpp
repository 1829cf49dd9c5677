// Opening a project file: header, directory, layout letter and file kind are read into the state of the open
// file and checked; the data set is not touched.
#include <cstring>
#include <filesystem>

#include "model/data_set.h"
#include "model/element_type.h"
#include "model/project_file_internal.h"
#include "model/project_line_codec.h"
#include "platform/sys/atomic_file.h"

namespace model::project_file_internal {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lf = text.find('\n', pos);
    const std::size_t end = lf == std::string::npos ? text.size() : lf;
    std::size_t cut = end;
    if (lf != std::string::npos && cut > pos && text[cut - 1] == '\r') --cut;  // only a real CR LF line end
    lines.emplace_back(text, pos, cut - pos);
    if (lf == std::string::npos) break;
    pos = lf + 1;
  }
  return lines;
}

// Parses "record first-line": two unsigned decimals separated by blanks (wider than the four columns too).
bool ParseDirectoryLine(std::string_view line, DirectoryEntry* entry) {
  std::uint32_t values[2];
  for (auto& v : values) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty() || line.front() < '0' || line.front() > '9') return false;
    std::uint32_t n = 0;
    while (!line.empty() && line.front() >= '0' && line.front() <= '9') {
      n = n * 10 + static_cast<std::uint32_t>(line.front() - '0');
      if (n > 0xFFFF) return false;
      line.remove_prefix(1);
    }
    v = n;
  }
  *entry = {static_cast<std::uint16_t>(values[0]), static_cast<std::uint16_t>(values[1])};
  return true;
}

// The program's own header: record 300 as the profile makes it; the data set is left as it was.
std::optional<std::vector<std::uint8_t>> ProgramHeader(ProjectFileProfile& profile, std::uint8_t set) {
  auto saved = profile.ReadRecord(kHeaderRecord, set);
  if (!saved) return std::nullopt;
  const bool reset = profile.WriteHeader(set);
  auto header = profile.ReadRecord(kHeaderRecord, set);
  profile.WriteRecord(kHeaderRecord, *saved, set);
  if (!reset) return std::nullopt;
  return header;
}

// Header lines 2 to 9, the directory and records 4 and 302; the first fault found.
std::uint8_t ParseAfterFormatVersion(ProjectFileProfile& profile, OpenFile& file,
                                     const std::vector<ElementSlot>& header_elements, std::uint8_t set) {
  for (std::size_t i = 1; i < header_elements.size(); ++i) {
    const ElementSlot& e = header_elements[i];
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (e.element + size > file.header.size()) return kFileInternalError;
    if (i >= file.lines.size() ||
        DecodeElementLine(e.type, file.lines[i], std::span(file.header).subspan(e.element, size)) != kLineDone) {
      profile.session().fault_line = static_cast<std::uint32_t>(i + 1);
      return kFileInvalidData;
    }
  }
  file.last_line = LoadU16(file.header, kHeaderLastLine);

  file.directory.assign(profile.RecordSize(kDirectoryRecord), 0);
  if (file.directory.size() < kDirectoryEntries * 4) return kFileInternalError;
  for (std::size_t i = 0;; ++i) {
    const std::size_t line = kFirstDirectoryLine - 1 + i;  // 0-based
    DirectoryEntry entry{};
    if (i >= kDirectoryEntries || line >= file.lines.size() || !ParseDirectoryLine(file.lines[line], &entry)) {
      profile.session().fault_line = static_cast<std::uint32_t>(line + 1);
      return kFileInvalidData;
    }
    file.entries.push_back(entry);
    StoreU16(file.directory, 4 * i, entry.record);
    StoreU16(file.directory, 4 * i + 2, entry.first_line);
    if (entry.record == 0) break;
  }

  bool absent = false;
  file.layout = profile.DefaultRecord(kLayoutRecord, set);
  file.kind = profile.DefaultRecord(kFileKindRecord, set);
  if (file.layout.empty() || file.kind.size() < 2 + ElementTypeSizeOf(kTypeText16)) return kFileInternalError;
  std::uint8_t s = ReadRecordLines(profile, file, kLayoutRecord, file.layout, profile.CurrentLayoutLetter(), &absent);
  if (s != kFileDone) return s;
  return ReadRecordLines(profile, file, kFileKindRecord, file.kind, file.layout[0], &absent);
}

std::uint8_t CheckKind(const OpenFile& file) {
  static constexpr struct {
    std::uint16_t kind;
    const char* name;
  } kKinds[] = {{kFileKindProject, "Projekt._ZPR"},
                {kFileKindReverseDoc, "Rueckdoku_ZPR"},
                {kFileKindConfiguration, "Konfiguration"}};
  const std::uint16_t kind = LoadU16(file.kind, 0);
  const std::string_view name = TextAt(file.kind, kFileKindName, ElementTypeSizeOf(kTypeText16));
  for (const auto& k : kKinds) {
    if (k.kind == kind && name == k.name) return kFileDone;
  }
  return kFileWrongKind;
}

}  // namespace

std::uint8_t OpenProjectFile(ProjectFileProfile& profile, std::uint8_t set, const std::string& path) {
  auto& open_file = profile.session().open_file;
  open_file.reset();  // a new open ends the one before
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > kFileSizeLimit) return kFileFormatUnknown;
  auto text = platform::sys::ReadWholeFile(path);
  if (!text) return kFileCannotOpen;

  OpenFile file;
  file.path = path;
  file.lines = SplitLines(*text);
  text.reset();
  auto program = ProgramHeader(profile, set);
  if (!program) return kFileInternalError;
  file.header = *program;

  const auto header_elements = profile.RecordElements(kHeaderRecord);
  if (header_elements.size() != kFirstDirectoryLine - 1 || header_elements[0].type != kTypeU16) {
    return kFileInternalError;
  }
  if (file.lines.empty() || DecodeElementLine(kTypeU16, file.lines[0], file.header) != kLineDone) {
    profile.session().fault_line = 1;
    return kFileFormatUnknown;
  }
  const std::uint16_t format = LoadU16(file.header, kHeaderFormatVersion);
  if (format == 1) return kFileFormatV2;
  if (format != 3 && format != kFileFormatVersion) return kFileFormatUnknown;

  const std::uint8_t parsed = ParseAfterFormatVersion(profile, file, header_elements, set);
  if (format == 3) {
    file.deferred = parsed;
    open_file = std::move(file);
    return kFileFormatV3;
  }
  if (parsed != kFileDone) return parsed;
  if (const std::uint8_t kind = CheckKind(file); kind != kFileDone) return kind;

  std::uint8_t result = kFileDone;
  const std::size_t text_size = ElementTypeSizeOf(kTypeText16);
  if (TextAt(file.header, kHeaderVersionText, text_size) != TextAt(*program, kHeaderVersionText, text_size)) {
    const std::uint8_t letter = file.layout[0];
    const std::uint8_t current = profile.CurrentLayoutLetter();
    result = letter > current ? kFileNewerLayout : letter < current ? kFileOlderLayout : kFileDone;
  }
  open_file = std::move(file);
  return result;
}

}  // namespace model::project_file_internal
