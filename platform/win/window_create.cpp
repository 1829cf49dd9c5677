// Window classes, creation and destruction.
#include <algorithm>
#include <cstdio>

#include "platform/sys/user_name.h"

#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/threads.h"
#include "platform/win/window.h"

using platform::win::detail::CallProc;
using platform::win::detail::Lookup;
using platform::win::detail::Window;
using platform::win::detail::WindowClassInfo;

static ATOM RegisterFrom(UINT style, WNDPROC proc, int cls_extra, int wnd_extra, HINSTANCE instance, HICON icon,
                         HICON small_icon, HCURSOR cursor, HBRUSH background, LPCSTR menu, LPCSTR name) {
  if (!name || !proc) return 0;
  auto cls = std::make_shared<WindowClassInfo>();
  if (IS_INTRESOURCE(name)) return 0;
  cls->name = name;
  cls->style = style;
  cls->proc = proc;
  cls->cls_extra = std::max(0, cls_extra);
  cls->wnd_extra = std::max(0, wnd_extra);
  cls->class_extra.assign(static_cast<std::size_t>(cls->cls_extra), 0);
  cls->instance = instance;
  cls->icon = icon;
  cls->small_icon = small_icon;
  cls->cursor = cursor;
  cls->background = background;
  if (menu) {
    if (IS_INTRESOURCE(menu))
      cls->menu_id = reinterpret_cast<std::uintptr_t>(menu);
    else
      cls->menu_name = menu;
  }
  platform::win::detail::EnsureSystemClasses();
  return platform::win::detail::AddClass(std::move(cls));
}

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc) return 0;
  return RegisterFrom(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon, nullptr,
                      wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  if (!wc) return 0;
  return RegisterFrom(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
                      wc->hIconSm, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

BOOL UnregisterClass(LPCSTR class_name, HINSTANCE) {
  return platform::win::detail::RemoveClass(class_name) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR class_name, WNDCLASS* out) {
  auto cls = platform::win::detail::FindClass(class_name);
  if (!cls || !out) return FALSE;
  *out = WNDCLASS{cls->style, cls->proc, cls->cls_extra, cls->wnd_extra, cls->instance, cls->icon, cls->cursor,
                  cls->background, cls->menu_id ? MAKEINTRESOURCE(cls->menu_id) : nullptr, class_name};
  return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size) {
  Window* w = Lookup(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  const std::string& name = w->cls->name;
  int n = std::min<int>(size - 1, static_cast<int>(name.size()));
  std::copy_n(name.data(), n, buffer);
  buffer[n] = '\0';
  return n;
}

namespace {

int g_default_slot = 0;
thread_local platform::win::CreationHookSlot t_creation_hook;

void DefaultGeometry(bool child, int& x, int& y, int& cx, int& cy) {
  if (x == CW_USEDEFAULT) {
    if (child) {
      x = y = 0;
    } else {
      int step = 26 * (g_default_slot++ % 8);
      x = 40 + step;
      y = 40 + step;
    }
  }
  if (cx == CW_USEDEFAULT) {
    if (child) {
      cx = cy = 0;
    } else {
      cx = GetSystemMetrics(SM_CXSCREEN) * 2 / 3;
      cy = GetSystemMetrics(SM_CYSCREEN) * 2 / 3;
    }
  }
  cx = std::max(cx, 0);
  cy = std::max(cy, 0);
}

void Unlink(Window& w) {
  if ((w.style & WS_CHILD) && w.parent) {
    if (Window* p = Lookup(w.parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), w.handle), c.end());
    }
  } else {
    platform::win::detail::RemoveTopLevel(w.handle);
  }
}

void SendDestroy(HWND hwnd) {
  CallProc(hwnd, WM_DESTROY, 0, 0);
  Window* w = Lookup(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND c : children) {
    if (Window* cw = Lookup(c)) {
      cw->destroying = true;
      SendDestroy(c);
    }
  }
}

void FinalDestroy(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND c : children) FinalDestroy(c);
  platform::win::detail::KillWindowTimers(hwnd);
  platform::win::detail::ForgetWindow(hwnd);
  CallProc(hwnd, WM_NCDESTROY, 0, 0);
  w = Lookup(hwnd);
  if (!w) return;
  // The dialog's own font goes with it (after its controls, which used it).
  if (w->dialog && w->dialog->font) {
    HFONT font = w->dialog->font;
    w->dialog->font = nullptr;
    platform::win::DestroyDialogFont(font);
    w = Lookup(hwnd);
    if (!w) return;
  }
  if (!(w->style & WS_CHILD) && w->menu) {
    HMENU menu = w->menu;
    w->menu = nullptr;
    DestroyMenu(menu);
  }
  Unlink(*w);
  platform::win::detail::Release(hwnd);
}

}  // namespace

HWND CreateWindowEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu_or_id, HINSTANCE instance, LPVOID param) {
  platform::win::detail::BindUiThread();
  if (!platform::win::IsWindowThread()) {
    // The window table belongs to the window thread (threads.h): a worker asks that thread to create windows.
    std::fprintf(stderr, "window layer: CreateWindowEx(\"%s\") on a thread that is not the window thread\n",
                 class_name && !IS_INTRESOURCE(class_name) ? class_name : "#");
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  auto cls = platform::win::detail::FindClass(class_name);
  if (!cls) return nullptr;
  bool child = (style & WS_CHILD) != 0;
  if (child && !Lookup(parent)) return nullptr;
  if (!child && parent && !Lookup(parent)) return nullptr;
  DefaultGeometry(child, x, y, width, height);

  Window* w = platform::win::detail::Allocate();
  if (!w) return nullptr;
  HWND hwnd = w->handle;
  w->cls = cls;
  w->proc = cls->proc;
  bool visible = (style & WS_VISIBLE) != 0;
  w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  if (!child && !(style & WS_POPUP)) w->style |= WS_CLIPSIBLINGS;
  w->ex_style = ex_style;
  w->instance = instance;
  w->text = window_name && !IS_INTRESOURCE(window_name) ? window_name : "";
  w->rect = RECT{x, y, x + width, y + height};
  w->extra.assign(static_cast<std::size_t>(cls->wnd_extra), 0);
  if (child) {
    w->parent = parent;
    w->id = reinterpret_cast<UINT_PTR>(menu_or_id);
    Lookup(parent)->children.push_back(hwnd);
  } else {
    w->owner = parent ? platform::win::detail::Root(parent) : nullptr;
    platform::win::detail::AddTopLevel(hwnd);
    HMENU menu = menu_or_id;
    if (!menu && cls->menu_id) menu = LoadMenu(cls->instance ? cls->instance : instance, MAKEINTRESOURCE(cls->menu_id));
    if (!menu && !cls->menu_name.empty()) menu = LoadMenu(cls->instance ? cls->instance : instance, cls->menu_name.c_str());
    w->menu = menu;
  }

  if (t_creation_hook.hook) {
    t_creation_hook.hook(hwnd, t_creation_hook.context);
    if (!Lookup(hwnd)) return nullptr;
  }

  CREATESTRUCT cs{param, instance, menu_or_id, parent, height, width, y, x, static_cast<LONG>(style),
                  window_name, class_name, ex_style};
  if (!child) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    mmi.ptMaxTrackSize = mmi.ptMaxSize;
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    CallProc(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!CallProc(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Lookup(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (!Lookup(hwnd)) return nullptr;
  if (CallProc(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (Lookup(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (!Lookup(hwnd)) return nullptr;
  RECT client{};
  GetClientRect(hwnd, &client);
  CallProc(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  POINT origin{0, 0};
  if (child) {
    ClientToScreen(hwnd, &origin);
    ScreenToClient(parent, &origin);
  } else {
    ClientToScreen(hwnd, &origin);
  }
  CallProc(hwnd, WM_MOVE, 0, MAKEPOINTLPARAM(origin.x, origin.y));
  if (!Lookup(hwnd)) return nullptr;
  platform::win::detail::NotifyCreated(hwnd);
  if (visible) {
    if (child) {
      Lookup(hwnd)->style |= WS_VISIBLE;
      InvalidateRect(hwnd, nullptr, TRUE);
    } else {
      ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
  }
  return Lookup(hwnd) ? hwnd : nullptr;
}

platform::win::CreationHookSlot platform::win::SetCreationHook(CreationHookSlot slot) {
  CreationHookSlot old = t_creation_hook;
  t_creation_hook = slot;
  return old;
}

// A window stays a window until its WM_NCDESTROY has run, so its own WM_DESTROY handler can still use it.
BOOL IsWindow(HWND hwnd) { return Lookup(hwnd) ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || w->destroying) return FALSE;
  w->destroying = true;
  bool child = (w->style & WS_CHILD) != 0;
  // Owned windows go first.
  if (!child) {
    for (HWND t : platform::win::detail::TopLevelWindows()) {
      Window* tw = Lookup(t);
      if (tw && tw->owner == hwnd && !tw->destroying) DestroyWindow(t);
    }
  }
  w = Lookup(hwnd);
  if (!w) return TRUE;
  // Hiding first hands activation (and with it the focus) to another window while this one still lives.
  if (w->style & WS_VISIBLE) {
    if (child) {
      RECT r = w->rect;
      w->style &= ~static_cast<DWORD>(WS_VISIBLE);
      if (Lookup(w->parent)) InvalidateRect(w->parent, &r, TRUE);
    } else {
      ShowWindow(hwnd, SW_HIDE);
    }
  } else if (GetActiveWindow() == hwnd) {
    ShowWindow(hwnd, SW_HIDE);
  }
  if (!Lookup(hwnd)) return TRUE;
  if (GetCapture() && platform::win::detail::IsDescendant(hwnd, GetCapture())) ReleaseCapture();
  platform::win::detail::NotifyDestroyed(hwnd);
  SendDestroy(hwnd);
  FinalDestroy(hwnd);
  return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!proc) return 0;
  return proc(hwnd, message, wparam, lparam);
}
