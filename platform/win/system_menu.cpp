// The window menu (system menu) of a window: built from a table, in the layer's language, on the first
// GetSystemMenu, kept per window until the window goes or the program reverts it.
#include <map>

#include "platform/win/input_injection.h"
#include "platform/win/layer_texts.h"
#include "platform/win/menu.h"
#include "platform/win/window.h"

namespace {

struct SystemMenuItem {
  WPARAM command;  // 0: a separator
  const char* text;
  DWORD styles;  // the window needs one of these styles for the item (0: every window)
};

constexpr SystemMenuItem kSystemMenuItems[] = {
#define SYSTEM_MENU_ITEM(command, text, styles) {command, text, styles},
#include "platform/win/system_menu.def"
#undef SYSTEM_MENU_ITEM
};
static_assert(std::size(kSystemMenuItems) == 7);

struct SystemMenus {
  std::map<HWND, HMENU> menus;
  int hook = -1;
};

SystemMenus& S() {
  static SystemMenus s;
  return s;
}

void Drop(HWND hwnd) {
  auto& menus = S().menus;
  auto it = menus.find(hwnd);
  if (it == menus.end()) return;
  DestroyMenu(it->second);
  menus.erase(it);
}

HMENU Build(DWORD style) {
  HMENU menu = CreatePopupMenu();
  for (const SystemMenuItem& item : kSystemMenuItems) {
    if (item.styles && !(style & item.styles)) continue;
    if (item.command) {
      AppendMenu(menu, MF_STRING, item.command, platform::win::LayerText(item.text));
    } else {
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    }
  }
  return menu;
}

}  // namespace

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  if (!IsWindow(hwnd) || (style & WS_CHILD) || !(style & WS_SYSMENU)) return nullptr;
  auto& s = S();
  if (s.hook < 0) {
    s.hook = platform::win::AddWindowEventHook([](platform::win::WindowEvent e, HWND top, const RECT&) {
      if (e == platform::win::WindowEvent::kDestroyed) Drop(top);
    });
  }
  if (revert) {
    Drop(hwnd);
    return nullptr;
  }
  auto it = s.menus.find(hwnd);
  if (it != s.menus.end() && IsMenu(it->second)) return it->second;
  return s.menus[hwnd] = Build(style);
}

void platform::win::UpdateSystemMenuState(HWND hwnd) {
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu) return;
  const bool minimized = IsIconic(hwnd) != FALSE, maximized = IsZoomed(hwnd) != FALSE;
  const struct {
    WPARAM command;
    bool enabled;
  } states[] = {{SC_RESTORE, minimized || maximized}, {SC_MOVE, !maximized},     {SC_SIZE, !minimized && !maximized},
                {SC_MINIMIZE, !minimized},            {SC_MAXIMIZE, !maximized}};
  for (const auto& s : states) EnableMenuItem(menu, static_cast<UINT>(s.command), MF_BYCOMMAND | (s.enabled ? MF_ENABLED : MF_GRAYED));
}
