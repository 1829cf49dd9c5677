// Dialog templates 7 (the abort dialog of a running printout) and 8 (the print dialog).
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kAbortTemplate = 7;
inline constexpr int kAbortText = 100;

inline constexpr int kPrintTemplate = 8;
// Check boxes of the groups and options, bound to menu list 2 in this order (the last id is exclusive).
inline constexpr int kPrintFirstBound = 104;
inline constexpr int kPrintGroupTarget = 104;
inline constexpr int kPrintGroupDisplay = 105;
inline constexpr int kPrintGroupComments = 106;
inline constexpr int kPrintGroupSet1 = 107;
inline constexpr int kPrintGroupSet2 = 108;
inline constexpr int kPrintGroupFaults = 109;
inline constexpr int kPrintGroupMenuSkip = 110;
inline constexpr int kPrintGroupScope = 111;
inline constexpr int kPrintGroupPositioning = 112;
inline constexpr int kPrintNoFrame = 113;
inline constexpr int kPrintOnlyDiffering = 114;
inline constexpr int kPrintPrinterField = 115;
inline constexpr int kPrintSetup = 116;

const DialogTemplate& AbortDialogTemplate();
const DialogTemplate& PrintDialogTemplate();

}  // namespace app
