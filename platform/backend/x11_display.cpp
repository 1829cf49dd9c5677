#include "platform/backend/x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/backend/x11_cursor_image.h"
#include "platform/backend/x11_keys.h"
#include "platform/backend/x11_selection.h"
#include "platform/gdi/cp1252.h"
#include "platform/gdi/dialog_fonts.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/win/input.h"
#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/double_click.h"
#include "platform/win/input_injection.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/messages.h"
#include "platform/win/metrics.h"
#include "platform/win/popup.h"
#include "platform/win/termination.h"
#include "platform/win/window.h"

namespace platform::backend {
namespace {

struct X11State {
  Display* display = nullptr;
  Atom wm_delete = 0;
  Atom wm_protocols = 0;
  Atom net_wm_name = 0;
  Atom utf8_string = 0;
  Atom window_type = 0;
  Atom type_dialog = 0;
  Atom type_normal = 0;
  std::map<unsigned, Cursor> font_cursors;  // X cursor shape -> cursor
  std::map<HCURSOR, Cursor> own_cursors;    // cursors with a picture of their own
  Cursor blank = 0;
  Cursor current = 0;                       // the pointer shape over every window of the program
  bool clipped = false;
  RECT clip{};
  bool placing = false;
  bool following_state = false;  // the layer follows an iconify or map the window manager made: no request back
  Window menu_grab = 0;  // the open menu window that holds the pointer grab  // the layer follows a move the window manager made: no move back
  int hook_id = -1;
  int wake_pipe[2] = {-1, -1};
  std::map<HWND, Window> windows;
  std::map<Window, HWND> owners;
};

X11State& X() {
  static X11State s;
  return s;
}

RECT ScreenRect(HWND top) {
  RECT r{};
  GetWindowRect(top, &r);
  return r;
}

// Offset of the client area inside the window rectangle (the X window shows the whole window).
POINT ClientOffset(HWND top) {
  const RECT r = ScreenRect(top);
  POINT o{0, 0};
  ClientToScreen(top, &o);
  return POINT{o.x - r.left, o.y - r.top};
}

void SetTitle(HWND top, Window w) {
  char text[512] = {};
  GetWindowText(top, text, sizeof(text));
  const std::string utf8 = gdi::Cp1252ToUtf8(text);
  X11State& s = X();
  XChangeProperty(s.display, w, s.net_wm_name, s.utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
  XStoreName(s.display, w, text);
}

// Copies a rectangle of the top-level surface (window coordinates) to its X window.
void Push(HWND top, RECT r) {
  X11State& s = X();
  auto it = s.windows.find(top);
  auto surface = gdi::FindTopLevelSurface(top);
  if (it == s.windows.end() || !surface) return;
  if (r.left < 0) r.left = 0;
  if (r.top < 0) r.top = 0;
  if (r.right > surface->width()) r.right = surface->width();
  if (r.bottom > surface->height()) r.bottom = surface->height();
  if (r.right <= r.left || r.bottom <= r.top) return;
  surface->EndCairo();
  const int screen = DefaultScreen(s.display);
  XImage* image = XCreateImage(s.display, DefaultVisual(s.display, screen), 24, ZPixmap, 0,
                               reinterpret_cast<char*>(surface->Row(0)), static_cast<unsigned>(surface->width()),
                               static_cast<unsigned>(surface->height()), 32, surface->stride());
  if (!image) return;
  XPutImage(s.display, it->second, DefaultGC(s.display, screen), image, r.left, r.top, r.left, r.top,
            static_cast<unsigned>(r.right - r.left), static_cast<unsigned>(r.bottom - r.top));
  image->data = nullptr;  // the surface owns the pixels
  XDestroyImage(image);
  XFlush(s.display);
}

// The X cursor that shows a cursor handle: the stock shapes as X font cursors, a cursor with a picture (a
// program's resource, CreateCursor) made from it, others as the arrow, null as none.
Cursor XCursorOf(HCURSOR cursor) {
  X11State& s = X();
  if (!cursor) {
    if (!s.blank) {
      static const char empty[1] = {0};
      Pixmap p = XCreateBitmapFromData(s.display, DefaultRootWindow(s.display), empty, 1, 1);
      XColor black{};
      s.blank = XCreatePixmapCursor(s.display, p, p, &black, &black, 0, 0);
      XFreePixmap(s.display, p);
    }
    return s.blank;
  }
  if (!platform::win::StockCursorId(cursor)) {
    if (auto it = s.own_cursors.find(cursor); it != s.own_cursors.end()) return it->second;
    if (auto image = platform::win::CursorImageOf(cursor)) {
      if (const Cursor made = MakeXCursor(s.display, *image)) return s.own_cursors[cursor] = made;
    }
  }
  unsigned shape = XC_left_ptr;
  switch (platform::win::StockCursorId(cursor)) {
#define X11_CURSOR(stock, x_shape) \
  case stock: shape = x_shape; break;
#include "platform/backend/x11_cursors.def"
#undef X11_CURSOR
    default: break;
  }
  auto it = s.font_cursors.find(shape);
  if (it != s.font_cursors.end()) return it->second;
  return s.font_cursors[shape] = XCreateFontCursor(s.display, shape);
}

void ApplyCursor(HCURSOR cursor) {
  X11State& s = X();
  if (!s.display) return;
  s.current = XCursorOf(cursor);
  for (auto& [top, w] : s.windows) XDefineCursor(s.display, w, s.current);
  XFlush(s.display);
}

void WarpPointer(int x, int y) {
  X11State& s = X();
  if (!s.display) return;
  XWarpPointer(s.display, None, DefaultRootWindow(s.display), 0, 0, 0, 0, x, y);
  XFlush(s.display);
}

// ClipCursor: X has no confinement to a rectangle, so a pointer that leaves it is put back at its edge (during a
// drag the button's implicit grab brings every motion here).
void SetClip(const RECT* rect) {
  X11State& s = X();
  s.clipped = rect != nullptr;
  if (rect) s.clip = *rect;
}

bool KeepInClip(int& x, int& y) {
  X11State& s = X();
  if (!s.clipped || s.clip.right <= s.clip.left || s.clip.bottom <= s.clip.top) return false;
  const int cx = std::clamp<int>(x, s.clip.left, s.clip.right - 1);
  const int cy = std::clamp<int>(y, s.clip.top, s.clip.bottom - 1);
  if (cx == x && cy == y) return false;
  x = cx;
  y = cy;
  WarpPointer(x, y);
  return true;
}

// Sizes the window manager may give: the window's WM_GETMINMAXINFO limits when it has a sizing frame, else
// its own size only.
void SetSizeHints(HWND top, Window win) {
  X11State& s = X();
  const RECT r = ScreenRect(top);
  XSizeHints hints{};
  hints.flags = PPosition | PSize | PMinSize | PMaxSize;
  hints.x = r.left;
  hints.y = r.top;
  hints.width = std::max<int>(1, r.right - r.left);
  hints.height = std::max<int>(1, r.bottom - r.top);
  if (GetWindowLong(top, GWL_STYLE) & WS_THICKFRAME) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
    SendMessage(top, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    hints.min_width = std::max<int>(1, mmi.ptMinTrackSize.x);
    hints.min_height = std::max<int>(1, mmi.ptMinTrackSize.y);
    hints.max_width = std::max<int>(hints.min_width, mmi.ptMaxTrackSize.x);
    hints.max_height = std::max<int>(hints.min_height, mmi.ptMaxTrackSize.y);
  } else {
    hints.min_width = hints.max_width = hints.width;
    hints.min_height = hints.max_height = hints.height;
  }
  XSetWMNormalHints(s.display, win, &hints);
}

// An owned window (dialogs, message boxes) stays above its owner: WM_TRANSIENT_FOR, and the dialog type for
// the dialog class.
void SetOwnerHints(HWND top, Window win) {
  X11State& s = X();
  HWND owner = GetWindow(top, GW_OWNER);
  if (auto it = s.windows.find(owner); owner && it != s.windows.end()) XSetTransientForHint(s.display, win, it->second);
  char cls[64] = {};
  GetClassName(top, cls, sizeof(cls));
  const bool dialog = std::string(cls) == kDialogClassName;
  Atom type = dialog ? s.type_dialog : s.type_normal;
  XChangeProperty(s.display, win, s.window_type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
}

// While a menu is open the pointer is grabbed (events on the program's own windows still go to them), so that a
// click anywhere else reaches the menu loop and closes the menu, as the menu's capture does on the original.
void FollowMenuGrab(HWND going = nullptr) {
  X11State& s = X();
  Window want = 0;
  for (HWND menu : platform::win::OpenMenuWindows()) {
    if (menu == going || !IsWindowVisible(menu)) continue;
    if (auto it = s.windows.find(menu); it != s.windows.end()) want = it->second;
  }
  if (want == s.menu_grab) return;
  if (want) {
    if (XGrabPointer(s.display, want, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, None, None, CurrentTime) != GrabSuccess)
      want = 0;
  } else {
    XUngrabPointer(s.display, CurrentTime);
  }
  s.menu_grab = want;
}

Window MakeWindow(HWND top) {
  X11State& s = X();
  auto it = s.windows.find(top);
  if (it != s.windows.end()) return it->second;
  const RECT r = ScreenRect(top);
  const int screen = DefaultScreen(s.display);
  const unsigned w = static_cast<unsigned>(r.right - r.left > 0 ? r.right - r.left : 1);
  const unsigned h = static_cast<unsigned>(r.bottom - r.top > 0 ? r.bottom - r.top : 1);
  // A pop-up (combo list, tool tip, menu) is left alone by the window manager: no frame, no focus, on top.
  const bool popup = platform::win::IsPopupWindow(top);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0xC0C0C0;
  attributes.border_pixel = BlackPixel(s.display, screen);
  attributes.override_redirect = popup ? True : False;
  attributes.save_under = popup ? True : False;
  Window win = XCreateWindow(s.display, RootWindow(s.display, screen), r.left, r.top, w, h, 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWSaveUnder,
                             &attributes);
  XSelectInput(s.display, win,
               ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                   PointerMotionMask | StructureNotifyMask | FocusChangeMask);
  if (popup) {
    if (s.current) XDefineCursor(s.display, win, s.current);
    s.windows[top] = win;
    s.owners[win] = top;
    return win;
  }
  XSetWMProtocols(s.display, win, &s.wm_delete, 1);
  SetSizeHints(top, win);
  SetOwnerHints(top, win);
  SetTitle(top, win);
  if (s.current) XDefineCursor(s.display, win, s.current);
  s.windows[top] = win;
  s.owners[win] = top;
  return win;
}

void OnWindowEvent(platform::win::WindowEvent e, HWND top, const RECT& rect) {
  X11State& s = X();
  if (!s.display) return;
  using platform::win::WindowEvent;
  switch (e) {
    case WindowEvent::kShown: {
      if (s.following_state) break;
      Window w = MakeWindow(top);
      XMapRaised(s.display, w);
      Push(top, RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top});
      FollowMenuGrab();
      break;
    }
    case WindowEvent::kMinimized:
      if (auto it = s.windows.find(top); it != s.windows.end() && !s.following_state)
        XIconifyWindow(s.display, it->second, DefaultScreen(s.display));
      break;
    case WindowEvent::kHidden:
      if (auto it = s.windows.find(top); it != s.windows.end()) XUnmapWindow(s.display, it->second);
      FollowMenuGrab(top);
      break;
    case WindowEvent::kMoved:
      if (auto it = s.windows.find(top); it != s.windows.end() && !s.placing) {
        SetSizeHints(top, it->second);
        XMoveResizeWindow(s.display, it->second, rect.left, rect.top,
                          static_cast<unsigned>(rect.right - rect.left > 0 ? rect.right - rect.left : 1),
                          static_cast<unsigned>(rect.bottom - rect.top > 0 ? rect.bottom - rect.top : 1));
      }
      break;
    case WindowEvent::kTextChanged:
      if (auto it = s.windows.find(top); it != s.windows.end()) SetTitle(top, it->second);
      break;
    case WindowEvent::kDestroyed:
      if (auto it = s.windows.find(top); it != s.windows.end()) {
        if (it->second == s.menu_grab) {
          XUngrabPointer(s.display, CurrentTime);
          s.menu_grab = 0;
        }
        s.owners.erase(it->second);
        XDestroyWindow(s.display, it->second);
        s.windows.erase(it);
      }
      FollowMenuGrab(top);
      break;
    default:
      break;
  }
  XFlush(s.display);
}

// The window manager's work area of the first desktop (_NET_WORKAREA), which maximized windows fill; the whole
// screen without a window manager.
void ReadWorkArea() {
  X11State& s = X();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  RECT area{0, 0, 0, 0};
  if (XGetWindowProperty(s.display, DefaultRootWindow(s.display), XInternAtom(s.display, "_NET_WORKAREA", False), 0, 4,
                         False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
      data && format == 32 && count >= 4) {
    const auto* v = reinterpret_cast<const long*>(data);
    area = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
                static_cast<LONG>(v[1] + v[3])};
  }
  if (data) XFree(data);
  platform::win::SetWorkArea(area);
}

WPARAM KeyFlags(unsigned state) {
  WPARAM f = 0;
  if (state & Button1Mask) f |= MK_LBUTTON;
  if (state & Button3Mask) f |= MK_RBUTTON;
  if (state & Button2Mask) f |= MK_MBUTTON;
  if (state & ShiftMask) f |= MK_SHIFT;
  if (state & ControlMask) f |= MK_CONTROL;
  return f;
}

void HandleEvent(XEvent& ev) {
  X11State& s = X();
  if (HandleX11SelectionEvent(ev)) return;
  auto owner = s.owners.find(ev.xany.window);
  if (owner == s.owners.end()) return;
  HWND top = owner->second;
  switch (ev.type) {
    case Expose:
      Push(top, RECT{ev.xexpose.x, ev.xexpose.y, ev.xexpose.x + ev.xexpose.width, ev.xexpose.y + ev.xexpose.height});
      break;
    case ButtonPress:
    case ButtonRelease: {
      const bool down = ev.type == ButtonPress;
      UINT msg = 0;
      switch (ev.xbutton.button) {
        case Button1: msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
        case Button2: msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
        case Button3: msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
        default: return;
      }
      const POINT o = ClientOffset(top);
      const RECT r = ScreenRect(top);
      platform::win::SetCursorScreenPos(r.left + ev.xbutton.x, r.top + ev.xbutton.y);
      platform::win::InjectMouse(top, msg, ev.xbutton.x - o.x, ev.xbutton.y - o.y, KeyFlags(ev.xbutton.state));
      break;
    }
    case MotionNotify: {
      const POINT o = ClientOffset(top);
      const RECT r = ScreenRect(top);
      int sx = r.left + ev.xmotion.x, sy = r.top + ev.xmotion.y;
      if (KeepInClip(sx, sy)) {
        ev.xmotion.x = sx - r.left;
        ev.xmotion.y = sy - r.top;
      }
      platform::win::SetCursorScreenPos(sx, sy);
      platform::win::InjectMouse(top, WM_MOUSEMOVE, ev.xmotion.x - o.x, ev.xmotion.y - o.y, KeyFlags(ev.xmotion.state));
      break;
    }
    case KeyPress:
    case KeyRelease: {
      char buf[16];
      KeySym sym = 0;
      XLookupString(&ev.xkey, buf, sizeof(buf), &sym, nullptr);
      const int vk = VirtualKeyOfKeysym(sym);
      const bool alt = (ev.xkey.state & Mod1Mask) != 0;
      if (vk != 0) {
        const UINT msg = ev.type == KeyPress ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        platform::win::InjectKey(msg, vk);
      } else if (ev.type == KeyPress) {
        // A key the window layer cannot turn into a character itself: give the character.
        const int ch = CharOfKeysym(sym);
        if (ch > 0) platform::win::InjectChar(static_cast<BYTE>(ch));
      }
      break;
    }
    case ConfigureNotify: {
      // The user resized or the window manager placed the window on the screen: the window layer follows (and
      // repaints), so that pop-ups open where the window really is.
      const RECT r = ScreenRect(top);
      const int w = ev.xconfigure.width, h = ev.xconfigure.height;
      if (w > 0 && h > 0 && (w != r.right - r.left || h != r.bottom - r.top)) {
        SetWindowPos(top, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      int x = 0, y = 0;
      Window child = 0;
      if (XTranslateCoordinates(s.display, ev.xconfigure.window, DefaultRootWindow(s.display), 0, 0, &x, &y, &child) &&
          (x != r.left || y != r.top)) {
        s.placing = true;
        SetWindowPos(top, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        s.placing = false;
      }
      break;
    }
    case UnmapNotify:
      // The window manager iconified a window the layer still shows (its own hiding clears WS_VISIBLE first).
      if (IsWindowVisible(top) && !IsIconic(top) && !platform::win::IsPopupWindow(top)) {
        s.following_state = true;
        ShowWindow(top, SW_SHOWMINNOACTIVE);
        s.following_state = false;
      }
      break;
    case MapNotify:
      // The window manager brought an iconified window back: Restore.
      if (IsWindowVisible(top) && IsIconic(top)) {
        s.following_state = true;
        ShowWindow(top, SW_RESTORE);
        s.following_state = false;
      }
      break;
    case FocusIn:
      if (ev.xfocus.mode == NotifyGrab || ev.xfocus.mode == NotifyUngrab) break;
      if (GetForegroundWindow() != top && IsWindowEnabled(top)) SetForegroundWindow(top);
      break;
    case FocusOut: {
      // The keyboard went to a window of another program: this one turns inactive (WM_ACTIVATE WA_INACTIVE,
      // the focus window hears WM_KILLFOCUS). A move to another window of ours is that window's FocusIn.
      if (ev.xfocus.mode == NotifyGrab || ev.xfocus.mode == NotifyUngrab || ev.xfocus.detail == NotifyInferior) break;
      Window focus = 0;
      int revert = 0;
      XGetInputFocus(s.display, &focus, &revert);
      if (focus == PointerRoot) {
        // Without a window manager the keyboard follows the pointer: moving onto one of our own windows (a
        // combo list, a menu) keeps the program active.
        Window root = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        if (XQueryPointer(s.display, DefaultRootWindow(s.display), &root, &child, &rx, &ry, &wx, &wy, &mask)) focus = child;
      }
      if (s.owners.count(focus) == 0 && GetActiveWindow() == top) SetActiveWindow(nullptr);
      break;
    }
    case ClientMessage:
      // The window manager's close button is the window menu's Close: WM_SYSCOMMAND SC_CLOSE, which
      // DefWindowProc turns into WM_CLOSE. A window disabled under a modal dialog does not close.
      if (ev.xclient.message_type == s.wm_protocols && static_cast<Atom>(ev.xclient.data.l[0]) == s.wm_delete &&
          IsWindowEnabled(top))
        PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    default:
      break;
  }
}

int Drain() {
  X11State& s = X();
  int handled = 0;
  while (s.display && XPending(s.display) > 0) {
    XEvent ev;
    XNextEvent(s.display, &ev);
    HandleEvent(ev);
    ++handled;
  }
  return handled;
}

bool Wait(long long timeout_ns) {
  X11State& s = X();
  if (!s.display) return false;
  XFlush(s.display);
  // Events Xlib has already read (while a surface was pushed, say) wait in its queue, not on the socket: poll
  // would not see them, so the input they gave is taken now.
  if (Drain() > 0) return true;
  pollfd fds[2] = {{ConnectionNumber(s.display), POLLIN, 0}, {s.wake_pipe[0], POLLIN, 0}};
  const int ms = timeout_ns < 0 ? -1 : static_cast<int>((timeout_ns + 999999) / 1000000);
  if (poll(fds, 2, ms) > 0 && (fds[1].revents & POLLIN)) {
    char drain[64];
    while (read(s.wake_pipe[0], drain, sizeof(drain)) == static_cast<ssize_t>(sizeof(drain))) {
    }
  }
  Drain();
  return true;
}

int DisplayLost(Display*) {
  platform::win::RunTerminationNow(platform::win::kDisplayLost);
  return 0;
}

}  // namespace

bool StartX11Display(std::string* error) {
  X11State& s = X();
  if (s.display) return true;
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    if (error) *error = "no X display: DISPLAY is not set (the program needs a screen to show its windows)";
    return false;
  }
  s.display = XOpenDisplay(nullptr);
  if (!s.display) {
    if (error) *error = std::string("cannot open the X display \"") + name + "\"";
    return false;
  }
  const int screen = DefaultScreen(s.display);
  if (DefaultDepth(s.display, screen) < 24) {
    XCloseDisplay(s.display);
    s.display = nullptr;
    if (error) *error = "the X display needs a 24-bit colour visual";
    return false;
  }
  s.wm_delete = XInternAtom(s.display, "WM_DELETE_WINDOW", False);
  s.wm_protocols = XInternAtom(s.display, "WM_PROTOCOLS", False);
  s.net_wm_name = XInternAtom(s.display, "_NET_WM_NAME", False);
  s.utf8_string = XInternAtom(s.display, "UTF8_STRING", False);
  s.window_type = XInternAtom(s.display, "_NET_WM_WINDOW_TYPE", False);
  s.type_dialog = XInternAtom(s.display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  s.type_normal = XInternAtom(s.display, "_NET_WM_WINDOW_TYPE_NORMAL", False);
  StartX11Selections(s.display);
  platform::win::SetDoubleClickDetection(true);
  if (pipe(s.wake_pipe) == 0) {
    for (int fd : s.wake_pipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    platform::win::SetTerminationWakeFd(s.wake_pipe[1]);
  }
  // A lost connection (the server ended or killed the client): the program's last words, then Xlib ends it.
  XSetIOErrorHandler(DisplayLost);
  // On a real screen dialogs are laid out with the fonts they are drawn in.
  gdi::UseDrawingFontsForDialogs();
  platform::win::SetScreenSize(DisplayWidth(s.display, screen), DisplayHeight(s.display, screen));
  ReadWorkArea();
  s.hook_id = platform::win::AddWindowEventHook(OnWindowEvent);
  gdi::SetSurfaceChangedHook([](HWND top, const RECT& r) { Push(top, r); });
  platform::win::SetEventWaiter(Wait);
  platform::win::SetCursorBackend(platform::win::CursorBackend{ApplyCursor, WarpPointer, SetClip});
  platform::win::SetWakeHook([] {
    const char b = 1;
    if (X().wake_pipe[1] >= 0) (void)!write(X().wake_pipe[1], &b, 1);
  });
  // Windows shown before the display started appear now.
  EnumWindows(
      [](HWND top, LPARAM) -> BOOL {
        if (IsWindowVisible(top)) OnWindowEvent(platform::win::WindowEvent::kShown, top, ScreenRect(top));
        return TRUE;
      },
      0);
  return true;
}

void StopX11Display() {
  X11State& s = X();
  if (!s.display) return;
  platform::win::SetEventWaiter(nullptr);
  platform::win::SetWakeHook(nullptr);
  platform::win::SetWorkArea(RECT{0, 0, 0, 0});
  platform::win::SetCursorBackend({});
  gdi::SetSurfaceChangedHook(nullptr);
  platform::win::RemoveWindowEventHook(s.hook_id);
  for (auto& [top, w] : s.windows) XDestroyWindow(s.display, w);
  s.windows.clear();
  s.owners.clear();
  s.menu_grab = 0;
  for (auto& [shape, c] : s.font_cursors) XFreeCursor(s.display, c);
  s.font_cursors.clear();
  for (auto& [handle, c] : s.own_cursors) XFreeCursor(s.display, c);
  s.own_cursors.clear();
  if (s.blank) XFreeCursor(s.display, s.blank);
  s.blank = s.current = 0;
  s.clipped = false;
  StopX11Selections();
  platform::win::SetDoubleClickDetection(false);
  XCloseDisplay(s.display);
  s.display = nullptr;
  platform::win::SetTerminationWakeFd(-1);
  for (int& fd : s.wake_pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

bool X11DisplayActive() { return X().display != nullptr; }

unsigned long X11WindowOf(HWND top_level) {
  auto it = X().windows.find(top_level);
  return it == X().windows.end() ? 0 : it->second;
}

void PumpX11Display() {
  if (!X().display) return;
  XSync(X().display, False);
  Drain();
}

}  // namespace platform::backend
