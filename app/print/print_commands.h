// The printout of the active file and its menu commands.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// Prints or exports the active file by the groups the print dialog stored in record 305 of data set 0 (element
// 10: 1 the text file, 0 the printer). Messages 13.9, 13.10, 13.11 for a failed start, section or end; 0 or 1.
std::uint8_t PrintOrExportProject(HWND owner);

void CommandExport(HWND main, UINT id);        // 2004
void CommandPrint(HWND main, UINT id);         // 2009
void CommandPrinterSetup(HWND main, UINT id);  // 2010

}  // namespace app
