// Menus and accelerators.
#include "platform/win/menu.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/sys/dynamic_library.h"
#include "platform/win/detail/handle_table.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/resource_name.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct MenuItem {
  UINT flags = 0;  // MF_ state and kind bits, without MF_BYPOSITION
  UINT id = 0;
  HMENU popup = nullptr;
  std::string text;
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
};

HandleTable<Menu>& Menus() {
  static HandleTable<Menu> table(1);
  return table;
}

Menu* Get(HMENU h) { return Menus().Get(reinterpret_cast<std::uintptr_t>(h)); }

HMENU NewMenu(bool popup) {
  auto m = std::make_unique<Menu>();
  m->popup = popup;
  return reinterpret_cast<HMENU>(Menus().Add(std::move(m)));
}

struct Found {
  Menu* menu = nullptr;
  std::size_t index = 0;
  HMENU owner = nullptr;
};

// By position in this menu, or by command anywhere below it.
Found Find(HMENU h, UINT item, UINT flags) {
  Menu* m = Get(h);
  if (!m) return {};
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return {};
    return Found{m, item, h};
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& it = m->items[i];
    if (!(it.flags & MF_POPUP) && it.id == item && !(it.flags & MF_SEPARATOR)) return Found{m, i, h};
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].flags & MF_POPUP) {
      Found f = Find(m->items[i].popup, item, flags);
      if (f.menu) return f;
    }
  }
  return {};
}

MenuItem MakeItem(UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  MenuItem it;
  it.flags = flags & ~static_cast<UINT>(MF_BYPOSITION);
  if (flags & MF_POPUP) {
    it.popup = reinterpret_cast<HMENU>(id_or_popup);
    if (Menu* sub = Get(it.popup)) sub->popup = true;
  } else {
    it.id = static_cast<UINT>(id_or_popup);
  }
  if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text) it.text = text;
  return it;
}

struct ResourceKey {
  std::uintptr_t instance;
  std::string name;
  bool operator<(const ResourceKey& o) const { return std::tie(instance, name) < std::tie(o.instance, o.name); }
};

std::string NameKey(LPCSTR name) { return platform::win::ResourceNameKey(name); }

std::map<ResourceKey, std::span<const MenuTemplateItem>>& MenuTemplates() {
  static std::map<ResourceKey, std::span<const MenuTemplateItem>> m;
  return m;
}

struct Accel {
  std::vector<ACCEL> entries;
};

HandleTable<Accel>& Accels() {
  static HandleTable<Accel> table(2);
  return table;
}

std::map<ResourceKey, std::span<const ACCEL>>& AccelTemplates() {
  static std::map<ResourceKey, std::span<const ACCEL>> m;
  return m;
}

[[maybe_unused]] const int kDropOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kAfterClose, [](HMODULE module) {
      const auto key = reinterpret_cast<std::uintptr_t>(module);
      std::erase_if(MenuTemplates(), [&](const auto& e) { return e.first.instance == key; });
      std::erase_if(AccelTemplates(), [&](const auto& e) { return e.first.instance == key; });
    });

PopupMenuResponder& Responder() {
  static PopupMenuResponder r;
  return r;
}

template <class T>
const T* FindResource(const std::map<ResourceKey, T>& map, HINSTANCE instance, LPCSTR name) {
  std::string key = NameKey(name);
  auto it = map.find(ResourceKey{reinterpret_cast<std::uintptr_t>(instance), key});
  if (it != map.end()) return &it->second;
  for (const auto& [k, v] : map)
    if (k.name == key) return &v;
  return nullptr;
}

std::size_t BuildFrom(HMENU menu, std::span<const MenuTemplateItem> items, std::size_t at, int depth) {
  while (at < items.size() && items[at].depth >= depth) {
    const MenuTemplateItem& row = items[at];
    if (row.depth > depth) {
      ++at;  // a row with no pop-up above it: skipped
      continue;
    }
    if (row.flags & MF_POPUP) {
      HMENU sub = NewMenu(true);
      at = BuildFrom(sub, items, at + 1, depth + 1);
      AppendMenu(menu, row.flags, reinterpret_cast<UINT_PTR>(sub), row.text);
    } else {
      AppendMenu(menu, row.flags, row.id, row.text);
      ++at;
    }
  }
  return at;
}

// The path of pop-up positions from the bar down to the item with command id.
bool PathTo(HMENU h, UINT id, std::vector<std::pair<HMENU, std::size_t>>& path) {
  Menu* m = Get(h);
  if (!m) return false;
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& it = m->items[i];
    path.emplace_back(h, i);
    if (it.flags & MF_POPUP) {
      if (PathTo(it.popup, id, path)) return true;
    } else if (it.id == id && !(it.flags & MF_SEPARATOR)) {
      return true;
    }
    path.pop_back();
  }
  return false;
}

WPARAM SelectParam(const MenuItem& it, std::size_t index) {
  UINT flags = (it.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR)) | MF_HILITE | MF_MOUSESELECT;
  WORD first = (it.flags & MF_POPUP) ? static_cast<WORD>(index) : static_cast<WORD>(it.id);
  return MAKEWPARAM(first, static_cast<WORD>(flags));
}

}  // namespace
}  // namespace platform::win::detail

using namespace platform::win::detail;

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
  Menu* m = Get(menu);
  if (!m) return FALSE;
  std::vector<HMENU> subs;
  for (auto& it : m->items)
    if (it.flags & MF_POPUP) subs.push_back(it.popup);
  Menus().Remove(reinterpret_cast<std::uintptr_t>(menu));
  for (HMENU s : subs) DestroyMenu(s);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return Get(menu) ? TRUE : FALSE; }

HMENU LoadMenuIndirect(const MenuTemplateItem* items, std::size_t count) {
  if (!items) return nullptr;
  HMENU menu = CreateMenu();
  BuildFrom(menu, std::span<const MenuTemplateItem>(items, count), 0, 0);
  return menu;
}

HMENU LoadMenu(HINSTANCE instance, LPCSTR name) {
  const auto* t = FindResource(MenuTemplates(), instance, name);
  if (!t) return nullptr;
  return LoadMenuIndirect(t->data(), t->size());
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  Menu* m = Get(menu);
  if (!m) return FALSE;
  m->items.push_back(MakeItem(flags, id_or_popup, text));
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  Menu* m = Get(menu);
  if (!m) return FALSE;
  if (flags & MF_BYPOSITION) {
    std::size_t at = position >= m->items.size() ? m->items.size() : position;
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), MakeItem(flags, id_or_popup, text));
    return TRUE;
  }
  Found f = Find(menu, position, MF_BYCOMMAND);
  if (!f.menu) {
    m->items.push_back(MakeItem(flags, id_or_popup, text));
    return TRUE;
  }
  f.menu->items.insert(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index), MakeItem(flags, id_or_popup, text));
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  Found f = Find(menu, position, flags);
  if (!f.menu) return FALSE;
  f.menu->items[f.index] = MakeItem(flags, id_or_popup, text);
  return TRUE;
}

static BOOL Remove(HMENU menu, UINT position, UINT flags, bool destroy) {
  Found f = Find(menu, position, flags);
  if (!f.menu) return FALSE;
  MenuItem it = f.menu->items[f.index];
  f.menu->items.erase(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index));
  if (destroy && (it.flags & MF_POPUP)) DestroyMenu(it.popup);
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, false); }

HMENU GetMenu(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return nullptr;
  return Get(w->menu) ? w->menu : nullptr;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  if (menu && !Get(menu)) return FALSE;
  w->menu = menu;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetSubMenu(HMENU menu, int position) {
  Menu* m = Get(menu);
  if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return nullptr;
  const MenuItem& it = m->items[static_cast<std::size_t>(position)];
  return (it.flags & MF_POPUP) ? it.popup : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  Menu* m = Get(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  Menu* m = Get(menu);
  if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return 0xFFFFFFFFu;
  const MenuItem& it = m->items[static_cast<std::size_t>(position)];
  return (it.flags & MF_POPUP) ? 0xFFFFFFFFu : it.id;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
  Found f = Find(menu, item, flags);
  if (!f.menu) {
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
  }
  const std::string& text = f.menu->items[f.index].text;
  if (!buffer || size <= 0) return static_cast<int>(text.size());
  int n = std::min<int>(size - 1, static_cast<int>(text.size()));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Found f = Find(menu, item, flags);
  if (!f.menu) return 0xFFFFFFFFu;
  const MenuItem& it = f.menu->items[f.index];
  UINT state = it.flags & 0xFFFF & ~static_cast<UINT>(MF_BYPOSITION);
  if (it.flags & MF_POPUP) {
    Menu* sub = Get(it.popup);
    state |= static_cast<UINT>(sub ? sub->items.size() : 0) << 8;
  }
  return state;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  Found f = Find(menu, item, flags);
  if (!f.menu) return 0xFFFFFFFFu;
  MenuItem& it = f.menu->items[f.index];
  UINT old = it.flags & (MF_GRAYED | MF_DISABLED);
  it.flags = (it.flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  Found f = Find(menu, item, flags);
  if (!f.menu) return 0xFFFFFFFFu;
  MenuItem& it = f.menu->items[f.index];
  DWORD old = it.flags & MF_CHECKED;
  it.flags = (it.flags & ~static_cast<UINT>(MF_CHECKED)) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  bool any = false;
  if (flags & MF_BYPOSITION) {
    Menu* m = Get(menu);
    if (!m) return FALSE;
    for (UINT i = first; i <= last && i < m->items.size(); ++i) {
      MenuItem& it = m->items[i];
      it.flags &= ~static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK);
      if (i == check) it.flags |= MF_CHECKED | MFT_RADIOCHECK;
      any = true;
    }
    return any ? TRUE : FALSE;
  }
  for (UINT id = first; id <= last; ++id) {
    Found f = Find(menu, id, MF_BYCOMMAND);
    if (!f.menu) continue;
    MenuItem& it = f.menu->items[f.index];
    it.flags &= ~static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK);
    if (id == check) it.flags |= MF_CHECKED | MFT_RADIOCHECK;
    any = true;
  }
  return any ? TRUE : FALSE;
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!Lookup(hwnd)) return FALSE;
  platform::win::detail::NotifyTextChanged(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

namespace platform::win::detail {
UINT TrackPopupOnScreen(HMENU menu, UINT flags, int x, int y, HWND owner);  // menu_loop.cpp
}  // namespace platform::win::detail

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!Get(menu) || !IsWindow(owner)) return FALSE;
  if (!Responder()) {
    const UINT chosen = platform::win::detail::TrackPopupOnScreen(menu, flags, x, y, owner);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && IsWindow(owner)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
  }
  if (!(flags & TPM_NONOTIFY)) {
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }
  UINT chosen = 0;
  if (Responder()) chosen = Responder()(menu, owner);
  if (chosen) {
    Found f = Find(menu, chosen, MF_BYCOMMAND);
    if (!f.menu || (f.menu->items[f.index].flags & (MF_GRAYED | MF_DISABLED))) chosen = 0;
  }
  if (!(flags & TPM_NONOTIFY) && IsWindow(owner)) {
    SendMessage(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    if (IsWindow(owner)) SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && IsWindow(owner)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  return TRUE;
}

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
  if (!entries || count <= 0) return nullptr;
  auto a = std::make_unique<Accel>();
  a->entries.assign(entries, entries + count);
  return reinterpret_cast<HACCEL>(Accels().Add(std::move(a)));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  return Accels().Remove(reinterpret_cast<std::uintptr_t>(table)) ? TRUE : FALSE;
}

HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name) {
  const auto* t = FindResource(AccelTemplates(), instance, name);
  if (!t) return nullptr;
  return CreateAcceleratorTable(t->data(), static_cast<int>(t->size()));
}

int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg) {
  Accel* a = Accels().Get(reinterpret_cast<std::uintptr_t>(table));
  if (!a || !msg || !IsWindow(hwnd)) return 0;
  bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool chr = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key && !chr) return 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool alt = GetKeyState(VK_MENU) < 0 || msg->message == WM_SYSKEYDOWN;
  for (const ACCEL& e : a->entries) {
    if (e.fVirt & FVIRTKEY) {
      if (!key || e.key != msg->wParam) continue;
      if (((e.fVirt & FSHIFT) != 0) != shift || ((e.fVirt & FCONTROL) != 0) != ctrl || ((e.fVirt & FALT) != 0) != alt)
        continue;
    } else {
      if (!chr || e.key != msg->wParam) continue;
    }
    // A greyed menu command is not run by its key either.
    HMENU menu = GetMenu(hwnd);
    if (menu) {
      UINT state = GetMenuState(menu, e.cmd, MF_BYCOMMAND);
      if (state != 0xFFFFFFFFu && (state & (MF_GRAYED | MF_DISABLED))) return 1;
    }
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(e.cmd, 1), 0);
    return 1;
  }
  return 0;
}

namespace platform::win {

void RegisterMenuTemplate(HINSTANCE instance, LPCSTR name, std::span<const MenuTemplateItem> items) {
  MenuTemplates()[ResourceKey{reinterpret_cast<std::uintptr_t>(instance), NameKey(name)}] = items;
}

void RegisterAcceleratorTable(HINSTANCE instance, LPCSTR name, std::span<const ACCEL> entries) {
  AccelTemplates()[ResourceKey{reinterpret_cast<std::uintptr_t>(instance), NameKey(name)}] = entries;
}

void SetPopupMenuResponder(PopupMenuResponder responder) { Responder() = std::move(responder); }

MenuItemInfo DescribeMenuItem(HMENU menu, UINT item, UINT by_flags) {
  Found f = Find(menu, item, by_flags);
  if (!f.menu) return {};
  const MenuItem& it = f.menu->items[f.index];
  return MenuItemInfo{true, it.flags, it.id, it.popup, it.text.c_str()};
}

static void EnterMenu(HWND hwnd, HMENU bar) {
  SendMessage(hwnd, WM_ENTERMENULOOP, FALSE, 0);
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
}

// The pop-ups that were open close, innermost first, then the menu.
static void LeaveMenu(HWND hwnd, const std::vector<HMENU>& opened) {
  if (!IsWindow(hwnd)) return;
  SendMessage(hwnd, WM_ENTERIDLE, MSGF_MENU, 0);
  for (auto it = opened.rbegin(); it != opened.rend() && IsWindow(hwnd); ++it)
    SendMessage(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(*it), 0);
  if (!IsWindow(hwnd)) return;
  SendMessage(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_EXITMENULOOP, FALSE, 0);
}

bool PickMenuCommand(HWND hwnd, UINT id) {
  HMENU bar = GetMenu(hwnd);
  if (!bar || !IsWindowEnabled(hwnd)) return false;
  std::vector<std::pair<HMENU, std::size_t>> path;
  if (!PathTo(bar, id, path)) return false;
  EnterMenu(hwnd, bar);
  // The pop-ups on the way open one by one; a greyed step stops the walk and the menu closes unchosen.
  bool blocked = false;
  std::size_t reached = 0;
  std::vector<HMENU> opened;
  for (; reached < path.size(); ++reached) {
    Menu* m = Get(path[reached].first);
    if (!m || path[reached].second >= m->items.size()) {
      blocked = true;
      break;
    }
    const MenuItem& it = m->items[path[reached].second];
    SendMessage(hwnd, WM_MENUSELECT, SelectParam(it, path[reached].second), reinterpret_cast<LPARAM>(path[reached].first));
    if (!IsWindow(hwnd)) return false;
    m = Get(path[reached].first);
    if (!m) return false;
    const MenuItem& now = m->items[path[reached].second];
    if (now.flags & (MF_GRAYED | MF_DISABLED)) {
      blocked = true;
      break;
    }
    if (now.flags & MF_POPUP) {
      HMENU popup = now.popup;
      SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                  MAKELPARAM(static_cast<WORD>(path[reached].second), 0));
      if (!IsWindow(hwnd)) return false;
      opened.push_back(popup);
    }
  }
  LeaveMenu(hwnd, opened);
  if (blocked || !IsWindow(hwnd)) return false;
  PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  return true;
}

bool BrowseMenu(HWND hwnd, int position) {
  HMENU bar = GetMenu(hwnd);
  Menu* m = Get(bar);
  if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return false;
  EnterMenu(hwnd, bar);
  MenuItem it = m->items[static_cast<std::size_t>(position)];
  SendMessage(hwnd, WM_MENUSELECT, SelectParam(it, static_cast<std::size_t>(position)), reinterpret_cast<LPARAM>(bar));
  std::vector<HMENU> opened;
  if ((it.flags & MF_POPUP) && IsWindow(hwnd)) {
    SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(it.popup), MAKELPARAM(static_cast<WORD>(position), 0));
    opened.push_back(it.popup);
  }
  LeaveMenu(hwnd, opened);
  return true;
}

}  // namespace platform::win
