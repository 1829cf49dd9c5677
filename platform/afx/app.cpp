// The application object and the start and end of a library built on the class layer.
#include "platform/afx/app.h"

#include <dlfcn.h>

#include "platform/afx/handle_map.h"
#include "platform/afx/module_state.h"
#include "platform/afx/wait_cursor.h"
#include "platform/win/window.h"

namespace afx {
namespace {

// The base address of the shared object (or program) that holds an address.
const void* ModuleBaseOf(const void* address) {
  Dl_info info{};
  return dladdr(address, &info) ? info.dli_fbase : nullptr;
}

}  // namespace

CWinApp::CWinApp(const char* app_name) : m_pszAppName(app_name ? app_name : "") {
  m_hInstance = ::GetModuleHandle(nullptr);
  detail::SetCurrentApp(this);
}

CWinApp::~CWinApp() {
  if (AfxGetApp() == this) detail::SetCurrentApp(nullptr);
}

void CWinApp::BeginWaitCursor() { AfxBeginWaitCursor(); }
void CWinApp::EndWaitCursor() { AfxEndWaitCursor(); }

CLibraryStartup::CLibraryStartup(CWinApp& app) : app_(app) {
  detail::SetCurrentApp(&app_);
  started_ = app_.InitInstance() != FALSE;
}

CLibraryStartup::~CLibraryStartup() {
  app_.ExitInstance();
  // Windows the library left open go now, while its code is still mapped.
  detail::TakeDownObjectsOf(ModuleBaseOf(&app_));
  app_.m_pMainWnd = nullptr;
  if (AfxGetApp() == &app_) detail::SetCurrentApp(nullptr);
}

}  // namespace afx
