// Update rectangles, WM_PAINT and the device contexts the drawing layer hands out for windows.
#include <algorithm>
#include <span>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/window_dc.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

using platform::win::detail::CallProc;
using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace {

// Windows are drawn on their top-level window's surface without clipping each other out, so a repaint keeps
// the z-order by repainting what lies on top of it: the children under the rectangle (they paint after their
// parent) and the siblings above the window that overlap it (siblings paint bottom first).
void Invalidate(HWND hwnd, const RECT* rect, BOOL erase, bool with_siblings);

// rect in the client coordinates of parent: the overlapping part of each of the children, in its own.
void InvalidateChildrenUnder(HWND parent, const RECT& rect, BOOL erase, std::span<const HWND> children) {
  for (HWND c : children) {
    Window* cw = Lookup(c);
    if (!cw || !(cw->style & WS_VISIBLE) || cw->destroying) continue;
    RECT overlap{};
    if (!IntersectRect(&overlap, &cw->rect, &rect)) continue;
    POINT origin{0, 0};
    MapWindowPoints(c, parent, &origin, 1);
    OffsetRect(&overlap, -origin.x, -origin.y);
    Invalidate(c, &overlap, erase, false);
  }
}

void Invalidate(HWND hwnd, const RECT* rect, BOOL erase, bool with_siblings) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT r = client;
  if (rect && !IntersectRect(&r, rect, &client)) return;
  if (IsRectEmpty(&r)) return;
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
  w = Lookup(hwnd);
  if (!w) return;
  InvalidateChildrenUnder(hwnd, r, erase, w->children);
  if (!with_siblings) return;
  // Up the chain of parents: the siblings above each window on the way that overlap the rectangle.
  RECT area = r;
  for (HWND h = hwnd; h;) {
    Window* hw = Lookup(h);
    if (!hw || !(hw->style & WS_CHILD)) break;
    HWND parent = hw->parent;
    Window* pw = Lookup(parent);
    if (!pw) break;
    POINT origin{0, 0};
    MapWindowPoints(h, parent, &origin, 1);
    OffsetRect(&area, origin.x, origin.y);
    const auto at = std::find(pw->children.begin(), pw->children.end(), h);
    InvalidateChildrenUnder(parent, area, FALSE,
                            std::span<const HWND>(pw->children.data(), static_cast<std::size_t>(at - pw->children.begin())));
    RECT parent_client{};
    GetClientRect(parent, &parent_client);
    if (!IntersectRect(&area, &area, &parent_client)) break;
    h = parent;
  }
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND t : platform::win::detail::TopLevelWindows()) InvalidateRect(t, nullptr, erase);
    return TRUE;
  }
  if (!Lookup(hwnd)) return FALSE;
  Invalidate(hwnd, rect, erase, true);
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
