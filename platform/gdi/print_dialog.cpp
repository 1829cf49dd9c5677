#include "platform/gdi/print_dialog.h"

#include "platform/gdi/printing.h"

namespace {

std::function<bool(const PRINTDLGA&)>& Answer() {
  static std::function<bool(const PRINTDLGA&)> answer;
  return answer;
}

DWORD g_last_error = 0;

}  // namespace

namespace platform::gdi {
void SetPrintDialogAnswer(std::function<bool(const PRINTDLGA& dialog)> answer) { Answer() = std::move(answer); }
}  // namespace platform::gdi

BOOL PrintDlgA(PRINTDLGA* dialog) {
  g_last_error = 0;
  if (!dialog) {
    g_last_error = 0xFFFF;  // a dialog without its structure
    return FALSE;
  }
  if (Answer() && !Answer()(*dialog)) return FALSE;
  if (dialog->Flags & PD_PRINTSETUP) return TRUE;  // the setup has nothing to choose from
  if (dialog->Flags & (PD_RETURNDC | PD_RETURNIC)) {
    dialog->hDC = platform::gdi::CreatePrinterDC(platform::gdi::DefaultPrinter());
    if (!dialog->hDC) {
      g_last_error = 0x1007;  // no printer DC could be created
      return FALSE;
    }
  }
  if (dialog->nCopies == 0) dialog->nCopies = 1;
  return TRUE;
}

DWORD CommDlgExtendedError() { return g_last_error; }
