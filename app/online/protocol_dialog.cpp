// The protocol monitor values dialog (template 34): the texts that head the value log, and whether the next
// poll starts a new log or adds an entry to it.
#include <cstdint>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/documents/file_titles.h"
#include "app/online/monitor_dialogs.h"
#include "app/online/monitor_windows.h"
#include "app/online/value_log.h"
#include "model/element_access.h"

namespace app {
namespace {

constexpr int kProtocolTemplate = 34;
constexpr int kFirst = 897;
constexpr int kLast = 902;
constexpr std::uint8_t kProtocolList = 54;
constexpr int kStartButton = 3;
constexpr int kCompleteButton = 4;
constexpr int kLogTargetField = 905;  // a static: the log's file
constexpr std::uint16_t kProtocolRecord = 317;
constexpr std::uint16_t kProtocolComment = 3668;
constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kNoCompleteElement = 56;

struct ProtocolDialog {
  std::uint8_t set = 0;
  bool storing = false;  // a store in progress (its message box moves the focus)
};
ProtocolDialog g_dialog;

void ResetComment(std::uint8_t set) {
  // The comment element's default, whatever its type (a text of up to 1024 characters).
  std::array<char, 1100> text{};
  if (model::ReadDefaultElement(kProtocolRecord, kProtocolComment, text.data(), model::kModeRaw, set) == 0) {
    model::WriteElement(kProtocolRecord, kProtocolComment, text.data(), model::kModeRaw, set);
  }
}

void InitProtocolDialog(HWND dialog) {
  g_dialog = ProtocolDialog{GetActiveFile(), false};
  PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
  ResetComment(g_dialog.set);
  FillDialogFromParameters(dialog, kFirst, kLast, kProtocolList, g_dialog.set, 1);
  const bool polling = CountOpenMonitors() != 0;
  std::uint8_t no_complete = 0;
  if (model::ReadElement(kSettingsRecord, kNoCompleteElement, &no_complete, model::kModeRaw, 0) != 0) no_complete = 0;
  // Where the log goes, so that it can be found.
  const std::string target = ValueLogTarget();
  SetDlgItemText(dialog, kLogTargetField, (target.empty() ? std::string("Log: printer") : "Log file: " + target).c_str());
  EnableWindow(GetDlgItem(dialog, kStartButton), polling ? TRUE : FALSE);
  EnableWindow(GetDlgItem(dialog, kCompleteButton), polling && no_complete == 0 ? TRUE : FALSE);
}

// Stores one control (0: all); a refused value keeps the focus on its control.
bool Store(HWND dialog, int control) {
  if (g_dialog.storing) return true;
  g_dialog.storing = true;
  const bool stored =
      StoreDialogToParameters(dialog, kFirst, kLast, control, kProtocolList, g_dialog.set, 0) == kBindingOk;
  g_dialog.storing = false;
  return stored;
}

INT_PTR CALLBACK ProtocolProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      InitProtocolDialog(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (id == IDOK || id == kStartButton || id == kCompleteButton) {
        if (!Store(dialog, 0)) return TRUE;
        ReleaseDialogBuffers(dialog);
        EndDialog(dialog, id);
        return TRUE;
      }
      if (id == IDCANCEL) {
        // What the dialog showed at its opening is put back.
        StoreDialogToParameters(dialog, kFirst, kLast, 0, kProtocolList, g_dialog.set, 1);
        ReleaseDialogBuffers(dialog);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if (id < kFirst || id >= kLast) return FALSE;
      if (code == EN_SETFOCUS) {
        SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
      } else if (code == EN_KILLFOCUS || code == 0) {
        if (!Store(dialog, id)) SetFocus(GetDlgItem(dialog, id));
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::uint8_t OpenProtocolMonitorValuesDialog(HWND owner) {
  const INT_PTR result =
      DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kProtocolTemplate), owner, ProtocolProc, 0);
  const std::uint8_t state = result >= IDOK && result <= kCompleteButton ? static_cast<std::uint8_t>(result) : 2;
  Shell().protocol_state = state;
  return state;
}

void CommandProtocolMonitorValues(HWND main, UINT /*id*/) { OpenProtocolMonitorValuesDialog(main); }

}  // namespace app
