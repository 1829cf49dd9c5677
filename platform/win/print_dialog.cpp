// The print dialog: the printer back end (PDF file, text file, PNG pages, recording), the output file and the
// number of copies. OK makes the choice the default printer and, with PD_RETURNDC, hands out a printer DC.
#include <string>

#include "platform/gdi/printing.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"

namespace platform::win {
void SetCommonDialogError(DWORD error);
}

namespace {

using platform::gdi::PrintBackendKind;

struct BackendRow {
  PrintBackendKind kind;
  const char* name;
};
constexpr BackendRow kBackends[] = {
    {PrintBackendKind::kPdf, "PDF file"},
    {PrintBackendKind::kText, "Text file"},
    {PrintBackendKind::kPng, "PNG pages"},
    {PrintBackendKind::kRecording, "Recording"},
};
static_assert(std::size(kBackends) == 4);

struct PrintState {
  PRINTDLG* pd;
  platform::gdi::PrinterSettings settings;
};

INT_PTR PrintDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = reinterpret_cast<PrintState*>(GetWindowLongPtr(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      s = reinterpret_cast<PrintState*>(lparam);
      SetWindowLongPtr(dialog, DWLP_USER, lparam);
      int current = 0;
      for (std::size_t i = 0; i < std::size(kBackends); ++i) {
        SendDlgItemMessage(dialog, kPrintBackendCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBackends[i].name));
        if (kBackends[i].kind == s->settings.kind) current = static_cast<int>(i);
      }
      SendDlgItemMessage(dialog, kPrintBackendCombo, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
      SetDlgItemText(dialog, kPrintOutputEdit, s->settings.output_path.c_str());
      SetDlgItemInt(dialog, kPrintCopiesEdit, s->pd->nCopies ? s->pd->nCopies : 1, FALSE);
      return TRUE;
    }
    case WM_COMMAND:
      if (!s) return FALSE;
      if (LOWORD(wparam) == IDOK) {
        BOOL ok = FALSE;
        UINT copies = GetDlgItemInt(dialog, kPrintCopiesEdit, &ok, FALSE);
        if (!ok || copies < 1 || copies > 999) {
          MessageBox(dialog, "Enter a number of copies from 1 to 999.", "Print", MB_OK | MB_ICONEXCLAMATION);
          return TRUE;
        }
        int sel = static_cast<int>(SendDlgItemMessage(dialog, kPrintBackendCombo, CB_GETCURSEL, 0, 0));
        if (sel >= 0 && sel < static_cast<int>(std::size(kBackends))) {
          s->settings.kind = kBackends[sel].kind;
          s->settings.name = kBackends[sel].name;
        }
        char path[MAX_PATH];
        GetDlgItemText(dialog, kPrintOutputEdit, path, sizeof path);
        s->settings.output_path = path;
        s->pd->nCopies = static_cast<WORD>(copies);
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default: return FALSE;
  }
}

constexpr DialogItemTemplate kPrintItems[] = {
    {IDC_STATIC, WC_STATIC, "&Printer:", SS_LEFT, 7, 9, 40, 8},
    {kPrintBackendCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 50, 7, 110, 60},
    {IDC_STATIC, WC_STATIC, "&Output file:", SS_LEFT, 7, 27, 40, 8},
    {kPrintOutputEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 50, 25, 110, 12},
    {IDC_STATIC, WC_STATIC, "&Copies:", SS_LEFT, 7, 45, 40, 8},
    {kPrintCopiesEdit, WC_EDIT, "", ES_NUMBER | WS_BORDER | WS_TABSTOP | WS_GROUP, 50, 43, 30, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 170, 7, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 170, 25, 50, 14},
};

}  // namespace

BOOL PrintDlg(PRINTDLG* pd) {
  platform::win::SetCommonDialogError(0);
  if (!pd || pd->lStructSize == 0) {
    platform::win::SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if (pd->hwndOwner && !IsWindow(pd->hwndOwner)) {
    platform::win::SetCommonDialogError(CDERR_INITIALIZATION);
    return FALSE;
  }
  PrintState s{pd, platform::gdi::DefaultPrinter()};
  if (!(pd->Flags & PD_RETURNDEFAULT)) {
    DialogTemplate dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 227, 62,
                          (pd->Flags & PD_PRINTSETUP) ? "Print Setup" : "Print", kPrintItems};
    HWND owner = pd->hwndOwner ? platform::win::detail::Root(pd->hwndOwner) : nullptr;
    HWND box = platform::win::detail::CreateDialogCore(GetModuleHandle(nullptr), &dialog, owner, PrintDialogProc,
                                                       reinterpret_cast<LPARAM>(&s), true,
                                                       platform::win::detail::DialogKind::kPrint, pd);
    if (!box) return FALSE;
    if (platform::win::detail::RunModal(box, owner) != IDOK) return FALSE;
    platform::gdi::SetDefaultPrinter(s.settings);
  }
  pd->hDevMode = nullptr;
  pd->hDevNames = nullptr;
  if (pd->nCopies == 0) pd->nCopies = 1;
  if (pd->Flags & (PD_RETURNDC | PD_RETURNIC)) {
    pd->hDC = platform::gdi::CreatePrinterDC(s.settings);
    if (!pd->hDC) {
      platform::win::SetCommonDialogError(PDERR_NODEFAULTPRN);
      return FALSE;
    }
  }
  return TRUE;
}
