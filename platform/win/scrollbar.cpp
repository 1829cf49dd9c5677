// Scroll bars: the scroll-bar control and the bars of a window (WS_HSCROLL, WS_VSCROLL). A click on an arrow or
// the trough of the control sends WM_HSCROLL / WM_VSCROLL to its parent, then SB_ENDSCROLL.
#include <algorithm>

#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

ScrollState* StateOf(HWND hwnd, int bar) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (bar == SB_HORZ) return &w->hscroll;
  if (bar == SB_VERT) return &w->vscroll;
  if (bar == SB_CTL && IsClass(hwnd, WC_SCROLLBAR)) return &w->hscroll;
  return nullptr;
}

int MaxPos(const ScrollState& s) { return std::max(s.min, s.max - std::max(0, s.page - 1)); }

void Redraw(HWND hwnd, BOOL redraw) {
  if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
}

bool Vertical(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & SBS_VERT) != 0; }

void Scroll(HWND hwnd, WORD code) {
  Window* w = Lookup(hwnd);
  if (!w || !w->parent) return;
  UINT message = Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL;
  HWND parent = w->parent;
  SendMessage(parent, message, MAKEWPARAM(code, static_cast<WORD>(w->hscroll.pos)), FromHwnd(hwnd));
  if (IsWindow(hwnd)) SendMessage(parent, message, MAKEWPARAM(SB_ENDSCROLL, 0), FromHwnd(hwnd));
}

}  // namespace

LRESULT ScrollBarProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case SBM_SETPOS: return SetScrollPos(hwnd, SB_CTL, static_cast<int>(wparam), static_cast<BOOL>(lparam));
    case SBM_GETPOS: return GetScrollPos(hwnd, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      SetScrollRange(hwnd, SB_CTL, static_cast<int>(wparam), static_cast<int>(lparam), message == SBM_SETRANGEREDRAW);
      return 0;
    case SBM_GETRANGE:
      GetScrollRange(hwnd, SB_CTL, reinterpret_cast<int*>(wparam), reinterpret_cast<int*>(lparam));
      return 0;
    case SBM_SETSCROLLINFO: return SetScrollInfo(hwnd, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lparam), static_cast<BOOL>(wparam));
    case SBM_GETSCROLLINFO: return GetScrollInfo(hwnd, SB_CTL, reinterpret_cast<SCROLLINFO*>(lparam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT c{};
      GetClientRect(hwnd, &c);
      bool vertical = Vertical(hwnd);
      int at = vertical ? GET_Y_LPARAM(lparam) : GET_X_LPARAM(lparam);
      int length = vertical ? c.bottom : c.right;
      int arrow = vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
      if (at < arrow) {
        Scroll(hwnd, SB_LINEUP);
      } else if (at >= length - arrow) {
        Scroll(hwnd, SB_LINEDOWN);
      } else {
        const ScrollState& s = w->hscroll;
        int span = std::max(1, MaxPos(s) - s.min);
        int thumb = arrow + (length - 3 * arrow) * (s.pos - s.min) / span;
        Scroll(hwnd, at < thumb ? SB_PAGEUP : SB_PAGEDOWN);
      }
      return 0;
    }
    case WM_KEYDOWN:
      switch (static_cast<int>(wparam)) {
        case VK_UP: case VK_LEFT: Scroll(hwnd, SB_LINEUP); break;
        case VK_DOWN: case VK_RIGHT: Scroll(hwnd, SB_LINEDOWN); break;
        case VK_PRIOR: Scroll(hwnd, SB_PAGEUP); break;
        case VK_NEXT: Scroll(hwnd, SB_PAGEDOWN); break;
        case VK_HOME: Scroll(hwnd, SB_TOP); break;
        case VK_END: Scroll(hwnd, SB_BOTTOM); break;
        default: break;
      }
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_PAINT: return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail

using platform::win::detail::StateOf;

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  auto* s = StateOf(hwnd, bar);
  if (!s) return 0;
  int old = s->pos;
  s->pos = std::clamp(pos, s->min, platform::win::detail::MaxPos(*s));
  platform::win::detail::Redraw(hwnd, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  auto* s = StateOf(hwnd, bar);
  return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
  auto* s = StateOf(hwnd, bar);
  if (!s) return FALSE;
  s->min = min;
  s->max = std::max(min, max);
  s->pos = std::clamp(s->pos, s->min, platform::win::detail::MaxPos(*s));
  platform::win::detail::Redraw(hwnd, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
  auto* s = StateOf(hwnd, bar);
  if (!s) return FALSE;
  if (min) *min = s->min;
  if (max) *max = s->max;
  return TRUE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  auto* s = StateOf(hwnd, bar);
  if (!s || !info) return 0;
  if (info->fMask & SIF_RANGE) {
    s->min = info->nMin;
    s->max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) s->page = static_cast<int>(info->nPage);
  if (info->fMask & SIF_POS) s->pos = info->nPos;
  s->pos = std::clamp(s->pos, s->min, platform::win::detail::MaxPos(*s));
  platform::win::detail::Redraw(hwnd, redraw);
  return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  auto* s = StateOf(hwnd, bar);
  if (!s || !info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s->min;
    info->nMax = s->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(s->page);
  if (info->fMask & SIF_POS) info->nPos = s->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->pos;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  platform::win::detail::Window* w = platform::win::detail::Lookup(hwnd);
  if (!w) return FALSE;
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : 0;
  if (bar == SB_CTL) return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
  DWORD before = w->style;
  w->style = show ? (w->style | bits) : (w->style & ~bits);
  if (before != w->style)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT, UINT) { return IsWindow(hwnd); }

int platform::win::ListItemHeight(HWND control) {
  HFONT font = IsWindow(control) ? reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0)) : nullptr;
  return platform::win::BaseUnitsOf(font).y;
}
