// The print dialog: the groups to print with their page estimates, the two options, the printer and its setup;
// and the small abort dialog that shows the page being printed.
#include "app/templates/print_templates.h"

namespace app {
namespace {

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr int kEstimateX = 200;

constexpr DialogItemTemplate kPrintItems[] = {
    {-1, WC_BUTTON, "selection of groups", BS_GROUPBOX, 6, 4, 276, 126},
    {kPrintGroupTarget, WC_BUTTON, "P.. Target of project", kCheck | WS_GROUP, 12, 16, 184, 10},
    {-1, WC_STATIC, "ca. 1/4 page", SS_LEFT, kEstimateX, 17, 76, 8},
    {kPrintGroupDisplay, WC_BUTTON, "E.. Display values (device info)", kCheck, 12, 28, 184, 10},
    {-1, WC_STATIC, "ca. 1/2 page", SS_LEFT, kEstimateX, 29, 76, 8},
    {kPrintGroupComments, WC_BUTTON, "K.. Comments", kCheck, 12, 40, 184, 10},
    {-1, WC_STATIC, "up to 1/2 page", SS_LEFT, kEstimateX, 41, 76, 8},
    {kPrintGroupSet1, WC_BUTTON, "parameter set 1 + A.. Inverter", kCheck, 12, 52, 184, 10},
    {-1, WC_STATIC, "ca. 1,5 pages", SS_LEFT, kEstimateX, 53, 76, 8},
    {kPrintGroupSet2, WC_BUTTON, "parameter set 2", kCheck, 12, 64, 184, 10},
    {-1, WC_STATIC, "ca. 1 page", SS_LEFT, kEstimateX, 65, 76, 8},
    {kPrintGroupFaults, WC_BUTTON, "S.. Malf.memory a. Z.. Malf.counter", kCheck, 12, 76, 184, 10},
    {-1, WC_STATIC, "ca. 1 page", SS_LEFT, kEstimateX, 77, 76, 8},
    {kPrintGroupMenuSkip, WC_BUTTON, "M.. Menu skip, Menu jumptargets", kCheck, 12, 88, 184, 10},
    {-1, WC_STATIC, "up to 5 pages", SS_LEFT, kEstimateX, 89, 76, 8},
    {kPrintGroupScope, WC_BUTTON, "ZPR-Scope-recording", kCheck, 12, 100, 184, 10},
    {-1, WC_STATIC, "1 or 2 pages", SS_LEFT, kEstimateX, 101, 76, 8},
    {kPrintGroupPositioning, WC_BUTTON, "I.. Posi.machine a. J.. Posi.command", kCheck, 12, 112, 184, 10},
    {-1, WC_STATIC, "ca. 1 page", SS_LEFT, kEstimateX, 113, 76, 8},
    {kPrintNoFrame, WC_BUTTON, "printout without frame line", kCheck | WS_GROUP, 12, 136, 184, 10},
    {kPrintOnlyDiffering, WC_BUTTON, "print only 'not default values'", kCheck, 12, 148, 184, 10},
    {-1, WC_STATIC, "selected printer:", SS_LEFT, 12, 166, 64, 8},
    {kPrintPrinterField, WC_EDIT, "standard printer", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER, 78, 164,
     148, 12},
    {kPrintSetup, WC_BUTTON, "&Setup", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 232, 163, 50, 14},
    {-1, WC_STATIC,
     "(Instead of printing always to paper, you can also select menu command File/Export to print this pages "
     "into a texfile for taking over in any editor or textprocessing.)",
     SS_LEFT, 12, 184, 270, 26},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 86, 216, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 152, 216, 50, 14},
};

constexpr DialogTemplate kPrintDialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 288, 238, "Print",
                                      kPrintItems};

constexpr DialogItemTemplate kAbortItems[] = {
    {kAbortText, WC_STATIC, "Printing!", SS_CENTER, 10, 10, 120, 10},
    {IDCANCEL, WC_BUTTON, "&Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 45, 28, 50, 14},
};

constexpr DialogTemplate kAbortDialog{WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME, 0, 0, 140, 50, "ZPR-Tool",
                                      kAbortItems};

}  // namespace

const DialogTemplate& AbortDialogTemplate() { return kAbortDialog; }
const DialogTemplate& PrintDialogTemplate() { return kPrintDialog; }

}  // namespace app
