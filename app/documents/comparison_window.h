// The comparison of the two files and of the two parameter sets of the active file, and its modeless result
// window (template 29).
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// Message numbers of group 13.
inline constexpr std::int32_t kMsgFilesEqual = 26;
inline constexpr std::int32_t kMsgParamSetsEqual = 30;

// Compares File 1 with File 2 (menu 2014): the result window, or message 13.26 when nothing differs.
void CompareFiles();
// Compares parameter set 1 with 2 of the active file (menu 2033, 2062): the window, or message 13.30.
void CompareParameterSets();
// Opens the result window for the differences on change list 1 (mode kCompareFiles or kCompareParamSets), or
// raises and refills the open one (its caption then names what this comparison compared).
void ShowComparisonResult(std::uint8_t mode);

void CommandCompareFiles(HWND main, UINT id);          // 2014
void CommandCompareParameterSets(HWND main, UINT id);  // 2033, 2062

}  // namespace app
