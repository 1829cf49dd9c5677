// PlaceDialog and RaiseWindow.
#include "app/common/dialog_placement.h"

#include "app/common/shell_state.h"
#include "platform/win/screen_fit.h"

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
  // On the screen: a window larger than the main window is centred on the screen, one larger than the screen
  // starts at its edge (and a sizable one is sized to it).
  const RECT placed = platform::win::FitOverOwner(main, POINT{left, top},
                                                  SIZE{own.right - own.left, own.bottom - own.top});
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  platform::win::KeepOnScreen(window);
}

void RaiseWindow(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

}  // namespace app
