// Backup copies of project files, and the save that makes one before it writes.
#include <filesystem>
#include <string>

#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/sys/atomic_file.h"

namespace model {
namespace {

bool IsWriteMode(std::uint8_t mode) {
  return mode == kProjectWriteConfiguration || mode == kProjectWriteProject || mode == kProjectWriteReverseDoc;
}

}  // namespace

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
