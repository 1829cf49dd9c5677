#include "platform/sys/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::sys {
namespace {

constexpr int kLinkHopLimit = 40;  // as the kernel's own limit for a path walk
constexpr std::size_t kTempNameLetters = 8;

std::mutex g_fault_mutex;
std::optional<AtomicWriteStage> g_fault_stage;
std::errc g_fault_error = std::errc::no_space_on_device;

bool FaultAt(AtomicWriteStage stage, std::error_code* error) {
  std::lock_guard lock(g_fault_mutex);
  if (g_fault_stage && *g_fault_stage == stage) {
    *error = std::make_error_code(g_fault_error);
    return true;
  }
  return false;
}

std::error_code LastError() { return {errno, std::generic_category()}; }
std::error_code ErrorOf(int e) { return {e, std::generic_category()}; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The name a chain of symbolic links finally names, whether it exists or not (a dangling link names the file it
// would create); the path itself when it is no link. A relative link is taken from the folder of the link.
std::error_code ResolveTarget(const std::string& path, std::string* target) {
  std::string current = path;
  for (int hop = 0; hop < kLinkHopLimit; ++hop) {
    struct stat st {};
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = current;
      return {};
    }
    char buf[PATH_MAX];
    const ssize_t n = readlink(current.c_str(), buf, sizeof buf - 1);
    if (n < 0) return LastError();
    std::string next(buf, static_cast<std::size_t>(n));
    if (next.empty()) return ErrorOf(ENOENT);
    current = next.front() == '/' ? next : FolderOf(current) + "/" + next;
  }
  return ErrorOf(ELOOP);
}

std::error_code CheckRegular(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return ErrorOf(EISDIR);
  if (!S_ISREG(st.st_mode)) return ErrorOf(EINVAL);
  return {};
}

// A target that exists: a regular file with some write permission that this user may write.
std::error_code CheckExistingTarget(const std::string& target, const struct stat& st) {
  if (const auto e = CheckRegular(st)) return e;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return ErrorOf(EACCES);
  if (access(target.c_str(), W_OK) != 0) return LastError();
  return {};
}

// Opens a new temporary file with a short random name beside target (never an existing one).
int CreateTemporary(const std::string& target, std::string* temp_path) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<unsigned> counter{0};
  std::minstd_rand rng(static_cast<unsigned>(getpid()) * 7919u + counter.fetch_add(1) +
                       static_cast<unsigned>(std::random_device{}()));
  const std::string folder = FolderOf(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = ".~";
    for (std::size_t i = 0; i < kTempNameLetters; ++i) name += kLetters[rng() % (sizeof kLetters - 1)];
    *temp_path = folder + "/" + name;
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

std::error_code CheckReadableFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return LastError();
  if (const auto e = CheckRegular(st)) return e;
  if (static_cast<std::uintmax_t>(st.st_size) > kWholeFileLimit) return ErrorOf(EFBIG);
  if (access(path.c_str(), R_OK) != 0) return LastError();
  return {};
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error) {
  std::error_code unused;
  std::error_code& e = error ? *error : unused;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it anyway.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    e = LastError();
    return std::nullopt;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    e = LastError();
    close(fd);
    return std::nullopt;
  }
  e = CheckRegular(st);
  if (!e && static_cast<std::uintmax_t>(st.st_size) > kWholeFileLimit) e = ErrorOf(EFBIG);
  std::string content;
  char buf[65536];
  while (!e) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno != EINTR) e = LastError();
      continue;
    }
    if (content.size() + static_cast<std::size_t>(n) > kWholeFileLimit) {
      e = ErrorOf(EFBIG);  // grew while being read
      break;
    }
    content.append(buf, static_cast<std::size_t>(n));
  }
  close(fd);
  if (e) return std::nullopt;
  return content;
}

std::error_code CheckReplaceableFile(const std::string& path) {
  std::string target;
  if (const auto e = ResolveTarget(path, &target)) return e;
  struct stat st {};
  if (lstat(target.c_str(), &st) == 0) return CheckExistingTarget(target, st);
  if (errno != ENOENT) return LastError();
  const std::string folder = FolderOf(target);
  struct stat folder_st {};
  if (stat(folder.c_str(), &folder_st) != 0) return LastError();
  if (!S_ISDIR(folder_st.st_mode)) return ErrorOf(ENOTDIR);
  if (access(folder.c_str(), W_OK | X_OK) != 0) return LastError();
  return {};
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view content,
                                    AtomicWriteStage* failed_stage) {
  AtomicWriteStage unused;
  AtomicWriteStage& stage = failed_stage ? *failed_stage : unused;
  std::error_code error;
  stage = AtomicWriteStage::kCreate;
  std::string target;
  if (const auto e = ResolveTarget(path, &target)) return e;
  if (const auto e = CheckReplaceableFile(target)) return e;
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
