// The info box: icon 1, the version, what the tool serves and who makes it; OK and Cancel close it.
#include "app/templates/info_template.h"

namespace app {
namespace {

constexpr DialogItemTemplate kInfoItems[] = {
    {kInfoIcon, WC_STATIC, "", SS_ICON, 8, 8, 20, 20},
    {kInfoVersionText, WC_STATIC, "ZPR-Tool version 4.6 ", SS_LEFT, 36, 8, 200, 10},
    {kInfoToolText, WC_STATIC, "The projecting- and diagnostic tool for all KLX 4xxx, ZPR 4xxx and QWM 4xxx",
     SS_LEFT, 36, 22, 200, 18},
    {-1, WC_STATIC, "ZPR drive systems", SS_LEFT, 36, 44, 200, 10},
    {-1, WC_STATIC, "Drive commissioning suite", SS_LEFT, 36, 56, 200, 10},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 74, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 130, 74, 50, 14},
};

constexpr DialogTemplate kInfoDialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 248, 96,
                                     "Info about ZPR-Tool", kInfoItems};

}  // namespace

const DialogTemplate& InfoDialogTemplate() { return kInfoDialog; }

}  // namespace app
