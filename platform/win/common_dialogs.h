// The common dialogs as the layer's own modal dialogs: file open and save (a name field, the folders and the files
// of the folder matching the chosen filter without regard to case, the filter list; a folder is gone into by a
// double click, by Up and Home, or by typing its absolute or relative path, "..", or "~" into the name field,
// and a typed pattern such as "*.txt" lists what matches it), colour choice (red, green and blue fields). A test answers them through the test
// driver; CommonDialogError tells why one returned FALSE (0 after Cancel).
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

// ---- file dialogs ----
inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_SHOWHELP = 0x00000010;
inline constexpr DWORD OFN_NOVALIDATE = 0x00000100;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
inline constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
inline constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAME {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // pairs of zero-terminated strings (text, pattern list "*.zpr;*.cfg"), ended by an empty one
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // from 1
  LPSTR lpstrFile;     // in: proposed name; out: the full path
  DWORD nMaxFile;      // bytes of lpstrFile
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};
using OPENFILENAMEA = OPENFILENAME;
using LPOPENFILENAME = OPENFILENAME*;

BOOL GetOpenFileName(OPENFILENAME* ofn);
BOOL GetSaveFileName(OPENFILENAME* ofn);
#define GetOpenFileNameA GetOpenFileName
#define GetSaveFileNameA GetSaveFileName

// Errors of CommDlgExtendedError.
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// Control ids of the layer's file dialog.
inline constexpr int kFileNameEdit = 1152;
inline constexpr int kFileList = 1120;
inline constexpr int kFileFilterCombo = 1136;
inline constexpr int kFileDirStatic = 1088;
inline constexpr int kFileUpButton = 1161;    // to the folder above
inline constexpr int kFileHomeButton = 1162;  // to the home folder

// ---- colour dialog ----
inline constexpr DWORD CC_RGBINIT = 0x00000001;
inline constexpr DWORD CC_FULLOPEN = 0x00000002;
inline constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
inline constexpr DWORD CC_SHOWHELP = 0x00000008;
inline constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
inline constexpr DWORD CC_ANYCOLOR = 0x00000100;

using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
struct CHOOSECOLOR {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;  // 16 colours
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};
using CHOOSECOLORA = CHOOSECOLOR;
BOOL ChooseColor(CHOOSECOLOR* cc);
#define ChooseColorA ChooseColor

inline constexpr int kColorRedEdit = 706;
inline constexpr int kColorGreenEdit = 707;
inline constexpr int kColorBlueEdit = 708;

// ---- print dialog ----
// PrintDlg and CommDlgExtendedError come from the drawing layer (its printers); the errors of the dialogs here are
// read with platform::win::CommonDialogError.
#include "platform/gdi/print_dialog.h"

namespace platform::win {

// What a file dialog was asked (its request record).
struct FileDialogRequest {
  bool save = false;
  HWND owner = nullptr;
  std::string title;
  std::string filter;  // the pairs joined as "text|pattern|text|pattern"
  std::string initial_dir;
  std::string default_ext;
  std::string proposed;
  DWORD flags = 0;
};

// What a print dialog or printer setup was asked (its request record); the printer it shows now.
struct PrintDialogRequest {
  bool setup = false;
  HWND owner = nullptr;
  std::vector<std::string> printers;
};

// Why the last file or colour dialog returned FALSE: 0 after Cancel, else CDERR_ / FNERR_ codes.
DWORD CommonDialogError();

// Whether a file name matches a pattern list ("*.zpr;*.CFG"), case ignored; '*' and '?' as usual.
bool MatchesFilter(const std::string& name, const std::string& patterns);

}  // namespace platform::win
