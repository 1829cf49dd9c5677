// Visibility, enabling, text, geometry and window data, and the default window procedure.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/gdi/menu_paint.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/cursor.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/move_size.h"
#include "platform/win/popup.h"
#include "platform/win/resource_name.h"
#include "platform/win/scroll_tracking.h"
#include "platform/win/window.h"

using platform::win::detail::CallProc;
using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace platform::win::detail {

RECT NonClientInsets(const Window& w) {
  RECT in{0, 0, 0, 0};
  int frame = 0;
  if (w.style & WS_CHILD) {
    if (w.ex_style & WS_EX_CLIENTEDGE) frame += GetSystemMetrics(SM_CXEDGE);
    if (w.ex_style & WS_EX_STATICEDGE) frame += GetSystemMetrics(SM_CXBORDER);
    if ((w.style & WS_CAPTION) == WS_CAPTION || (w.style & WS_BORDER)) frame += GetSystemMetrics(SM_CXBORDER);
    else if (w.style & WS_DLGFRAME) frame += GetSystemMetrics(SM_CXDLGFRAME);
  } else {
    if (w.style & WS_THICKFRAME) frame = GetSystemMetrics(SM_CXFRAME);
    else if ((w.style & WS_DLGFRAME) || (w.ex_style & WS_EX_DLGMODALFRAME)) frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (w.style & WS_BORDER) frame = GetSystemMetrics(SM_CXBORDER);
    if (w.ex_style & WS_EX_CLIENTEDGE) frame += GetSystemMetrics(SM_CXEDGE);
  }
  in = RECT{frame, frame, frame, frame};
  if ((w.style & WS_CAPTION) == WS_CAPTION) in.top += GetSystemMetrics(SM_CYCAPTION);
  if (!(w.style & WS_CHILD) && w.menu) in.top += GetSystemMetrics(SM_CYMENU);
  if (w.style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (w.style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

LRESULT NonClientHitTest(const Window& w, POINT screen) {
  RECT whole{};
  GetWindowRect(w.handle, &whole);
  if (!PtInRect(&whole, screen)) return HTNOWHERE;
  RECT in = NonClientInsets(w);
  RECT client{whole.left + in.left, whole.top + in.top, whole.right - in.right, whole.bottom - in.bottom};
  if (PtInRect(&client, screen)) return HTCLIENT;
  if (const LRESULT bar = ScrollBarHit(w.handle, screen); bar != HTNOWHERE) return bar;
  if (w.style & WS_CHILD) return HTBORDER;
  int frame = in.left;
  const int top = whole.top + frame;
  int caption = (w.style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
  const RECT box = platform::gdi::SystemMenuBoxRect(w.handle);
  if (PtInRect(&box, POINT{screen.x - whole.left, screen.y - whole.top})) return HTSYSMENU;
  if (screen.y >= top && screen.y < top + caption && screen.x >= whole.left + frame && screen.x < whole.right - frame)
    return HTCAPTION;
  if (w.menu && screen.y >= top + caption && screen.y < top + caption + GetSystemMetrics(SM_CYMENU) &&
      screen.x >= whole.left + frame && screen.x < whole.right - frame)
    return HTMENU;
  if ((w.style & WS_VSCROLL) && screen.x >= client.right && screen.y >= client.top && screen.y < client.bottom) return HTVSCROLL;
  if ((w.style & WS_HSCROLL) && screen.y >= client.bottom && screen.x >= client.left && screen.x < client.right) return HTHSCROLL;
  return HTBORDER;
}

bool NoteMenuKey(UINT message, WPARAM vk) {
  static bool alt_alone = false;
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (down) {
    alt_alone = vk == static_cast<WPARAM>(VK_MENU);
    return false;
  }
  if (vk == static_cast<WPARAM>(VK_F10)) return message == WM_SYSKEYUP && !(GetKeyState(VK_SHIFT) & 0x8000);
  if (vk != static_cast<WPARAM>(VK_MENU)) return false;
  const bool open = alt_alone;
  alt_alone = false;
  return open;
}

POINT ClientOriginOnScreen(const Window& w) {
  RECT in = NonClientInsets(w);
  POINT p{w.rect.left + in.left, w.rect.top + in.top};
  if ((w.style & WS_CHILD) && w.parent) {
    if (Window* parent = Lookup(w.parent)) {
      POINT o = ClientOriginOnScreen(*parent);
      p.x += o.x;
      p.y += o.y;
    }
  }
  return p;
}

}  // namespace platform::win::detail

// ---- visibility and enabling ----

namespace platform::win::detail {
// Activation moves on when the active window hides (focus.cpp).
void ActivateAfterHide(HWND hwnd);
}  // namespace platform::win::detail

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool child = (w->style & WS_CHILD) != 0;
  if (command == SW_HIDE) {
    if (!was_visible) {
      if (!child && GetActiveWindow() == hwnd) platform::win::detail::ActivateAfterHide(hwnd);
      return FALSE;
    }
    CallProc(hwnd, WM_SHOWWINDOW, FALSE, 0);
    w = Lookup(hwnd);
    if (!w) return TRUE;
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    platform::win::detail::NotifyShown(hwnd, false);
    if (child) {
      RECT r = w->rect;
      if (Lookup(w->parent)) InvalidateRect(w->parent, &r, TRUE);
    } else if (GetActiveWindow() == hwnd) {
      platform::win::detail::ActivateAfterHide(hwnd);
    }
    return TRUE;
  }
  // Minimized and maximized: the place before is kept (normal_rect) and Restore brings it back; Restore from
  // minimized goes back to maximized when the window was maximized before. Plain showing keeps the state.
  const DWORD old_state = w->style & static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
  DWORD new_state = old_state;
  if (command == SW_SHOWMINIMIZED || command == SW_MINIMIZE || command == SW_SHOWMINNOACTIVE) new_state = WS_MINIMIZE;
  else if (command == SW_SHOWMAXIMIZED) new_state = WS_MAXIMIZE;
  else if (command == SW_SHOWNORMAL) new_state = 0;
  else if (command == SW_RESTORE) new_state = (old_state & WS_MINIMIZE) && w->restore_maximized ? WS_MAXIMIZE : 0;
  const bool state_changed = new_state != old_state;
  if (state_changed && !child) {
    if (old_state == 0) {
      w->normal_rect = w->rect;
      w->has_normal_rect = true;
    }
    if (new_state == WS_MINIMIZE) w->restore_maximized = (old_state & WS_MAXIMIZE) != 0;
  }
  w->style = (w->style & ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE)) | new_state;
  if (!was_visible) {
    CallProc(hwnd, WM_SHOWWINDOW, TRUE, 0);
    w = Lookup(hwnd);
    if (!w) return FALSE;
    w->style |= WS_VISIBLE;
    platform::win::detail::NotifyShown(hwnd, true);
    InvalidateRect(hwnd, nullptr, TRUE);
  } else if (state_changed && !child && (old_state & WS_MINIMIZE)) {
    platform::win::detail::NotifyShown(hwnd, true);  // the display brings the iconified window back
  }
  if (state_changed && !child) {
    if (new_state == WS_MAXIMIZE) {
      const RECT area = platform::win::WorkArea();
      SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (new_state == 0 && w->has_normal_rect) {
      const RECT r = w->normal_rect;
      w->has_normal_rect = false;
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (new_state == WS_MINIMIZE) {
      platform::win::detail::NotifyMinimized(hwnd);
    }
  }
  bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE &&
                  command != SW_MINIMIZE;
  if (!child && activate && Lookup(hwnd) && !(Lookup(hwnd)->style & WS_DISABLED)) SetActiveWindow(hwnd);
  return was_visible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) { return platform::win::detail::IsReallyVisible(hwnd) ? TRUE : FALSE; }

BOOL IsIconic(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  bool was_disabled = (w->style & WS_DISABLED) != 0;
  if (was_disabled == !enable) return was_disabled ? TRUE : FALSE;
  if (enable) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
  } else {
    w->style |= WS_DISABLED;
    HWND focus = GetFocus();
    if (focus && platform::win::detail::IsDescendant(hwnd, focus)) SetFocus(nullptr);
    if (GetCapture() && platform::win::detail::IsDescendant(hwnd, GetCapture())) ReleaseCapture();
  }
  CallProc(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!Lookup(hwnd)) return FALSE;
  SetActiveWindow(platform::win::detail::Root(hwnd));
  return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

// ---- text ----

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
  if (!Lookup(hwnd)) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  if (!Lookup(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!Lookup(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---- geometry ----

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = Lookup(hwnd);
  if (!w || !rect) return FALSE;
  RECT r = w->rect;
  if ((w->style & WS_CHILD) && w->parent) {
    if (Window* p = Lookup(w->parent)) {
      POINT o = platform::win::detail::ClientOriginOnScreen(*p);
      OffsetRect(&r, o.x, o.y);
    }
  }
  *rect = r;
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = Lookup(hwnd);
  if (!w || !rect) return FALSE;
  RECT in = platform::win::detail::NonClientInsets(*w);
  LONG cx = std::max<LONG>(0, RectWidth(w->rect) - in.left - in.right);
  LONG cy = std::max<LONG>(0, RectHeight(w->rect) - in.top - in.bottom);
  *rect = RECT{0, 0, cx, cy};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  Window* w = Lookup(hwnd);
  if (!w || !point) return FALSE;
  POINT o = platform::win::detail::ClientOriginOnScreen(*w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  Window* w = Lookup(hwnd);
  if (!w || !point) return FALSE;
  POINT o = platform::win::detail::ClientOriginOnScreen(*w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT o_from{0, 0};
  POINT o_to{0, 0};
  if (from && from != GetDesktopWindow()) {
    Window* w = Lookup(from);
    if (!w) return 0;
    o_from = platform::win::detail::ClientOriginOnScreen(*w);
  }
  if (to && to != GetDesktopWindow()) {
    Window* w = Lookup(to);
    if (!w) return 0;
    o_to = platform::win::detail::ClientOriginOnScreen(*w);
  }
  LONG dx = o_from.x - o_to.x;
  LONG dy = o_from.y - o_to.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  RECT old = w->rect;
  WINDOWPOS wp{hwnd, insert_after, (flags & SWP_NOMOVE) ? old.left : x, (flags & SWP_NOMOVE) ? old.top : y,
               (flags & SWP_NOSIZE) ? RectWidth(old) : std::max(cx, 0),
               (flags & SWP_NOSIZE) ? RectHeight(old) : std::max(cy, 0), flags};
  CallProc(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  w = Lookup(hwnd);
  if (!w) return FALSE;
  // A top-level window that is resized keeps to the tracking sizes it gives.
  if (!(w->style & WS_CHILD) && !(flags & SWP_NOSIZE)) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
    CallProc(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    w = Lookup(hwnd);
    if (!w) return FALSE;
    if ((w->style & (WS_THICKFRAME | WS_CAPTION)) != 0) {
      wp.cx = std::clamp<int>(wp.cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
      wp.cy = std::clamp<int>(wp.cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    }
  }
  RECT now{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = RectWidth(now) != RectWidth(old) || RectHeight(now) != RectHeight(old);
  w->rect = now;
  if (!(flags & SWP_NOZORDER) && (w->style & WS_CHILD)) {
    if (Window* p = Lookup(w->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
      if (insert_after == HWND_BOTTOM) {
        c.push_back(hwnd);
      } else if (insert_after == HWND_TOP || insert_after == HWND_TOPMOST || insert_after == HWND_NOTOPMOST) {
        c.insert(c.begin(), hwnd);
      } else {
        auto it = std::find(c.begin(), c.end(), insert_after);
        c.insert(it == c.end() ? c.end() : it + 1, hwnd);
      }
    }
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  if (!Lookup(hwnd)) return TRUE;
  UINT done = flags & ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
  if (!moved) done |= SWP_NOMOVE;
  if (!sized) done |= SWP_NOSIZE;
  WINDOWPOS changed{hwnd, insert_after, now.left, now.top, RectWidth(now), RectHeight(now), done};
  CallProc(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
  w = Lookup(hwnd);
  if (!w) return TRUE;
  if ((moved || sized) && !(flags & SWP_NOREDRAW)) {
    if (w->style & WS_CHILD) {
      RECT both{};
      UnionRect(&both, &old, &now);
      if (Lookup(w->parent)) InvalidateRect(w->parent, &both, TRUE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  if (moved || sized) platform::win::detail::NotifyMoved(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style) {
  if (!rect) return FALSE;
  Window probe;
  probe.style = style;
  probe.ex_style = ex_style;
  probe.menu = menu ? reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(1)) : nullptr;
  RECT in = platform::win::detail::NonClientInsets(probe);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

// The deepest visible child under a point given in the client coordinates of parent; parent itself when no child
// is there. Disabled children and windows that let clicks through are skipped when skip_inert is set.
namespace platform::win::detail {

bool HitTransparent(const Window& w);

HWND DeepChildAt(HWND parent, POINT client_point, bool skip_inert) {
  Window* w = Lookup(parent);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    Window* cw = Lookup(c);
    if (!cw || !(cw->style & WS_VISIBLE) || cw->destroying) continue;
    if (!PtInRect(&cw->rect, client_point)) continue;
    if (skip_inert && ((cw->style & WS_DISABLED) || HitTransparent(*cw))) continue;
    POINT inner = client_point;
    POINT origin{0, 0};
    MapWindowPoints(c, parent, &origin, 1);
    inner.x -= origin.x;
    inner.y -= origin.y;
    return DeepChildAt(c, inner, skip_inert);
  }
  return parent;
}

}  // namespace platform::win::detail

HWND WindowFromPoint(POINT screen_point) {
  HWND active = GetActiveWindow();
  std::vector<HWND> tops = platform::win::detail::TopLevelWindows();
  std::reverse(tops.begin(), tops.end());
  if (active) tops.insert(tops.begin(), active);
  const std::vector<HWND> popups = platform::win::ShownPopups();
  tops.insert(tops.begin(), popups.begin(), popups.end());
  for (HWND t : tops) {
    Window* w = Lookup(t);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (!PtInRect(&w->rect, screen_point)) continue;
    POINT p = screen_point;
    ScreenToClient(t, &p);
    return platform::win::detail::DeepChildAt(t, p, true);
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT client_point) {
  Window* w = Lookup(parent);
  if (!w) return nullptr;
  RECT client{};
  GetClientRect(parent, &client);
  if (!PtInRect(&client, client_point)) return nullptr;
  for (HWND c : w->children) {
    Window* cw = Lookup(c);
    if (cw && (cw->style & WS_VISIBLE) && PtInRect(&cw->rect, client_point)) return c;
  }
  return parent;
}

// ---- window data ----

static bool ExtraRange(const Window& w, int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) + size <= w.extra.size();
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) ? w->parent : w->owner);
    case GWLP_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->ex_style));
    case GWLP_USERDATA: return w->user_data;
    default: break;
  }
  if (!ExtraRange(*w, index, sizeof(LONG_PTR))) return 0;
  LONG_PTR v;
  std::memcpy(&v, w->extra.data() + index, sizeof v);
  return v;
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value) w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT:
      if (!(w->style & WS_CHILD)) w->owner = platform::win::detail::Root(reinterpret_cast<HWND>(value));
      return old;
    case GWLP_ID: w->id = static_cast<UINT_PTR>(value); return old;
    case GWL_STYLE: {
      DWORD keep = w->style & (WS_CHILD);
      w->style = (static_cast<DWORD>(value) & ~static_cast<DWORD>(WS_CHILD)) | keep;
      return old;
    }
    case GWL_EXSTYLE: w->ex_style = static_cast<DWORD>(value); return old;
    case GWLP_USERDATA: w->user_data = value; return old;
    default: break;
  }
  if (!ExtraRange(*w, index, sizeof(LONG_PTR))) return 0;
  std::memcpy(w->extra.data() + index, &value, sizeof value);
  return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    if (!ExtraRange(*w, index, sizeof(LONG))) return 0;
    LONG v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    if (!ExtraRange(*w, index, sizeof(LONG))) return 0;
    LONG old;
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

static std::string PropKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return platform::win::ResourceNumberKey(name);
  std::string s(name);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return FALSE;
  std::string key = PropKey(name);
  for (auto& [k, v] : w->props) {
    if (k == key) {
      v = data;
      return TRUE;
    }
  }
  w->props.emplace_back(key, data);
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  for (auto& [k, v] : w->props)
    if (k == key) return v;
  return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  for (auto it = w->props.begin(); it != w->props.end(); ++it) {
    if (it->first == key) {
      HANDLE v = it->second;
      w->props.erase(it);
      return v;
    }
  }
  return nullptr;
}

// ---- the default window procedure ----

namespace platform::win::detail {

LRESULT DefaultControlColours(UINT message, HDC dc) {
  const int back = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW
                   : message == WM_CTLCOLORSCROLLBAR                           ? COLOR_SCROLLBAR
                                                                              : COLOR_BTNFACE;
  if (dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

LRESULT DefaultText(Window& w, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lparam);
      w.text = text && !IS_INTRESOURCE(text) ? text : "";
      HWND hwnd = w.handle;
      NotifyTextChanged(hwnd);
      if (Lookup(hwnd)) InvalidateRect(hwnd, nullptr, (Lookup(hwnd)->style & WS_CHILD) ? TRUE : FALSE);
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lparam);
      if (!buffer || wparam == 0) return 0;
      std::size_t n = std::min<std::size_t>(wparam - 1, w.text.size());
      std::memcpy(buffer, w.text.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w.text.size());
    default: return 0;
  }
}

}  // namespace platform::win::detail

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return platform::win::detail::DefaultText(*w, message, wparam, lparam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MOUSEMENU && (wparam & 0x000F) == static_cast<WPARAM>(HTSYSMENU)) {
        platform::win::TrackSystemMenu(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, true);
      } else if ((wparam & 0xFFF0) == SC_MOUSEMENU) {
        platform::win::TrackMenuBar(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, true, 0);
      } else if ((wparam & 0xFFF0) == SC_KEYMENU && lparam == ' ') {
        platform::win::TrackSystemMenu(hwnd, POINT{0, 0}, false);
      } else if ((wparam & 0xFFF0) == SC_KEYMENU) {
        platform::win::TrackMenuBar(hwnd, POINT{0, 0}, false, static_cast<BYTE>(lparam & 0xFF));
      } else if ((wparam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, 0, 0);
      else if ((wparam & 0xFFF0) == SC_MINIMIZE) ShowWindow(hwnd, SW_MINIMIZE);
      else if ((wparam & 0xFFF0) == SC_MAXIMIZE) ShowWindow(hwnd, SW_MAXIMIZE);
      else if ((wparam & 0xFFF0) == SC_RESTORE) ShowWindow(hwnd, SW_RESTORE);
      else if ((wparam & 0xFFF0) == SC_MOVE || (wparam & 0xFFF0) == SC_SIZE)
        platform::win::TrackMoveSize(hwnd, (wparam & 0xFFF0) == SC_SIZE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // The class brush fills what the DC lets through (BeginPaint clips it to the update rectangle).
      HBRUSH brush = w->cls ? w->cls->background : nullptr;
      HDC dc = reinterpret_cast<HDC>(wparam);
      if (!brush || !dc) return 0;
      RECT box{};
      if (GetClipBox(dc, &box) == NULLREGION) return 1;
      FillRect(dc, &box, brush);
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) {
        HWND focus = GetFocus();
        if (!focus || !platform::win::detail::IsDescendant(hwnd, focus)) SetFocus(hwnd);
      }
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(lparam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE)) {
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        if (w->style & WS_CHILD) ScreenToClient(w->parent, &origin);
        CallProc(hwnd, WM_MOVE, 0, MAKEPOINTLPARAM(origin.x, origin.y));
      }
      if (!(wp->flags & SWP_NOSIZE) && Lookup(hwnd)) {
        RECT client{};
        GetClientRect(hwnd, &client);
        WPARAM kind = IsIconic(hwnd) ? SIZE_MINIMIZED : IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        CallProc(hwnd, WM_SIZE, kind, MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
      }
      return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETFONT: w->font = reinterpret_cast<HFONT>(wparam); return 0;
    case WM_SETCURSOR:
      // The parent decides first; then the class cursor shows in the client area.
      if ((w->style & WS_CHILD) && w->parent && SendMessage(w->parent, WM_SETCURSOR, wparam, lparam)) return TRUE;
      if (static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam))) == HTCLIENT) {
        w = Lookup(hwnd);
        if (w && w->cls && w->cls->cursor) {
          SetCursor(w->cls->cursor);
          return TRUE;
        }
      }
      return FALSE;
    case WM_MOUSEACTIVATE: return 1;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return platform::win::detail::DefaultControlColours(message, reinterpret_cast<HDC>(wparam));
    case WM_KEYDOWN:
      platform::win::detail::NoteMenuKey(message, wparam);
      return 0;
    case WM_KEYUP:
      if (platform::win::detail::NoteMenuKey(message, wparam))
        SendMessage(platform::win::detail::Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_CHAR: return 0;
    case WM_SYSKEYDOWN:
      platform::win::detail::NoteMenuKey(message, wparam);
      if (wparam == static_cast<WPARAM>(VK_F4) && (GetKeyState(VK_MENU) & 0x8000) && !(w->style & WS_CHILD))
        PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSKEYUP:
      // F10, or Alt pressed and let go alone, opens the menu bar of the top-level window by keyboard.
      if (platform::win::detail::NoteMenuKey(message, wparam))
        SendMessage(platform::win::detail::Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSCHAR:
      // Alt+letter: the menu bar item with that mnemonic opens; Alt+Space: the window menu.
      if (wparam != '\r')
        SendMessage(platform::win::detail::Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wparam & 0xFF));
      return 0;
    case WM_NCHITTEST: return platform::win::detail::NonClientHitTest(*w, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    case WM_NCLBUTTONDOWN:
      if (wparam == static_cast<WPARAM>(HTMENU)) SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, lparam);
      if (wparam == static_cast<WPARAM>(HTSYSMENU))
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | static_cast<WPARAM>(HTSYSMENU), lparam);
      if (wparam == static_cast<WPARAM>(HTVSCROLL) || wparam == static_cast<WPARAM>(HTHSCROLL))
        platform::win::detail::StartScrollTracking(hwnd, static_cast<LRESULT>(wparam), POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
      if (platform::win::detail::IsScrollTracking(hwnd))
        platform::win::detail::TrackScroll(hwnd, message, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_NCLBUTTONDBLCLK:
      // A double click on the window-menu box closes the window.
      if (wparam == static_cast<WPARAM>(HTSYSMENU)) SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
      return 0;
    case WM_RBUTTONUP: {
      // The context menu of a window: WM_CONTEXTMENU with the screen point (a child passes it to its parent).
      POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKEPOINTLPARAM(p.x, p.y));
      return 0;
    }
    case WM_GETDLGCODE: return 0;
    case WM_NOTIFY: return 0;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if ((w->style & WS_CHILD) && w->parent) return SendMessage(w->parent, message, wparam, lparam);
      return 0;
    default: return 0;
  }
}
