// The instance the window program's classes, resources and dialogs are registered under.
#pragma once

#include "platform/sys/wintypes.h"

namespace app {

HINSTANCE AppInstance();
// Kept by the start (KeepInstance) before anything is registered.
void SetAppInstance(HINSTANCE instance);

}  // namespace app
