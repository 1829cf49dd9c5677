// The dialog manager: modal and modeless dialogs from templates, the default dialog procedure, keyboard
// navigation (IsDialogMessage), and the item helpers.
//
// Modal dialogs run a nested loop that disables only the owner (the top-level window of the given parent), sends
// WM_ENTERIDLE (MSGF_DIALOGBOX, the dialog) to the owner each time the queue turns empty, delivers timers and
// returns the EndDialog value: 0 for an invalid owner, -1 for a missing template or a failed creation.
// WM_INITDIALOG returning TRUE puts the focus on the first tab stop (an edit there has its text selected).
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/win/dialog_template.h"
#include "platform/win/messages.h"

// Dialog styles.
inline constexpr DWORD DS_ABSALIGN = 0x0001;
inline constexpr DWORD DS_SYSMODAL = 0x0002;
inline constexpr DWORD DS_3DLOOK = 0x0004;
inline constexpr DWORD DS_FIXEDSYS = 0x0008;
inline constexpr DWORD DS_NOFAILCREATE = 0x0010;
inline constexpr DWORD DS_LOCALEDIT = 0x0020;
inline constexpr DWORD DS_SETFONT = 0x0040;
inline constexpr DWORD DS_MODALFRAME = 0x0080;
inline constexpr DWORD DS_NOIDLEMSG = 0x0100;
inline constexpr DWORD DS_SETFOREGROUND = 0x0200;
inline constexpr DWORD DS_CONTROL = 0x0400;
inline constexpr DWORD DS_CENTER = 0x0800;
inline constexpr DWORD DS_CENTERMOUSE = 0x1000;
inline constexpr DWORD DS_CONTEXTHELP = 0x2000;

// Dialog window data (Get/SetWindowLongPtr).
inline constexpr int DWLP_MSGRESULT = 0;
inline constexpr int DWLP_DLGPROC = 8;
inline constexpr int DWLP_USER = 16;
inline constexpr int DWL_MSGRESULT = 0;
inline constexpr int DWL_DLGPROC = 8;
inline constexpr int DWL_USER = 16;
inline constexpr int DLGWINDOWEXTRA = 48;

// Dialog messages and codes. They share their numbers with the first private messages of programs (WM_USER,
// +1, +2), so the dialog manager itself never sends them: Enter finds the default button in the dialog's own
// record. A program may still send them to a dialog, which answers them in DefDlgProc.
inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr UINT DM_REPOSITION = WM_USER + 2;
inline constexpr WORD DC_HASDEFID = 0x534B;

// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// Command ids of the standard buttons and message-box answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDCLOSE = 8;
inline constexpr int IDHELP = 9;
inline constexpr int IDC_STATIC = -1;

// The layer's dialog class, for templates that name no class and for own classes that extend it.
inline constexpr const char* kDialogClassName = "ZprDialog";
#define WC_DIALOG kDialogClassName

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc, LPARAM init);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC proc, LPARAM init);
inline INT_PTR DialogBox(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc) {
  return DialogBoxParam(instance, template_name, parent, proc, 0);
}
HWND CreateDialogParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc, LPARAM init);
HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC proc, LPARAM init);
inline HWND CreateDialog(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc) {
  return CreateDialogParam(instance, template_name, parent, proc, 0);
}
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
BOOL IsDialogMessage(HWND dialog, MSG* msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, RECT* rect);
LONG GetDialogBaseUnits();

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);

#define DialogBoxParamA DialogBoxParam
#define DialogBoxIndirectParamA DialogBoxIndirectParam
#define DialogBoxA DialogBox
#define CreateDialogParamA CreateDialogParam
#define CreateDialogIndirectParamA CreateDialogIndirectParam
#define CreateDialogA CreateDialog
#define DefDlgProcA DefDlgProc
#define IsDialogMessageA IsDialogMessage
#define SetDlgItemTextA SetDlgItemText
#define GetDlgItemTextA GetDlgItemText
#define SendDlgItemMessageA SendDlgItemMessage
