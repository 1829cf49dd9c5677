#include "model/project_file.h"

#include <cstring>
#include <string>
#include <string_view>

#include "model/data_set.h"
#include "model/project_file_internal.h"
#include "model/project_line_codec.h"

namespace model {
namespace {

using namespace project_file_internal;

bool HasKnownExtension(std::string_view path) {
  if (path.size() < 3) return false;
  char ext[4] = {path[path.size() - 3], path[path.size() - 2], path[path.size() - 1], '\0'};
  UpperCaseN(ext, 3);
  return std::strcmp(ext, "ZPR") == 0 || std::strcmp(ext, "CFG") == 0;
}

}  // namespace

std::uint8_t ProjectFileAccess(std::uint8_t mode, std::uint8_t set, const char* path) {
  return ProjectFileAccess(ModelProjectFiles(), mode, set, path);
}

std::uint8_t ProjectFileAccess(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set, const char* path) {
  profile.session().fault_line = 0;
  if (!profile.HasSet(set)) return kFileInternalError;
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
      return WriteProjectFile(profile, mode, set, file_path);
    case kProjectReadConfiguration:
    case kProjectReadProject:
    case kProjectReadReverseDoc:
      return ReadProjectFile(profile, mode, set, file_path);
    case kProjectOpen:
      return OpenProjectFile(profile, set, file_path);
    default:  // kProjectClose
      profile.session().open_file.reset();
      return kFileDone;
  }
}

std::uint32_t ProjectFileFaultLine() { return ProjectFileFaultLine(ModelProjectFiles()); }
std::uint32_t ProjectFileFaultLine(ProjectFileProfile& profile) { return profile.session().fault_line; }

std::string ProjectFileFaultLineText() {
  const std::uint32_t line = ProjectFileFaultLine();
  return line == 0 ? std::string() : "line " + std::to_string(line) + " holds no value of its element";
}

std::uint8_t IsProjectFileOpen() { return ModelProjectFiles().session().open_file ? 1 : 0; }

std::uint16_t OpenProjectFileKind() { return OpenProjectFileKind(ModelProjectFiles()); }
std::uint16_t OpenProjectFileKind(ProjectFileProfile& profile) {
  const auto& open_file = profile.session().open_file;
  return open_file && open_file->kind.size() >= 2 ? LoadU16(open_file->kind, 0) : 0;
}

std::uint8_t OpenProjectFileLayoutLetter() {
  const auto& open_file = ModelProjectFiles().session().open_file;
  return open_file && !open_file->layout.empty() ? open_file->layout[0] : 0;
}

std::uint8_t FindRecordRange(std::uint16_t record, std::uint16_t* first_line, std::uint16_t* line_count) {
  const auto& open_file = ModelProjectFiles().session().open_file;
  if (!open_file || !first_line || !line_count) return 2;
  return FindRange(*open_file, record, first_line, line_count);
}

}  // namespace model
