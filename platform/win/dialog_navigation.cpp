// Keyboard navigation in dialogs: Tab and Shift+Tab over the tab stops, arrows inside a group, Enter to the
// default (or focused) push button, Escape to IDCANCEL. Enter and Escape do not move the focus.
#include <cctype>
#include <string>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace {

// The controls of a dialog in tab order; child windows that are control parents (child dialogs) lend theirs.
void Collect(HWND parent, std::vector<HWND>& out) {
  Window* w = Lookup(parent);
  if (!w) return;
  for (HWND c : w->children) {
    Window* cw = Lookup(c);
    if (!cw || cw->destroying) continue;
    if ((cw->ex_style & WS_EX_CONTROLPARENT) && (cw->style & WS_VISIBLE) && !(cw->style & WS_DISABLED)) {
      Collect(c, out);
    } else {
      out.push_back(c);
    }
  }
}

// Visible and enabled up to the dialog (which may itself be hidden still, while WM_INITDIALOG runs).
bool Usable(HWND c) {
  for (Window* w = Lookup(c); w && (w->style & WS_CHILD); w = Lookup(w->parent)) {
    if (!(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) return false;
    if (w->dialog) break;
  }
  return Lookup(c) != nullptr;
}

// The control of the list that hwnd is, or lies in.
int IndexOf(const std::vector<HWND>& list, HWND hwnd) {
  for (HWND h = hwnd; h; h = GetAncestor(h, GA_PARENT)) {
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i] == h) return static_cast<int>(i);
    Window* w = Lookup(h);
    if (!w || !(w->style & WS_CHILD)) break;
  }
  return -1;
}

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  std::vector<HWND> list;
  Collect(dialog, list);
  int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  int start = control ? IndexOf(list, control) : -1;
  for (int step = 1; step <= n; ++step) {
    int i;
    if (start < 0) {
      i = previous ? n - step : step - 1;
    } else {
      i = previous ? ((start - step) % n + n) % n : (start + step) % n;
    }
    HWND c = list[static_cast<std::size_t>(i)];
    if ((GetWindowLong(c, GWL_STYLE) & WS_TABSTOP) && Usable(c)) return c;
  }
  return (start >= 0 && Usable(list[static_cast<std::size_t>(start)])) ? list[static_cast<std::size_t>(start)] : nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  std::vector<HWND> list;
  Collect(dialog, list);
  int n = static_cast<int>(list.size());
  int at = control ? IndexOf(list, control) : -1;
  if (at < 0) return n ? list.front() : nullptr;
  // The group runs from the nearest WS_GROUP at or before the control to the item before the next WS_GROUP.
  int first = at;
  while (first > 0 && !(GetWindowLong(list[static_cast<std::size_t>(first)], GWL_STYLE) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < n && !(GetWindowLong(list[static_cast<std::size_t>(last + 1)], GWL_STYLE) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int step = 1; step < size; ++step) {
    int off = ((at - first) + (previous ? -step : step)) % size;
    if (off < 0) off += size;
    HWND c = list[static_cast<std::size_t>(first + off)];
    if (Usable(c)) return c;
  }
  return list[static_cast<std::size_t>(at)];
}

namespace platform::win::detail {

// The radio buttons of the group a button belongs to (its siblings from the group start to the next WS_GROUP).
std::vector<HWND> RadioGroupOf(HWND button) {
  std::vector<HWND> out;
  Window* w = Lookup(button);
  if (!w || !w->parent) return out;
  Window* p = Lookup(w->parent);
  if (!p) return out;
  const auto& sib = p->children;
  int at = -1;
  for (std::size_t i = 0; i < sib.size(); ++i)
    if (sib[i] == button) at = static_cast<int>(i);
  if (at < 0) return out;
  int first = at;
  while (first > 0 && !(GetWindowLong(sib[static_cast<std::size_t>(first)], GWL_STYLE) & WS_GROUP)) --first;
  int last = at;
  int n = static_cast<int>(sib.size());
  while (last + 1 < n && !(GetWindowLong(sib[static_cast<std::size_t>(last + 1)], GWL_STYLE) & WS_GROUP)) ++last;
  for (int i = first; i <= last; ++i) {
    HWND c = sib[static_cast<std::size_t>(i)];
    if (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) out.push_back(c);
  }
  return out;
}

}  // namespace platform::win::detail


static void PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) return;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The control whose text marks ch with '&' ("&Open", not "&&"), case ignored.
static HWND MnemonicControl(HWND dialog, int ch) {
  std::vector<HWND> list;
  Collect(dialog, list);
  int want = std::tolower(ch & 0xFF);
  for (HWND c : list) {
    Window* w = Lookup(c);
    if (!w || !Usable(c)) continue;
    const std::string& t = w->text;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
      if (t[i] != '&') continue;
      if (t[i + 1] == '&') {
        ++i;
        continue;
      }
      if (std::tolower(static_cast<unsigned char>(t[i + 1])) == want) return c;
      break;
    }
  }
  return nullptr;
}

// A mnemonic: a label moves the focus to the control after it; a push button is pressed (no focus change); a
// check box or radio button takes the focus and is clicked.
static bool RunMnemonic(HWND dialog, int ch) {
  HWND c = MnemonicControl(dialog, ch);
  if (!c) return false;
  LRESULT code = SendMessage(c, WM_GETDLGCODE, 0, 0);
  if (code & DLGC_STATIC) {
    HWND next = GetNextDlgTabItem(dialog, c, FALSE);
    if (next) platform::win::detail::DialogSetFocus(next);
  } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    PressButton(dialog, GetDlgCtrlID(c));
  } else if (code & DLGC_BUTTON) {
    platform::win::detail::DialogSetFocus(c);
    SendMessage(c, BM_CLICK, 0, 0);
  } else {
    platform::win::detail::DialogSetFocus(c);
  }
  return true;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
    LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (!IsWindow(dialog)) return TRUE;
    int vk = static_cast<int>(msg->wParam);
    bool wants_all = (code & DLGC_WANTMESSAGE) != 0;
    if (msg->message == WM_KEYDOWN) {
      switch (vk) {
        case VK_TAB:
          if (code & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) break;
          {
            HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0);
            if (next) platform::win::detail::DialogSetFocus(next);
          }
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          if (code & (DLGC_WANTARROWS | DLGC_WANTMESSAGE)) break;
          {
            HWND next = GetNextDlgGroupItem(dialog, GetFocus(), vk == VK_LEFT || vk == VK_UP);
            if (next && next != GetFocus()) {
              platform::win::detail::DialogSetFocus(next);
              if ((SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
                  (GetWindowLong(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessage(next, BM_CLICK, 0, 0);
            }
          }
          return TRUE;
        case VK_RETURN: {
          if (wants_all) break;
          HWND focus = GetFocus();
          LRESULT focus_code = focus ? SendMessage(focus, WM_GETDLGCODE, 0, 0) : 0;
          if (focus && IsChild(dialog, focus) && (focus_code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            PressButton(dialog, GetDlgCtrlID(focus));
            return TRUE;
          }
          // The default button is read from the dialog's own record, not asked with DM_GETDEFID: that number is
          // WM_USER, which programs use for messages of their own (the print job's page message).
          const auto* data = platform::win::detail::DialogOf(dialog);
          PressButton(dialog, data && data->def_id ? data->def_id : IDOK);
          return TRUE;
        }
        case VK_ESCAPE:
          if (wants_all) break;
          PressButton(dialog, IDCANCEL);
          return TRUE;
        default: break;
      }
    } else if (msg->message == WM_CHAR && !wants_all && (vk == '\t' || vk == '\r' || vk == 0x1B)) {
      return TRUE;  // the key itself was handled above
    } else if (msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) && vk > ' ') {
      if (RunMnemonic(dialog, vk)) return TRUE;
    }
  }
  if (msg->message == WM_SYSCHAR && (IsChild(dialog, msg->hwnd) || msg->hwnd == dialog)) {
    if (RunMnemonic(dialog, static_cast<int>(msg->wParam))) return TRUE;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}
