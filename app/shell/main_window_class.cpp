// Registration of the main window class.
#include <cstdint>

#include "app/shell/main_window.h"
#include "platform/gdi/sys_colors.h"

namespace app {

ATOM RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEX wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
  wc.lpszMenuName = MAKEINTRESOURCE(1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassEx(&wc);
}

}  // namespace app
