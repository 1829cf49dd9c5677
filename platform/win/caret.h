// The blinking caret of the focused text control. The control draws its caret while CaretOn says so; the caret
// turns on and off every blink time (a system timer of the owner, so the virtual clock drives it in tests) and
// stays on for a whole period after it moved.
#pragma once

#include "platform/sys/wintypes.h"

UINT GetCaretBlinkTime();
// ms = 0xFFFFFFFF: the caret does not blink; 0: the default (530 ms).
BOOL SetCaretBlinkTime(UINT ms);

namespace platform::win {

// The owner got the focus: its caret shows and starts blinking.
void StartCaret(HWND owner);
// The owner lost the focus (or goes away): no caret.
void StopCaret(HWND owner);
// The caret moved: on again for a whole period.
void RestartCaretBlink(HWND owner);
bool CaretOn(HWND owner);

}  // namespace platform::win
