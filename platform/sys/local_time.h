// The local date and time, as GetLocalTime gives it; tests fix it to a known moment.
#pragma once

#include <optional>

#include "platform/sys/wintypes.h"

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

void GetLocalTime(SYSTEMTIME* time);

namespace platform::sys {
// While set, GetLocalTime answers this moment instead of the system's.
void SetLocalTimeOverride(std::optional<SYSTEMTIME> fixed);
}  // namespace platform::sys
