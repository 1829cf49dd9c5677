// The remote-control windows' templates.
#include "app/templates/remote_templates.h"

namespace app {
namespace {

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kWindow = WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr DialogItemTemplate kRemoteItems[] = {
    {kRemoteReferenceLabel, WC_STATIC, "n-ref", SS_LEFT, 8, 9, 30, 10},
    {kRemoteReference, WC_EDIT, "", kEdit, 42, 7, 60, 12},
    {kRemoteReferenceUnit, WC_STATIC, "rpm", SS_LEFT, 106, 9, 30, 10},
    {kRemoteEnable, WC_BUTTON, "enable", kCheck, 8, 26, 80, 10},
    {kRemoteFirstInput + 0, WC_BUTTON, "BE 1", kCheck, 8, 42, 40, 10},
    {kRemoteFirstFunction + 0, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 52, 42, 210, 10},
    {kRemoteFirstInput + 1, WC_BUTTON, "BE 2", kCheck, 8, 56, 40, 10},
    {kRemoteFirstFunction + 1, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 52, 56, 210, 10},
    {kRemoteFirstInput + 2, WC_BUTTON, "BE 3", kCheck, 8, 70, 40, 10},
    {kRemoteFirstFunction + 2, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 52, 70, 210, 10},
    {kRemoteFirstInput + 3, WC_BUTTON, "BE 4", kCheck, 8, 84, 40, 10},
    {kRemoteFirstFunction + 3, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 52, 84, 210, 10},
    {kRemoteFirstInput + 4, WC_BUTTON, "BE 5", kCheck, 8, 98, 40, 10},
    {kRemoteFirstFunction + 4, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 52, 98, 210, 10},
    {IDC_STATIC, WC_STATIC, "process block number", SS_LEFT, 8, 116, 90, 10},
    {kRemoteProcessBlock, WC_EDIT, "", kEdit, 100, 114, 30, 12},
    {kRemotePosiStart, WC_BUTTON, "J0&0 posi.start", kButton, 8, 134, 62, 14},
    {kRemotePosiStep, WC_BUTTON, "J0&1 posi.step", kButton, 74, 134, 62, 14},
    {kRemoteTeachIn, WC_BUTTON, "J0&4 teach-in", kButton, 140, 134, 56, 14},
    {kRemoteReferencing, WC_BUTTON, "J0&5 start reference", kButton, 200, 134, 70, 14},
    {kRemoteSend, WC_BUTTON, "S&end control signals", BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 154, 100, 14},
    {kRemoteStopAndClose, WC_BUTTON, "&Stop and close", kButton, 112, 154, 80, 14},
    {kRemoteStatus, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 174, 262, 28},
};
constexpr DialogTemplate kRemote{kWindow, 0, 0, 278, 206, "Remote control", kRemoteItems};

// Record 306's exchange: five values out (bytes 8..19), four back (bytes 20..31); per row a code text and an edit.
constexpr DWORD kShown = ES_LEFT | ES_READONLY | WS_BORDER;
constexpr DialogItemTemplate kRemote2Items[] = {
    {IDC_STATIC, WC_STATIC, "to the inverter", SS_LEFT, 8, 6, 120, 10},
    {kRemote2First + 0, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 20, 120, 10},
    {kRemote2First + 1, WC_EDIT, "", kEdit, 132, 18, 60, 12},
    {kRemote2First + 2, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 34, 120, 10},
    {kRemote2First + 3, WC_EDIT, "", kEdit, 132, 32, 60, 12},
    {kRemote2First + 4, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 48, 120, 10},
    {kRemote2First + 5, WC_EDIT, "", kEdit, 132, 46, 60, 12},
    {kRemote2First + 6, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 62, 120, 10},
    {kRemote2First + 7, WC_EDIT, "", kEdit, 132, 60, 60, 12},
    {kRemote2First + 8, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 76, 120, 10},
    {kRemote2First + 9, WC_EDIT, "", kEdit, 132, 74, 60, 12},
    {IDC_STATIC, WC_STATIC, "from the inverter", SS_LEFT, 8, 94, 120, 10},
    {kRemote2First + 10, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 108, 120, 10},
    {kRemote2First + 11, WC_EDIT, "", kShown, 132, 106, 60, 12},
    {kRemote2First + 12, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 122, 120, 10},
    {kRemote2First + 13, WC_EDIT, "", kShown, 132, 120, 60, 12},
    {kRemote2First + 14, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 136, 120, 10},
    {kRemote2First + 15, WC_EDIT, "", kShown, 132, 134, 60, 12},
    {kRemote2First + 16, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 8, 150, 120, 10},
    {kRemote2First + 17, WC_EDIT, "", kShown, 132, 148, 60, 12},
    {kRemote2HexFlag, WC_BUTTON, "hexadecimal", kCheck, 8, 168, 80, 10},
    {IDOK, WC_BUTTON, "&Send", BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 184, 60, 14},
    {IDCANCEL, WC_BUTTON, "&Stop and close", kButton, 72, 184, 80, 14},
};
constexpr DialogTemplate kRemote2{kWindow, 0, 0, 200, 206, "Remote control", kRemote2Items};

}  // namespace

const DialogTemplate& RemoteControlTemplate() { return kRemote; }
const DialogTemplate& RemoteControl2Template() { return kRemote2; }

}  // namespace app
