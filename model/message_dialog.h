// The dialog procedure of the message dialogs (templates 2, 3 and 4), exported by name.
#pragma once

#include "platform/sys/wintypes.h"

namespace model {

// WM_INITDIALOG takes a MessageDialogStart (lparam): sizes and places the dialog for its text and title and sets
// both; a command from button 1 or 2 ends a modal dialog with that button's number.
INT_PTR MessageDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

struct MessageDialogRequest;
struct MessageDialogStart {
  const MessageDialogRequest* request = nullptr;
  bool notice = false;  // the modeless notice
};

}  // namespace model
