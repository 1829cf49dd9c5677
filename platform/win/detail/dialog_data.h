// The dialog manager's state of one dialog window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/wintypes.h"
#include "platform/win/dialog_template.h"
#include "platform/win/messages.h"

namespace platform::win::detail {

// What kind of layer-made dialog a window is, for the test driver's scripted answers.
enum class DialogKind { kPlain, kMessageBox, kFileOpen, kFileSave, kColor, kPrint };

struct DialogData {
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND saved_focus = nullptr;
  int def_id = 0;
  HFONT font = nullptr;
  int base_x = 6;
  int base_y = 13;
  DialogKind kind = DialogKind::kPlain;
  HINSTANCE instance = nullptr;
  std::uintptr_t template_id = 0;  // the numbered template, 0 for a named or in-memory one
  std::string template_name;
  void* request = nullptr;  // the layer dialog's request record (message box, file dialog ...)
};

// Creates a dialog from a template (dialog_manager.cpp); null on failure.
HWND CreateDialogCore(HINSTANCE instance, const DialogTemplate* t, HWND parent, DLGPROC proc, LPARAM init,
                      bool modal, DialogKind kind, void* request);
// Runs a created modal dialog to its end and destroys it; the EndDialog value (-1 when the loop gave up).
INT_PTR RunModal(HWND dialog, HWND owner);
// Focus on a control as the dialog manager gives it: an edit has its whole text selected.
void DialogSetFocus(HWND control);
DialogData* DialogOf(HWND hwnd);

}  // namespace platform::win::detail
