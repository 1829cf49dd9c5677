// The scope comments dialog: the five texts of list 10 through the dialog binding, each stored when it loses the
// focus, OK storing the last one, Cancel restoring what the dialog showed at its opening.
#include <array>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/scope/scope_control.h"
#include "app/templates/scope_templates.h"

namespace app {
namespace {

constexpr byte kCommentsList = 10;
constexpr std::uint16_t kHelpContext = 37;
constexpr UINT kKillFocus = EN_KILLFOCUS;
constexpr UINT kSetFocus = EN_SETFOCUS;

struct CommentsState {
  bool storing = false;  // a store runs (no store inside another)
  int last_focus = 0;    // the bound control that had the focus last
};

CommentsState& State() {
  static CommentsState s;
  return s;
}

bool Bound(int id) { return id >= kCommentsFirst && id < kCommentsEnd; }

// Stores one control and fills the dialog again; false when the store was refused.
bool Store(HWND dialog, int id) {
  CommentsState& s = State();
  if (s.storing || !Bound(id)) return true;
  s.storing = true;
  const std::uint8_t set = GetActiveFile();
  const bool stored = StoreDialogToParameters(dialog, kCommentsFirst, kCommentsEnd, id, kCommentsList, set, 0) ==
                      kBindingOk;
  FillDialogFromParameters(dialog, kCommentsFirst, kCommentsEnd, kCommentsList, set, 0);
  s.storing = false;
  return stored;
}

void OnOk(HWND dialog) {
  const int id = State().last_focus;
  if (!Store(dialog, id)) {
    SetFocus(GetDlgItem(dialog, id));
    return;
  }
  ReleaseDialogBuffers(dialog);
  EndDialog(dialog, IDOK);
  // The comments were just looked at: the flags say so as after an open.
  ShellState& shell = Shell();
  shell.comment_in_file = IsTextElementSet(GetActiveFile());
  shell.comment_unread = shell.comment_in_file;
}

void OnCancel(HWND dialog) {
  State().storing = true;
  StoreDialogToParameters(dialog, kCommentsFirst, kCommentsEnd, 0, kCommentsList, GetActiveFile(), 1);
  State().storing = false;
  ReleaseDialogBuffers(dialog);
  EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK CommentsProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      State() = CommentsState{};
      State().last_focus = kCommentsFirst;
      FillDialogFromParameters(dialog, kCommentsFirst, kCommentsEnd, kCommentsList, GetActiveFile(), 1);
      SetScopeNestedWindow(dialog);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kCommentsFirst, kCommentsEnd);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (id == IDOK) {
        OnOk(dialog);
      } else if (id == IDCANCEL) {
        OnCancel(dialog);
      } else if (Bound(id) && code == kKillFocus) {
        Store(dialog, id);
      } else if (Bound(id) && code == kSetFocus) {
        State().last_focus = id;
        SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
      } else {
        SetHelpContextFromCommand(kHelpContext, kCommentsFirst, kCommentsEnd, id, code);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

INT_PTR RunScopeCommentsDialog(HWND owner) {
  const INT_PTR result = DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kScopeCommentsTemplate), owner, CommentsProc, 0);
  SetScopeNestedWindow(nullptr);
  RunPendingScopeClose();
  return result == IDOK ? 1 : 2;
}

}  // namespace app
