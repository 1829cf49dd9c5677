#include "scope/scope_app.h"

#include "platform/sys/dynamic_library.h"
#include "platform/win/window.h"
#include "scope/scope_ctrl.h"
#include "scope/scope_resources.h"

namespace scope {
namespace {

// The library's resources first: the start below uses them. They belong to this module and go with it.
struct Resources {
  Resources() { RegisterScopeResources(platform::sys::ThisModule()); }
};
const Resources g_resources;

CScopeApp g_app;
const afx::CLibraryStartup g_startup(g_app);

}  // namespace

CScopeApp& TheApp() { return g_app; }

CScopeApp::CScopeApp() : CWinApp("ZprScope") {}

BOOL CScopeApp::InitInstance() {
  if (!CScopeCtrl::RegisterWindowClass(m_hInstance)) return FALSE;
  window = std::make_unique<CScopeDlg>();
  m_pMainWnd = &caller;
  channels.Reset();
  return TRUE;
}

int CScopeApp::ExitInstance() {
  caller.Detach();
  window.reset();
  channels.Reset();
  UnregisterClass(kScopeCtrlClass, m_hInstance);
  return 0;
}

}  // namespace scope
