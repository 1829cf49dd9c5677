// Internals shared by the project-file modules: the state of the open file, the element walk of a record and
// the directory look-up. Not for other callers: they use model/project_file.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/project_file.h"
#include "model/project_file_profile.h"

namespace model::project_file_internal {

inline constexpr std::uint16_t kHeaderRecord = 300;
inline constexpr std::uint16_t kDirectoryRecord = 3;
inline constexpr std::uint16_t kLayoutRecord = 4;
inline constexpr std::uint16_t kFileKindRecord = 302;
inline constexpr std::uint16_t kLinkSettingsRecord = 305;
inline constexpr std::uint16_t kCommentRecord = 317;
inline constexpr std::uint16_t kOldCommentRecord = 303;  // an older file's comment record, read into 317
inline constexpr std::uint16_t kFileKindName = 2;        // element of record 302
inline constexpr std::uint8_t kShortMotorLayoutBelow = 'G';
inline constexpr std::uint16_t kShortMotorLines = 43;
inline constexpr std::uintmax_t kFileSizeLimit = 64u << 20;  // far above any project file
inline constexpr const char* kLineEnd = "\r\n";

using ElementSlot = ProjectElement;

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

// A profile's state: the line named by ProjectFileFaultLine (ProjectFileAccess clears it on entry) and the file
// opened by mode 7, until a read mode or mode 8 ends it.
struct Session {
  std::uint32_t fault_line = 0;
  std::optional<OpenFile> open_file;
};

std::uint16_t LoadU16(const std::vector<std::uint8_t>& image, std::size_t at);
void StoreU16(std::vector<std::uint8_t>& image, std::size_t at, std::uint16_t v);
// The text of a string element inside an image, up to its terminator.
std::string_view TextAt(const std::vector<std::uint8_t>& image, std::size_t at, std::size_t size);

// First line and line count of a record from the file's directory: 0, 1 no entry, 2 record 0, 8 a next entry
// before this one. An entry for 303 also serves 317.
std::uint8_t FindRange(const OpenFile& file, std::uint16_t record, std::uint16_t* first, std::uint16_t* count);
// Reads a record's lines into image (which keeps the bytes of elements the file does not hold).
// absent: the directory has no entry for the record.
std::uint8_t ReadRecordLines(ProjectFileProfile& profile, const OpenFile& file, std::uint16_t record,
                             std::vector<std::uint8_t>& image, std::uint8_t layout_letter, bool* absent);

// The three halves of ProjectFileAccess after its common checks.
std::uint8_t WriteProjectFile(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set,
                              const std::string& path);
std::uint8_t OpenProjectFile(ProjectFileProfile& profile, std::uint8_t set, const std::string& path);
std::uint8_t ReadProjectFile(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set,
                             const std::string& path);

}  // namespace model::project_file_internal
