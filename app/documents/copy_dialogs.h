// The copy dialogs: one file's data set into the other (menu 2013), one parameter set of the active file into
// the other (menu 2032). The copies change the data sets in memory; nothing is saved.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// Message numbers of group 13.
inline constexpr std::int32_t kMsgFileCopyFailed = 23;
inline constexpr std::int32_t kMsgFileCopied = 24;
inline constexpr std::int32_t kMsgParamSetCopyFailed = 27;
inline constexpr std::int32_t kMsgParamSetCopied = 28;

// The longest part of a menu text that a copy button shows of each file.
inline constexpr std::size_t kCopyButtonNameLimit = 32;

// Copies data set `from` (0 or 1) into the other one: the target takes the source's whole content, kind and name
// included, and becomes a file never saved (its slot named after its new name element, no path), so that a Save
// asks where to write. Unsaved changes of the target are lost only after a Yes to 8.8. The result (13.24 or
// 13.23) is shown in a box owned by `owner`.
inline constexpr std::uint8_t kFileCopied = 0;
inline constexpr std::uint8_t kFileCopyFailed = 1;
inline constexpr std::uint8_t kFileCopyDeclined = 2;  // the user kept the target's unsaved changes
std::uint8_t CopyFileContent(HWND owner, std::uint8_t from);
// Copies parameter set 1 into 2 (forward) or 2 into 1 of the active file; true when every record was copied.
bool CopyParameterSet(bool forward);

// The dialogs (modal); IDCANCEL, or the button that copied.
INT_PTR OpenCopyFileDialog();
INT_PTR OpenCopyParamSetDialog();

void CommandCopyFile(HWND main, UINT id);      // 2013
void CommandCopyParamSet(HWND main, UINT id);  // 2032

}  // namespace app
