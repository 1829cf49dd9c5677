// The classes the layer brings: the dialog class and the built-in and common controls.
#include <cstring>

#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace platform::win::detail {

void EnsureSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterSystemClass(kDialogClassName, DefDlgProc, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA);
  RegisterSystemClass(WC_BUTTON, ButtonProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0);
  RegisterSystemClass(WC_STATIC, StaticProc, CS_DBLCLKS, 0);
  RegisterSystemClass(WC_EDIT, EditProc, CS_DBLCLKS, 0);
  RegisterSystemClass(WC_LISTBOX, ListBoxProc, CS_DBLCLKS, 0);
  RegisterSystemClass(WC_COMBOBOX, ComboBoxProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0);
  RegisterSystemClass(kComboListClassName, ComboListProc, CS_DBLCLKS | CS_SAVEBITS, 0);
  RegisterSystemClass(WC_SCROLLBAR, ScrollBarProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0);
  RegisterSystemClass(STATUSCLASSNAME, StatusBarProc, CS_DBLCLKS, 0);
  RegisterSystemClass(PROGRESS_CLASS, ProgressProc, 0, 0);
  RegisterSystemClass(UPDOWN_CLASS, UpDownProc, 0, 0);
  RegisterSystemClass(WC_LISTVIEW, ListViewProc, CS_DBLCLKS, 0);
  RegisterSystemClass(WC_TREEVIEW, TreeViewProc, CS_DBLCLKS, 0);
  RegisterSystemClass(TOOLTIPS_CLASS, ToolTipProc, 0, 0, true);
  // Class cursors: the text beam over edits, the arrow elsewhere.
  for (const char* name : {kDialogClassName, WC_BUTTON, WC_STATIC, WC_EDIT, WC_LISTBOX, WC_COMBOBOX, kComboListClassName,
                           WC_SCROLLBAR, STATUSCLASSNAME, PROGRESS_CLASS, UPDOWN_CLASS, WC_LISTVIEW, WC_TREEVIEW,
                           TOOLTIPS_CLASS}) {
    if (auto cls = FindClass(name)) cls->cursor = LoadCursor(nullptr, std::strcmp(name, WC_EDIT) == 0 ? IDC_IBEAM : IDC_ARROW);
  }
}

}  // namespace platform::win::detail
