// Tab stops of multi-line edits: EM_SETTABSTOPS (wParam the count, lParam the stops in dialog units; a count of
// 0 goes back to a stop every 8 average character widths, a count of 1 gives the spacing of the stops).
#pragma once

#include <vector>

#include "platform/sys/wintypes.h"

inline constexpr UINT EM_SETTABSTOPS = 0x00CB;

namespace platform::win {

// The tab stops a multi-line edit was given, in dialog units (none: the default stops).
std::vector<int> EditTabStops(HWND edit);

}  // namespace platform::win
