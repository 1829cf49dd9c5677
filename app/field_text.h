// Writing a short text over the start of a control's text (the device's unit over a label's "unit").
#pragma once

#include "platform/win/win.h"

namespace app {

// The control's text with its first four characters replaced by `text`, cut or padded with blanks to four.
void SetFieldText4(HWND dialog, int id, const char* text);

}  // namespace app
