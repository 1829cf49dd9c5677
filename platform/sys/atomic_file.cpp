#include "platform/sys/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::sys {
namespace {

std::mutex g_fault_mutex;
std::optional<AtomicWriteStage> g_fault_stage;
std::errc g_fault_error = std::errc::no_space_on_device;
std::atomic<unsigned> g_temp_counter{0};

bool FaultAt(AtomicWriteStage stage, std::error_code* error) {
  std::lock_guard lock(g_fault_mutex);
  if (g_fault_stage && *g_fault_stage == stage) {
    *error = std::make_error_code(g_fault_error);
    return true;
  }
  return false;
}

std::error_code LastError() { return {errno, std::generic_category()}; }

// The file a path finally names: a symbolic link is resolved so that the rename replaces its target.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (realpath(path.c_str(), buf) != nullptr) return buf;
  }
  return path;
}

// Opens a new temporary file beside target (never an existing one).
int CreateTemporary(const std::string& target, std::string* temp_path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp_path = target + ".~" + std::to_string(getpid()) + "." + std::to_string(g_temp_counter.fetch_add(1));
    const int fd = open(temp_path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void SetAtomicWriteFaultForTest(std::optional<AtomicWriteStage> stage, std::errc error) {
  std::lock_guard lock(g_fault_mutex);
  g_fault_stage = stage;
  g_fault_error = error;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (error) *error = LastError();
    return std::nullopt;
  }
  std::string content;
  char buf[8192];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) content.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  const std::error_code read_error = LastError();
  std::fclose(f);
  if (failed) {
    if (error) *error = read_error;
    return std::nullopt;
  }
  if (error) error->clear();
  return content;
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view content,
                                    AtomicWriteStage* failed_stage) {
  AtomicWriteStage unused;
  AtomicWriteStage& stage = failed_stage ? *failed_stage : unused;
  std::error_code error;
  const std::string target = ResolveTarget(path);
  stage = AtomicWriteStage::kCreate;
  if (FaultAt(AtomicWriteStage::kCreate, &error)) return error;
  std::string temp;
  const int fd = CreateTemporary(target, &temp);
  if (fd < 0) return LastError();

  auto fail = [&](std::error_code e) {
    close(fd);
    unlink(temp.c_str());
    return e;
  };

  // Keep the permission bits of the file being replaced.
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);

  stage = AtomicWriteStage::kWrite;
  if (FaultAt(AtomicWriteStage::kWrite, &error)) return fail(error);
  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(LastError());
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  stage = AtomicWriteStage::kSync;
  if (FaultAt(AtomicWriteStage::kSync, &error)) return fail(error);
  if (fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS) return fail(LastError());
  if (close(fd) != 0) {
    const std::error_code e = LastError();
    unlink(temp.c_str());
    return e;
  }
  stage = AtomicWriteStage::kRename;
  if (!FaultAt(AtomicWriteStage::kRename, &error) && rename(temp.c_str(), target.c_str()) != 0) error = LastError();
  if (error) unlink(temp.c_str());
  return error;
}

}  // namespace platform::sys
