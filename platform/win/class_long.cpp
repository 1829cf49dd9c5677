// Get/SetClassLong(Ptr): the class record behind a window, shared by every window of the class.
#include <cstring>

#include "platform/win/detail/window_table.h"
#include "platform/win/window.h"
#include "platform/win/window_class.h"

using platform::win::detail::Lookup;
using platform::win::detail::WindowClassInfo;

namespace {

WindowClassInfo* ClassOf(HWND hwnd) {
  auto* w = Lookup(hwnd);
  return w && w->cls ? w->cls.get() : nullptr;
}

bool ExtraRange(const WindowClassInfo& c, int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) + size <= c.class_extra.size();
}

}  // namespace

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  const WindowClassInfo* c = ClassOf(hwnd);
  if (!c) return 0;
  switch (index) {
    case GCLP_MENUNAME: return c->menu_id;
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c->background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c->cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c->icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c->small_icon);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c->instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c->wnd_extra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c->cls_extra);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->proc);
    case GCL_STYLE: return c->style;
    case GCW_ATOM: return c->atom;
    default: break;
  }
  if (!ExtraRange(*c, index, sizeof(ULONG_PTR))) return 0;
  ULONG_PTR v;
  std::memcpy(&v, c->class_extra.data() + index, sizeof v);
  return v;
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WindowClassInfo* c = ClassOf(hwnd);
  if (!c) return 0;
  const ULONG_PTR old = GetClassLongPtr(hwnd, index);
  switch (index) {
    case GCLP_MENUNAME: c->menu_id = static_cast<std::uintptr_t>(value); return old;
    case GCLP_HBRBACKGROUND: c->background = reinterpret_cast<HBRUSH>(value); return old;
    case GCLP_HCURSOR: c->cursor = reinterpret_cast<HCURSOR>(value); return old;
    case GCLP_HICON: c->icon = reinterpret_cast<HICON>(value); return old;
    case GCLP_HICONSM: c->small_icon = reinterpret_cast<HICON>(value); return old;
    case GCLP_HMODULE: c->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GCLP_WNDPROC:
      if (value) c->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GCL_STYLE: c->style = static_cast<UINT>(value); return old;
    case GCL_CBWNDEXTRA:
    case GCL_CBCLSEXTRA:
    case GCW_ATOM: return 0;
    default: break;
  }
  if (!ExtraRange(*c, index, sizeof(ULONG_PTR))) return 0;
  std::memcpy(c->class_extra.data() + index, &value, sizeof value);
  return old;
}

DWORD GetClassLong(HWND hwnd, int index) {
  const WindowClassInfo* c = ClassOf(hwnd);
  if (!c) return 0;
  if (index >= 0) {
    if (!ExtraRange(*c, index, sizeof(DWORD))) return 0;
    DWORD v;
    std::memcpy(&v, c->class_extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

DWORD SetClassLong(HWND hwnd, int index, LONG value) {
  WindowClassInfo* c = ClassOf(hwnd);
  if (!c) return 0;
  if (index >= 0) {
    if (!ExtraRange(*c, index, sizeof(DWORD))) return 0;
    DWORD old;
    std::memcpy(&old, c->class_extra.data() + index, sizeof old);
    std::memcpy(c->class_extra.data() + index, &value, sizeof value);
    return old;
  }
  return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value));
}
