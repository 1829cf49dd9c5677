#include "platform/sys/user_name.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace platform::sys {
namespace {
std::mutex g_mutex;
std::optional<UserNameOverride> g_override;
thread_local DWORD g_last_error = 0;

BOOL Answer(const std::string& name, char* buffer, DWORD* size) {
  const DWORD needed = static_cast<DWORD>(name.size() + 1);
  if (!buffer || *size < needed) {
    *size = needed;
    g_last_error = ERROR_INSUFFICIENT_BUFFER;
    return FALSE;
  }
  std::memcpy(buffer, name.c_str(), needed);
  *size = needed;
  return TRUE;
}
}  // namespace

void SetUserNameOverride(std::optional<UserNameOverride> fixed) {
  std::lock_guard lock(g_mutex);
  g_override = std::move(fixed);
}

}  // namespace platform::sys

DWORD GetLastError() { return platform::sys::g_last_error; }
void SetLastError(DWORD code) { platform::sys::g_last_error = code; }

BOOL GetUserNameA(char* buffer, DWORD* size) {
  using namespace platform::sys;
  if (!size) return FALSE;
  {
    std::lock_guard lock(g_mutex);
    if (g_override) {
      if (g_override->failure_code != 0) {
        g_last_error = g_override->failure_code;
        return FALSE;
      }
      return Answer(g_override->name, buffer, size);
    }
  }
  std::vector<char> scratch(16384);
  passwd pw{};
  passwd* found = nullptr;
  const int rc = getpwuid_r(geteuid(), &pw, scratch.data(), scratch.size(), &found);
  if (rc != 0 || !found || !found->pw_name) {
    g_last_error = rc != 0 ? static_cast<DWORD>(rc) : ERROR_NOT_FOUND_USER;
    return FALSE;
  }
  return Answer(found->pw_name, buffer, size);
}
