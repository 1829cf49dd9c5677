// Where dialogs open: relative to the main window, by a code or an offset.
#pragma once

#include "platform/win/win.h"

namespace app {

// Codes of PlaceDialog; any other value is an offset from the main window's left or top edge.
inline constexpr int kPlaceBelowMenu = -1;  // at the left frame edge, just below the menu bar
inline constexpr int kPlaceCentred = -2;
inline constexpr int kPlaceBottomRight = -3;  // inside the right and bottom frame edges

// Moves the window (keeping its z-order) by the codes for x and y, kept on the screen: a window larger than the
// main window is centred on the screen instead, one larger than the screen lies at its edge (only a sizable one
// is sized to the screen).
void PlaceDialog(HWND window, int x, int y);
// Brings a window to the top and shows it, without moving or sizing it.
void RaiseWindow(HWND window);

}  // namespace app
