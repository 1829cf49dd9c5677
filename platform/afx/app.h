// The application object of a library built on the class layer. The library holds one static application
// object and, after it in the same source file, one static CLibraryStartup: loading the library (LoadLibraryA)
// runs the application's InitInstance; unloading it (the last FreeLibrary, or the process's end) runs
// ExitInstance while the library is still mapped, then lets go of every window still bound to an object of the
// library (destroying those the objects made), so no window or binding of the class layer points into the
// library after it is gone. The application's module is the library's: its resources are found first.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"

namespace afx {

class CWnd;

class CWinApp {
 public:
  explicit CWinApp(const char* app_name = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }

  void BeginWaitCursor();
  void EndWaitCursor();

  CWnd* m_pMainWnd = nullptr;
  std::string m_pszAppName;
  HINSTANCE m_hInstance = nullptr;  // the module holding the application object: its resources come first
};

class CLibraryStartup {
 public:
  explicit CLibraryStartup(CWinApp& app);
  ~CLibraryStartup();
  CLibraryStartup(const CLibraryStartup&) = delete;
  CLibraryStartup& operator=(const CLibraryStartup&) = delete;

  // Whether InitInstance succeeded.
  bool Started() const { return started_; }

 private:
  void Shutdown();
  CWinApp& app_;
  HMODULE module_;
  bool started_ = false;
  bool shut_down_ = false;
  int unload_listener_ = 0;
};

}  // namespace afx
