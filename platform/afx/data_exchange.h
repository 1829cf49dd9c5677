// Data exchange between a dialog's controls and its members: texts, check boxes, radio groups, and the binding
// of a control window to a control object.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"

namespace afx {

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL save_and_validate) : m_bSaveAndValidate(save_and_validate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // true: controls to members
  CWnd* m_pDlgWnd;

  // The control of the exchange; null (and the exchange failed) when the dialog has none of that id.
  HWND PrepareCtrl(int id);
  bool Failed() const { return failed_; }

 private:
  bool failed_ = false;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button of the radio group that starts at id (-1 when none is checked).
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Binds the control to the object (its messages then pass through the object) the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

}  // namespace afx
