// The window program's start after the command line: main window, accelerators, work buffer, loop.
#include "app/binding/work_buffer.h"
#include "app/common/shell_state.h"
#include "app/online/monitor_windows.h"
#include "app/online/remote_control.h"
#include "app/shell/application_start.h"
#include "app/shell/main_loop.h"
#include "app/shell/main_resources.h"
#include "app/shell/main_window.h"
#include "model/message_show.h"
#include "platform/win/termination.h"

namespace app {

int RunWindowProgram(HINSTANCE instance, int show_command) {
  ResetShellState();
  ResetMonitorWindows();
  HWND main = CreateWindow(kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (main == nullptr) return kStartFailedExitCode;
  ShowWindow(main, show_command);
  UpdateWindow(main);
  Shell().accelerators = LoadAccelerators(instance, MAKEINTRESOURCE(kAcceleratorTable));
  // Ended from outside, the program first stops the drives it controls.
  platform::win::SetTerminationHandler([](int) { StopRemoteControlsAtEnd(); });
  platform::win::CatchTerminationSignals();
  int code = kStartFailedExitCode;
  // Without the work buffer the result windows would have nowhere to write: the program ends here.
  if (InitApplication()) {
    code = RunMainLoop();
    // The close gives the work buffer back; a loop that ended otherwise (a quit from elsewhere) must as well.
    ExitApplication();
  } else {
    RestoreGrayTextColor();
    DestroyWindow(main);
    MSG quit;
    while (PeekMessage(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  if (Shell().accelerators != nullptr) DestroyAcceleratorTable(Shell().accelerators);
  Shell().accelerators = nullptr;
  platform::win::SetTerminationHandler(nullptr);
  return code;
}

}  // namespace app
