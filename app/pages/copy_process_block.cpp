// The copy-process-block dialog: source and target block numbers in two edits, OK copies the source block's
// rows into the target block's.
#include "app/pages/copy_process_block.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/documents/file_titles.h"
#include "app/pages/page_dialog_box.h"
#include "app/pages/posi_records.h"
#include "model/message_presenter.h"
#include "model/message_show.h"
#include "model/message_text.h"

namespace app {
namespace {

constexpr int kNumberChars = 50;
constexpr std::int32_t kMsgCopyFailed = kMsgBackupNotReserved;

struct CopyState {
  HWND window = nullptr;
  int source = 0;
  int target = 1;
  int maximum = 0;
  std::size_t refusals = 0;
};
CopyState& State() {
  static CopyState state;
  return state;
}

void ShowNumbers(HWND dialog) {
  const CopyState& s = State();
  char text[16];
  std::snprintf(text, sizeof text, "%i", s.source + 1);
  SetDlgItemText(dialog, kCopySourceEdit, text);
  std::snprintf(text, sizeof text, "%i", s.target + 1);
  SetDlgItemText(dialog, kCopyTargetEdit, text);
}

// The edit's number becomes the block's index when it names a block of the device; any other text keeps it.
void TakeNumber(HWND dialog, int id) {
  char text[kNumberChars + 1] = {};
  GetDlgItemText(dialog, id, text, kNumberChars);
  const int index = ParseBlockNumber(text, State().maximum);
  if (index >= 0) (id == kCopySourceEdit ? State().source : State().target) = index;
}

// A copy that ran but had rows refused is no success: the user is told how many values were not written.
void ReportRefusals(HWND dialog, std::size_t refusals) {
  const std::string text = std::to_string(refusals) +
                           " value(s) could not be written into the target block.\n"
                           "The target block holds the other values of the source block.";
  model::ActiveMessagePresenter().ShowMessageBox(dialog, text, model::BuildMessageTitle(kBindingErrorGroup, false),
                                                 model::MessageBoxKind::kExclamation);
}

void Copy(HWND dialog) {
  CopyState& s = State();
  std::size_t refused = 0;
  const byte result = CopyProcessBlock(dialog, PosiRecordList(s.source), PosiRecordList(s.target), GetActiveFile(),
                                       &refused);
  s.refusals = refused;
  if (result == kBindingOk) {
    model::MessageBoxByNumber(dialog, 3, kBindingErrorGroup, kMsgProcessBlockCopied);
  } else if (result == kCopyRowsRefused) {
    ReportRefusals(dialog, refused);
  } else {
    model::MessageBoxByNumber(dialog, 3, kBindingErrorGroup, kMsgCopyFailed);
  }
}

INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      State().window = dialog;
      ShowNumbers(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (id == IDOK) {
        // A number typed and confirmed with Enter has not lost the focus yet: it counts as well.
        TakeNumber(dialog, kCopySourceEdit);
        TakeNumber(dialog, kCopyTargetEdit);
        ShowNumbers(dialog);
        Copy(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if ((id == kCopySourceEdit || id == kCopyTargetEdit) && code == EN_KILLFOCUS) {
        TakeNumber(dialog, id);
        ShowNumbers(dialog);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

int ParseBlockNumber(const char* text, int maximum) {
  if (text == nullptr) return -1;
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || errno != 0) return -1;
  while (std::isspace(static_cast<unsigned char>(*end))) ++end;
  if (*end != '\0') return -1;
  if (number < 1 || number > static_cast<long>(maximum) + 1) return -1;
  return static_cast<int>(number - 1);
}

INT_PTR OpenCopyProcessBlockDialog(HWND owner, int index, int maximum) {
  CopyState& s = State();
  s.maximum = std::clamp(maximum, 0, static_cast<int>(kPosiRecordCount) - 1);
  s.source = index > s.maximum || index < 0 ? 0 : index;
  s.target = index == s.maximum ? 0 : s.source + 1;
  s.refusals = 0;
  const INT_PTR result = PageDialogBox(kCopyBlockTemplate, 0, owner, CopyDialogProc);
  s.window = nullptr;
  return result;
}

HWND CopyProcessBlockWindow() { return State().window; }

std::size_t LastCopyRefusals() { return State().refusals; }

}  // namespace app
