// The transfer dialog: the job text, the frame of the percentage bar and Cancel, which asks the transfer to stop
// at its next step.
#include "app/templates/transfer_template.h"

namespace app {
namespace {

constexpr DialogItemTemplate kTransferItems[] = {
    {kTransferJobText, WC_EDIT, "", ES_LEFT | ES_READONLY | WS_BORDER, 10, 8, 200, 12},
    {kTransferBarFrame, WC_STATIC, "", SS_BLACKFRAME, 10, 26, 200, 12},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 85, 46, 50, 14},
};

constexpr DialogTemplate kTransferDialog{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 220, 68, "ZPR-Tool",
                                         kTransferItems};

}  // namespace

const DialogTemplate& TransferDialogTemplate() { return kTransferDialog; }

}  // namespace app
