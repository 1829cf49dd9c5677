// PlaceDialog and RaiseWindow.
#include "app/dialog_placement.h"

#include <algorithm>

#include "app/shell_state.h"

namespace app {
namespace {

// One axis: the main window's span low..high, the window's size, the frame and the extra offset of code -1.
int PlaceAxis(int code, int low, int high, int size, int frame, int below_menu) {
  switch (code) {
    case kPlaceBelowMenu: return low + below_menu;
    case kPlaceCentred: return low + ((high - low) - size) / 2;
    case kPlaceBottomRight: return high - size - frame;
    default: return low + code;
  }
}

}  // namespace

void PlaceDialog(HWND window, int x, int y) {
  RECT main{};
  RECT own{};
  if (!GetWindowRect(MainWindow(), &main) || !GetWindowRect(window, &own)) return;
  const int frame_x = GetSystemMetrics(SM_CXFRAME);
  const int frame_y = GetSystemMetrics(SM_CYFRAME);
  const int below_menu = GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + frame_y;
  const int left = PlaceAxis(x, main.left, main.right, own.right - own.left, frame_x, frame_x);
  const int top = PlaceAxis(y, main.top, main.bottom, own.bottom - own.top, frame_y, below_menu);
  SetWindowPos(window, nullptr, std::max(left, 0), std::max(top, 0), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void RaiseWindow(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

}  // namespace app
