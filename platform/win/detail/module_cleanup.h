// What the window layer drops of a library module that is unloaded (module_unload.cpp).
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"
#include "platform/win/detail/window_table.h"

namespace platform::win::detail {

// Classes the predicate picks.
void RemoveClassesWhere(const std::function<bool(const WindowClassInfo&)>& doomed);
// Timers whose procedure the predicate picks.
void KillTimersWhere(const std::function<bool(TIMERPROC)>& doomed);

}  // namespace platform::win::detail
