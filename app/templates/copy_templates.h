// Dialog templates 27 (copy one file's content into the other) and 28 (copy one parameter set into the other).
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kCopyFileTemplate = 27;
inline constexpr int kCopyParamSetTemplate = 28;
inline constexpr int kCopyForward = 701;   // File 1 -> File 2, set 1 -> set 2
inline constexpr int kCopyBackward = 702;  // the other way
inline constexpr int kCopyHelpLast = 703;

const DialogTemplate& CopyFileTemplate();
const DialogTemplate& CopyParamSetTemplate();

}  // namespace app
