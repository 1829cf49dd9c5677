// The menu loop: the menu bar of a window and pop-up menus as the user works them with mouse and keyboard.
//
// One loop runs at a time. It is a modal loop of the message queue that takes every input message for itself
// and lets timers, painting and posted messages go on. The owner hears WM_ENTERMENULOOP, WM_INITMENU,
// WM_INITMENUPOPUP before each pop-up opens, WM_MENUSELECT for each highlight, WM_ENTERIDLE (MSGF_MENU) when the
// queue runs empty, WM_MENUCHAR for a typed letter that no item has, WM_UNINITMENUPOPUP as each pop-up closes,
// WM_MENUSELECT 0xFFFF with no menu and WM_EXITMENULOOP at the close, then the WM_COMMAND of the picked item
// (WM_SYSCOMMAND for the window menu). Each open pop-up is a top-level window of its own (WS_EX_NOACTIVATE, so
// the owner stays active and keeps the focus), painted from the menu. A cascade opens at once by keyboard or
// click, and after kCascadeDelayMs when the pointer rests on its item.
#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/menu_paint.h"
#include "platform/gdi/standard_controls.h"
#include "platform/sys/clock.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/double_click.h"
#include "platform/win/idle.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/move_size.h"
#include "platform/win/popup.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace platform::win {
namespace {

struct Level {
  HMENU menu = nullptr;
  int selected = -1;
  HWND window = nullptr;
  RECT screen{};              // the pop-up window on the screen
  std::vector<RECT> items;    // its items in screen coordinates
};

struct MenuLoop {
  HWND owner = nullptr;
  HMENU bar = nullptr;        // the bar's menu; null for TrackPopupMenu
  int bar_hot = -1;
  std::vector<RECT> bar_items;  // screen coordinates
  std::vector<Level> levels;    // open pop-ups, outermost first
  UINT tpm_flags = 0;
  bool notify = true;
  bool system = false;        // the window menu: MF_SYSMENU in the notifications, WM_SYSCOMMAND for the pick
  RECT system_box{};          // the window-menu box it was opened from (screen; empty by keyboard)
  DWORD opened_at = 0;        // tick count when the window menu opened by the box (a second press soon: Close)
  HMENU system_menu = nullptr;  // the owner's window menu, reached by Left/Right from the bar and back
  bool chosen_system = false;   // the pick is a window-menu command (WM_SYSCOMMAND)
  // The keyboard moves along the bar with the drop-downs open: a greyed title (which opens none) keeps it so.
  bool bar_open = false;
  bool ended = false;
  UINT chosen = 0;
  bool chosen_by_mouse = false;
  POINT chosen_at{};
};

// The timer of a pop-up menu window that opens the cascade of the item the pointer rests on.
constexpr UINT_PTR kCascadeTimer = 1;

MenuLoop* g_loop = nullptr;

bool Selectable(HMENU menu, int i) {
  const auto info = DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
  return info.found && !(info.flags & MF_SEPARATOR);
}

bool Greyed(const MenuItemInfo& info) { return (info.flags & (MF_GRAYED | MF_DISABLED)) != 0; }

BYTE LowerCp1252(BYTE c) {
  if (c < 0x80) return static_cast<BYTE>(std::tolower(c));
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<BYTE>(c + 0x20);
  return c;
}

// The mnemonic of an item text ("&File" gives 'f'), 0 for none.
BYTE MnemonicOf(const char* text) {
  for (const char* p = text; p && *p; ++p) {
    if (*p != '&') continue;
    if (p[1] == '&') {
      ++p;
      continue;
    }
    return p[1] ? LowerCp1252(static_cast<BYTE>(p[1])) : 0;
  }
  return 0;
}

// The next item at or after `from` in steps of `step` (wrapping) whose mnemonic is ch; -1 when none.
int FindMnemonic(HMENU menu, int from, BYTE ch) {
  const int n = GetMenuItemCount(menu);
  for (int k = 0; k < n; ++k) {
    const int i = ((from + k) % n + n) % n;
    const auto info = DescribeMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (info.found && !(info.flags & MF_SEPARATOR) && MnemonicOf(info.text) == LowerCp1252(ch)) return i;
  }
  return -1;
}

// The next selectable item from `from` in direction step, wrapping; -1 when the menu has none.
int NextSelectable(HMENU menu, int from, int step) {
  const int n = GetMenuItemCount(menu);
  if (n <= 0) return -1;
  int i = from;
  for (int k = 0; k < n; ++k) {
    i = ((i + step) % n + n) % n;
    if (Selectable(menu, i)) return i;
  }
  return -1;
}

WPARAM SelectWParam(const MenuLoop& loop, const MenuItemInfo& info, int index, bool by_mouse) {
  UINT flags = (info.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR)) | MF_HILITE;
  if (by_mouse) flags |= MF_MOUSESELECT;
  if (loop.system) flags |= MF_SYSMENU;
  const WORD first = (info.flags & MF_POPUP) ? static_cast<WORD>(index) : static_cast<WORD>(info.id);
  return MAKEWPARAM(first, static_cast<WORD>(flags));
}

void Notify(MenuLoop& loop, UINT message, WPARAM wparam, LPARAM lparam) {
  if (loop.notify && IsWindow(loop.owner)) SendMessage(loop.owner, message, wparam, lparam);
}

void OpenCascade(MenuLoop& loop, std::size_t depth, bool select_first);

LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kCascadeTimer) return 0;
      KillTimer(hwnd, kCascadeTimer);
      if (g_loop) {
        for (std::size_t depth = 0; depth < g_loop->levels.size(); ++depth)
          if (g_loop->levels[depth].window == hwnd) OpenCascade(*g_loop, depth, false);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      int selected = -1;
      if (HMENU menu = MenuOfWindow(hwnd, &selected)) platform::gdi::PaintPopupMenu(dc, menu, selected);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

void EnsureClass() {
  static bool done = false;
  if (done) return;
  done = true;
  detail::EnsureSystemClasses();
  detail::RegisterSystemClass(kPopupMenuClass, PopupMenuProc, CS_SAVEBITS, 0);
}

void RepaintBar(MenuLoop& loop) {
  if (loop.bar && IsWindow(loop.owner)) platform::gdi::PaintWindowFrame(loop.owner);
}

void CloseLevelsFrom(MenuLoop& loop, std::size_t depth) {
  while (loop.levels.size() > depth) {
    HWND w = loop.levels.back().window;
    HMENU menu = loop.levels.back().menu;
    loop.levels.pop_back();
    if (IsWindow(w)) DestroyWindow(w);
    Notify(loop, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, loop.system ? MF_SYSMENU : 0));
  }
}

// Where a pop-up of a size goes on the screen.
using Placement = std::function<RECT(SIZE size)>;

// The top left corner near (x, y), kept on the screen; `flip_left` is where a cascade goes when it does not fit
// at the right (-1: moved left only as far as needed).
Placement NearPoint(int x, int y, int flip_left) {
  return [=](SIZE size) {
    const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
    int left = x, top = y;
    if (left + size.cx > sx) left = std::max(0, flip_left >= 0 ? flip_left - size.cx : sx - size.cx);
    if (top + size.cy > sy) top = std::max(0, sy - size.cy);
    return RECT{left, top, left + size.cx, top + size.cy};
  };
}

// Opens `menu` as a pop-up window (see popup.h: it never takes the activation; on X11 the window manager leaves
// it alone) at the place `place` gives for its size.
void OpenLevel(MenuLoop& loop, HMENU menu, int parent_index, const Placement& place) {
  // The window menu's items follow the window's state each time it opens, however it is reached.
  if (menu == loop.system_menu && loop.system && loop.levels.empty()) UpdateSystemMenuState(loop.owner);
  Notify(loop, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
         MAKELPARAM(static_cast<WORD>(parent_index), loop.system && loop.levels.empty() ? TRUE : FALSE));
  if (loop.ended || !IsMenu(menu)) return;
  EnsureClass();
  const auto layout = platform::gdi::LayoutPopupMenu(menu);
  Level level;
  level.menu = menu;
  level.screen = place(layout.size);
  for (RECT r : layout.items) {
    OffsetRect(&r, level.screen.left, level.screen.top);
    level.items.push_back(r);
  }
  level.window = CreatePopupWindow(kPopupMenuClass, loop.owner, level.screen);
  loop.levels.push_back(level);
  if (level.window) {
    ShowPopupWindow(level.window, level.screen);
    UpdateWindow(level.window);
  }
}

// Highlights item `index` of level `depth`; the cascades below it close unless it is highlighted already (the
// pointer came back from its cascade).
void Select(MenuLoop& loop, std::size_t depth, int index, bool by_mouse) {
  if (depth >= loop.levels.size() || loop.levels[depth].selected == index) return;
  CloseLevelsFrom(loop, depth + 1);
  Level& level = loop.levels[depth];
  level.selected = index;
  if (IsWindow(level.window)) InvalidateRect(level.window, nullptr, FALSE);
  if (index < 0) return;
  const auto info = DescribeMenuItem(level.menu, static_cast<UINT>(index), MF_BYPOSITION);
  HMENU menu = level.menu;
  Notify(loop, WM_MENUSELECT, SelectWParam(loop, info, index, by_mouse), reinterpret_cast<LPARAM>(menu));
}

// The pointer rests on the highlighted item of level `depth`: its cascade opens when the time has passed.
void ArmCascade(const MenuLoop& loop, std::size_t depth) {
  const Level& level = loop.levels[depth];
  if (!IsWindow(level.window)) return;
  const auto info = DescribeMenuItem(level.menu, static_cast<UINT>(level.selected), MF_BYPOSITION);
  if (level.selected >= 0 && (info.flags & MF_POPUP) && !Greyed(info)) {
    SetTimer(level.window, kCascadeTimer, kCascadeDelayMs, nullptr);
  } else {
    KillTimer(level.window, kCascadeTimer);
  }
}

// Opens the cascade of the selected item of level `depth` (when it is an enabled pop-up item).
void OpenCascade(MenuLoop& loop, std::size_t depth, bool select_first) {
  if (depth >= loop.levels.size() || loop.levels.size() > depth + 1) return;
  const Level& level = loop.levels[depth];
  if (level.selected < 0) return;
  const auto info = DescribeMenuItem(level.menu, static_cast<UINT>(level.selected), MF_BYPOSITION);
  if (!(info.flags & MF_POPUP) || Greyed(info) || !info.popup) return;
  const RECT item = level.items[static_cast<std::size_t>(level.selected)];
  OpenLevel(loop, info.popup, level.selected, NearPoint(level.screen.right - 3, item.top - 3, level.screen.left + 3));
  if (select_first && loop.levels.size() == depth + 2)
    Select(loop, depth + 1, NextSelectable(loop.levels.back().menu, -1, 1), false);
}

// Highlights bar item `index` and, when `open`, opens its pop-up.
void SelectBar(MenuLoop& loop, int index, bool open, bool by_mouse, bool select_first) {
  if (!loop.bar) return;
  if (index != loop.bar_hot) {
    CloseLevelsFrom(loop, 0);
    loop.system = false;  // from the window menu onto a title
    loop.bar_hot = index;
    RepaintBar(loop);
    const auto info = DescribeMenuItem(loop.bar, static_cast<UINT>(index), MF_BYPOSITION);
    Notify(loop, WM_MENUSELECT, SelectWParam(loop, info, index, by_mouse), reinterpret_cast<LPARAM>(loop.bar));
    if (loop.ended) return;
  }
  if (!open || !loop.levels.empty() || index < 0) return;
  const auto info = DescribeMenuItem(loop.bar, static_cast<UINT>(index), MF_BYPOSITION);
  if (!(info.flags & MF_POPUP) || Greyed(info) || !info.popup) return;
  const RECT item = loop.bar_items[static_cast<std::size_t>(index)];
  // Below the title, or above it when the screen has more room there.
  OpenLevel(loop, info.popup, index, [item](SIZE size) {
    RECT r = PlacePopup(item, size);
    if (r.bottom - r.top < size.cy) r.bottom = r.top + size.cy;  // the whole menu; it may reach past the screen
    return r;
  });
  if (select_first && loop.levels.size() == 1) Select(loop, 0, NextSelectable(loop.levels[0].menu, -1, 1), false);
}

// Below the window-menu box of the caption (the top left corner of the window when it has none).
RECT WindowMenuAnchor(HWND hwnd) {
  RECT anchor = platform::gdi::SystemMenuBoxRect(hwnd);
  RECT window{};
  GetWindowRect(hwnd, &window);
  if (IsRectEmpty(&anchor)) anchor = RECT{0, 0, 0, 0};
  OffsetRect(&anchor, window.left, window.top);
  return anchor;
}

void OpenWindowMenu(MenuLoop& loop, const RECT& anchor) {
  OpenLevel(loop, loop.system_menu, 0, [anchor](SIZE size) {
    RECT r = PlacePopup(anchor, size);
    if (r.bottom - r.top < size.cy) r.bottom = r.top + size.cy;
    return r;
  });
}

// Left from the first title or Right from the last: the window menu opens in place of the bar's pop-up, its
// first item highlighted.
void CrossToWindowMenu(MenuLoop& loop) {
  CloseLevelsFrom(loop, 0);
  loop.bar_hot = -1;
  RepaintBar(loop);
  loop.system = true;
  UpdateSystemMenuState(loop.owner);
  OpenWindowMenu(loop, WindowMenuAnchor(loop.owner));
  if (!loop.levels.empty()) Select(loop, 0, NextSelectable(loop.system_menu, -1, 1), false);
}

void Choose(MenuLoop& loop, UINT id, const MSG* by_mouse = nullptr) {
  loop.chosen = id;
  loop.chosen_system = loop.system;
  loop.chosen_by_mouse = by_mouse != nullptr;
  if (by_mouse) loop.chosen_at = by_mouse->pt;
  loop.ended = true;
}

// Picks or opens item `index` of the innermost level (Enter or a mnemonic).
void Activate(MenuLoop& loop, int index) {
  if (loop.levels.empty() || index < 0) return;
  const std::size_t depth = loop.levels.size() - 1;
  Select(loop, depth, index, false);
  const auto info = DescribeMenuItem(loop.levels[depth].menu, static_cast<UINT>(index), MF_BYPOSITION);
  if (info.flags & MF_POPUP) {
    OpenCascade(loop, depth, true);
  } else if (!Greyed(info) && !(info.flags & MF_SEPARATOR)) {
    Choose(loop, info.id);
  }
}

struct Hit {
  int level = -1;  // pop-up level, or -1
  int item = -1;   // item of that level or of the bar
  bool bar = false;
};

Hit HitTest(const MenuLoop& loop, POINT p) {
  for (int l = static_cast<int>(loop.levels.size()) - 1; l >= 0; --l) {
    const Level& level = loop.levels[static_cast<std::size_t>(l)];
    if (!PtInRect(&level.screen, p)) continue;
    Hit h;
    h.level = l;
    for (std::size_t i = 0; i < level.items.size(); ++i)
      if (PtInRect(&level.items[i], p)) h.item = static_cast<int>(i);
    return h;
  }
  for (std::size_t i = 0; i < loop.bar_items.size(); ++i) {
    if (PtInRect(&loop.bar_items[i], p)) return Hit{-1, static_cast<int>(i), true};
  }
  return Hit{};
}

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

UINT PlainMouse(UINT m) { return m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK ? m - WM_NCMOUSEMOVE + WM_MOUSEMOVE : m; }

void OnMouse(MenuLoop& loop, const MSG& m) {
  const UINT msg = PlainMouse(m.message);
  const Hit hit = HitTest(loop, m.pt);
  const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                    msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK;
  if (hit.level < 0 && PtInRect(&loop.system_box, m.pt)) {
    // A click on the window-menu box it came from closes it; the second press of a double click closes the window.
    if (msg == WM_LBUTTONDBLCLK || (msg == WM_LBUTTONDOWN && GetTickCount() - loop.opened_at <= GetDoubleClickTime())) {
      CloseLevelsFrom(loop, 0);
      Choose(loop, static_cast<UINT>(SC_CLOSE));
    } else if (down) {
      loop.ended = true;
    }
    return;
  }
  const bool up = msg == WM_LBUTTONUP || (msg == WM_RBUTTONUP && (!loop.bar || (loop.tpm_flags & TPM_RIGHTBUTTON)));
  if (hit.bar) {
    if (down) {
      if (hit.item == loop.bar_hot && !loop.levels.empty()) {
        loop.ended = true;  // a click on the open title closes the menu
      } else {
        SelectBar(loop, hit.item, true, true, false);
      }
    } else if (msg == WM_MOUSEMOVE && hit.item != loop.bar_hot && !loop.levels.empty()) {
      SelectBar(loop, hit.item, true, true, false);
    }
    return;
  }
  if (hit.level >= 0) {
    const auto depth = static_cast<std::size_t>(hit.level);
    if (hit.item < 0 || !Selectable(loop.levels[depth].menu, hit.item)) return;
    if (msg == WM_MOUSEMOVE) {
      if (loop.levels[depth].selected == hit.item) return;
      Select(loop, depth, hit.item, true);
      ArmCascade(loop, depth);
      return;
    }
    if (down) {
      Select(loop, depth, hit.item, true);
      OpenCascade(loop, depth, false);
      return;
    }
    if (up) {
      const auto info = DescribeMenuItem(loop.levels[depth].menu, static_cast<UINT>(hit.item), MF_BYPOSITION);
      if (!(info.flags & MF_POPUP) && !Greyed(info)) Choose(loop, info.id, &m);
    }
    return;
  }
  if (down) loop.ended = true;  // a click anywhere else closes the menu
}

void OnKey(MenuLoop& loop, int vk) {
  const bool in_popup = !loop.levels.empty();
  const std::size_t depth = in_popup ? loop.levels.size() - 1 : 0;
  switch (vk) {
    case VK_ESCAPE:
      if (in_popup && (depth > 0 || (loop.bar && !loop.system))) {
        CloseLevelsFrom(loop, depth);
        if (depth == 0) loop.bar_open = false;
      } else if (!in_popup && loop.bar_open) {
        loop.bar_open = false;  // on a greyed title: back to the bar alone
      } else {
        loop.ended = true;
      }
      return;
    case VK_MENU:
    case VK_F10: loop.ended = true; return;
    case VK_UP:
    case VK_DOWN: {
      if (!in_popup) {
        SelectBar(loop, loop.bar_hot, true, false, true);
        return;
      }
      Level& level = loop.levels[depth];
      const int from = level.selected < 0 ? (vk == VK_DOWN ? -1 : 0) : level.selected;
      Select(loop, depth, NextSelectable(level.menu, from, vk == VK_DOWN ? 1 : -1), false);
      return;
    }
    case VK_RIGHT: {
      if (in_popup) {
        const Level& level = loop.levels[depth];
        if (level.selected >= 0) {
          const auto info = DescribeMenuItem(level.menu, static_cast<UINT>(level.selected), MF_BYPOSITION);
          if ((info.flags & MF_POPUP) && !Greyed(info)) {
            OpenCascade(loop, depth, true);
            return;
          }
        }
      }
      // The titles and the window menu (before the first title) make one ring.
      const int n = loop.bar ? GetMenuItemCount(loop.bar) : 0;
      if (loop.system) {
        if (n > 0) SelectBar(loop, 0, true, false, true);
      } else if (n > 0 && loop.system_menu && loop.bar_hot == n - 1) {
        CrossToWindowMenu(loop);
      } else if (n > 0) {
        loop.bar_open = in_popup || loop.bar_open;
        SelectBar(loop, (loop.bar_hot + 1) % n, loop.bar_open, false, true);
      }
      return;
    }
    case VK_LEFT: {
      const int n = loop.bar ? GetMenuItemCount(loop.bar) : 0;
      if (in_popup && depth > 0) {
        CloseLevelsFrom(loop, depth);
      } else if (loop.system) {
        if (n > 0) SelectBar(loop, n - 1, true, false, true);
      } else if (n > 0 && loop.system_menu && loop.bar_hot == 0) {
        CrossToWindowMenu(loop);
      } else if (n > 0) {
        loop.bar_open = in_popup || loop.bar_open;
        SelectBar(loop, (loop.bar_hot - 1 + n) % n, loop.bar_open, false, true);
      }
      return;
    }
    case VK_RETURN:
    case VK_SPACE:
      if (!in_popup) {
        SelectBar(loop, loop.bar_hot, true, false, true);
      } else {
        Activate(loop, loop.levels[depth].selected);
      }
      return;
    default: break;
  }
}

// A letter that no item of `menu` has: the owner answers WM_MENUCHAR (MNC_IGNORE beeps).
struct MenuCharAnswer {
  WORD action = MNC_IGNORE;
  int item = -1;
};

MenuCharAnswer AskMenuChar(MenuLoop& loop, HMENU menu, BYTE ch, bool popup) {
  MenuCharAnswer answer;
  if (loop.notify && IsWindow(loop.owner)) {
    const WORD flags = static_cast<WORD>((popup ? MF_POPUP : 0) | (loop.system ? MF_SYSMENU : 0));
    const auto r = static_cast<std::uintptr_t>(SendMessage(loop.owner, WM_MENUCHAR, MAKEWPARAM(ch, flags), reinterpret_cast<LPARAM>(menu)));
    answer.action = HIWORD(r);
    answer.item = LOWORD(r);
  }
  const bool known = answer.action == MNC_CLOSE ||
                     ((answer.action == MNC_EXECUTE || answer.action == MNC_SELECT) && IsMenu(menu) &&
                      answer.item < GetMenuItemCount(menu) && Selectable(menu, answer.item));
  if (!known) {
    MessageBeep(0);
    answer.action = MNC_IGNORE;
  }
  return answer;
}

void OnChar(MenuLoop& loop, BYTE ch) {
  if (loop.levels.empty()) {
    if (!loop.bar) return;
    int i = FindMnemonic(loop.bar, loop.bar_hot + 1, ch);
    bool open = true;
    if (i < 0) {
      const auto answer = AskMenuChar(loop, loop.bar, ch, false);
      if (answer.action == MNC_CLOSE) loop.ended = true;
      if (answer.action != MNC_EXECUTE && answer.action != MNC_SELECT) return;
      i = answer.item;
      open = answer.action == MNC_EXECUTE;
    }
    SelectBar(loop, i, open, false, true);
    return;
  }
  const Level& level = loop.levels.back();
  const int i = FindMnemonic(level.menu, level.selected + 1, ch);
  if (i >= 0) {
    Activate(loop, i);
    return;
  }
  const auto answer = AskMenuChar(loop, level.menu, ch, true);
  if (answer.action == MNC_CLOSE) loop.ended = true;
  else if (answer.action == MNC_EXECUTE) Activate(loop, answer.item);
  else if (answer.action == MNC_SELECT) Select(loop, loop.levels.size() - 1, answer.item, false);
}

// The character a letter or digit key stands for in a mnemonic; 0 for other keys.
BYTE KeyChar(int vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return static_cast<BYTE>(std::tolower(vk));
  return 0;
}

bool Intercept(MenuLoop& loop, MSG& m) {
  if (IsMouse(m.message)) {
    OnMouse(loop, m);
    return true;
  }
  if (m.message < WM_KEYFIRST || m.message > WM_KEYLAST) return false;
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
    const int vk = static_cast<int>(m.wParam);
    if (const BYTE ch = KeyChar(vk)) {
      OnChar(loop, ch);
    } else {
      OnKey(loop, vk);
    }
  } else if (m.message == WM_CHAR || m.message == WM_SYSCHAR) {
    const auto ch = static_cast<BYTE>(m.wParam);
    if (!KeyChar(std::toupper(ch)) && ch > ' ') OnChar(loop, ch);
  }
  return true;
}

// The loop that is open now, from its first highlight to its close.
struct ActiveLoop {
  explicit ActiveLoop(MenuLoop& loop) { g_loop = &loop; }
  ~ActiveLoop() { g_loop = nullptr; }
  ActiveLoop(const ActiveLoop&) = delete;
  ActiveLoop& operator=(const ActiveLoop&) = delete;
};

UINT Run(MenuLoop& loop) {
  auto on_idle = [&loop] {
    HWND window = loop.levels.empty() ? loop.owner : loop.levels.back().window;
    if (loop.notify && IsWindow(loop.owner)) SendMessage(loop.owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(window));
  };
  auto done = [&loop] { return loop.ended || !IsWindow(loop.owner); };
  detail::RunModalLoop(loop.owner, LoopKind::kMenu, done, on_idle, [&loop](MSG& m) { return Intercept(loop, m); });
  CloseLevelsFrom(loop, 0);
  loop.bar_hot = -1;
  RepaintBar(loop);
  g_loop = nullptr;
  if (IsWindow(loop.owner)) {
    Notify(loop, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(loop, WM_EXITMENULOOP, loop.bar || loop.system_menu ? FALSE : TRUE, 0);
  }
  return IsWindow(loop.owner) ? loop.chosen : 0;
}

// The pick goes to the owner: WM_SYSCOMMAND for a window-menu item (lParam the screen point when picked by
// mouse), WM_COMMAND otherwise.
void PostChoice(const MenuLoop& loop, UINT chosen) {
  if (!chosen) return;
  if (loop.chosen_system) {
    const LPARAM at = loop.chosen_by_mouse ? MAKEPOINTLPARAM(loop.chosen_at.x, loop.chosen_at.y) : 0;
    PostMessage(loop.owner, WM_SYSCOMMAND, chosen, at);
  } else {
    PostMessage(loop.owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  }
}

// The bar's titles of a window on the screen.
std::vector<RECT> BarItemsOnScreen(HWND hwnd) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  std::vector<RECT> items;
  for (RECT r : platform::gdi::MenuBarItemRects(hwnd)) {
    OffsetRect(&r, window.left, window.top);
    items.push_back(r);
  }
  return items;
}

}  // namespace

UINT TrackMenuBar(HWND hwnd, POINT screen_point, bool by_mouse, BYTE mnemonic) {
  HMENU bar = GetMenu(hwnd);
  if (!bar || g_loop || !IsWindowEnabled(hwnd)) return 0;
  MenuLoop loop;
  loop.owner = hwnd;
  loop.bar = bar;
  loop.bar_items = BarItemsOnScreen(hwnd);
  loop.system_menu = GetSystemMenu(hwnd, FALSE);
  int first = 0;
  bool open = by_mouse || mnemonic;
  if (by_mouse) {
    first = HitTest(loop, screen_point).item;
    if (first < 0) return 0;
  } else if (mnemonic) {
    first = FindMnemonic(bar, 0, mnemonic);
    if (first < 0) {
      const auto answer = AskMenuChar(loop, bar, mnemonic, false);
      if (answer.action != MNC_EXECUTE && answer.action != MNC_SELECT) return 0;
      first = answer.item;
      open = answer.action == MNC_EXECUTE;
    }
  }
  if (loop.bar_items.empty()) return 0;
  ActiveLoop active(loop);
  Notify(loop, WM_ENTERMENULOOP, FALSE, 0);
  Notify(loop, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  if (!IsWindow(hwnd)) return 0;
  SelectBar(loop, first, open, by_mouse, !by_mouse);
  const UINT chosen = Run(loop);
  PostChoice(loop, chosen);
  return chosen;
}

UINT TrackSystemMenu(HWND hwnd, POINT screen_point, bool by_mouse) {
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu || g_loop || !IsWindowEnabled(hwnd)) return 0;
  UpdateSystemMenuState(hwnd);
  MenuLoop loop;
  loop.owner = hwnd;
  loop.system = true;
  loop.system_menu = menu;
  // The bar, when the window has one, is reached from here by Left and Right.
  if (GetMenu(hwnd)) {
    loop.bar = GetMenu(hwnd);
    loop.bar_items = BarItemsOnScreen(hwnd);
  }
  RECT anchor = WindowMenuAnchor(hwnd);
  if (by_mouse && !PtInRect(&anchor, screen_point)) anchor = RECT{screen_point.x, screen_point.y, screen_point.x, screen_point.y};
  if (by_mouse) {
    loop.system_box = anchor;
    loop.opened_at = GetTickCount();
  }
  ActiveLoop active(loop);
  Notify(loop, WM_ENTERMENULOOP, FALSE, 0);
  Notify(loop, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  if (!IsWindow(hwnd)) return 0;
  OpenWindowMenu(loop, anchor);
  if (!by_mouse && !loop.levels.empty()) Select(loop, 0, NextSelectable(menu, -1, 1), false);
  const UINT chosen = Run(loop);
  PostChoice(loop, chosen);
  return chosen;
}

int MenuBarHotItem(HWND hwnd) { return g_loop && g_loop->owner == hwnd && g_loop->bar ? g_loop->bar_hot : -1; }

std::vector<HWND> OpenMenuWindows() {
  std::vector<HWND> out;
  if (!g_loop) return out;
  for (const Level& l : g_loop->levels) out.push_back(l.window);
  return out;
}

HMENU MenuOfWindow(HWND menu_window, int* selected) {
  if (!g_loop) return nullptr;
  for (const Level& l : g_loop->levels) {
    if (l.window != menu_window) continue;
    if (selected) *selected = l.selected;
    return l.menu;
  }
  return nullptr;
}

namespace detail {

// TrackPopupMenu on the screen (menu.cpp decides between this and a test's responder).
UINT TrackPopupOnScreen(HMENU menu, UINT flags, int x, int y, HWND owner) {
  if (g_loop || !IsMenu(menu) || !IsWindow(owner)) return 0;
  MenuLoop loop;
  loop.owner = owner;
  loop.tpm_flags = flags;
  loop.notify = !(flags & TPM_NONOTIFY);
  ActiveLoop active(loop);
  Notify(loop, WM_ENTERMENULOOP, TRUE, 0);
  Notify(loop, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  if (!IsWindow(owner)) return 0;
  // The alignment flags place the menu against the point; the layout tells its size before it opens.
  const auto layout = platform::gdi::LayoutPopupMenu(menu);
  if (flags & TPM_RIGHTALIGN) x -= layout.size.cx;
  else if (flags & TPM_CENTERALIGN) x -= layout.size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= layout.size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= layout.size.cy / 2;
  OpenLevel(loop, menu, 0, NearPoint(std::max(0, x), std::max(0, y), std::max(0, x)));
  return Run(loop);
}

}  // namespace detail
}  // namespace platform::win

BOOL EndMenu() {
  if (platform::win::EndMoveSize()) return TRUE;
  if (!platform::win::g_loop) return FALSE;
  platform::win::g_loop->ended = true;
  return TRUE;
}
