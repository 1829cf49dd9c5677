// The start of inverter actions (template 38): the one-shot actions with their outcome, and the guided actions
// (phase test, autotuning) that continue in the progress dialog.
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/link_fault.h"
#include "app/common/wait_cursor.h"
#include "app/documents/file_titles.h"
#include "app/online/link_dialogs.h"
#include "app/templates/link_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kActionGroup = 10;
constexpr std::int32_t kMsgSMemoryReset = 38;
constexpr std::uint8_t kTransferIdentity = 5;
constexpr std::uint8_t kFamily2 = 2;
constexpr std::uint16_t kHelpContext = 38;

void RunAction(std::uint8_t (*action)(std::uint8_t set)) {
  BeginWaitCursor();
  const std::uint8_t outcome = action(GetActiveFile());
  EndWaitCursor();
  model::ShowMessage(model::kShowFault, kActionGroup, outcome);
}

void ResetSMemory() {
  BeginWaitCursor();
  const std::uint8_t code = ilink::WriteRecord33TripleOnline(GetActiveFile());
  EndWaitCursor();
  if (code != ilink::kOk) {
    ShowLinkFault(code);
  } else {
    model::ShowMessage(model::kShowFault, kActionGroup, kMsgSMemoryReset);
  }
}

void OnInit(HWND dialog) {
  PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
  const std::uint8_t set = GetActiveFile();
  ShowLinkFault(ilink::TransferParameterSet(kTransferIdentity, set));
  std::uint8_t family = 0;
  model::ReadElement(5, 0, &family, model::kModeRaw, set);
  if (family == kFamily2) EnableWindow(GetDlgItem(dialog, kAutotuningButton), FALSE);
}

INT_PTR CALLBACK StartProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kSaveValuesButton, kResetSMemoryButton + 1);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kSaveValuesButton: RunAction(ilink::SaveValuesAction); return TRUE;
        case kQuitFaultButton: RunAction(ilink::FaultAcknowledgeAction); return TRUE;
        case kLoadDefaultsButton: RunAction(ilink::LoadDefaultSettingsAction); return TRUE;
        case kResetMemoButton: RunAction(ilink::ResetMemoAction); return TRUE;
        case kResetSMemoryButton: ResetSMemory(); return TRUE;
        case kPhaseTestButton: EndDialog(dialog, kPhaseTestButton); return TRUE;
        case kAutotuningButton:
          // Greyed for device family 2; a click that comes anyway starts nothing there.
          if (IsWindowEnabled(GetDlgItem(dialog, kAutotuningButton))) EndDialog(dialog, kAutotuningButton);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return TRUE;
      }
    default: return FALSE;
  }
}

}  // namespace

void OpenStartActionDialog(HWND owner) {
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  const INT_PTR result = DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kStartActionTemplate), owner, StartProc, 0);
  if (result == kPhaseTestButton) OpenActionProgressDialog(owner, kPhaseTest);
  if (result == kAutotuningButton) OpenActionProgressDialog(owner, kAutotuning);
  ShowLinkFault(ilink::DisconnectInverter(0));
}

void CommandStartAction(HWND main, UINT /*id*/) { OpenStartActionDialog(main); }

}  // namespace app
