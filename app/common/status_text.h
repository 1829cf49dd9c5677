// The text of the status bar at the foot of the main window. The shell's status line owns the bar; the file
// titles write the active file's line through this call.
#pragma once

namespace app {

void SetStatusText(const char* text);

}  // namespace app
