// The two copy dialogs: a button for each direction and Cancel. The file dialog's buttons get their texts from
// the menu items of the two files when it opens.
#include "app/templates/copy_templates.h"

namespace app {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr DialogItemTemplate kCopyFileItems[] = {
    {kCopyForward, WC_BUTTON, "", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 290, 14},
    {kCopyBackward, WC_BUTTON, "", BS_PUSHBUTTON | WS_TABSTOP, 10, 30, 290, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 130, 54, 50, 14},
};

constexpr DialogTemplate kCopyFile{kDialogStyle, 0, 0, 310, 76, "Copy file content", kCopyFileItems};

constexpr DialogItemTemplate kCopyParamSetItems[] = {
    {-1, WC_STATIC, "Inside the active file:\nCopy parameter set from ... to ...", SS_LEFT, 10, 8, 160, 20},
    {kCopyForward, WC_BUTTON, "&1 ---> 2", BS_PUSHBUTTON | WS_TABSTOP, 10, 34, 70, 14},
    {kCopyBackward, WC_BUTTON, "&2 ---> 1", BS_PUSHBUTTON | WS_TABSTOP, 100, 34, 70, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 65, 56, 50, 14},
};

constexpr DialogTemplate kCopyParamSet{kDialogStyle, 0, 0, 180, 78, "Copy parameter set", kCopyParamSetItems};

}  // namespace

const DialogTemplate& CopyFileTemplate() { return kCopyFile; }
const DialogTemplate& CopyParamSetTemplate() { return kCopyParamSet; }

}  // namespace app
