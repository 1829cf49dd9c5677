// Dialog template 5, the transfer dialog.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kTransferTemplate = 5;
inline constexpr int kTransferJobText = 102;  // read-only edit: what is being done
inline constexpr int kTransferBarFrame = 103;  // the frame the percentage bar fills

const DialogTemplate& TransferDialogTemplate();

}  // namespace app
