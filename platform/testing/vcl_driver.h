// The test driver for programs built on the form layer: controls found by their Name, and the user's actions
// on them (click, right click, mouse down and up, typing, keys with a shift state).
#pragma once

#include <string>
#include <string_view>

#include "platform/sys/wintypes.h"

class TComponent;
class TControl;

namespace platform::testing {

// The control called name among root's components (searched through the components' own components); null
// when there is none or it is no control.
TControl* FindControl(const TComponent& root, std::string_view name);
// Its window; null when none.
HWND FindHandle(const TComponent& root, std::string_view name);

// The actions on a control found by name; false when there is no such control with a window.
bool ClickControl(const TComponent& root, std::string_view name);
bool RightClickControl(const TComponent& root, std::string_view name);
bool TypeInto(const TComponent& root, std::string_view name, std::string_view text);
// The left button pressed (and later released) on a control, with the pointer at its middle.
bool MouseDownOn(const TComponent& root, std::string_view name, bool shift = false);
bool MouseUpOn(const TComponent& root, std::string_view name);
// A right click at a client point of a window.
void RightClickAt(HWND window, int x, int y);

}  // namespace platform::testing
