// The window tree: parent, owner, children and siblings, lookup by id, class or title.
#include <algorithm>
#include <cstring>

#include "platform/win/detail/window_table.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace {

// The desktop: a window record of its own that covers the screen and parents nothing.
LRESULT DesktopProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProc(hwnd, message, wparam, lparam);
}

HWND g_desktop = nullptr;

}  // namespace

HWND GetDesktopWindow() {
  if (!Lookup(g_desktop)) {
    Window* w = platform::win::detail::Allocate();
    if (!w) return nullptr;
    auto cls = std::make_shared<platform::win::detail::WindowClassInfo>();
    cls->name = "Desktop";
    cls->proc = DesktopProc;
    w->cls = cls;
    w->proc = DesktopProc;
    w->style = WS_VISIBLE | WS_POPUP;
    w->rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    g_desktop = w->handle;
  }
  return g_desktop;
}

HWND GetParent(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND SetParent(HWND child, HWND new_parent) {
  Window* w = Lookup(child);
  if (!w || (new_parent && !Lookup(new_parent))) return nullptr;
  if (new_parent && platform::win::detail::IsDescendant(child, new_parent)) return nullptr;
  HWND old = (w->style & WS_CHILD) ? w->parent : GetDesktopWindow();
  if (w->style & WS_CHILD) {
    if (Window* p = Lookup(w->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), child), c.end());
    }
  } else {
    platform::win::detail::RemoveTopLevel(child);
  }
  if (new_parent && new_parent != GetDesktopWindow()) {
    w = Lookup(child);
    w->style |= WS_CHILD;
    w->parent = new_parent;
    w->owner = nullptr;
    Lookup(new_parent)->children.push_back(child);
  } else {
    w = Lookup(child);
    w->style &= ~static_cast<DWORD>(WS_CHILD);
    w->parent = nullptr;
    platform::win::detail::AddTopLevel(child);
  }
  InvalidateRect(child, nullptr, TRUE);
  return old;
}

static const std::vector<HWND>* SiblingList(const Window& w, std::vector<HWND>& storage) {
  if ((w.style & WS_CHILD) && w.parent) {
    Window* p = Lookup(w.parent);
    return p ? &p->children : nullptr;
  }
  storage = platform::win::detail::TopLevelWindows();
  return &storage;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (relation == GW_OWNER) return (w->style & WS_CHILD) ? nullptr : w->owner;
  std::vector<HWND> storage;
  const std::vector<HWND>* list = SiblingList(*w, storage);
  if (!list || list->empty()) return nullptr;
  auto it = std::find(list->begin(), list->end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST: return list->front();
    case GW_HWNDLAST: return list->back();
    case GW_HWNDNEXT:
      if (it == list->end() || it + 1 == list->end()) return nullptr;
      return *(it + 1);
    case GW_HWNDPREV:
      if (it == list->end() || it == list->begin()) return nullptr;
      return *(it - 1);
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) {
    auto tops = platform::win::detail::TopLevelWindows();
    return tops.empty() ? nullptr : tops.front();
  }
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetAncestor(HWND hwnd, UINT relation) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  switch (relation) {
    case GA_PARENT: return (w->style & WS_CHILD) ? w->parent : GetDesktopWindow();
    case GA_ROOT: return platform::win::detail::Root(hwnd);
    case GA_ROOTOWNER: {
      HWND h = platform::win::detail::Root(hwnd);
      for (Window* r = Lookup(h); r && r->owner && Lookup(r->owner); r = Lookup(r->owner)) h = r->owner;
      return h;
    }
    default: return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  if (!Lookup(parent) || parent == hwnd) return FALSE;
  return platform::win::detail::IsDescendant(parent, hwnd) ? TRUE : FALSE;
}

static bool EnumTree(HWND parent, WNDENUMPROC proc, LPARAM lparam) {
  Window* w = Lookup(parent);
  if (!w) return true;
  std::vector<HWND> children = w->children;
  for (HWND c : children) {
    if (!Lookup(c)) continue;
    if (!proc(c, lparam)) return false;
    if (!EnumTree(c, proc, lparam)) return false;
  }
  return true;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lparam) {
  if (!proc) return FALSE;
  if (!parent) return EnumWindows(proc, lparam);
  return EnumTree(parent, proc, lparam) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lparam) {
  if (!proc) return FALSE;
  for (HWND t : platform::win::detail::TopLevelWindows()) {
    if (Lookup(t) && !proc(t, lparam)) return FALSE;
  }
  return TRUE;
}

static bool SameText(const char* a, const std::string& b) {
  return a == nullptr || std::strcmp(a, b.c_str()) == 0;
}

HWND FindWindow(LPCSTR class_name, LPCSTR window_name) {
  auto cls = class_name ? platform::win::detail::FindClass(class_name) : nullptr;
  if (class_name && !cls) return nullptr;
  for (HWND t : platform::win::detail::TopLevelWindows()) {
    Window* w = Lookup(t);
    if (!w || w->destroying) continue;
    if (cls && w->cls != cls) continue;
    if (!SameText(window_name, w->text)) continue;
    return t;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || !(w->style & WS_CHILD)) return 0;
  return static_cast<int>(w->id);
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = Lookup(dialog);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    Window* cw = Lookup(c);
    if (cw && !cw->destroying && static_cast<int>(cw->id) == id) return c;
  }
  return nullptr;
}
