#include "platform/win/move_size.h"

#include <algorithm>

#include "platform/win/cursor.h"
#include "platform/win/detail/queue.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/messages.h"
#include "platform/win/metrics.h"
#include "platform/win/rect.h"
#include "platform/win/window.h"

namespace platform::win {
namespace {

enum class Edge { kNone, kLeft, kTop, kRight, kBottom };

struct Tracking {
  HWND hwnd = nullptr;
  bool size = false;
  Edge edge = Edge::kNone;
  RECT start{};    // the window where it was
  RECT now{};      // and where it is
  POINT grip{};    // the pointer at the start (move)
  MINMAXINFO limits{};
  bool ended = false;
  bool keep = false;
};

Tracking* g_tracking = nullptr;

MINMAXINFO Limits(HWND hwnd) {
  MINMAXINFO mmi{};
  mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
  SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

// Where the pointer rides: the caption's middle while moving, the middle of the picked edge while sizing.
POINT RidingPoint(const Tracking& t) {
  const RECT& r = t.now;
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  if (!t.size) return POINT{t.grip.x + r.left - t.start.left, t.grip.y + r.top - t.start.top};
  switch (t.edge) {
    case Edge::kLeft: return POINT{r.left, middle.y};
    case Edge::kRight: return POINT{r.right - 1, middle.y};
    case Edge::kTop: return POINT{middle.x, r.top};
    case Edge::kBottom: return POINT{middle.x, r.bottom - 1};
    default: return middle;
  }
}

void ShowCursorFor(const Tracking& t) {
  LPCSTR shape = IDC_SIZEALL;
  if (t.edge == Edge::kLeft || t.edge == Edge::kRight) shape = IDC_SIZEWE;
  if (t.edge == Edge::kTop || t.edge == Edge::kBottom) shape = IDC_SIZENS;
  SetCursor(LoadCursor(nullptr, shape));
}

void Place(Tracking& t, RECT r) {
  if (t.size) {
    const int min_w = t.limits.ptMinTrackSize.x, max_w = std::max<int>(min_w, t.limits.ptMaxTrackSize.x);
    const int min_h = t.limits.ptMinTrackSize.y, max_h = std::max<int>(min_h, t.limits.ptMaxTrackSize.y);
    const int w = std::clamp<int>(r.right - r.left, min_w, max_w), h = std::clamp<int>(r.bottom - r.top, min_h, max_h);
    if (t.edge == Edge::kLeft) r.left = r.right - w;
    else r.right = r.left + w;
    if (t.edge == Edge::kTop) r.top = r.bottom - h;
    else r.bottom = r.top + h;
  }
  if (EqualRect(&r, &t.now)) return;
  t.now = r;
  SetWindowPos(t.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The edge an arrow picks, and the sign it moves that edge with.
void OnArrow(Tracking& t, int vk) {
  const int dx = vk == VK_LEFT ? -kMoveSizeStep : vk == VK_RIGHT ? kMoveSizeStep : 0;
  const int dy = vk == VK_UP ? -kMoveSizeStep : vk == VK_DOWN ? kMoveSizeStep : 0;
  RECT r = t.now;
  if (!t.size) {
    OffsetRect(&r, dx, dy);
  } else if (t.edge == Edge::kNone) {
    t.edge = vk == VK_LEFT ? Edge::kLeft : vk == VK_RIGHT ? Edge::kRight : vk == VK_UP ? Edge::kTop : Edge::kBottom;
    ShowCursorFor(t);
  } else if (t.edge == Edge::kLeft || t.edge == Edge::kRight) {
    (t.edge == Edge::kLeft ? r.left : r.right) += dx;
  } else {
    (t.edge == Edge::kTop ? r.top : r.bottom) += dy;
  }
  Place(t, r);
  const POINT p = RidingPoint(t);
  SetCursorPos(p.x, p.y);
}

void OnPointer(Tracking& t, POINT p) {
  RECT r = t.now;
  if (!t.size) {
    r = t.start;
    OffsetRect(&r, p.x - t.grip.x, p.y - t.grip.y);
  } else {
    switch (t.edge) {
      case Edge::kLeft: r.left = p.x; break;
      case Edge::kRight: r.right = p.x + 1; break;
      case Edge::kTop: r.top = p.y; break;
      case Edge::kBottom: r.bottom = p.y + 1; break;
      default: return;  // no edge picked yet
    }
  }
  Place(t, r);
}

bool Intercept(Tracking& t, MSG& m) {
  const UINT msg = m.message;
  const bool mouse = (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
  if (mouse) {
    if (msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE) {
      OnPointer(t, m.pt);
    } else if (msg == WM_LBUTTONDOWN || msg == WM_NCLBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_NCRBUTTONDOWN) {
      t.keep = true;
      t.ended = true;
    }
    return true;
  }
  if (msg < WM_KEYFIRST || msg > WM_KEYLAST) return false;
  if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return true;
  switch (static_cast<int>(m.wParam)) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: OnArrow(t, static_cast<int>(m.wParam)); break;
    case VK_RETURN:
      t.keep = true;
      t.ended = true;
      break;
    case VK_ESCAPE: t.ended = true; break;
    default: break;
  }
  return true;
}

}  // namespace

bool TrackMoveSize(HWND hwnd, bool size) {
  if (g_tracking || !IsWindow(hwnd) || (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) || IsZoomed(hwnd) || IsIconic(hwnd))
    return false;
  Tracking t;
  t.hwnd = hwnd;
  t.size = size;
  GetWindowRect(hwnd, &t.start);
  t.now = t.start;
  t.limits = Limits(hwnd);
  POINT client{0, 0};
  ClientToScreen(hwnd, &client);
  // The middle of the caption (just above the client area when there is none).
  t.grip = POINT{(t.start.left + t.start.right) / 2, std::max<int>(t.start.top, (t.start.top + client.y) / 2)};
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  if (!IsWindow(hwnd)) return false;
  HCURSOR before = GetCursor();
  ShowCursorFor(t);
  const POINT p = RidingPoint(t);
  SetCursorPos(p.x, p.y);
  g_tracking = &t;
  detail::RunModalLoop(
      hwnd, LoopKind::kMenu, [&t] { return t.ended || !IsWindow(t.hwnd); }, [] {},
      [&t](MSG& m) { return Intercept(t, m); });
  g_tracking = nullptr;
  SetCursor(before);
  if (!IsWindow(hwnd)) return false;
  if (!t.keep && !EqualRect(&t.now, &t.start)) {
    t.now = t.start;
    SetWindowPos(hwnd, nullptr, t.start.left, t.start.top, t.start.right - t.start.left, t.start.bottom - t.start.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
  return t.keep && !EqualRect(&t.now, &t.start);
}

bool EndMoveSize() {
  if (!g_tracking) return false;
  g_tracking->ended = true;
  return true;
}

}  // namespace platform::win
