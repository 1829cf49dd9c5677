// Field handling of bound dialogs.
#include "app/binding/bound_fields.h"

namespace app {

void BoundFields::Fill(HWND dialog, byte backup) const {
  FillDialogFromParameters(dialog, first, last, list, set, backup);
}

bool BoundFields::Store(HWND dialog, int id) {
  if (storing) return true;
  storing = true;
  const bool stored = StoreDialogToParameters(dialog, first, last, id, list, set, 0) == kBindingOk;
  FillDialogFromParameters(dialog, first, last, list, set, 0);
  storing = false;
  if (!stored && id != 0) SetFocus(GetDlgItem(dialog, id));
  return stored;
}

bool BoundFields::OnCommand(HWND dialog, int id, UINT code, bool* stored) {
  if (!Holds(id)) return false;
  bool result = true;
  if (code == EN_SETFOCUS) {
    SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
  } else if (code == EN_KILLFOCUS || code == BN_CLICKED || code == CBN_SELCHANGE) {
    // An edit's EN_KILLFOCUS is 512; a button's 0 and a list's 1 come only from their own kinds.
    result = Store(dialog, id);
  }
  if (stored != nullptr) *stored = result;
  return true;
}

}  // namespace app
