// Dialog template 43, the info box.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kInfoTemplate = 43;
inline constexpr int kInfoVersionText = 333;
inline constexpr int kInfoToolText = 334;
inline constexpr int kInfoIcon = 335;

const DialogTemplate& InfoDialogTemplate();

}  // namespace app
