// The menu commands of the bulk transfers: read and send the inverter, read and write the Quellox box.
#pragma once

#include "platform/win/win.h"

namespace app {

void CommandReadInverter(HWND main, UINT id);  // 2005
void CommandSendInverter(HWND main, UINT id);  // 2006
void CommandReadBox(HWND main, UINT id);       // 2007
void CommandWriteBox(HWND main, UINT id);      // 2008

}  // namespace app
