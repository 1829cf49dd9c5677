// Reading the records of a mode from the open file into a data set: all of them, or on failure none.
#include "model/project_file_internal.h"

namespace model::project_file_internal {

std::uint8_t ReadProjectFile(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set,
                             const std::string& path) {
  auto& open_file = profile.session().open_file;
  if (!open_file || open_file->path != path) return kFileInternalError;
  const OpenFile file = std::move(*open_file);
  open_file.reset();  // closed whatever the result
  if (file.deferred != kFileDone) return file.deferred;
  if (!profile.HasSet(set)) return kFileInternalError;
  const auto before = profile.SaveSet(set);
  auto fail = [&](std::uint8_t status) {
    profile.RestoreSet(set, before);
    return status;
  };

  const std::uint8_t letter = file.layout.empty() ? profile.CurrentLayoutLetter() : file.layout[0];
  for (const std::uint16_t record : profile.RecordList(mode)) {
    if (record == kHeaderRecord || record == kDirectoryRecord) continue;
    // Records the file does not hold start from their defaults, not from the previous document;
    // the link settings stay those of the program.
    std::vector<std::uint8_t> image;
    if (record == kLinkSettingsRecord) {
      auto current = profile.ReadRecord(record, set);
      if (!current) return fail(kFileInternalError);
      image = std::move(*current);
    } else {
      image = profile.DefaultRecord(record, set);
      if (image.empty()) return fail(kFileInternalError);
    }
    bool absent = false;
    const std::uint8_t s = ReadRecordLines(profile, file, record, image, letter, &absent);
    if (s != kFileDone) return fail(s);
    if (!profile.WriteRecord(record, image, set)) return fail(kFileInternalError);
  }
  if (!profile.WriteRecord(kHeaderRecord, file.header, set) ||
      !profile.WriteRecord(kDirectoryRecord, file.directory, set)) {
    return fail(kFileInternalError);
  }
  return kFileDone;
}

}  // namespace model::project_file_internal
