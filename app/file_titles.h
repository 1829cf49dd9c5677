// The texts that name the open files: the main window's title, the menus' file items and the status line.
#pragma once

#include <cstdint>

namespace app {

// The data set of the file being worked on (0 = File 1, 1 = File 2).
std::uint8_t GetActiveFile();
void SetActiveFile(std::uint8_t set);

// Refreshes the title, the menus and the status line after the files changed.
void UpdateFileTitles();
// Writes the status line for the active file.
void UpdateStatusLine();

}  // namespace app
