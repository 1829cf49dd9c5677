// The program's message loop: the modeless windows' keyboard navigation in their fixed order, the scope
// recording's commands 2800-2803 for any window, the layer's message filters, the accelerators, dispatch.
#pragma once

#include "app/scope/scope_menu_commands.h"
#include "platform/win/win.h"

namespace app {

// Runs until WM_QUIT; its wParam is returned.
int RunMainLoop();
// One message as the loop treats it after GetMessage; true when it was consumed before dispatch.
bool PreTranslateMainMessage(MSG& msg);

}  // namespace app
