// The print dialog: with no printer list to choose from it asks nothing and answers for the printer chosen in
// the drawing layer (DefaultPrinter); PD_RETURNDC gives a printer DC on it. Tests can script the answer.
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"

using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPSETUPHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct PRINTDLGA {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPRINTHOOKPROC lpfnPrintHook;
  LPSETUPHOOKPROC lpfnSetupHook;
  LPCSTR lpPrintTemplateName;
  LPCSTR lpSetupTemplateName;
  HGLOBAL hPrintTemplate;
  HGLOBAL hSetupTemplate;
};
using PRINTDLG = PRINTDLGA;
using LPPRINTDLGA = PRINTDLGA*;

inline constexpr DWORD PD_ALLPAGES = 0x00000000;
inline constexpr DWORD PD_SELECTION = 0x00000001;
inline constexpr DWORD PD_PAGENUMS = 0x00000002;
inline constexpr DWORD PD_NOSELECTION = 0x00000004;
inline constexpr DWORD PD_NOPAGENUMS = 0x00000008;
inline constexpr DWORD PD_COLLATE = 0x00000010;
inline constexpr DWORD PD_PRINTTOFILE = 0x00000020;
inline constexpr DWORD PD_PRINTSETUP = 0x00000040;
inline constexpr DWORD PD_NOWARNING = 0x00000080;
inline constexpr DWORD PD_RETURNDC = 0x00000100;
inline constexpr DWORD PD_RETURNIC = 0x00000200;
inline constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
inline constexpr DWORD PD_SHOWHELP = 0x00000800;
inline constexpr DWORD PD_ENABLEPRINTHOOK = 0x00001000;
inline constexpr DWORD PD_ENABLESETUPHOOK = 0x00002000;
inline constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
inline constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

// TRUE as if the user pressed OK (hDC set for PD_RETURNDC / PD_RETURNIC), FALSE when cancelled or when no
// printer DC can be made.
BOOL PrintDlgA(PRINTDLGA* dialog);
inline BOOL PrintDlg(PRINTDLGA* dialog) { return PrintDlgA(dialog); }
// 0: the last failure was a cancel.
DWORD CommDlgExtendedError();

namespace platform::gdi {

// Tests: decides each print dialog (false: cancel). None: every dialog is answered with OK.
void SetPrintDialogAnswer(std::function<bool(const PRINTDLGA& dialog)> answer);

}  // namespace platform::gdi
