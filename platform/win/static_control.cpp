// The static class: labels, frames, icons; clicks only with SS_NOTIFY.
#include <cstdlib>

#include "platform/gdi/bitmap_resources.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
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
    case WM_CREATE: {
      // An icon or bitmap static of a template names its picture in its text ("#1" for a number).
      const DWORD type = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & SS_TYPEMASK;
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lparam);
      if ((type != SS_ICON && type != SS_BITMAP) || !cs || !cs->lpszName || IS_INTRESOURCE(cs->lpszName) || !*cs->lpszName)
        return 0;
      const char* text = cs->lpszName;
      LPCSTR name = text[0] == '#' ? MAKEINTRESOURCE(static_cast<std::uintptr_t>(std::atoi(text + 1))) : text;
      d->image = type == SS_ICON ? reinterpret_cast<LPARAM>(LoadIcon(cs->hInstance, name))
                                 : reinterpret_cast<LPARAM>(LoadBitmap(cs->hInstance, name));
      return 0;
    }
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
