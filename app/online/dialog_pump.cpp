#include "app/online/dialog_pump.h"

#include "platform/sys/clock.h"

namespace app {

void PumpDialogOnce(HWND dialog) {
  MSG msg;
  if (IsWindow(dialog) && PeekMessage(&msg, dialog, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!IsDialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    return;
  }
  if (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    DispatchMessage(&msg);
    return;
  }
  Sleep(1);
}

}  // namespace app
