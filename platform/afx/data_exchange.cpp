// Data exchange between controls and members.
#include "platform/afx/data_exchange.h"

#include "platform/afx/wnd.h"
#include "platform/win/controls.h"
#include "platform/win/message_loop.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace afx {
namespace {

bool IsRadio(HWND hwnd) {
  DWORD type = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
  if (failed_) return nullptr;
  HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
  if (!control) failed_ = true;
  return control;
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) {
    value = CWnd::FromHandle(control)->GetWindowText();
  } else {
    ::SetWindowText(control, value.c_str());
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND h = control; h && IsRadio(h); h = ::GetWindow(h, GW_HWNDNEXT), ++index) {
    if (index > 0 && (GetWindowLong(h, GWL_STYLE) & WS_GROUP)) break;
    if (dx->m_bSaveAndValidate) {
      if (value < 0 && ::SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND hwnd = dx->PrepareCtrl(id);
  if (!hwnd) return;
  control.SubclassWindow(hwnd);
}

}  // namespace afx
