// Writing a configuration, project or reverse documentation: header, directory and records, CR LF line ends,
// the whole file replacing the old one in one step.
#include <string>

#include "model/element_type.h"
#include "model/project_file_internal.h"
#include "model/project_line_codec.h"
#include "platform/sys/atomic_file.h"

namespace model::project_file_internal {
namespace {

std::uint8_t AppendRecordLines(const ProjectFileProfile& profile, std::uint16_t record, const std::vector<std::uint8_t>& image, std::string& out,
                               std::size_t* line_count) {
  for (const auto& e : profile.RecordElements(record)) {
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

std::uint8_t BuildFile(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set, std::string& out) {
  const auto list = profile.RecordList(mode);
  if (list.size() < 2 || list[0] != kHeaderRecord || list[1] != kDirectoryRecord) return kFileInternalError;
  if (!profile.WriteHeader(set)) return kFileInternalError;

  std::vector<DirectoryEntry> entries{{kDirectoryRecord, kFirstDirectoryLine}};
  std::uint32_t line = kFirstDirectoryLine + static_cast<std::uint32_t>(list.size());
  for (std::size_t i = 2; i < list.size(); ++i) {
    const auto lines = static_cast<std::uint16_t>(profile.RecordElements(list[i]).size());
    if (lines == 0) return kFileInternalError;
    entries.push_back({list[i], static_cast<std::uint16_t>(line)});
    line += lines;
  }
  if (line > 0xFFFF || entries.size() + 1 > kDirectoryEntries) return kFileInternalError;
  entries.push_back({0, static_cast<std::uint16_t>(line)});

  std::vector<std::uint8_t> directory(profile.RecordSize(kDirectoryRecord), 0);
  if (directory.size() < kDirectoryEntries * 4) return kFileInternalError;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    StoreU16(directory, 4 * i, entries[i].record);
    StoreU16(directory, 4 * i + 2, entries[i].first_line);
  }
  if (!profile.WriteRecord(kDirectoryRecord, directory, set)) return kFileInternalError;
  const std::uint16_t last_line = static_cast<std::uint16_t>(line - 1);
  auto header = profile.ReadRecord(kHeaderRecord, set);
  if (!header || header->size() < kHeaderLastLine + 2u) return kFileInternalError;
  StoreU16(*header, kHeaderLastLine, last_line);
  if (!profile.WriteRecord(kHeaderRecord, *header, set)) return kFileInternalError;

  std::size_t written = 0;
  if (AppendRecordLines(profile, kHeaderRecord, *header, out, &written) != kFileDone) return kFileInternalError;
  if (written != kFirstDirectoryLine - 1) return kFileInternalError;
  for (const auto& e : entries) {
    out += FormatDirectoryLine(e);
    out += kLineEnd;
    ++written;
  }
  for (std::size_t i = 2; i < list.size(); ++i) {
    const auto image = profile.ReadRecord(list[i], set);
    if (!image || AppendRecordLines(profile, list[i], *image, out, &written) != kFileDone) return kFileInternalError;
  }
  return written == last_line ? kFileDone : kFileInternalError;
}

}  // namespace

std::uint8_t WriteProjectFile(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set,
                              const std::string& path) {
  auto& open_file = profile.session().open_file;
  if (open_file && open_file->path != path) return kFileInternalError;
  if (!profile.HasSet(set)) return kFileInternalError;
  const auto before = profile.SaveSet(set);

  std::string content;
  content.reserve(64 * 1024);
  std::uint8_t status = BuildFile(profile, mode, set, content);
  if (status == kFileDone) {
    platform::sys::AtomicWriteStage stage{};
    if (platform::sys::WriteFileAtomically(path, content, &stage)) {
      status = stage == platform::sys::AtomicWriteStage::kCreate ? kFileCannotOpen : kFileCannotClose;
    }
  }
  if (status != kFileDone) {
    profile.RestoreSet(set, before);
    return status;
  }
  open_file.reset();  // the file read before has just been replaced
  return kFileDone;
}

}  // namespace model::project_file_internal
