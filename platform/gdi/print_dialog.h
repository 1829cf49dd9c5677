// The print dialog and the printer setup: the user chooses a printer of the CUPS client (lpstat) or "PDF file"
// with an output path, and the number of copies. The choice comes back in hDevMode (dmDeviceName, dmCopies) and
// hDevNames (device and output path), which a later PrintDlg takes as its start; PD_RETURNDC gives a printer DC
// on it, PD_PRINTSETUP shows only the setup, PD_RETURNDEFAULT answers for the default printer without a dialog.
// The print hook (PD_ENABLEPRINTHOOK) sees the dialog's messages first; its command 1024 opens the setup.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/printing.h"

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

inline constexpr int CCHDEVICENAME = 32;
inline constexpr int CCHFORMNAME = 32;
inline constexpr DWORD DM_COPIES = 0x00000100;
struct DEVMODEA {
  char dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  char dmFormName[CCHFORMNAME];
};
using DEVMODE = DEVMODEA;
// Offsets (in characters from the start of the block) of the driver, device and output strings that follow.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
// The print dialog's setup button.
inline constexpr int kPrintSetupButton = 1024;
inline constexpr int kPrintPrinterCombo = 1139;
inline constexpr int kPrintOutputEdit = 1140;
inline constexpr int kPrintCopiesEdit = 1154;

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

// Tests: decides each print dialog at once, without showing it (false: cancel, true: OK on the printer it starts
// with). None: the dialog is shown.
void SetPrintDialogAnswer(std::function<bool(const PRINTDLGA& dialog)> answer);

// The name of the PDF printer, always the first choice.
inline constexpr const char* kPdfPrinterName = "PDF file";
// The printers to choose from: "PDF file", then the destinations of the CUPS client ("lpstat -e") when there is
// one. A test may replace the CUPS query (null: the real one).
std::vector<std::string> AvailablePrinters();
void SetCupsPrinterLister(std::function<std::vector<std::string>()> lister);
// The printer settings for a chosen printer and output path: the PDF printer writes the file; a CUPS printer
// writes a PDF and hands it to "lp -d <printer>".
PrinterSettings SettingsForPrinter(const std::string& name, const std::string& output_path);

// The driver text of the device names the print dialogs keep.
inline constexpr const char* kDevNamesDriver = "zpr";
// The texts of a device-names block (DEVNAMES and the strings behind it).
struct DevNamesTexts {
  std::string driver;
  std::string device;
  std::string output;
  bool is_default = false;
};
// What a block holds; false for no block or one too short for its header (offsets beyond it read as empty).
bool ReadDevNames(HGLOBAL names, DevNamesTexts* out);
// The texts packed into `reuse` when it is large enough, else into a new moveable block (`reuse` freed); null
// when no block can be had.
HGLOBAL WriteDevNames(HGLOBAL reuse, const DevNamesTexts& texts);

}  // namespace platform::gdi
