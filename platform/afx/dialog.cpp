// The dialog class.
#include "platform/afx/dialog.h"

#include "platform/afx/creation_scope.h"
#include "platform/afx/data_exchange.h"
#include "platform/afx/module_state.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace afx {
namespace {

// Every message reaches the object before the dialog's own procedure; this one only lets the defaults run.
INT_PTR NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND OwnerWindow(CWnd* parent) {
  if (parent) return parent->m_hWnd;
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : nullptr;
}

}  // namespace

const MessageMapEntry CDialog::kEntries[3] = {
    OnMessage<WM_INITDIALOG, &CDialog::HandleInitDialog>(),
    OnButtonClicked<IDOK, &CDialog::HandleOK>(),
    OnButtonClicked<IDCANCEL, &CDialog::HandleCancel>(),
};
const MessageMap CDialog::kMessageMap{&CWnd::kMessageMap, kEntries};

const MessageMap* CDialog::GetMessageMap() const { return &kMessageMap; }

BOOL CDialog::Create(UINT template_id, CWnd* parent) {
  if (m_hWnd) return FALSE;
  template_id_ = template_id;
  if (parent) parent_ = parent;
  HWND hwnd;
  {
    detail::CreationScope scope(this);
    hwnd = ::CreateDialogParam(AfxGetResourceHandle(), MAKEINTRESOURCE(template_id), OwnerWindow(parent_),
                               &NoDialogProc, 0);
  }
  if (!hwnd && m_hWnd) Detach();
  return hwnd ? TRUE : FALSE;
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialog, CWnd* parent) {
  if (m_hWnd) return FALSE;
  if (parent) parent_ = parent;
  HWND hwnd;
  {
    detail::CreationScope scope(this);
    hwnd = ::CreateDialogIndirectParam(AfxGetResourceHandle(), &dialog, OwnerWindow(parent_), &NoDialogProc, 0);
  }
  if (!hwnd && m_hWnd) Detach();
  return hwnd ? TRUE : FALSE;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  INT_PTR result;
  {
    detail::CreationScope scope(this);
    result = ::DialogBoxParam(AfxGetResourceHandle(), MAKEINTRESOURCE(template_id_), OwnerWindow(parent_),
                              &NoDialogProc, 0);
  }
  if (m_hWnd) Detach();
  return result;
}

BOOL CDialog::EndDialog(int result) { return ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL save_and_validate) {
  CDataExchange dx(this, save_and_validate);
  DoDataExchange(&dx);
  return dx.Failed() ? FALSE : TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  if (GetStyle() & WS_CHILD) return FALSE;  // the top-level dialog navigates over its child dialogs too
  return ::IsDialogMessage(m_hWnd, msg);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }
void CDialog::HandleOK() { OnOK(); }
void CDialog::HandleCancel() { OnCancel(); }

}  // namespace afx
