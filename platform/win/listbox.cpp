// The list box class: single and multiple selection. LB_SETCURSEL and LB_SETSEL notify nothing; a selection by
// the user sends LBN_SELCHANGE (with LBS_NOTIFY).
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/list_items.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct ListBoxData : ControlData {
  ListItems list;
  std::vector<bool> selected;
  int cur = -1;
  int caret = 0;
  int top = 0;
  int anchor = 0;
  int item_height = 0;
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
bool Multi(HWND hwnd) { return (Style(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
int Count(const ListBoxData& d) { return static_cast<int>(d.list.items.size()); }

void Notify(HWND hwnd, WORD code) {
  if (code == LBN_SELCHANGE || code == LBN_DBLCLK || code == LBN_SELCANCEL) {
    if (!(Style(hwnd) & LBS_NOTIFY)) return;
  }
  NotifyParent(hwnd, code);
}

int Height(HWND hwnd, const ListBoxData& d) { return d.item_height > 0 ? d.item_height : platform::win::ListItemHeight(hwnd); }

LRESULT Insert(HWND hwnd, ListBoxData& d, int at, const char* text) {
  bool sort = (Style(hwnd) & LBS_SORT) != 0;
  int index = d.list.Insert(at, text, sort);
  if (index < 0) return LB_ERR;
  d.selected.insert(d.selected.begin() + index, false);
  if (d.cur >= index) ++d.cur;
  InvalidateRect(hwnd, nullptr, TRUE);
  return index;
}

void UserSelect(HWND hwnd, ListBoxData& d, int index, bool toggle) {
  if (index < 0 || index >= Count(d)) return;
  bool changed;
  if (Multi(hwnd)) {
    if (toggle) {
      d.selected[static_cast<std::size_t>(index)] = !d.selected[static_cast<std::size_t>(index)];
      changed = true;
    } else {
      changed = false;
    }
    d.caret = index;
  } else {
    changed = d.cur != index;
    d.cur = index;
    d.caret = index;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  if (changed) Notify(hwnd, LBN_SELCHANGE);
}

}  // namespace

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ListBoxData* d = DataOf<ListBoxData>(hwnd);
  if (!d) return 0;
  int n = Count(*d);
  int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
  const char* text = reinterpret_cast<const char*>(lparam);
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_ADDSTRING: return Insert(hwnd, *d, -1, text);
    case LB_INSERTSTRING: {
      // An insertion at a place keeps that place even in a sorted list.
      if (index < -1 || index > n) return LB_ERR;
      int at = d->list.InsertAt(index, text);
      if (at < 0) return LB_ERR;
      d->selected.insert(d->selected.begin() + at, false);
      if (d->cur >= at) ++d->cur;
      InvalidateRect(hwnd, nullptr, TRUE);
      return at;
    }
    case LB_DELETESTRING:
      if (index < 0 || index >= n) return LB_ERR;
      d->list.items.erase(d->list.items.begin() + index);
      d->selected.erase(d->selected.begin() + index);
      if (d->cur == index) d->cur = -1;
      else if (d->cur > index) --d->cur;
      InvalidateRect(hwnd, nullptr, TRUE);
      return n - 1;
    case LB_RESETCONTENT:
      d->list.items.clear();
      d->selected.clear();
      d->cur = -1;
      d->caret = 0;
      d->top = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_GETCOUNT: return n;
    case LB_GETTEXT:
      if (index < 0 || index >= n) return LB_ERR;
      return d->list.CopyText(index, reinterpret_cast<char*>(lparam));
    case LB_GETTEXTLEN:
      if (index < 0 || index >= n) return LB_ERR;
      return static_cast<LRESULT>(d->list.items[static_cast<std::size_t>(index)].text.size());
    case LB_SETCURSEL:
      if (Multi(hwnd)) return LB_ERR;
      if (index < 0 || index >= n) {
        d->cur = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return index == -1 ? 0 : LB_ERR;
      }
      d->cur = index;
      d->caret = index;
      InvalidateRect(hwnd, nullptr, TRUE);
      return index;
    case LB_GETCURSEL: return Multi(hwnd) ? (n ? d->caret : LB_ERR) : d->cur;
    case LB_SETSEL: {
      if (!Multi(hwnd)) return LB_ERR;
      int which = static_cast<int>(lparam);
      if (which == -1) {
        std::fill(d->selected.begin(), d->selected.end(), wparam != 0);
      } else {
        if (which < 0 || which >= n) return LB_ERR;
        d->selected[static_cast<std::size_t>(which)] = wparam != 0;
        d->caret = which;
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case LB_GETSEL:
      if (index < 0 || index >= n) return LB_ERR;
      return Multi(hwnd) ? (d->selected[static_cast<std::size_t>(index)] ? 1 : 0) : (d->cur == index ? 1 : 0);
    case LB_GETSELCOUNT:
      if (!Multi(hwnd)) return LB_ERR;
      return std::count(d->selected.begin(), d->selected.end(), true);
    case LB_GETSELITEMS: {
      if (!Multi(hwnd)) return LB_ERR;
      int* out = reinterpret_cast<int*>(lparam);
      int max = static_cast<int>(wparam);
      int k = 0;
      for (int i = 0; i < n && k < max && out; ++i)
        if (d->selected[static_cast<std::size_t>(i)]) out[k++] = i;
      return k;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
      if (!Multi(hwnd)) return LB_ERR;
      int first;
      int last;
      bool select = true;
      if (message == LB_SELITEMRANGE) {
        select = wparam != 0;
        first = LOWORD(static_cast<std::uintptr_t>(lparam));
        last = HIWORD(static_cast<std::uintptr_t>(lparam));
      } else {
        first = static_cast<int>(wparam);
        last = static_cast<int>(lparam);
        if (last < first) {
          std::swap(first, last);
          select = false;
        }
      }
      for (int i = std::max(0, first); i <= last && i < n; ++i) d->selected[static_cast<std::size_t>(i)] = select;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case LB_FINDSTRING: return d->list.Find(index, text, false);
    case LB_FINDSTRINGEXACT: return d->list.Find(index, text, true);
    case LB_SELECTSTRING: {
      int found = d->list.Find(index, text, false);
      if (found < 0) return LB_ERR;
      if (Multi(hwnd)) {
        d->selected[static_cast<std::size_t>(found)] = true;
      } else {
        d->cur = found;
      }
      d->caret = found;
      InvalidateRect(hwnd, nullptr, TRUE);
      return found;
    }
    case LB_GETITEMDATA:
      if (index < 0 || index >= n) return LB_ERR;
      return d->list.items[static_cast<std::size_t>(index)].data;
    case LB_SETITEMDATA:
      if (index < 0 || index >= n) return LB_ERR;
      d->list.items[static_cast<std::size_t>(index)].data = lparam;
      return 0;
    case LB_GETTOPINDEX: return d->top;
    case LB_SETTOPINDEX:
      if (index < 0 || (index >= n && n > 0)) return LB_ERR;
      d->top = index;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_GETCARETINDEX: return d->caret;
    case LB_SETCARETINDEX:
      if (index < 0 || index >= n) return LB_ERR;
      d->caret = index;
      return 0;
    case LB_GETITEMHEIGHT: return Height(hwnd, *d);
    case LB_SETITEMHEIGHT: d->item_height = LOWORD(static_cast<std::uintptr_t>(lparam)); return 0;
    case LB_GETITEMRECT: {
      RECT* r = reinterpret_cast<RECT*>(lparam);
      if (!r || index < 0 || index >= n) return LB_ERR;
      RECT c{};
      GetClientRect(hwnd, &c);
      int h = Height(hwnd, *d);
      *r = RECT{0, (index - d->top) * h, c.right, (index - d->top + 1) * h};
      return 0;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd);
      d = DataOf<ListBoxData>(hwnd);
      if (!d) return 0;
      int at = d->top + GET_Y_LPARAM(lparam) / std::max(1, Height(hwnd, *d));
      UserSelect(hwnd, *d, at, true);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      int at = d->top + GET_Y_LPARAM(lparam) / std::max(1, Height(hwnd, *d));
      if (at < n) Notify(hwnd, LBN_DBLCLK);
      return 0;
    }
    case WM_KEYDOWN: {
      if (n == 0) return 0;
      int from = Multi(hwnd) ? d->caret : (d->cur < 0 ? -1 : d->cur);
      int to = from;
      switch (static_cast<int>(wparam)) {
        case VK_UP: to = std::max(0, from - 1); break;
        case VK_DOWN: to = std::min(n - 1, from + 1); break;
        case VK_HOME: to = 0; break;
        case VK_END: to = n - 1; break;
        case VK_PRIOR: to = std::max(0, from - 8); break;
        case VK_NEXT: to = std::min(n - 1, from + 8); break;
        case VK_SPACE:
          if (Multi(hwnd)) UserSelect(hwnd, *d, d->caret, true);
          return 0;
        default: return 0;
      }
      if (Multi(hwnd)) {
        d->caret = to;
        InvalidateRect(hwnd, nullptr, TRUE);
      } else {
        UserSelect(hwnd, *d, to, false);
      }
      return 0;
    }
    case WM_CHAR: {
      char prefix[2] = {static_cast<char>(wparam & 0xFF), 0};
      if (static_cast<unsigned char>(prefix[0]) < 0x20) return 0;
      int found = d->list.Find(Multi(hwnd) ? d->caret : d->cur, prefix, false);
      if (found >= 0) {
        if (Multi(hwnd)) d->caret = found;
        else UserSelect(hwnd, *d, found, false);
      }
      return 0;
    }
    case WM_SETFOCUS: NotifyParent(hwnd, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, LBN_KILLFOCUS); return 0;
    case WM_PAINT: return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
