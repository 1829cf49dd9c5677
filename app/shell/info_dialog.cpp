// The info box's procedure.
#include "app/shell/info_dialog.h"

#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/shell/application_start.h"
#include "app/shell/main_commands.h"
#include "app/templates/info_template.h"

namespace app {
namespace {

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessage(dialog, kInfoIcon, STM_SETICON,
                         reinterpret_cast<WPARAM>(LoadIcon(AppInstance(), MAKEINTRESOURCE(1))), 0);
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kInfoTemplate, kInfoVersionText, kInfoToolText);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
      SetHelpContextFromCommand(kInfoTemplate, kInfoVersionText, kInfoVersionText, id, HIWORD(wparam));
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

INT_PTR OpenInfoDialog() {
  return DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kInfoTemplate), MainWindow(), InfoDialogProc, 0);
}

void CommandInfo(HWND /*main*/, UINT /*id*/) { OpenInfoDialog(); }

}  // namespace app
