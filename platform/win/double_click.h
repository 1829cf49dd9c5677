// Double clicks of a display: a second press of the left button on the same window, soon and near the first,
// becomes WM_LBUTTONDBLCLK for a window whose class has CS_DBLCLKS. Headless input gives double clicks as such.
#pragma once

#include "platform/sys/wintypes.h"

UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT ms);  // 0: the default (500 ms)

namespace platform::win {

// A display backend turns the detection on for its presses.
void SetDoubleClickDetection(bool on);

namespace detail {
// The message a press becomes: WM_LBUTTONDBLCLK for the second press of a double click, else message.
UINT DoubleClickOf(HWND target, UINT message, POINT screen);
}  // namespace detail

}  // namespace platform::win
