// The commands of menu resource 2 (the scope recording), which the message loop hands over for any window.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr UINT kScopeSaveAs = 2800;
inline constexpr UINT kScopeExportTable = 2801;
inline constexpr UINT kScopeComments = 2802;
inline constexpr UINT kScopeResetSettings = 2803;

// WM_COMMAND 2800-2803: true when the message was one of them (and has been handled).
bool HandleScopeMenuCommand(const MSG& msg);

}  // namespace app
