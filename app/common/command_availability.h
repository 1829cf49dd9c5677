// Whether the program has the work of a menu command. The main window's command table answers (a row that is
// not CommandNotBuilt); windows below the shell ask here when they enable their menu items.
#pragma once

#include "platform/sys/wintypes.h"

namespace app {

bool CommandAvailable(UINT id);

}  // namespace app
