// Update rectangles, WM_PAINT and the device contexts the drawing layer hands out for windows.
#include "platform/gdi/gdi.h"
#include "platform/gdi/window_dc.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

using platform::win::detail::CallProc;
using platform::win::detail::Lookup;
using platform::win::detail::Window;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND t : platform::win::detail::TopLevelWindows()) InvalidateRect(t, nullptr, erase);
    return TRUE;
  }
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT r = client;
  if (rect && !IntersectRect(&r, rect, &client)) return TRUE;
  if (IsRectEmpty(&r)) return TRUE;
  RECT merged{};
  if (w->has_update) {
    UnionRect(&merged, &w->update, &r);
  } else {
    merged = r;
  }
  w->update = merged;
  w->has_update = true;
  w->erase = w->erase || erase;
  ++w->update_serial;
  platform::win::detail::NotifyInvalidated(hwnd, r);
  // Without WS_CLIPCHILDREN the parent paints (and erases) over its children, so the children under the
  // rectangle are invalidated too and paint after it.
  w = Lookup(hwnd);
  if (!w || (w->style & WS_CLIPCHILDREN)) return TRUE;
  const std::vector<HWND> children = w->children;
  for (HWND c : children) {
    Window* cw = Lookup(c);
    if (!cw || !(cw->style & WS_VISIBLE) || cw->destroying) continue;
    RECT overlap{};
    if (!IntersectRect(&overlap, &cw->rect, &r)) continue;
    POINT origin{0, 0};
    MapWindowPoints(c, hwnd, &origin, 1);
    OffsetRect(&overlap, -origin.x, -origin.y);
    InvalidateRect(c, &overlap, erase);
  }
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (!w->has_update) return TRUE;
  if (!rect) {
    w->has_update = false;
    w->erase = false;
    return TRUE;
  }
  RECT left{};
  SubtractRect(&left, &w->update, rect);
  if (IsRectEmpty(&left)) {
    w->has_update = false;
    w->erase = false;
  } else {
    w->update = left;
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (rect) *rect = w->has_update ? w->update : RECT{0, 0, 0, 0};
  return w->has_update ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (w->has_update && IsWindowVisible(hwnd)) CallProc(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

static void RedrawTree(HWND hwnd, const RECT* rect, UINT flags, bool top) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  if (flags & RDW_INVALIDATE) InvalidateRect(hwnd, top ? rect : nullptr, (flags & RDW_ERASE) ? TRUE : FALSE);
  if (flags & RDW_VALIDATE) ValidateRect(hwnd, top ? rect : nullptr);
  if (flags & RDW_UPDATENOW) UpdateWindow(hwnd);
  if (!(flags & RDW_ALLCHILDREN)) return;
  w = Lookup(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND c : children) RedrawTree(c, nullptr, flags, false);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
  if (!Lookup(hwnd)) return FALSE;
  RedrawTree(hwnd, rect, flags, true);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  Window* w = Lookup(hwnd);
  if (!w || !paint) return nullptr;
  *paint = PAINTSTRUCT{};
  bool erase = w->erase;
  paint->rcPaint = w->has_update ? w->update : RECT{0, 0, 0, 0};
  w->has_update = false;
  w->erase = false;
  HDC dc = platform::gdi::CreateWindowDC(hwnd, false);
  paint->hdc = dc;
  if (erase && dc) {
    // The background is erased inside the update rectangle only; the paint itself may draw anywhere.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, paint->rcPaint.left, paint->rcPaint.top, paint->rcPaint.right, paint->rcPaint.bottom);
    paint->fErase = CallProc(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    RestoreDC(dc, saved);
  } else if (erase) {
    paint->fErase = TRUE;
  }
  return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint && paint->hdc) platform::gdi::ReleaseWindowDC(paint->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (hwnd && !Lookup(hwnd)) return nullptr;
  return platform::gdi::CreateWindowDC(hwnd, false);
}

HDC GetWindowDC(HWND hwnd) {
  if (hwnd && !Lookup(hwnd)) return nullptr;
  return platform::gdi::CreateWindowDC(hwnd, true);
}

int ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  platform::gdi::ReleaseWindowDC(dc);
  return 1;
}
