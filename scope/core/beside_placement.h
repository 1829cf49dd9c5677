// Where a tool window opens beside another window without covering it: to its right, else to its left, else below
// it, else above it, else at the screen's right edge (over the owner's right part, where the scope window keeps its
// panel); always inside the screen as far as its size allows.
#pragma once

#include "platform/sys/wintypes.h"

namespace scope {

// The top-left corner for a window of `size` beside `owner` (screen coordinates) on a screen of `screen`.
POINT PlaceBeside(const RECT& owner, SIZE size, SIZE screen);

}  // namespace scope
