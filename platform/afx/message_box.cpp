// The class layer's message box.
#include "platform/afx/message_box.h"

#include "platform/afx/app.h"
#include "platform/afx/module_state.h"
#include "platform/afx/wnd.h"
#include "platform/win/window.h"

namespace afx {

int AfxMessageBox(LPCSTR text, UINT type) {
  CWinApp* app = AfxGetApp();
  CWnd* main = AfxGetMainWnd();
  HWND owner = main && ::IsWindow(main->m_hWnd) ? main->m_hWnd : nullptr;
  return ::MessageBox(owner, text ? text : "", app ? app->m_pszAppName.c_str() : "", type);
}

}  // namespace afx
