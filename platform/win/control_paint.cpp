// WM_PAINT of the built-in controls: the drawing layer paints them from the state they report.
#include "platform/gdi/standard_controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/window.h"

namespace platform::win::detail {

LRESULT PaintControl(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) platform::gdi::PaintStandardControl(hwnd, dc);
  EndPaint(hwnd, &ps);
  return 0;
}

}  // namespace platform::win::detail
