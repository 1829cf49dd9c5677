// Reading the records of a mode from the open file into a data set: all of them, or on failure none.
#include <memory>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file_internal.h"

namespace model::project_file_internal {

std::uint8_t ReadProjectFile(std::uint8_t mode, std::uint8_t set, const std::string& path) {
  auto& open_file = OpenFileState();
  if (!open_file || open_file->path != path) return kFileInternalError;
  const OpenFile file = std::move(*open_file);
  open_file.reset();  // closed whatever the result
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

}  // namespace model::project_file_internal
