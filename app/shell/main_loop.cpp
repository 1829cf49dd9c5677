// The main message loop.
#include "app/shell/main_loop.h"

#include "app/common/shell_state.h"

namespace app {

bool PreTranslateMainMessage(MSG& msg) {
  for (Modeless kind : kDialogMessageOrder) {
    HWND window = ModelessWindow(kind);
    if (window != nullptr && IsWindow(window) && IsDialogMessage(window, &msg)) return true;
  }
  if (HandleScopeMenuCommand(msg)) return true;
  // Tool tips and other layer services see the message before the accelerators.
  if (platform::win::RunMessageFilters(msg)) return true;
  const ShellState& shell = Shell();
  return shell.main != nullptr && shell.accelerators != nullptr &&
         TranslateAccelerator(shell.main, shell.accelerators, &msg) != 0;
}

int RunMainLoop() {
  MSG msg{};
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMainMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace app
