// ZPR project files: a data set written as text, one element a line, CR LF line ends, and read back after its
// header, file kind and version have been checked.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace model {

// ProjectFileAccess modes.
inline constexpr std::uint8_t kProjectCheckOnly = 0;
inline constexpr std::uint8_t kProjectWriteConfiguration = 1;
inline constexpr std::uint8_t kProjectReadConfiguration = 2;
inline constexpr std::uint8_t kProjectWriteProject = 3;
inline constexpr std::uint8_t kProjectReadProject = 4;
inline constexpr std::uint8_t kProjectWriteReverseDoc = 5;
inline constexpr std::uint8_t kProjectReadReverseDoc = 6;
inline constexpr std::uint8_t kProjectOpen = 7;
inline constexpr std::uint8_t kProjectClose = 8;

// Status codes: the numbers of the texts of message group 5 (group 6 for the questions 6, 10 and 11).
inline constexpr std::uint8_t kFileDone = 0;
inline constexpr std::uint8_t kFileCannotOpen = 1;
inline constexpr std::uint8_t kFileCannotClose = 2;
inline constexpr std::uint8_t kFileInternalError = 3;
inline constexpr std::uint8_t kFileWrongExtension = 4;
inline constexpr std::uint8_t kFileFormatV2 = 5;
inline constexpr std::uint8_t kFileFormatV3 = 6;  // question
inline constexpr std::uint8_t kFileFormatUnknown = 7;
inline constexpr std::uint8_t kFileInvalidData = 8;
inline constexpr std::uint8_t kFileWrongKind = 9;
inline constexpr std::uint8_t kFileNewerLayout = 10;  // question
inline constexpr std::uint8_t kFileOlderLayout = 11;  // question

inline constexpr std::size_t kProjectPathLimit = 1025;  // paths of this length or longer are refused
inline constexpr std::size_t kDirectoryEntries = 70;
inline constexpr std::uint16_t kFirstDirectoryLine = 10;
inline constexpr std::uint16_t kFileFormatVersion = 4;
inline constexpr std::uint8_t kCurrentLayoutLetter = 'Q';

// Header (record 300) and file kind (record 302) element numbers.
inline constexpr std::uint16_t kHeaderFormatVersion = 0;
inline constexpr std::uint16_t kHeaderVersionText = 19;
inline constexpr std::uint16_t kHeaderLastLine = 37;

// Writes (1, 3, 5) or reads (2, 4, 6) a configuration, project or reverse documentation; opens and checks a
// file (7); closes it (8); 0 runs only the checks of set, path and extension.
// Writing replaces the file in one step: a failed write leaves the old file and the data set as they were.
// Opening leaves the data set untouched; reading replaces the records of its list, or on failure leaves the
// data set as it was. The file stays open after an open that gives 0, 6, 10 or 11 (the questions) and is closed
// on every other result; an open closes a file opened before.
std::uint8_t ProjectFileAccess(std::uint8_t mode, std::uint8_t set, const char* path);

// The 1-based number of the line whose value could not be read by the last open or read (a number with
// trailing characters, out of its element's range, or a line that is missing); 0 when that call met no such line.
std::uint32_t ProjectFileFaultLine();
// "line N holds no value of its element" for that line; empty when there is none.
std::string ProjectFileFaultLineText();

// 1 while a file is open for reading.
std::uint8_t IsProjectFileOpen();
// The open file's kind (element 0 of its record 302) and layout letter (element 0 of its record 4); 0 when no file
// is open. An open does not touch the data set, so the opener chooses the read mode by this kind
// (17: mode 4, else mode 6).
std::uint16_t OpenProjectFileKind();
std::uint8_t OpenProjectFileLayoutLetter();

// Copies the file to its backup (BackupCopyPath); 0, or 1 when either file cannot be opened or written.
// An existing backup is replaced in one step.
std::uint8_t MakeBackupCopy(const char* path);
// The backup name: the file name up to its first '.' followed by "BAK" (".BAK" appended to a name without a
// dot); folders are never cut: "/a.b/proj.ZPR" -> "/a.b/proj.BAK".
std::string BackupCopyPath(const std::string& path);

// A save as the documents need it: when the file exists and backup is set, its backup copy first (a failed copy
// gives 1 and writes nothing), then the write of the mode; change list 0 is emptied only when the write
// succeeded, so a failed save still counts as unsaved.
std::uint8_t SaveProjectFile(std::uint8_t mode, std::uint8_t set, const char* path, bool backup);

// The records of a mode, in file order (empty for modes 0, 8 and beyond).
std::span<const std::uint16_t> ProjectRecordList(std::uint8_t mode);

// The open file's directory: first line and line count of a record (an entry for 303 also serves 317).
// 0 found, 1 no entry, 2 for record 0 or when no file is open, 8 when the next entry lies before this one.
std::uint8_t FindRecordRange(std::uint16_t record, std::uint16_t* first_line, std::uint16_t* line_count);

}  // namespace model
