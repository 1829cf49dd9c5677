// The dialog class: a window object made from a numbered dialog template of the resource module, modeless
// (Create, also as a child dialog) or modal (DoModal); from a template table (CreateIndirect), also one with no
// controls for a child dialog that lays out its own. OnInitDialog fills the controls by data exchange,
// OnOK reads them back and ends the dialog, OnCancel ends it.
#pragma once

#include <string>

#include "platform/afx/wnd.h"
#include "platform/win/dialog_template.h"

namespace afx {

class CDataExchange;

class CDialog : public CWnd {
 public:
  CDialog() = default;
  explicit CDialog(UINT template_id, CWnd* parent = nullptr) : template_id_(template_id), parent_(parent) {}

  // A modeless dialog (a child dialog when the template has WS_CHILD); false when the template is missing or the
  // creation fails.
  BOOL Create(UINT template_id, CWnd* parent = nullptr);
  BOOL CreateIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);
  // Runs the dialog modally: IDOK / IDCANCEL or the value given to EndDialog; -1 when it cannot be made.
  INT_PTR DoModal();
  BOOL EndDialog(int result);

  // Moves the control values into the members (true) or the members into the controls (false); false when a
  // control of the exchange is missing, and then nothing after it is exchanged.
  BOOL UpdateData(BOOL save_and_validate = TRUE);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // Keyboard navigation of a modeless top-level dialog (a modal loop does its own).
  BOOL PreTranslateMessage(MSG* msg) override;

  static const MessageMap kMessageMap;

 protected:
  virtual void DoDataExchange(CDataExchange* dx);
  const MessageMap* GetMessageMap() const override;

  UINT template_id_ = 0;
  CWnd* parent_ = nullptr;

 private:
  LRESULT HandleInitDialog(WPARAM wparam, LPARAM lparam);
  void HandleOK();
  void HandleCancel();
  static const MessageMapEntry kEntries[3];
};

}  // namespace afx
