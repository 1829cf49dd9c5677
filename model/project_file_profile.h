// What the project-file engine needs of a program: its layout, its data-set images, its header, its record
// lists and its layout letter. vqpt32's own data sets are one profile (ModelProjectFiles); a program with an
// older layout of its own brings another. Each profile keeps its own open file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace model {

namespace project_file_internal {
struct Session;
}

// One element of a record: its byte offset in the record and its type code.
struct ProjectElement {
  std::uint16_t element;
  std::uint8_t type;
};

class ProjectFileProfile {
 public:
  ProjectFileProfile();
  virtual ~ProjectFileProfile();
  ProjectFileProfile(const ProjectFileProfile&) = delete;
  ProjectFileProfile& operator=(const ProjectFileProfile&) = delete;

  // The layout: a record's elements in element order (empty for an unknown record) and its size in bytes.
  virtual std::vector<ProjectElement> RecordElements(std::uint16_t record) const = 0;
  virtual std::uint16_t RecordSize(std::uint16_t record) const = 0;

  // The data sets.
  virtual bool HasSet(std::uint8_t set) const = 0;
  // The factory image of a record (zeros where an element has no default).
  virtual std::vector<std::uint8_t> DefaultRecord(std::uint16_t record, std::uint8_t set) const = 0;
  virtual std::optional<std::vector<std::uint8_t>> ReadRecord(std::uint16_t record, std::uint8_t set) const = 0;
  virtual bool WriteRecord(std::uint16_t record, const std::vector<std::uint8_t>& image, std::uint8_t set) = 0;
  // A whole data set, taken before a write or read and put back when it fails.
  virtual std::vector<std::uint8_t> SaveSet(std::uint8_t set) const = 0;
  virtual void RestoreSet(std::uint8_t set, const std::vector<std::uint8_t>& saved) = 0;

  // The program: record 300 of the set rebuilt as its own header (false on failure), the records of a mode in
  // file order, its layout letter (a file with another letter is newer or older), and whether records 34 and 35
  // of files below layout 'G' are cut to 43 lines.
  virtual bool WriteHeader(std::uint8_t set) = 0;
  virtual std::span<const std::uint16_t> RecordList(std::uint8_t mode) const = 0;
  virtual std::uint8_t CurrentLayoutLetter() const = 0;
  virtual bool CutsOldMotorRecords() const = 0;

  project_file_internal::Session& session() { return *session_; }

 private:
  std::unique_ptr<project_file_internal::Session> session_;
};

// vqpt32's data sets and layout.
ProjectFileProfile& ModelProjectFiles();

// ProjectFileAccess and the open file's queries for a profile (model/project_file.h describes them).
std::uint8_t ProjectFileAccess(ProjectFileProfile& profile, std::uint8_t mode, std::uint8_t set, const char* path);
std::uint32_t ProjectFileFaultLine(ProjectFileProfile& profile);
std::uint16_t OpenProjectFileKind(ProjectFileProfile& profile);

}  // namespace model
