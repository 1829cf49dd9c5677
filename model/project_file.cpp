#include "model/project_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/project_line_codec.h"
#include "model/record_layout.h"
#include "platform/sys/atomic_file.h"

namespace model {
namespace {

constexpr std::uint16_t kHeaderRecord = 300;
constexpr std::uint16_t kDirectoryRecord = 3;
constexpr std::uint16_t kLayoutRecord = 4;
constexpr std::uint16_t kFileKindRecord = 302;
constexpr std::uint16_t kLinkSettingsRecord = 305;
constexpr std::uint16_t kCommentRecord = 317;
constexpr std::uint16_t kOldCommentRecord = 303;  // an older file's comment record, read into 317
constexpr std::uint16_t kFileKindName = 2;        // element of record 302
constexpr std::uint8_t kShortMotorLayoutBelow = 'G';
constexpr std::uint16_t kShortMotorLines = 43;
constexpr std::uintmax_t kFileSizeLimit = 64u << 20;  // far above any project file
constexpr const char* kLineEnd = "\r\n";

struct ElementSlot {
  std::uint16_t element;  // byte offset in the record
  std::uint8_t type;
};

struct DirectoryEntry {
  std::uint16_t record;
  std::uint16_t first_line;
};

// What an open (mode 7) learnt about the file; the data set itself is not touched until a read.
struct OpenFile {
  std::string path;
  std::vector<std::string> lines;  // line ends removed
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> directory;  // image of record 3
  std::vector<DirectoryEntry> entries;  // up to and including the closing entry
  std::vector<std::uint8_t> layout;     // record 4
  std::vector<std::uint8_t> kind;       // record 302
  std::uint16_t last_line = 0;
  std::uint8_t deferred = kFileDone;  // a fault found after a question, reported by the read
};

std::optional<OpenFile> g_open;

std::vector<ElementSlot> RecordElements(std::uint16_t record) {
  std::vector<ElementSlot> out;
  const std::uint16_t first = FirstRowOfRecord(record);
  if (first == kNoRow) return out;
  const auto table = RecordLayoutTable();
  const std::uint32_t base = table[first].storage;
  for (std::size_t i = first; i < table.size() && table[i].record == record; ++i) {
    out.push_back({static_cast<std::uint16_t>(table[i].storage - base), table[i].type});
  }
  return out;
}

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

bool HasKnownExtension(std::string_view path) {
  if (path.size() < 3) return false;
  char ext[4] = {path[path.size() - 3], path[path.size() - 2], path[path.size() - 1], '\0'};
  UpperCaseN(ext, 3);
  return std::strcmp(ext, "ZPR") == 0 || std::strcmp(ext, "CFG") == 0;
}

bool IsWriteMode(std::uint8_t mode) {
  return mode == kProjectWriteConfiguration || mode == kProjectWriteProject || mode == kProjectWriteReverseDoc;
}

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

// The factory default of every element of a record (zeros where there is none).
std::vector<std::uint8_t> DefaultRecordImage(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> image(RecordSize(record), 0);
  for (const auto& e : RecordElements(record)) {
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (size == 0 || e.element + size > image.size()) continue;
    std::vector<std::uint8_t> value(size, 0);
    if (ReadDefaultElement(record, e.element, value.data(), kModeRaw, set) == 0) {
      std::copy(value.begin(), value.end(), image.begin() + e.element);
    }
  }
  return image;
}

std::optional<std::vector<std::uint8_t>> CurrentRecordImage(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> image(RecordSize(record), 0);
  if (image.empty() || ReadRecord(record, image.data(), kModeRaw, set) != 0) return std::nullopt;
  return image;
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

// Reads a record's lines into image (which keeps the bytes of elements the file does not hold).
// absent: the directory has no entry for the record.
std::uint8_t ReadRecordLines(const OpenFile& file, std::uint16_t record, std::vector<std::uint8_t>& image,
                             std::uint8_t layout_letter, bool* absent) {
  *absent = false;
  std::uint16_t first = 0;
  std::uint16_t count = 0;
  const std::uint8_t found = FindRange(file, record, &first, &count);
  if (found == 1) {
    *absent = true;
    return kFileDone;
  }
  if (found != 0) return found == 2 ? kFileInternalError : found;
  const auto elements = RecordElements(record);
  std::size_t n = std::min<std::size_t>(count, elements.size());
  if ((record == 34 || record == 35) && layout_letter < kShortMotorLayoutBelow && count > kShortMotorLines) {
    n = std::min<std::size_t>(n, kShortMotorLines);
  }
  if (n == 0) return kFileDone;
  if (first == 0 || first > file.last_line || first > file.lines.size()) return kFileInvalidData;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t line = first + i;  // 1-based
    if (line > file.lines.size()) return kFileInternalError;
    const ElementSlot& e = elements[i];
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (e.element + size > image.size()) return kFileInternalError;
    const std::uint8_t s =
        DecodeElementLine(e.type, file.lines[line - 1], std::span(image).subspan(e.element, size));
    if (s != kLineDone) return kFileInternalError;
  }
  return kFileDone;
}

std::uint8_t AppendRecordLines(std::uint16_t record, const std::vector<std::uint8_t>& image, std::string& out,
                               std::size_t* line_count) {
  for (const auto& e : RecordElements(record)) {
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (e.element + size > image.size()) return kFileInternalError;
    if (EncodeElementLine(e.type, std::span(image).subspan(e.element, size), out) != kLineDone) {
      return kFileInternalError;
    }
    out += kLineEnd;
    ++*line_count;
  }
  return kFileDone;
}

std::string FormatDirectoryLine(const DirectoryEntry& e) {
  auto pad = [](std::string s) { return s.size() < 4 ? std::string(4 - s.size(), ' ') + s : s; };
  return pad(FormatUnsigned32(e.record)) + " " + pad(FormatUnsigned32(e.first_line));
}

// The program's own header: record 300 as ResetRecord300Defaults makes it; the data set is left as it was.
std::optional<std::vector<std::uint8_t>> ProgramHeader(std::uint8_t set) {
  auto saved = CurrentRecordImage(kHeaderRecord, set);
  if (!saved) return std::nullopt;
  const std::uint8_t reset = ResetRecord300Defaults(set);
  auto header = CurrentRecordImage(kHeaderRecord, set);
  WriteRecord(kHeaderRecord, saved->data(), kModeRaw, set);
  if (reset != 0) return std::nullopt;
  return header;
}

// ---- writing ----

std::uint8_t BuildFile(std::uint8_t mode, std::uint8_t set, std::string& out) {
  const auto list = ProjectRecordList(mode);
  if (list.size() < 2 || list[0] != kHeaderRecord || list[1] != kDirectoryRecord) return kFileInternalError;
  if (ResetRecord300Defaults(set) != 0) return kFileInternalError;

  std::vector<DirectoryEntry> entries{{kDirectoryRecord, kFirstDirectoryLine}};
  std::uint32_t line = kFirstDirectoryLine + static_cast<std::uint32_t>(list.size());
  for (std::size_t i = 2; i < list.size(); ++i) {
    const std::uint16_t lines = LayoutElementCount(list[i], kModeRaw);
    if (lines == 0) return kFileInternalError;
    entries.push_back({list[i], static_cast<std::uint16_t>(line)});
    line += lines;
  }
  if (line > 0xFFFF || entries.size() + 1 > kDirectoryEntries) return kFileInternalError;
  entries.push_back({0, static_cast<std::uint16_t>(line)});

  std::vector<std::uint8_t> directory(RecordSize(kDirectoryRecord), 0);
  if (directory.size() < kDirectoryEntries * 4) return kFileInternalError;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    StoreU16(directory, 4 * i, entries[i].record);
    StoreU16(directory, 4 * i + 2, entries[i].first_line);
  }
  if (WriteRecord(kDirectoryRecord, directory.data(), kModeRaw, set) != 0) return kFileInternalError;
  const std::uint16_t last_line = static_cast<std::uint16_t>(line - 1);
  if (WriteElement(kHeaderRecord, kHeaderLastLine, &last_line, kModeRaw, set) != 0) return kFileInternalError;

  std::size_t written = 0;
  const auto header = CurrentRecordImage(kHeaderRecord, set);
  if (!header || AppendRecordLines(kHeaderRecord, *header, out, &written) != kFileDone) return kFileInternalError;
  if (written != kFirstDirectoryLine - 1) return kFileInternalError;
  for (const auto& e : entries) {
    out += FormatDirectoryLine(e);
    out += kLineEnd;
    ++written;
  }
  for (std::size_t i = 2; i < list.size(); ++i) {
    const auto image = CurrentRecordImage(list[i], set);
    if (!image || AppendRecordLines(list[i], *image, out, &written) != kFileDone) return kFileInternalError;
  }
  return written == last_line ? kFileDone : kFileInternalError;
}

std::uint8_t WriteFile(std::uint8_t mode, std::uint8_t set, const std::string& path) {
  if (g_open && g_open->path != path) return kFileInternalError;
  ProjectDataSet* slot = DataSetSlot(set);
  if (!slot) return kFileInternalError;
  const auto before = std::make_unique<ProjectDataSet>(*slot);

  std::string content;
  content.reserve(64 * 1024);
  std::uint8_t status = BuildFile(mode, set, content);
  if (status == kFileDone) {
    platform::sys::AtomicWriteStage stage{};
    if (platform::sys::WriteFileAtomically(path, content, &stage)) {
      status = stage == platform::sys::AtomicWriteStage::kCreate ? kFileCannotOpen : kFileCannotClose;
    }
  }
  if (status != kFileDone) {
    *slot = *before;
    return status;
  }
  g_open.reset();  // the file read before has just been replaced
  return kFileDone;
}

// ---- opening ----

// Header lines 2 to 9, the directory and records 4 and 302; the first fault found.
std::uint8_t ParseAfterFormatVersion(OpenFile& file, const std::vector<ElementSlot>& header_elements,
                                     std::uint8_t set) {
  for (std::size_t i = 1; i < header_elements.size(); ++i) {
    const ElementSlot& e = header_elements[i];
    const std::size_t size = ElementTypeSizeOf(e.type);
    if (i >= file.lines.size() || e.element + size > file.header.size()) return kFileInvalidData;
    if (DecodeElementLine(e.type, file.lines[i], std::span(file.header).subspan(e.element, size)) != kLineDone) {
      return kFileInvalidData;
    }
  }
  file.last_line = LoadU16(file.header, kHeaderLastLine);

  file.directory.assign(RecordSize(kDirectoryRecord), 0);
  if (file.directory.size() < kDirectoryEntries * 4) return kFileInternalError;
  for (std::size_t i = 0;; ++i) {
    const std::size_t line = kFirstDirectoryLine - 1 + i;  // 0-based
    DirectoryEntry entry{};
    if (i >= kDirectoryEntries || line >= file.lines.size() || !ParseDirectoryLine(file.lines[line], &entry)) {
      return kFileInvalidData;
    }
    file.entries.push_back(entry);
    StoreU16(file.directory, 4 * i, entry.record);
    StoreU16(file.directory, 4 * i + 2, entry.first_line);
    if (entry.record == 0) break;
  }

  bool absent = false;
  file.layout = DefaultRecordImage(kLayoutRecord, set);
  file.kind = DefaultRecordImage(kFileKindRecord, set);
  if (file.layout.empty() || file.kind.size() < 2 + ElementTypeSizeOf(kTypeText16)) return kFileInternalError;
  std::uint8_t s = ReadRecordLines(file, kLayoutRecord, file.layout, kCurrentLayoutLetter, &absent);
  if (s != kFileDone) return s;
  return ReadRecordLines(file, kFileKindRecord, file.kind, file.layout[0], &absent);
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

std::uint8_t OpenAndCheck(std::uint8_t set, const std::string& path) {
  g_open.reset();  // a new open ends the one before
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > kFileSizeLimit) return kFileFormatUnknown;
  auto text = platform::sys::ReadWholeFile(path);
  if (!text) return kFileCannotOpen;

  OpenFile file;
  file.path = path;
  file.lines = SplitLines(*text);
  text.reset();
  auto program = ProgramHeader(set);
  if (!program) return kFileInternalError;
  file.header = *program;

  const auto header_elements = RecordElements(kHeaderRecord);
  if (header_elements.size() != kFirstDirectoryLine - 1 || header_elements[0].type != kTypeU16) {
    return kFileInternalError;
  }
  if (file.lines.empty() || DecodeElementLine(kTypeU16, file.lines[0], file.header) != kLineDone) {
    return kFileFormatUnknown;
  }
  const std::uint16_t format = LoadU16(file.header, kHeaderFormatVersion);
  if (format == 1) return kFileFormatV2;
  if (format != 3 && format != kFileFormatVersion) return kFileFormatUnknown;

  const std::uint8_t parsed = ParseAfterFormatVersion(file, header_elements, set);
  if (format == 3) {
    file.deferred = parsed;
    g_open = std::move(file);
    return kFileFormatV3;
  }
  if (parsed != kFileDone) return parsed;
  if (const std::uint8_t kind = CheckKind(file); kind != kFileDone) return kind;

  std::uint8_t result = kFileDone;
  const std::size_t text_size = ElementTypeSizeOf(kTypeText16);
  if (TextAt(file.header, kHeaderVersionText, text_size) != TextAt(*program, kHeaderVersionText, text_size)) {
    const std::uint8_t letter = file.layout[0];
    result = letter > kCurrentLayoutLetter ? kFileNewerLayout
             : letter < kCurrentLayoutLetter ? kFileOlderLayout
                                             : kFileDone;
  }
  g_open = std::move(file);
  return result;
}

// ---- reading ----

std::uint8_t ReadFile(std::uint8_t mode, std::uint8_t set, const std::string& path) {
  if (!g_open || g_open->path != path) return kFileInternalError;
  const OpenFile file = std::move(*g_open);
  g_open.reset();  // closed whatever the result
  if (file.deferred != kFileDone) return file.deferred;
  ProjectDataSet* slot = DataSetSlot(set);
  if (!slot) return kFileInternalError;
  const auto before = std::make_unique<ProjectDataSet>(*slot);
  auto fail = [&](std::uint8_t status) {
    *slot = *before;
    return status;
  };

  const std::uint8_t letter = file.layout.empty() ? kCurrentLayoutLetter : file.layout[0];
  for (const std::uint16_t record : ProjectRecordList(mode)) {
    if (record == kHeaderRecord || record == kDirectoryRecord) continue;
    // Records the file does not hold start from their defaults, not from the previous document;
    // the link settings stay those of the program.
    std::vector<std::uint8_t> image;
    if (record == kLinkSettingsRecord) {
      auto current = CurrentRecordImage(record, set);
      if (!current) return fail(kFileInternalError);
      image = std::move(*current);
    } else {
      image = DefaultRecordImage(record, set);
      if (image.empty()) return fail(kFileInternalError);
    }
    bool absent = false;
    const std::uint8_t s = ReadRecordLines(file, record, image, letter, &absent);
    if (s != kFileDone) return fail(s);
    if (WriteRecord(record, image.data(), kModeRaw, set) != 0) return fail(kFileInternalError);
  }
  if (WriteRecord(kHeaderRecord, file.header.data(), kModeRaw, set) != 0 ||
      WriteRecord(kDirectoryRecord, file.directory.data(), kModeRaw, set) != 0) {
    return fail(kFileInternalError);
  }
  return kFileDone;
}

}  // namespace

std::uint8_t ProjectFileAccess(std::uint8_t mode, std::uint8_t set, const char* path) {
  if (set > LastDataSetIndex()) return kFileInternalError;
  if (!path) return kFileInternalError;
  const std::string file_path(path);
  if (file_path.size() >= kProjectPathLimit) return kFileInternalError;
  if (!HasKnownExtension(file_path)) return kFileWrongExtension;
  if (mode > kProjectClose) return kFileInternalError;

  switch (mode) {
    case kProjectCheckOnly:
      return kFileDone;
    case kProjectWriteConfiguration:
    case kProjectWriteProject:
    case kProjectWriteReverseDoc:
      return WriteFile(mode, set, file_path);
    case kProjectReadConfiguration:
    case kProjectReadProject:
    case kProjectReadReverseDoc:
      return ReadFile(mode, set, file_path);
    case kProjectOpen:
      return OpenAndCheck(set, file_path);
    default:  // kProjectClose
      g_open.reset();
      return kFileDone;
  }
}

std::uint8_t IsProjectFileOpen() { return g_open ? 1 : 0; }

std::uint16_t OpenProjectFileKind() { return g_open && g_open->kind.size() >= 2 ? LoadU16(g_open->kind, 0) : 0; }

std::uint8_t OpenProjectFileLayoutLetter() { return g_open && !g_open->layout.empty() ? g_open->layout[0] : 0; }

std::uint8_t FindRecordRange(std::uint16_t record, std::uint16_t* first_line, std::uint16_t* line_count) {
  if (!g_open || !first_line || !line_count) return 2;
  return FindRange(*g_open, record, first_line, line_count);
}

std::string BackupCopyPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find('.', name + 1);
  if (dot == std::string::npos || name >= path.size()) return path + ".BAK";
  return path.substr(0, dot + 1) + "BAK";
}

std::uint8_t MakeBackupCopy(const char* path) {
  if (!path) return kFileCannotOpen;
  const auto content = platform::sys::ReadWholeFile(path);
  if (!content) return kFileCannotOpen;
  return platform::sys::WriteFileAtomically(BackupCopyPath(path), *content) ? kFileCannotOpen : kFileDone;
}

std::uint8_t SaveProjectFile(std::uint8_t mode, std::uint8_t set, const char* path, bool backup) {
  if (const std::uint8_t s = ProjectFileAccess(kProjectCheckOnly, set, path); s != kFileDone) return s;
  if (!IsWriteMode(mode)) return kFileInternalError;
  std::error_code ec;
  if (backup && std::filesystem::exists(path, ec) && MakeBackupCopy(path) != kFileDone) return kFileCannotOpen;
  const std::uint8_t status = ProjectFileAccess(mode, set, path);
  if (status == kFileDone) ClearChangeList0(set);  // unsaved changes end only with a successful write
  return status;
}

}  // namespace model
