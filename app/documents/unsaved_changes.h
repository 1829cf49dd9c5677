// The question before a file replaces the active file's data (open, recent file).
#pragma once

#include "platform/win/win.h"

namespace app {

// True when the active file has no unsaved change, or the user agreed to message 8.8 ("Actual projecting data
// will be overwritten").
bool MayReplaceActiveData();

}  // namespace app
