// Keeping windows on the screen: a rectangle is moved into the work area (the screen without the window
// manager's panels); one larger than the work area starts at its left or top edge.
#pragma once

#include "platform/sys/wintypes.h"

namespace platform::win {

RECT MoveIntoWorkArea(const RECT& r);
// Where a window of `size` goes that its placement rules put at `wanted` over its owner: in a direction in which
// it is larger than the owner it is centred on the work area instead; the result lies in the work area.
RECT FitOverOwner(const RECT& owner, POINT wanted, SIZE size);
// Moves the top-level window so that it lies on the screen and, when it has a sizing frame and is larger than
// the work area, sizes it to fit; a window that already lies on the screen stays where it is.
void KeepOnScreen(HWND window);

}  // namespace platform::win
