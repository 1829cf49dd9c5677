// The application object and the start and end of a library built on the class layer.
#include "platform/afx/app.h"

#include "platform/afx/handle_map.h"
#include "platform/afx/module_state.h"
#include "platform/afx/wait_cursor.h"
#include "platform/sys/dynamic_library.h"
#include "platform/win/window.h"

namespace afx {
CWinApp::CWinApp(const char* app_name) : m_pszAppName(app_name ? app_name : "") {
  m_hInstance = platform::sys::ModuleOfAddress(this);
  detail::SetCurrentApp(this);
}

CWinApp::~CWinApp() {
  if (AfxGetApp() == this) detail::SetCurrentApp(nullptr);
}

void CWinApp::BeginWaitCursor() { AfxBeginWaitCursor(); }
void CWinApp::EndWaitCursor() { AfxEndWaitCursor(); }

CLibraryStartup::CLibraryStartup(CWinApp& app)
    : app_(app), module_(platform::sys::ModuleOfAddress(&app)) {
  // The last FreeLibrary tells this before the library's static destructors run: the application ends then,
  // while every object of the library is intact.
  unload_listener_ = platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kBeforeClose,
                                                            [this](HMODULE module) {
                                                              if (module == module_) Shutdown();
                                                            });
  detail::SetCurrentApp(&app_);
  started_ = app_.InitInstance() != FALSE;
}

CLibraryStartup::~CLibraryStartup() {
  Shutdown();
  platform::sys::RemoveModuleUnloadListener(unload_listener_);
}

void CLibraryStartup::Shutdown() {
  if (shut_down_) return;
  shut_down_ = true;
  app_.ExitInstance();
  // Windows the library left open go now, while its code is still mapped.
  detail::TakeDownObjectsOf(module_);
  app_.m_pMainWnd = nullptr;
  if (AfxGetApp() == &app_) detail::SetCurrentApp(nullptr);
}

}  // namespace afx
