// An X cursor from the picture of a cursor with a shape of its own (the core protocol's two-colour cursors).
#pragma once

#include <X11/Xlib.h>

#include "platform/win/cursor_image.h"

namespace platform::backend {

// Black and white pixels as drawn, see-through ones left out; an inverted pixel shows black (the core cursor
// cannot invert the screen). 0 when the server refuses it.
Cursor MakeXCursor(Display* display, const platform::win::CursorImage& image);

}  // namespace platform::backend
