// Opening, creating and saving the active file, and the menu commands that do it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/win.h"

namespace app {

// FileOpenCommand's choice: any project file, or reverse documentation only (while the scope window is open).
inline constexpr std::uint8_t kOpenAnyFile = 0;
inline constexpr std::uint8_t kOpenReverseDocOnly = 2;

// Reads a project file into the active data set: 0 done (slot name and path, recent list, titles follow the
// file), 1 failed or declined (the message shown; data set, names and titles are as they were).
std::uint8_t OpenProjectFile(const std::string& path);
// Asks 8.8 over unsaved changes, then a name in the open dialog, then OpenProjectFile; 0 done, 1 not.
std::uint8_t FileOpenCommand(std::uint8_t which);
// Writes the active file to its slot path: 0 done (change list 0 emptied), 1 failed (shown; still modified).
std::uint8_t FileSaveCommand();
// Save as for the active file in its own kind; 0 done, 1 cancelled or failed.
std::uint8_t FileSaveAsCommand();
// Save as for a given slot (the close question's "Yes"); 0 done, 1 cancelled or failed.
std::uint8_t SaveSlotAs(std::uint8_t set);

// Menu handlers.
void CommandNewFile(HWND main, UINT id);
void CommandOpenFile(HWND main, UINT id);
void CommandSaveFile(HWND main, UINT id);
void CommandSaveFileAs(HWND main, UINT id);
void CommandSelectFile(HWND main, UINT id);          // 2011 File 1, 2012 File 2
void CommandSelectParameterSet(HWND main, UINT id);  // 2030/2031, 2060/2061
void CommandRecentFile(HWND main, UINT id);          // 2015..2018

}  // namespace app
