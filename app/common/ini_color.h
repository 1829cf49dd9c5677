// Colours in the settings file, written "b<blue> g<green> r<red>".
#pragma once

#include "platform/gdi/colorref.h"
#include "platform/sys/wintypes.h"

namespace app {

// The colour of a "b.. g.. r.." text: the number after the first 'b', 'g' and 'r' (0 when a letter is absent),
// each cut to 0..255.
COLORREF ParseIniColor(const char* text);
// Reads section/key of the program's settings file; `fallback` when the file or the key is missing.
COLORREF ReadIniColor(const char* section, const char* key, COLORREF fallback);

}  // namespace app
