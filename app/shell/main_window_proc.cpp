// The main window's procedure: each message to its handler.
#include "app/common/help_context.h"
#include "app/online/monitor_windows.h"
#include "app/shell/main_commands.h"
#include "app/shell/main_window.h"
#include "app/shell/status_line.h"

namespace app {

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return MainOnCreate(hwnd) ? 0 : -1;
    case WM_DESTROY: MainOnDestroy(hwnd); return 0;
    case WM_SIZE: ForwardSizeToStatusBar(wparam, lparam); return 0;
    case WM_ACTIVATE: SetDefaultHelpContext(kMainHelpContext, -1, -1); return 0;
    case WM_PAINT: MainOnPaint(hwnd); return 0;
    case WM_CLOSE: MainOnClose(hwnd); return 0;
    case WM_KEYDOWN: return 0;
    case WM_COMMAND: MainOnCommand(hwnd, LOWORD(wparam), reinterpret_cast<HWND>(lparam), HIWORD(wparam)); return 0;
    case WM_TIMER: MainOnTimer(hwnd, static_cast<UINT_PTR>(wparam)); return 0;
    case WM_MENUSELECT:
      MainOnMenuSelect(hwnd, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HMENU>(lparam));
      return 0;
    case WM_ENTERIDLE: MainOnEnterIdle(static_cast<UINT>(wparam), reinterpret_cast<HWND>(lparam)); return 0;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace app
