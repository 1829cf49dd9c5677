// The static class: labels, frames, icons; clicks only with SS_NOTIFY.
#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct StaticData : ControlData {
  LPARAM image = 0;
};

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  StaticData* d = DataOf<StaticData>(hwnd);
  if (!d) return 0;
  bool notify = (GetWindowLong(hwnd, GWL_STYLE) & SS_NOTIFY) != 0;
  switch (message) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON:
    case STM_SETIMAGE: {
      LPARAM old = d->image;
      d->image = message == STM_SETICON ? static_cast<LPARAM>(wparam) : lparam;
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case STM_GETICON:
    case STM_GETIMAGE: return d->image;
    case WM_LBUTTONUP:
      if (notify) NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (notify) NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (notify) NotifyParent(hwnd, wparam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
