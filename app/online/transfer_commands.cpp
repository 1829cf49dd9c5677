// The menu commands that run the transfer dialog (read from and send to the inverter, read and write the Quellox)
// and the question after a send whether the inverter is to keep the values.
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/busy_test.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/input_check_question.h"
#include "app/documents/page_navigation.h"
#include "app/online/transfer_commands.h"
#include "app/online/transfer_dialog.h"
#include "app/online/transfer_steps.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/parambox.h"
#include "link/parambox_codes.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kActionGroup = 10;
constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int8_t kShellGroup = 13;
constexpr std::int32_t kMsgOverwriteData = 8;       // 8.8: the data in memory will be overwritten
constexpr std::int32_t kMsgSaveAgainstPowerFail = 31;
constexpr std::uint8_t kSaveErrorFree = 2;
constexpr std::uint8_t kSettingsSet = 0;

class WaitCursor {
 public:
  WaitCursor() { BeginWaitCursor(); }
  ~WaitCursor() { EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// A read replaces the active data: unsaved changes are not lost without a question.
bool MayOverwrite(std::uint8_t set) {
  return model::ChangeList0Empty(set) != 0 || transfer::Ask(kConfirmGroup, kMsgOverwriteData);
}

// The mark that a set was read back from a device goes back to its default before the set leaves the tool.
void ResetReverseDocMark(std::uint8_t set) {
  char text[512] = {};
  if (model::ReadDefaultElement(15, 38, text, model::kModeRaw, set) == 0) {
    model::WriteElement(15, 38, text, model::kModeRaw, set);
  }
}

// The box holds projects only: a reverse documentation becomes one when the user agrees.
bool EnsureProjectForBox(HWND main) {
  const std::uint8_t kind = EnsureActiveFileKind(main, kKindProject, kAskWriteQuellox);
  return kind == kKindAlready || kind == kKindConverted;
}

void Refresh(HWND main) {
  UpdateFileTitles();
  InvalidateRect(main, nullptr, TRUE);
}

// Runs a box mode with the box's port open around it.
INT_PTR RunBoxTransfer(std::uint8_t mode) {
  if (const std::uint8_t code = ilink::OpenParameterBox(kSettingsSet); code != ilink::kBoxOk) {
    model::ShowMessage(model::kShowFault, transfer::kBoxFaultGroup, code);
    return kTransferFailed;
  }
  const INT_PTR result = RunTransferDialog(mode);
  ilink::CloseParameterBox();
  return result;
}

}  // namespace

void StoreValuesAfterSend() {
  if (model::MessageBoxByNumber(MainWindow(), 2, kShellGroup, kMsgSaveAgainstPowerFail) != IDYES) return;
  if (const std::uint8_t code = ilink::ConnectInverter(kSettingsSet); code != ilink::kOk) {
    transfer::Report(transfer::kLinkGroup, code);
    return;
  }
  if (const std::uint8_t result = ilink::SaveValuesAction(GetActiveFile()); result != kSaveErrorFree) {
    model::ShowMessage(model::kShowFault, kActionGroup, result);
  }
  if (const std::uint8_t code = ilink::DisconnectInverter(GetActiveFile()); code != ilink::kOk) {
    transfer::Report(transfer::kLinkGroup, code);
  }
}

void CommandReadInverter(HWND main, UINT /*id*/) {
  if (!MayOverwrite(GetActiveFile())) return;
  INT_PTR result = kTransferFailed;
  {
    WaitCursor wait;
    result = RunTransferDialog(kTransferReadInverter);
  }
  if (result == kTransferSucceeded) GoToNextPage(kNavFromNoPage, kNavNext);
  Refresh(main);
}

void CommandSendInverter(HWND main, UINT /*id*/) {
  const std::uint8_t set = GetActiveFile();
  if (!InputCheckQuestion(main, set) || CommandBusy()) return;
  BusyGuard busy;
  WaitCursor wait;
  ResetReverseDocMark(set);
  if (RunTransferDialog(kTransferSendInverter) == kTransferSucceeded) StoreValuesAfterSend();
  Refresh(main);
}

void CommandReadBox(HWND main, UINT /*id*/) {
  if (!MayOverwrite(GetActiveFile())) return;
  INT_PTR result = kTransferFailed;
  {
    WaitCursor wait;
    result = RunBoxTransfer(kTransferReadBox);
  }
  Refresh(main);
  if (result == kTransferSucceeded) GoToNextPage(kNavFromNoPage, kNavNext);
}

void CommandWriteBox(HWND main, UINT /*id*/) {
  const std::uint8_t set = GetActiveFile();
  if (!InputCheckQuestion(main, set) || CommandBusy() || !EnsureProjectForBox(main)) return;
  BusyGuard busy;
  {
    WaitCursor wait;
    ResetReverseDocMark(set);
    RunBoxTransfer(kTransferWriteBox);
  }
  Refresh(main);
}

}  // namespace app
