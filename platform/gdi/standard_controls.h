// Painting the built-in controls from their state as the window layer reports it (class, style, text, check
// state, selection, rows, scroll position, focus, enabling), and the non-client frames of windows: caption with
// title, menu bar, borders and edges. The window layer calls PaintStandardControl from a control's WM_PAINT.
#pragma once

#include "platform/sys/wintypes.h"

namespace platform::gdi {

// Paints hwnd's client area into dc (a paint or window DC of hwnd) and its non-client border; false for a
// class it does not know (nothing drawn).
bool PaintStandardControl(HWND hwnd, HDC dc);
// The character position of an edit control nearest to a client point, as PaintStandardControl lays the edit out
// (a multi-line edit: on the line under the point, the last line below the text).
int EditCharAt(HWND edit, POINT client);
// Paints the non-client area of a window (caption, menu bar, border); nothing for a window without one.
void PaintWindowFrame(HWND hwnd);

}  // namespace platform::gdi
