#include "platform/sys/module_path.h"

#include "platform/sys/dynamic_library.h"

#include <cstring>
#include <mutex>

#include <limits.h>
#include <unistd.h>

namespace platform::sys {
namespace {
std::mutex g_mutex;
std::optional<std::string> g_override;
}  // namespace

void SetExecutablePathOverride(std::optional<std::string> path) {
  std::lock_guard lock(g_mutex);
  g_override = std::move(path);
}

std::string ExecutablePath() {
  {
    std::lock_guard lock(g_mutex);
    if (g_override) return *g_override;
  }
  char buf[PATH_MAX + 1];
  const ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) return {};
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string ExecutableDirectory() {
  const std::string path = ExecutablePath();
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ReplaceExtension(std::string_view path, std::string_view ext) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  std::string stem(path);
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash + 1)) {
    stem = std::string(path.substr(0, dot));
  }
  stem += '.';
  stem += ext;
  return stem;
}

std::string SettingsFilePath(std::string_view ext) { return ReplaceExtension(ExecutablePath(), ext); }

std::string FileBesideExecutable(std::string_view name) {
  std::string dir = ExecutableDirectory();
  if (dir.empty() || dir.back() != '/') dir += '/';
  dir += name;
  return dir;
}

}  // namespace platform::sys

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  const std::string path = module ? platform::sys::ModulePath(module) : platform::sys::ExecutablePath();
  if (path.empty()) return 0;
  const std::size_t n = path.size() < size - 1 ? path.size() : size - 1;
  std::memcpy(buffer, path.data(), n);
  buffer[n] = '\0';
  return static_cast<DWORD>(n);
}
