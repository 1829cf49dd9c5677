// The main window's procedure. The window itself (menu, status line, logo, timers) is not part of the program
// yet; its messages go to the default handling.
#include "app/main_window.h"

namespace app {

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProc(hwnd, message, wparam, lparam);
}

}  // namespace app
