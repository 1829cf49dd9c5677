// The printer setup and the printer settings it keeps (the device mode and names handles of the last choice).
#include <cstring>
#include <string>

#include "app/common/shell_state.h"
#include "app/print/output_paths.h"
#include "app/print/print_job.h"
#include "app/print/print_job_state.h"
#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "platform/sys/global_memory.h"

namespace app {
namespace {

using job::Job;

constexpr DWORD kSetupDialogFlags = 0x14100C;  // no print-to-file, copies in the device mode, hook, no pages
constexpr DWORD kPrintDialogSize = 66;

// The user sees only the printer setup: the print dialog opens it at once and is then cancelled.
UINT_PTR SetupHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendMessage(dialog, WM_COMMAND, ::kPrintSetupButton, 0);
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}

std::string g_proposed;  // the output file last proposed (not chosen by the user)

}  // namespace

std::string ProposePrintOutput() {
  auto& j = Job();
  const platform::gdi::PrinterSettings def = platform::gdi::DefaultPrinter();
  platform::gdi::DevNamesTexts kept{platform::gdi::kDevNamesDriver, def.name, def.output_path, true};
  platform::gdi::DevNamesTexts held;
  if (platform::gdi::ReadDevNames(j.dev_names, &held)) {
    if (!held.device.empty()) kept.device = held.device;
    kept.output = held.output;
  }
  if (kept.device != platform::gdi::kPdfPrinterName) return {};
  // A file the user chose in the setup stays; a proposed one follows the active file.
  if (!kept.output.empty() && kept.output != g_proposed) return kept.output;
  g_proposed = OutputNamedAfterActiveFile("pdf");
  kept.output = g_proposed;
  kept.is_default = kept.device == def.name;
  j.dev_names = platform::gdi::WriteDevNames(j.dev_names, kept);
  return kept.output;
}

std::string PrintOutputText() {
  const std::string output = ProposePrintOutput();
  return output.empty() ? std::string() : std::string(platform::gdi::kPdfPrinterName) + " '" + output + "'";
}

namespace job {

BOOL ShowPrintDialog(DWORD flags, LPPRINTHOOKPROC hook, HDC* dc) {
  auto& j = Job();
  PRINTDLG pd{};
  pd.lStructSize = kPrintDialogSize;
  pd.hwndOwner = MainWindow();
  pd.hDevMode = j.dev_mode;
  pd.hDevNames = j.dev_names;
  pd.Flags = flags;
  pd.lpfnPrintHook = hook;
  const BOOL chosen = PrintDlg(&pd);
  j.dev_mode = pd.hDevMode;
  j.dev_names = pd.hDevNames;
  if (dc) *dc = pd.hDC;
  return chosen;
}

}  // namespace job

void PrinterSetup() {
  ProposePrintOutput();
  job::ShowPrintDialog(kSetupDialogFlags, SetupHook);
}

std::string GetPrinterName(std::size_t size) {
  std::string name = kDefaultPrinterName;
  const auto& j = Job();
  if (j.dev_mode && GlobalSize(j.dev_mode) >= sizeof(DEVMODE)) {
    if (const auto* mode = static_cast<const DEVMODE*>(GlobalLock(j.dev_mode))) {
      const std::size_t length = strnlen(mode->dmDeviceName, CCHDEVICENAME);
      if (length > 0) name.assign(mode->dmDeviceName, length);
      GlobalUnlock(j.dev_mode);
    }
  }
  if (size == 0) return {};
  if (name.size() > size - 1) name.resize(size - 1);
  return name;
}

void FreePrinterSettings() {
  auto& j = Job();
  if (j.dev_mode) GlobalFree(j.dev_mode);
  if (j.dev_names) GlobalFree(j.dev_names);
  j.dev_mode = nullptr;
  j.dev_names = nullptr;
  g_proposed.clear();
}

}  // namespace app
