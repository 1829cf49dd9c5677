// The program's own window messages, posted between its windows.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr UINT WM_START_TRANSFER = WM_USER + 1;
inline constexpr UINT WM_PAGE_REFRESH = WM_USER + 2;
inline constexpr UINT WM_MONITOR_UPDATE = WM_USER + 13;

}  // namespace app
