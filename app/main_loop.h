// The program's message loop: the modeless windows' keyboard navigation in their fixed order, the scope
// recording's commands 2800-2803 for any window, the layer's message filters, the accelerators, dispatch.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr UINT kScopeSaveAs = 2800;
inline constexpr UINT kScopeExportTable = 2801;
inline constexpr UINT kScopeComments = 2802;
inline constexpr UINT kScopeResetSettings = 2803;

// Runs until WM_QUIT; its wParam is returned.
int RunMainLoop();
// One message as the loop treats it after GetMessage; true when it was consumed before dispatch.
bool PreTranslateMainMessage(MSG& msg);
// WM_COMMAND 2800-2803: true when the message was one of them (and has been handled).
bool HandleScopeMenuCommand(const MSG& msg);

}  // namespace app
