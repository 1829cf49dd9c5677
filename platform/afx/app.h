// The application object of a library built on the class layer. The library holds one static application
// object and, after it in the same source file, one static CLibraryStartup: loading the library runs the
// application's InitInstance, unloading it (or the process's end) runs ExitInstance, then takes down every window
// still bound to an object of the library, so nothing of the library stays behind in the window layer.
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
  HINSTANCE m_hInstance = nullptr;  // the library's module: its resources are found first
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
  CWinApp& app_;
  bool started_ = false;
};

}  // namespace afx
