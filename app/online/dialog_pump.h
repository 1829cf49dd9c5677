// The message pump of a dialog whose work runs in its own handler (a transfer, the node search): the link's waits
// call it, so that the dialog paints and takes its Cancel while the work goes on.
#pragma once

#include "platform/win/win.h"

namespace app {

// One round: a message of the dialog (its Cancel, keys, paint), else a paint of any window, else a short sleep.
// Everything else (the main window's timers, commands) waits until the dialog has ended: the link is busy.
void PumpDialogOnce(HWND dialog);

}  // namespace app
