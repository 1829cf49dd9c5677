// The mouse on a window's own scroll bars (WS_VSCROLL, WS_HSCROLL). A press on an arrow scrolls a line, one in the
// track a page, both again and again while the button stays down on that part; a press on the thumb drags it. The
// window hears WM_VSCROLL / WM_HSCROLL: SB_LINEUP/DOWN, SB_PAGEUP/DOWN, SB_THUMBTRACK while the thumb moves,
// SB_THUMBPOSITION where it is let go, and SB_ENDSCROLL at the release.
#include "platform/win/scroll_tracking.h"

#include "platform/win/controls.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/scroll_geometry.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
constexpr UINT_PTR kRepeatTimer = 0x5C01;

enum class Part { kNone, kLineUp, kLineDown, kPageUp, kPageDown, kThumb };

struct Tracking {
  HWND hwnd = nullptr;
  int bar = SB_VERT;
  Part part = Part::kNone;
  POINT pointer{};
  int grab = 0;       // a thumb drag: where the thumb was taken, from its start
  int position = 0;   // a thumb drag: the position the thumb stands for
};

Tracking& T() {
  static Tracking t;
  return t;
}

// The bar beside (SB_VERT) or below (SB_HORZ) the client area, in screen coordinates.
RECT BarRect(HWND hwnd, int bar) {
  RECT c{};
  GetClientRect(hwnd, &c);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  if (bar == SB_VERT) return RECT{o.x + c.right, o.y, o.x + c.right + GetSystemMetrics(SM_CXVSCROLL), o.y + c.bottom};
  return RECT{o.x, o.y + c.bottom, o.x + c.right, o.y + c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

SCROLLINFO InfoOf(HWND hwnd, int bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &si);
  return si;
}

struct Geometry {
  RECT rect;
  SCROLLINFO info;
  ScrollBarLayout layout;
  int length;
};

Geometry GeometryOf(HWND hwnd, int bar) {
  Geometry g{BarRect(hwnd, bar), InfoOf(hwnd, bar), {}, 0};
  const int width = g.rect.right - g.rect.left, height = g.rect.bottom - g.rect.top;
  g.length = bar == SB_VERT ? height : width;
  g.layout = LayOutScrollBar(g.length, bar == SB_VERT ? width : height, g.info.nMin, g.info.nMax,
                             static_cast<int>(g.info.nPage), g.info.nPos, g.info.nMax > g.info.nMin);
  return g;
}

int Along(const Geometry& g, int bar, POINT screen) { return bar == SB_VERT ? screen.y - g.rect.top : screen.x - g.rect.left; }

Part PartAt(const Geometry& g, int at) {
  const ScrollBarLayout& l = g.layout;
  if (at < 0 || at >= g.length) return Part::kNone;
  if (at < l.arrow) return Part::kLineUp;
  if (at >= g.length - l.arrow) return Part::kLineDown;
  if (!l.has_thumb) return Part::kNone;
  const int thumb = l.arrow + l.thumb_offset;
  if (at < thumb) return Part::kPageUp;
  if (at < thumb + l.thumb) return Part::kThumb;
  return Part::kPageDown;
}

WORD CodeOf(Part part) {
  switch (part) {
    case Part::kLineUp: return SB_LINEUP;
    case Part::kLineDown: return SB_LINEDOWN;
    case Part::kPageUp: return SB_PAGEUP;
    case Part::kPageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

void Send(HWND hwnd, int bar, WORD code, int position) {
  SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), 0);
}

void End() {
  Tracking& t = T();
  HWND hwnd = t.hwnd;
  t = Tracking{};
  if (!hwnd) return;
  KillSystemTimer(hwnd, kRepeatTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
}

// While the button stays down on the part it was pressed on, its line or page comes again.
void CALLBACK Repeat(HWND hwnd, UINT, UINT_PTR, DWORD) {
  Tracking& t = T();
  if (t.hwnd != hwnd || t.part == Part::kNone || t.part == Part::kThumb) return;
  if (GetCapture() != hwnd) {
    End();
    return;
  }
  SetSystemTimer(hwnd, kRepeatTimer, kRepeatMs, Repeat);
  const Geometry g = GeometryOf(hwnd, t.bar);
  if (PartAt(g, Along(g, t.bar, t.pointer)) == t.part) Send(hwnd, t.bar, CodeOf(t.part), g.info.nPos);
}

}  // namespace

LRESULT ScrollBarHit(HWND hwnd, POINT screen) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  for (const int bar : {SB_VERT, SB_HORZ}) {
    if (!(style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) continue;
    const RECT r = BarRect(hwnd, bar);
    if (PtInRect(&r, screen)) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  return HTNOWHERE;
}

bool StartScrollTracking(HWND hwnd, LRESULT hit, POINT screen) {
  const int bar = hit == HTVSCROLL ? SB_VERT : hit == HTHSCROLL ? SB_HORZ : -1;
  if (bar < 0) return false;
  End();
  const Geometry g = GeometryOf(hwnd, bar);
  const int at = Along(g, bar, screen);
  const Part part = PartAt(g, at);
  if (part == Part::kNone) return false;
  Tracking& t = T();
  t = Tracking{hwnd, bar, part, screen, at - g.layout.arrow - g.layout.thumb_offset, g.info.nPos};
  SetCapture(hwnd);
  if (part == Part::kThumb) {
    Send(hwnd, bar, SB_THUMBTRACK, t.position);
    return true;
  }
  SetSystemTimer(hwnd, kRepeatTimer, kFirstRepeatMs, Repeat);
  Send(hwnd, bar, CodeOf(part), g.info.nPos);
  return true;
}

bool IsScrollTracking(HWND hwnd) { return hwnd && T().hwnd == hwnd; }

void TrackScroll(HWND hwnd, UINT message, POINT screen) {
  Tracking& t = T();
  if (t.hwnd != hwnd) return;
  if (GetCapture() != hwnd) {
    End();
    return;
  }
  t.pointer = screen;
  const int bar = t.bar;
  if (t.part == Part::kThumb) {
    const Geometry g = GeometryOf(hwnd, bar);
    const int position = ScrollPositionAt(g.layout, Along(g, bar, screen) - g.layout.arrow - t.grab, g.info.nMin,
                                          g.info.nMax, static_cast<int>(g.info.nPage));
    if (position != t.position) {
      t.position = position;
      Send(hwnd, bar, SB_THUMBTRACK, position);
    }
  }
  if (message != WM_NCLBUTTONUP && message != WM_LBUTTONUP) return;
  const bool thumb = T().part == Part::kThumb;
  const int position = T().position;
  End();
  if (thumb && IsWindow(hwnd)) Send(hwnd, bar, SB_THUMBPOSITION, position);
  if (IsWindow(hwnd)) Send(hwnd, bar, SB_ENDSCROLL, 0);
}

}  // namespace platform::win::detail
