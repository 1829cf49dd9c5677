// Keyboard focus, activation of top-level windows, mouse capture, key state, and the input a backend or the test
// driver queues.
//
// Focus changes move the focus first, then send WM_KILLFOCUS to the old window (GetFocus already gives the new one
// there) and WM_SETFOCUS to the new one. When the old window's WM_KILLFOCUS handler moves the focus itself (a
// refused entry takes it back, a message box takes it), the outer change ends there; a window that never heard
// WM_SETFOCUS is not sent WM_KILLFOCUS, and none is sent twice while its handler runs.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/double_click.h"
#include "platform/win/scroll_tracking.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/popup.h"
#include "platform/win/window.h"

using platform::win::detail::CallProc;
using platform::win::detail::Lookup;
using platform::win::detail::Root;
using platform::win::detail::Window;

namespace platform::win::detail {
namespace {

struct FocusState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND announced = nullptr;  // the window that was last sent WM_SETFOCUS and no WM_KILLFOCUS since
  unsigned serial = 0;
  std::vector<HWND> in_kill;
  std::array<BYTE, 256> async{};
  std::array<BYTE, 256> sync{};
  POINT cursor{0, 0};
};

FocusState& F() {
  static FocusState s;
  return s;
}

HWND Valid(HWND h) { return IsWindow(h) ? h : nullptr; }

void Activate(HWND top, WORD how) {
  auto& s = F();
  HWND old = Valid(s.active);
  if (old == top) return;
  s.active = top;
  ++s.serial;
  unsigned serial = s.serial;
  // Both captions change colour.
  if (old) InvalidateRect(old, nullptr, FALSE);
  if (top) InvalidateRect(top, nullptr, FALSE);
  if (old) CallProc(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), FromHwnd(top));
  if (s.serial != serial && s.active != top) return;
  if (top && IsWindow(top)) CallProc(top, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(top) ? 1 : 0), FromHwnd(old));
  // Nobody took the focus for the new window: the old window's focus goes.
  HWND focus = Valid(s.focus);
  if (s.active == top && focus && Root(focus) != top) SetFocus(nullptr);
}

}  // namespace

void ActivateAfterHide(HWND hwnd) {
  auto& s = F();
  if (Valid(s.active) != hwnd) return;
  HWND next = nullptr;
  Window* w = Lookup(hwnd);
  if (w && w->owner && IsWindowVisible(w->owner) && IsWindowEnabled(w->owner)) next = w->owner;
  if (!next) {
    auto tops = TopLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
      Window* t = Lookup(*it);
      if (!t || *it == hwnd || t->destroying || t->owner == hwnd) continue;
      if ((t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) {
        next = *it;
        break;
      }
    }
  }
  Activate(next, WA_ACTIVE);
  if (!next && Valid(s.focus) && IsDescendant(hwnd, s.focus)) SetFocus(nullptr);
}

void ForgetWindow(HWND hwnd) {
  auto& s = F();
  if (s.focus == hwnd) {
    s.focus = nullptr;
    ++s.serial;
  }
  if (s.announced == hwnd) s.announced = nullptr;
  if (s.active == hwnd) s.active = nullptr;
  if (s.capture == hwnd) s.capture = nullptr;
}

bool HitTransparent(const Window& w) {
  if (!w.cls) return false;
  std::string name = w.cls->name;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name == "static") return !(w.style & 0x0100);       // a static without SS_NOTIFY
  if (name == "button") return (w.style & 0x0F) == 0x07;  // a group box
  return w.cls->hit_transparent;
}

HWND DeepChildAt(HWND parent, POINT client_point, bool skip_inert);

// The window under the mouse chooses the cursor shape (not while a window holds the capture).
void AskForCursor(const MSG& msg) {
  if ((msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONDOWN && msg.message != WM_RBUTTONDOWN &&
       msg.message != WM_MBUTTONDOWN && msg.message != WM_LBUTTONDBLCLK) ||
      Valid(F().capture) || !IsWindow(msg.hwnd))
    return;
  SendMessage(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd),
              MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(msg.message)));
}

void OnInputRetrieved(const MSG& msg) {
  auto& s = F();
  AskForCursor(msg);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      BYTE& k = s.sync[msg.wParam & 0xFF];
      if (!(k & 0x80)) k ^= 0x01;
      k |= 0x80;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: s.sync[msg.wParam & 0xFF] &= static_cast<BYTE>(~0x80); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const UINT m = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK
                         ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                         : msg.message;
      int vk = m == WM_RBUTTONDOWN ? VK_RBUTTON : m == WM_MBUTTONDOWN ? VK_MBUTTON : VK_LBUTTON;
      s.sync[vk] |= 0x80;
      HWND root = Root(msg.hwnd);
      // Menus and pop-up lists take clicks without taking the activation from their owner.
      const Window* rw = Lookup(root);
      if (root && root != Valid(s.active) && IsWindowEnabled(root) && rw && !(rw->ex_style & WS_EX_NOACTIVATE))
        Activate(root, WA_CLICKACTIVE);
      break;
    }
    case WM_NCLBUTTONUP: s.sync[VK_LBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_NCRBUTTONUP: s.sync[VK_RBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_LBUTTONUP: s.sync[VK_LBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_RBUTTONUP: s.sync[VK_RBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_MBUTTONUP: s.sync[VK_MBUTTON] &= static_cast<BYTE>(~0x80); break;
    default: break;
  }
}

POINT CursorPos() { return F().cursor; }

int CharForKey(int vk) {
  auto& s = F();
  bool shift = (s.sync[VK_SHIFT] & 0x80) != 0;
  bool ctrl = (s.sync[VK_CONTROL] & 0x80) != 0;
  bool caps = (s.sync[VK_CAPITAL] & 0x01) != 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return vk - 'A' + 1;
    return (shift != caps) ? vk : vk - 'A' + 'a';
  }
  if (ctrl) return 0;
  if (vk >= '0' && vk <= '9') {
    static constexpr char kShifted[] = ")!@#$%^&*(";
    return shift ? kShifted[vk - '0'] : vk;
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + (vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 0x08;
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case 0xBA: return shift ? ':' : ';';
    case 0xBB: return shift ? '+' : '=';
    case 0xBC: return shift ? '<' : ',';
    case 0xBD: return shift ? '_' : '-';
    case 0xBE: return shift ? '>' : '.';
    case 0xBF: return shift ? '?' : '/';
    case 0xC0: return shift ? '~' : '`';
    case 0xDB: return shift ? '{' : '[';
    case 0xDC: return shift ? '|' : '\\';
    case 0xDD: return shift ? '}' : ']';
    case 0xDE: return shift ? '"' : '\'';
    default: return 0;
  }
}

}  // namespace platform::win::detail

using platform::win::detail::F;

HWND SetFocus(HWND hwnd) {
  auto& s = F();
  HWND old = platform::win::detail::Valid(s.focus);
  if (hwnd && !IsWindow(hwnd)) return nullptr;
  if (hwnd && !platform::win::detail::IsReallyEnabled(hwnd)) return nullptr;
  if (hwnd && platform::win::detail::Valid(s.active) != Root(hwnd)) {
    platform::win::detail::Activate(Root(hwnd), WA_ACTIVE);
    if (!IsWindow(hwnd)) return nullptr;
    old = platform::win::detail::Valid(s.focus);
  }
  if (old == hwnd) return old;
  // The focus moves first; then the old window hears WM_KILLFOCUS (GetFocus gives the new one there), and the new
  // one WM_SETFOCUS unless the old one's handler moved the focus elsewhere meanwhile.
  unsigned serial = ++s.serial;
  s.focus = hwnd;
  HWND told = platform::win::detail::Valid(s.announced);
  if (told && std::find(s.in_kill.begin(), s.in_kill.end(), told) == s.in_kill.end()) {
    s.announced = nullptr;
    s.in_kill.push_back(told);
    CallProc(told, WM_KILLFOCUS, platform::win::detail::FromHwnd(hwnd), 0);
    s.in_kill.erase(std::find(s.in_kill.begin(), s.in_kill.end(), told));
    if (s.serial != serial) return old;
  }
  if (!hwnd) return old;
  if (!IsWindow(hwnd)) {
    s.focus = nullptr;
    return old;
  }
  s.announced = hwnd;
  CallProc(hwnd, WM_SETFOCUS, platform::win::detail::FromHwnd(IsWindow(old) ? old : nullptr), 0);
  return old;
}

HWND GetFocus() { return platform::win::detail::Valid(F().focus); }

HWND SetActiveWindow(HWND hwnd) {
  HWND old = platform::win::detail::Valid(F().active);
  if (!hwnd) {
    platform::win::detail::Activate(nullptr, WA_ACTIVE);
    return old;
  }
  if (!IsWindow(hwnd)) return nullptr;
  HWND top = Root(hwnd);
  if (!IsWindowEnabled(top) || platform::win::IsPopupWindow(top)) return nullptr;
  platform::win::detail::Activate(top, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() { return platform::win::detail::Valid(F().active); }

HWND SetCapture(HWND hwnd) {
  auto& s = F();
  HWND old = platform::win::detail::Valid(s.capture);
  if (hwnd && !IsWindow(hwnd)) return old;
  s.capture = hwnd;
  if (old && old != hwnd) CallProc(old, WM_CAPTURECHANGED, 0, platform::win::detail::FromHwnd(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  auto& s = F();
  HWND old = platform::win::detail::Valid(s.capture);
  s.capture = nullptr;
  if (old) CallProc(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return platform::win::detail::Valid(F().capture); }

static SHORT KeyWord(BYTE state) {
  return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

SHORT GetKeyState(int vk) { return KeyWord(F().sync[static_cast<std::size_t>(vk) & 0xFF]); }
SHORT GetAsyncKeyState(int vk) {
  return static_cast<SHORT>((F().async[static_cast<std::size_t>(vk) & 0xFF] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* state256) {
  if (!state256) return FALSE;
  std::memcpy(state256, F().sync.data(), 256);
  return TRUE;
}

UINT MapVirtualKey(UINT code, UINT) { return code; }

namespace platform::win {

void SetKeyHeld(int vk, bool held) {
  auto& s = F();
  auto i = static_cast<std::size_t>(vk) & 0xFF;
  for (auto* table : {&s.async, &s.sync}) {
    BYTE& k = (*table)[i];
    if (held) {
      if (!(k & 0x80)) k ^= 0x01;
      k |= 0x80;
    } else {
      k &= static_cast<BYTE>(~0x80);
    }
  }
}

void SetCursorScreenPos(int x, int y) { F().cursor = POINT{x, y}; }

void InjectMouse(HWND hwnd, UINT message, int x, int y, WPARAM key_flags) {
  auto& s = F();
  if (!IsWindow(hwnd)) return;
  POINT screen{x, y};
  ClientToScreen(hwnd, &screen);
  s.cursor = screen;
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: s.async[VK_LBUTTON] |= 0x80; break;
    case WM_LBUTTONUP: s.async[VK_LBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: s.async[VK_RBUTTON] |= 0x80; break;
    case WM_RBUTTONUP: s.async[VK_RBUTTON] &= static_cast<BYTE>(~0x80); break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: s.async[VK_MBUTTON] |= 0x80; break;
    case WM_MBUTTONUP: s.async[VK_MBUTTON] &= static_cast<BYTE>(~0x80); break;
    default: break;
  }
  if (s.async[VK_LBUTTON] & 0x80) key_flags |= MK_LBUTTON;
  if (s.async[VK_RBUTTON] & 0x80) key_flags |= MK_RBUTTON;
  if (s.async[VK_MBUTTON] & 0x80) key_flags |= MK_MBUTTON;
  if (s.async[VK_SHIFT] & 0x80) key_flags |= MK_SHIFT;
  if (s.async[VK_CONTROL] & 0x80) key_flags |= MK_CONTROL;
  HWND target = platform::win::detail::Valid(s.capture);
  // A press on a scroll bar is followed until the release: the moves and the release go to the bar.
  if (target && detail::IsScrollTracking(target) && (message == WM_MOUSEMOVE || message == WM_LBUTTONUP)) {
    detail::QueueInput(MSG{target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(detail::ScrollBarHit(target, screen)),
                           MAKEPOINTLPARAM(screen.x, screen.y), 0, screen});
    return;
  }
  if (!target) {
    target = platform::win::detail::DeepChildAt(hwnd, POINT{x, y}, true);
    if (!target || !platform::win::detail::IsReallyEnabled(target)) return;
    // Outside the client area of a top-level window: the frame, caption or menu bar get the non-client message.
    RECT client{};
    GetClientRect(hwnd, &client);
    if (target == hwnd && !(Lookup(hwnd)->style & WS_CHILD) && !PtInRect(&client, POINT{x, y})) {
      const LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKEPOINTLPARAM(screen.x, screen.y));
      if (!IsWindow(hwnd)) return;
      if (hit != HTCLIENT && message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
        detail::QueueInput(MSG{hwnd, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
                               MAKEPOINTLPARAM(screen.x, screen.y), 0, screen});
        return;
      }
    }
    // The scroll bars of a child (a multi-line edit, a list) lie outside its client area too.
    if (const LRESULT bar = detail::ScrollBarHit(target, screen);
        bar != HTNOWHERE && (GetWindowLong(target, GWL_STYLE) & WS_CHILD) && message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
      detail::QueueInput(MSG{target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(bar),
                             MAKEPOINTLPARAM(screen.x, screen.y), 0, screen});
      return;
    }
  }
  POINT client = screen;
  ScreenToClient(target, &client);
  message = detail::DoubleClickOf(target, message, screen);
  detail::QueueInput(MSG{target, message, key_flags, MAKEPOINTLPARAM(client.x, client.y), 0, screen});
}

void InjectKey(UINT message, int vk, LPARAM key_data) {
  auto& s = F();
  // F10 comes as a system key, as Alt+key does: it is the menu bar's key.
  if (vk == VK_F10 && message == WM_KEYDOWN) message = WM_SYSKEYDOWN;
  if (vk == VK_F10 && message == WM_KEYUP) message = WM_SYSKEYUP;
  auto i = static_cast<std::size_t>(vk) & 0xFF;
  bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (down) {
    if (!(s.async[i] & 0x80)) s.async[i] ^= 0x01;
    s.async[i] |= 0x80;
  } else {
    s.async[i] &= static_cast<BYTE>(~0x80);
  }
  if (!key_data) key_data = down ? 1 : static_cast<LPARAM>(0xC0000001u);
  detail::QueueInput(MSG{nullptr, message, static_cast<WPARAM>(vk), key_data, 0, s.cursor});
}

void InjectChar(BYTE ch) {
  detail::QueueInput(MSG{nullptr, WM_CHAR, static_cast<WPARAM>(ch), 1, 0, F().cursor});
}

}  // namespace platform::win
