// WM_CLOSE and WM_DESTROY of the main window.
#include <array>
#include <string>

#include "app/binding/work_buffer.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_save.h"
#include "app/documents/file_titles.h"
#include "app/documents/input_check_question.h"
#include "app/online/remote_control.h"
#include "app/print/print_job.h"
#include "app/scope/scope_control.h"
#include "app/scope/scope_library.h"
#include "app/shell/application_start.h"
#include "app/shell/main_window.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/element_access.h"
#include "model/message_presenter.h"
#include "model/message_show.h"
#include "model/message_text.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;
constexpr std::int8_t kLinkGroup = 1;

// Message 13.4 for the data set of the slot ("Data set 1" names File 1, "Data set 2" File 2).
int AskSaveBeforeExit(HWND main, std::uint8_t set) {
  std::string text = model::BuildMessageText(kShellGroup, kMsgSaveBeforeExit);
  if (set != 0) {
    const std::string::size_type at = text.find("Data set 1");
    if (at != std::string::npos) text[at + 9] = static_cast<char>('1' + set);
  }
  return model::ActiveMessagePresenter().ShowMessageBox(main, text, model::BuildMessageTitle(kShellGroup, false),
                                                          model::MessageBoxKind::kQuestionYesNoCancel);
}

// Every modified file is offered for saving into its own slot. False keeps the program open: Cancel, a No to
// the input check, or a save that was cancelled or failed.
bool SaveModifiedFiles(HWND main) {
  for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
    if (model::ChangeList0Empty(set) != 0) continue;
    const int answer = AskSaveBeforeExit(main, set);
    if (answer == IDNO) continue;
    if (answer != IDYES) return false;
    if (!InputCheckQuestion(main, set) || !SaveFileSlotAs(set)) return false;
  }
  return true;
}

}  // namespace

void MainOnClose(HWND main) {
  if (!SaveModifiedFiles(main)) return;
  CloseRemoteControlWindows();
  CloseScopeControlWindow();
  if (const std::uint8_t code = ilink::DisconnectInverter(GetActiveFile()); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
  }
  QuitHelp(main);
  UnloadScopeLibrary();
  ExitApplication();
  RestoreGrayTextColor();
  DestroyWindow(main);
}

void MainOnDestroy(HWND /*main*/) {
  Shell().main = nullptr;
  FreePrinterSettings();
  PostQuitMessage(0);
}

}  // namespace app
