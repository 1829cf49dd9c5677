// The texts that name the open files: the main window's title, the menus' file items and the status line.
#pragma once

#include <cstdint>
#include <string>

#include "app/common/active_file.h"

namespace app {

// Refreshes the menus (address, file items, enabling, check marks, pop-ups), the title and the status line.
void UpdateFileTitles();
// "ZPR-Tool - File 1: NAME".
void UpdateWindowTitle();
// Writes the status line for the active file.
void UpdateStatusLine();
// The status line's text for the active file.
std::string StatusLineText();

// Items 2007 and 2008 (the parameter box's commands) enabled or greyed.
void EnableQuelloxMenu();
void DisableQuelloxMenu();

}  // namespace app
