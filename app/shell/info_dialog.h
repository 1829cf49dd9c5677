// The info box (menu 2133).
#pragma once

#include "platform/win/win.h"

namespace app {

// Timer of the info box; the box never starts it.
inline constexpr UINT_PTR kInfoBoxTimer = 1004;

// Shows the info box modally, centred on the main window; IDOK or IDCANCEL.
INT_PTR OpenInfoDialog();

}  // namespace app
