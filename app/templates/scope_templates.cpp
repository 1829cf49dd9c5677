// The scope front end's dialog templates.
#include "app/templates/scope_templates.h"

namespace app {
namespace {

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kText = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

constexpr DialogItemTemplate kControlItems[] = {
    {kScopeStateField, WC_EDIT, "", ES_LEFT | ES_READONLY | WS_BORDER, 6, 7, 118, 12},
    {IDOK, WC_BUTTON, "&Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 132, 6, 62, 14},
    {kScopeStartStopButton, WC_BUTTON, "S&tart", kButton, 6, 26, 60, 14},
    {kScopeReadButton, WC_BUTTON, "&Read", kButton, 70, 26, 60, 14},
    {kScopeExportButton, WC_BUTTON, "E&xport", kButton, 134, 26, 60, 14},
    {kScopeSettingsButton, WC_BUTTON, "&Settings", kButton, 6, 44, 92, 14},
    {kScopeCommentsButton, WC_BUTTON, "C&omments", kButton, 102, 44, 92, 14},
};

constexpr DialogTemplate kControl{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 64, "T.. ZPR-Scope-control",
                                  kControlItems};

constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

constexpr DialogItemTemplate kSettingsItems[] = {
    {-1, WC_BUTTON, "channel selection", BS_GROUPBOX, 4, 2, 298, 148},
    {-1, WC_STATIC, "user defined", SS_LEFT, 226, 12, 70, 10},
    {-1, WC_STATIC, "T01 channel 1", SS_LEFT, 10, 26, 58, 10},
    {kSettingsFirstChannel + 0, WC_COMBOBOX, "", kList, 70, 24, 150, 120},
    {kSettingsFirstChannel + 1, WC_EDIT, "", kText, 226, 24, 70, 12},
    {-1, WC_STATIC, "T02 channel 2", SS_LEFT, 10, 41, 58, 10},
    {kSettingsFirstChannel + 2, WC_COMBOBOX, "", kList, 70, 39, 150, 120},
    {kSettingsFirstChannel + 3, WC_EDIT, "", kText, 226, 39, 70, 12},
    {-1, WC_STATIC, "T03 channel 3", SS_LEFT, 10, 56, 58, 10},
    {kSettingsFirstChannel + 4, WC_COMBOBOX, "", kList, 70, 54, 150, 120},
    {kSettingsFirstChannel + 5, WC_EDIT, "", kText, 226, 54, 70, 12},
    {-1, WC_STATIC, "T04 channel 4", SS_LEFT, 10, 71, 58, 10},
    {kSettingsFirstChannel + 6, WC_COMBOBOX, "", kList, 70, 69, 150, 120},
    {kSettingsFirstChannel + 7, WC_EDIT, "", kText, 226, 69, 70, 12},
    {-1, WC_STATIC, "T05 channel 5", SS_LEFT, 10, 86, 58, 10},
    {kSettingsFirstChannel + 8, WC_COMBOBOX, "", kList, 70, 84, 150, 120},
    {kSettingsFirstChannel + 9, WC_EDIT, "", kText, 226, 84, 70, 12},
    {-1, WC_STATIC, "T06 channel 6", SS_LEFT, 10, 101, 58, 10},
    {kSettingsFirstChannel + 10, WC_COMBOBOX, "", kList, 70, 99, 150, 120},
    {kSettingsFirstChannel + 11, WC_EDIT, "", kText, 226, 99, 70, 12},
    {-1, WC_STATIC, "T07 channel 7", SS_LEFT, 10, 116, 58, 10},
    {kSettingsFirstChannel + 12, WC_COMBOBOX, "", kList, 70, 114, 150, 120},
    {kSettingsFirstChannel + 13, WC_EDIT, "", kText, 226, 114, 70, 12},
    {-1, WC_STATIC, "T08 channel 8", SS_LEFT, 10, 131, 58, 10},
    {kSettingsFirstChannel + 14, WC_COMBOBOX, "", kList, 70, 129, 150, 120},
    {kSettingsFirstChannel + 15, WC_EDIT, "", kText, 226, 129, 70, 12},
    {-1, WC_STATIC, "T11 source", SS_LEFT, 10, 158, 58, 10},
    {kSettingsTrigger, WC_COMBOBOX, "", kList, 70, 156, 150, 120},
    {kSettingsTriggerCode, WC_EDIT, "", kText, 226, 156, 70, 12},
    {-1, WC_STATIC, "T12 value", SS_LEFT, 10, 174, 58, 10},
    {kSettingsLevel, WC_EDIT, "", kText, 70, 172, 80, 12},
    {kSettingsLevelUnit, WC_STATIC, "", SS_LEFT, 154, 174, 60, 10},
    {-1, WC_STATIC, "T10 scanning time", SS_LEFT, 310, 8, 80, 10},
    {kSettingsPeriod, WC_COMBOBOX, "", kList, 310, 20, 80, 120},
    {-1, WC_STATIC, "T13 releasing", SS_LEFT, 310, 40, 80, 10},
    {kSettingsReleasing, WC_EDIT, "", ES_LEFT | ES_READONLY | WS_BORDER, 310, 52, 80, 12},
    {-1, WC_STATIC, "T14 pre-trigger", SS_LEFT, 310, 72, 60, 10},
    {kSettingsPretrigger, WC_EDIT, "", kText, 310, 84, 40, 12},
    {-1, WC_STATIC, "%", SS_LEFT, 354, 86, 10, 10},
    {-1, WC_STATIC, "samples", SS_LEFT, 310, 104, 80, 10},
    {kSettingsSamples, WC_EDIT, "", ES_LEFT | ES_READONLY | WS_BORDER, 310, 116, 80, 12},
    {-1, WC_STATIC, "recording time", SS_LEFT, 310, 134, 80, 10},
    {kSettingsRecordLength, WC_EDIT, "", ES_LEFT | ES_READONLY | WS_BORDER, 310, 146, 80, 12},
    {IDOK, WC_BUTTON, "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 310, 170, 38, 14},
    {IDCANCEL, WC_BUTTON, "&Cancel", kButton, 352, 170, 38, 14},
};

constexpr DialogTemplate kSettings{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 398, 192,
                                   "T.. ZPR-Scope-settings", kSettingsItems};

constexpr DialogItemTemplate kCommentsItems[] = {
    {-1, WC_STATIC, "K03 R-user", SS_LEFT, 6, 8, 70, 10},
    {kCommentsFirst, WC_EDIT, "", kText, 80, 6, 180, 12},
    {-1, WC_STATIC, "K05 R-filename", SS_LEFT, 6, 24, 70, 10},
    {kCommentsFirst + 1, WC_EDIT, "", kText, 80, 22, 180, 12},
    {-1, WC_STATIC, "K10 system", SS_LEFT, 6, 40, 70, 10},
    {kCommentsFirst + 2, WC_EDIT, "", kText, 80, 38, 180, 12},
    {-1, WC_STATIC, "K40 trigger-time", SS_LEFT, 6, 56, 70, 10},
    {kCommentsFirst + 3, WC_EDIT, "", kText, 80, 54, 180, 12},
    {-1, WC_STATIC, "K41 Scope-remark", SS_LEFT, 6, 72, 70, 10},
    {kCommentsRemark, WC_EDIT, "", ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER |
                                       WS_TABSTOP,
     80, 70, 180, 60},
    {IDOK, WC_BUTTON, "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 80, 138, 60, 14},
    {IDCANCEL, WC_BUTTON, "&Cancel", kButton, 150, 138, 60, 14},
};

constexpr DialogTemplate kComments{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 268, 158,
                                   "T.. ZPR-Scope-comments", kCommentsItems};

}  // namespace

const DialogTemplate& ScopeControlTemplate() { return kControl; }
const DialogTemplate& ScopeCommentsTemplate() { return kComments; }
const DialogTemplate& ScopeSettingsTemplate() { return kSettings; }

}  // namespace app
