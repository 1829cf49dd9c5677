// The progress bar: a range and a position.
#include <algorithm>

#include "platform/gdi/common_control_paint.h"
#include "platform/win/common_controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct ProgressData : ControlData {
  int low = 0;
  int high = 100;
  int pos = 0;
  int step = 10;
};

int Set(HWND hwnd, ProgressData& d, int pos) {
  int old = d.pos;
  d.pos = std::clamp(pos, std::min(d.low, d.high), std::max(d.low, d.high));
  if (old != d.pos) InvalidateRect(hwnd, nullptr, FALSE);
  return old;
}

}  // namespace

LRESULT ProgressProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ProgressData* d = DataOf<ProgressData>(hwnd);
  if (!d) return 0;
  switch (message) {
    case PBM_SETRANGE: {
      LRESULT old = MAKELONG(static_cast<WORD>(d->low), static_cast<WORD>(d->high));
      d->low = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam)));
      d->high = static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lparam)));
      Set(hwnd, *d, d->pos);
      return old;
    }
    case PBM_SETRANGE32: {
      LRESULT old = MAKELONG(static_cast<WORD>(d->low), static_cast<WORD>(d->high));
      d->low = static_cast<int>(wparam);
      d->high = static_cast<int>(lparam);
      Set(hwnd, *d, d->pos);
      return old;
    }
    case PBM_GETRANGE: {
      auto* r = reinterpret_cast<PBRANGE*>(lparam);
      if (r) *r = PBRANGE{d->low, d->high};
      return wparam ? d->low : d->high;
    }
    case PBM_SETPOS: return Set(hwnd, *d, static_cast<int>(wparam));
    case PBM_DELTAPOS: return Set(hwnd, *d, d->pos + static_cast<int>(wparam));
    case PBM_SETSTEP: {
      int old = d->step;
      d->step = static_cast<int>(wparam);
      return old;
    }
    case PBM_STEPIT: {
      int old = d->pos;
      int next = d->pos + d->step;
      if (next > d->high) next = d->low + (next - d->high);  // the bar wraps round as the original does
      Set(hwnd, *d, next);
      return old;
    }
    case PBM_GETPOS: return d->pos;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) {
        RECT c{};
        GetClientRect(hwnd, &c);
        const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        platform::gdi::PaintProgressBar(dc, c, d->low, d->high, d->pos, (style & PBS_SMOOTH) != 0,
                                        (style & PBS_VERTICAL) != 0);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
