// A base for the library's child dialogs: Enter and Escape (OK and Cancel) do not close it, and the window goes
// with the object.
#pragma once

#include "platform/afx/afx.h"

namespace scope {

class CChildDialog : public afx::CDialog {
 public:
  using afx::CDialog::CDialog;
  ~CChildDialog() override { DestroyWindow(); }
  void OnOK() override {}
  void OnCancel() override {}
};

}  // namespace scope
