// The print dialog (template 8): the groups and options of menu list 2 in the settings data set through the
// dialog binding, the printer field and the printer setup; as "Export" it names the text file instead.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/print/print_state.h"
#include "app/templates/print_templates.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr byte kSelectionList = 2;
constexpr byte kSettingsSet = 0;
constexpr int kBoundEnd = kPrintPrinterField;  // the check boxes 104..114
constexpr std::size_t kPrinterNameLimit = 51;

constexpr std::int8_t kFileWarningGroup = 6;  // "Warning file operation:"

bool g_storing = false;  // a store runs (no store inside another)

bool ExportsText() { return (print::RawOr(305, 10, kSettingsSet, 0) & 0xFF) == 1; }

// The PDF printer's file is there already: Yes overwrites it, No keeps it (and the dialog stays open for another
// file by the setup, or Cancel).
bool MayWriteOutput() {
  if (ExportsText()) return true;
  const std::string output = ProposePrintOutput();
  std::error_code error;
  if (output.empty() || !std::filesystem::exists(output, error)) return true;
  const std::string question = "File exists already!\n'" + output + "'\nOverwrite file?";
  return model::ShowMessageText(model::kShowQuestion, kFileWarningGroup, question) == model::kQuestionYes;
}

bool Bound(int id) { return id >= kPrintFirstBound && id < kBoundEnd; }

bool Store(HWND dialog, int id) {
  if (g_storing) return true;
  g_storing = true;
  const bool stored =
      StoreDialogToParameters(dialog, kPrintFirstBound, kBoundEnd, id, kSelectionList, kSettingsSet, 0) == kBindingOk;
  g_storing = false;
  return stored;
}

void OnInit(HWND dialog) {
  PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
  FillDialogFromParameters(dialog, kPrintFirstBound, kBoundEnd, kSelectionList, kSettingsSet, 1);
  const bool export_text = ExportsText();
  if (export_text) {
    SetWindowText(dialog, "Export");
    char field[1200];
    std::snprintf(field, sizeof field, "%s '%s'", "Text file ", GetPrintTextPath().c_str());
    SetDlgItemText(dialog, kPrintPrinterField, field);
  } else {
    SetWindowText(dialog, "Print");
    const std::string output = PrintOutputText();
    SetDlgItemText(dialog, kPrintPrinterField, output.empty() ? kNoPrinterText : output.c_str());
  }
  EnableWindow(GetDlgItem(dialog, kPrintSetup), export_text ? FALSE : TRUE);
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      g_storing = false;
      OnInit(dialog);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kPrintTemplate, kPrintFirstBound, kPrintPrinterField);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (id == IDOK) {
        // All at once; a refused value keeps the dialog open (the binding puts the focus on it).
        if (!Store(dialog, 0) || !MayWriteOutput()) return TRUE;
        ReleaseDialogBuffers(dialog);
        EndDialog(dialog, 1);
      } else if (id == IDCANCEL) {
        g_storing = true;
        StoreDialogToParameters(dialog, kPrintFirstBound, kBoundEnd, 0, kSelectionList, kSettingsSet, 1);
        g_storing = false;
        ReleaseDialogBuffers(dialog);
        EndDialog(dialog, 2);
      } else if (id == kPrintSetup && code == BN_CLICKED) {
        PrinterSetup();
        const std::string output = PrintOutputText();
        SetDlgItemText(dialog, kPrintPrinterField,
                       output.empty() ? GetPrinterName(kPrinterNameLimit).c_str() : output.c_str());
      } else if (Bound(id) && code == BN_CLICKED) {
        if (!Store(dialog, id)) SetFocus(GetDlgItem(dialog, id));
      } else {
        SetHelpContextFromCommand(kPrintTemplate, kPrintFirstBound, kPrintPrinterField, id, code);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

int OpenPrintDialog() {
  const INT_PTR result =
      DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kPrintTemplate), MainWindow(), PrintDialogProc, 0);
  return result == 1 ? 1 : 2;
}

}  // namespace app
