// The class layer's message box: owned by the application's main window, captioned with the application's name.
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/win/message_box.h"

namespace afx {

int AfxMessageBox(LPCSTR text, UINT type = MB_OK);

}  // namespace afx
