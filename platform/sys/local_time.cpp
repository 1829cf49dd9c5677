#include "platform/sys/local_time.h"

#include <ctime>
#include <mutex>

#include <sys/time.h>

namespace platform::sys {
namespace {
std::mutex g_mutex;
std::optional<SYSTEMTIME> g_override;
}  // namespace

void SetLocalTimeOverride(std::optional<SYSTEMTIME> fixed) {
  std::lock_guard lock(g_mutex);
  g_override = fixed;
}

}  // namespace platform::sys

void GetLocalTime(SYSTEMTIME* time) {
  if (!time) return;
  {
    std::lock_guard lock(platform::sys::g_mutex);
    if (platform::sys::g_override) {
      *time = *platform::sys::g_override;
      return;
    }
  }
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm tm{};
  time_t secs = tv.tv_sec;
  localtime_r(&secs, &tm);
  time->wYear = static_cast<WORD>(tm.tm_year + 1900);
  time->wMonth = static_cast<WORD>(tm.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  time->wDay = static_cast<WORD>(tm.tm_mday);
  time->wHour = static_cast<WORD>(tm.tm_hour);
  time->wMinute = static_cast<WORD>(tm.tm_min);
  time->wSecond = static_cast<WORD>(tm.tm_sec);
  time->wMilliseconds = static_cast<WORD>(tv.tv_usec / 1000);
}
