// The window menu's Move and Size (SC_MOVE, SC_SIZE): the window follows the arrow keys or the pointer until
// Enter or a click keeps the place, Esc puts it back. Move: the arrows shift it by kMoveSizeStep pixels. Size: the
// first arrow picks the edge (Left: left edge, ...), the next ones move that edge, within the sizes
// WM_GETMINMAXINFO gives. The pointer rides on the caption or the picked edge. The window hears
// WM_ENTERSIZEMOVE first and WM_EXITSIZEMOVE last.
#pragma once

#include "platform/sys/wintypes.h"

namespace platform::win {

inline constexpr int kMoveSizeStep = 8;

// Runs the modal move or size tracking of hwnd (a top-level window); true when the window kept a new place.
bool TrackMoveSize(HWND hwnd, bool size);
// Ends the tracking that runs now as Esc would; false when none runs (EndMenu calls it).
bool EndMoveSize();

}  // namespace platform::win
