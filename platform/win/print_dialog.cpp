// The print dialog and the printer setup as the layer's own modal dialogs.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "platform/sys/global_memory.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/layer_texts.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::gdi {
const std::function<bool(const PRINTDLGA&)>& PrintDialogAnswer();  // print_dialog.cpp
}  // namespace platform::gdi

using platform::win::LayerItems;
using platform::win::LayerText;

namespace {

DWORD g_last_error = 0;
constexpr DWORD kErrNoPrinterDc = 0x1007;   // PDERR_CREATEICFAILURE: no printer DC could be made
constexpr DWORD kErrNoStructure = 0xFFFF;   // a dialog without its structure

struct PrintDialogState {
  PRINTDLGA* pd = nullptr;
  platform::win::PrintDialogRequest request;
  std::string printer;
  std::string output;
  int copies = 1;
};

std::string Text(HWND dialog, int id) {
  char buffer[1024] = {};
  GetDlgItemText(dialog, id, buffer, sizeof buffer);
  return buffer;
}

// The printer a dialog starts with: the one the kept handles name, else the default printer.
void StartFrom(const PRINTDLGA& pd, PrintDialogState& s) {
  const platform::gdi::PrinterSettings def = platform::gdi::DefaultPrinter();
  s.printer = def.name;
  s.output = def.output_path;
  platform::gdi::DevNamesTexts names;
  if (platform::gdi::ReadDevNames(pd.hDevNames, &names)) {
    if (!names.device.empty()) s.printer = names.device;
    s.output = names.output;
  } else if (pd.hDevMode && GlobalSize(pd.hDevMode) >= sizeof(DEVMODEA)) {
    if (const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode))) {
      const std::string name(mode->dmDeviceName, strnlen(mode->dmDeviceName, CCHDEVICENAME));
      if (!name.empty()) s.printer = name;
      GlobalUnlock(pd.hDevMode);
    }
  }
  if (std::find(s.request.printers.begin(), s.request.printers.end(), s.printer) == s.request.printers.end())
    s.printer = platform::gdi::kPdfPrinterName;  // a printer that has gone away since
  s.copies = std::max<int>(1, pd.nCopies);
  if (pd.hDevMode && GlobalSize(pd.hDevMode) >= sizeof(DEVMODEA)) {
    if (const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode))) {
      if ((mode->dmFields & DM_COPIES) && mode->dmCopies > 0) s.copies = mode->dmCopies;
      GlobalUnlock(pd.hDevMode);
    }
  }
}

HGLOBAL Reuse(HGLOBAL block, SIZE_T size) {
  if (block && GlobalSize(block) >= size) return block;
  if (block) GlobalFree(block);
  return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

// The choice goes back in the structure's handles (made or reused), as the program keeps them.
void WriteHandles(PrintDialogState& s) {
  PRINTDLGA& pd = *s.pd;
  pd.hDevMode = Reuse(pd.hDevMode, sizeof(DEVMODEA));
  if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode))) {
    std::memset(mode, 0, sizeof *mode);
    std::strncpy(mode->dmDeviceName, s.printer.c_str(), CCHDEVICENAME - 1);
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmFields = DM_COPIES;
    mode->dmCopies = static_cast<short>(s.copies);
    GlobalUnlock(pd.hDevMode);
  }
  const bool is_default = s.printer == platform::gdi::DefaultPrinter().name;
  pd.hDevNames =
      platform::gdi::WriteDevNames(pd.hDevNames, {platform::gdi::kDevNamesDriver, s.printer, s.output, is_default});
}

void FillPrinters(HWND dialog, const PrintDialogState& s) {
  SendDlgItemMessage(dialog, kPrintPrinterCombo, CB_RESETCONTENT, 0, 0);
  int selected = 0;
  for (std::size_t i = 0; i < s.request.printers.size(); ++i) {
    SendDlgItemMessage(dialog, kPrintPrinterCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.request.printers[i].c_str()));
    if (s.request.printers[i] == s.printer) selected = static_cast<int>(i);
  }
  SendDlgItemMessage(dialog, kPrintPrinterCombo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SetDlgItemText(dialog, kPrintOutputEdit, s.output.c_str());
  // Only the PDF printer writes where the user says; a CUPS printer prints.
  EnableWindow(GetDlgItem(dialog, kPrintOutputEdit), s.printer == platform::gdi::kPdfPrinterName ? TRUE : FALSE);
}

// Takes the printer and the output path from the fields; false (with a message) when the PDF printer has an
// output path whose folder does not exist.
bool TakeChoice(HWND dialog, PrintDialogState& s) {
  const int sel = static_cast<int>(SendDlgItemMessage(dialog, kPrintPrinterCombo, CB_GETCURSEL, 0, 0));
  if (sel >= 0 && sel < static_cast<int>(s.request.printers.size())) s.printer = s.request.printers[static_cast<std::size_t>(sel)];
  s.output = Text(dialog, kPrintOutputEdit);
  while (!s.output.empty() && s.output.back() == ' ') s.output.pop_back();
  if (s.printer == platform::gdi::kPdfPrinterName && !s.output.empty()) {
    const std::size_t slash = s.output.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : s.output.substr(0, slash + 1);
    if (access(folder.c_str(), W_OK) != 0) {
      std::string msg = s.output;
      msg += LayerText("\nThe folder of the output file does not exist or cannot be written.");
      MessageBox(dialog, msg.c_str(), LayerText(s.request.setup ? "Print Setup" : "Print"), MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
  }
  return true;
}

INT_PTR RunSetup(HWND owner, PrintDialogState& outer);

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = reinterpret_cast<PrintDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    s = reinterpret_cast<PrintDialogState*>(lparam);
    SetWindowLongPtr(dialog, DWLP_USER, lparam);
    FillPrinters(dialog, *s);
    SetDlgItemInt(dialog, kPrintCopiesEdit, static_cast<UINT>(s->copies), FALSE);
    const PRINTDLGA& pd = *s->pd;
    const DWORD hook_flag = s->request.setup ? PD_ENABLESETUPHOOK : PD_ENABLEPRINTHOOK;
    const auto hook = s->request.setup ? pd.lpfnSetupHook : pd.lpfnPrintHook;
    if ((pd.Flags & hook_flag) && hook) hook(dialog, WM_INITDIALOG, wparam, reinterpret_cast<LPARAM>(s->pd));
    return TRUE;
  }
  if (!s) return FALSE;
  const DWORD hook_flag = s->request.setup ? PD_ENABLESETUPHOOK : PD_ENABLEPRINTHOOK;
  const auto hook = s->request.setup ? s->pd->lpfnSetupHook : s->pd->lpfnPrintHook;
  if ((s->pd->Flags & hook_flag) && hook && hook(dialog, message, wparam, lparam)) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (id == IDOK) {
    if (!TakeChoice(dialog, *s)) return TRUE;
    if (!s->request.setup) {
      BOOL ok = FALSE;
      const UINT copies = GetDlgItemInt(dialog, kPrintCopiesEdit, &ok, FALSE);
      if (!ok || copies < 1 || copies > 999) {
        MessageBox(dialog, LayerText("The number of copies must be between 1 and 999."), LayerText("Print"),
                   MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, kPrintCopiesEdit));
        return TRUE;
      }
      s->copies = static_cast<int>(copies);
    }
    EndDialog(dialog, IDOK);
  } else if (id == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
  } else if (id == kPrintSetupButton && !s->request.setup) {
    // The setup keeps its choice even when the print dialog is then cancelled.
    if (RunSetup(dialog, *s) == IDOK) FillPrinters(dialog, *s);
  } else if (id == kPrintPrinterCombo && code == CBN_SELCHANGE) {
    const int sel = static_cast<int>(SendDlgItemMessage(dialog, kPrintPrinterCombo, CB_GETCURSEL, 0, 0));
    if (sel >= 0 && sel < static_cast<int>(s->request.printers.size())) {
      const bool pdf = s->request.printers[static_cast<std::size_t>(sel)] == platform::gdi::kPdfPrinterName;
      EnableWindow(GetDlgItem(dialog, kPrintOutputEdit), pdf ? TRUE : FALSE);
    }
  }
  return TRUE;
}

constexpr DialogItemTemplate kPrintItems[] = {
    {IDC_STATIC, WC_STATIC, "&Printer:", SS_LEFT, 7, 9, 50, 8},
    {kPrintPrinterCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 60, 7, 140, 80},
    {IDC_STATIC, WC_STATIC, "&Output file:", SS_LEFT, 7, 27, 50, 8},
    {kPrintOutputEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 25, 140, 12},
    {IDC_STATIC, WC_STATIC, "&Copies:", SS_LEFT, 7, 45, 50, 8},
    {kPrintCopiesEdit, WC_EDIT, "", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 43, 30, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 208, 7, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 208, 25, 50, 14},
    {kPrintSetupButton, WC_BUTTON, "&Setup...", BS_PUSHBUTTON | WS_TABSTOP, 208, 43, 50, 14},
};

constexpr DialogItemTemplate kSetupItems[] = {
    {IDC_STATIC, WC_STATIC, "&Printer:", SS_LEFT, 7, 9, 50, 8},
    {kPrintPrinterCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 60, 7, 140, 80},
    {IDC_STATIC, WC_STATIC, "&Output file:", SS_LEFT, 7, 27, 50, 8},
    {kPrintOutputEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 25, 140, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 208, 7, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 208, 25, 50, 14},
};

INT_PTR RunDialog(HWND owner, PrintDialogState& s) {
  static constexpr DialogTemplate kPrint{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 265, 64, "Print", kPrintItems};
  static constexpr DialogTemplate kSetup{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 265, 46, "Print Setup",
                                         kSetupItems};
  const DialogTemplate& shape = s.request.setup ? kSetup : kPrint;
  const std::vector<DialogItemTemplate> items = LayerItems(shape.items);
  DialogTemplate dialog = shape;
  dialog.caption = LayerText(shape.caption);
  dialog.items = items;
  HWND root = owner ? platform::win::detail::Root(owner) : nullptr;
  HWND box = platform::win::detail::CreateDialogCore(GetModuleHandle(nullptr), &dialog, root,
                                                     PrintDialogProc, reinterpret_cast<LPARAM>(&s), true,
                                                     platform::win::detail::DialogKind::kPrint, &s.request);
  if (!box) return -1;
  return platform::win::detail::RunModal(box, root);
}

INT_PTR RunSetup(HWND owner, PrintDialogState& outer) {
  PrintDialogState setup = outer;
  setup.request.setup = true;
  const INT_PTR r = RunDialog(owner, setup);
  if (r == IDOK) {
    outer.printer = setup.printer;
    outer.output = setup.output;
    WriteHandles(outer);
  }
  return r;
}

}  // namespace

BOOL PrintDlgA(PRINTDLGA* pd) {
  g_last_error = 0;
  if (!pd) {
    g_last_error = kErrNoStructure;
    return FALSE;
  }
  PrintDialogState s;
  s.pd = pd;
  s.request.owner = pd->hwndOwner;
  s.request.setup = (pd->Flags & PD_PRINTSETUP) != 0;
  s.request.printers = platform::gdi::AvailablePrinters();
  StartFrom(*pd, s);
  const auto& answer = platform::gdi::PrintDialogAnswer();
  if (answer) {
    if (!answer(*pd)) return FALSE;
  } else if (!(pd->Flags & PD_RETURNDEFAULT)) {
    if (RunDialog(pd->hwndOwner, s) != IDOK) return FALSE;
  } else {
    s.printer = platform::gdi::DefaultPrinter().name;
    s.output = platform::gdi::DefaultPrinter().output_path;
  }
  WriteHandles(s);
  pd->nCopies = static_cast<WORD>(s.copies);
  if (!s.request.setup && (pd->Flags & (PD_RETURNDC | PD_RETURNIC))) {
    pd->hDC = platform::gdi::CreatePrinterDC(platform::gdi::SettingsForPrinter(s.printer, s.output));
    if (!pd->hDC) {
      g_last_error = kErrNoPrinterDc;
      return FALSE;
    }
  }
  return TRUE;
}

DWORD CommDlgExtendedError() { return g_last_error; }
