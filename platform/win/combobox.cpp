// The combo box class: drop-down list (CBS_DROPDOWNLIST) and drop-down with an edit (CBS_DROPDOWN, CBS_SIMPLE).
//
// CB_SETCURSEL, CB_SELECTSTRING and WM_SETTEXT notify nothing. A choice by the user sends CBN_SELCHANGE, then,
// when the list was open, CBN_SELENDOK and CBN_CLOSEUP. Opening the list sends CBN_DROPDOWN. The focus gives
// CBN_SETFOCUS / CBN_KILLFOCUS (once for the box and its edit together); typing into the edit CBN_EDITUPDATE and
// CBN_EDITCHANGE. The open list is a pop-up window below (or above) the field, painted from the box's rows; the
// box holds the mouse capture and the keyboard meanwhile: the row under the mouse is highlighted, a click on a row
// picks it, a click anywhere else closes the list, and so does the loss of the focus.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gdi/control_paint.h"
#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/list_items.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/popup.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

constexpr int kButtonWidth = 16;

struct ComboData : ControlData {
  ListItems list;
  int cur = -1;
  bool dropped = false;
  HWND edit = nullptr;
  WNDPROC edit_proc = nullptr;
  int field_height = 0;
  int list_height = 0;
  int item_height = 0;
  bool setting_text = false;
  bool has_focus = false;
  HWND popup = nullptr;  // the drop-down list's pop-up, made when the list first opens
  int hot = -1;         // the highlighted row of the open list
  int top = 0;          // its first visible row
  int rows = 1;         // rows it shows
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
bool HasEdit(HWND hwnd) { return (Style(hwnd) & 0x3) != CBS_DROPDOWNLIST; }
int Count(const ComboData& d) { return static_cast<int>(d.list.items.size()); }
int ItemHeight(HWND hwnd, const ComboData& d) { return d.item_height > 0 ? d.item_height : platform::win::ListItemHeight(hwnd); }

void SetEditText(HWND hwnd, ComboData& d, const std::string& text) {
  if (!IsWindow(d.edit)) return;
  d.setting_text = true;
  SetWindowText(d.edit, text.c_str());
  if (ComboData* again = DataOf<ComboData>(hwnd)) again->setting_text = false;
}

void ShowSelection(HWND hwnd, ComboData& d) {
  std::string text = (d.cur >= 0 && d.cur < Count(d)) ? d.list.items[static_cast<std::size_t>(d.cur)].text : "";
  if (HasEdit(hwnd)) SetEditText(hwnd, d, text);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// Keeps the highlighted row of the open list in view.
void ShowRow(HWND hwnd, ComboData& d, int row) {
  d.hot = row;
  if (row >= 0) {
    if (row < d.top) d.top = row;
    if (row >= d.top + d.rows) d.top = row - d.rows + 1;
  }
  d.top = std::clamp(d.top, 0, std::max(0, Count(d) - d.rows));
  if (IsWindow(d.popup)) InvalidateRect(d.popup, nullptr, TRUE);
  (void)hwnd;
}

// Places the list pop-up under the field: as wide as the box, as high as the template's list (at least one row,
// at most every row), above the field when there is no room below.
void OpenList(HWND hwnd, ComboData& d) {
  const int ih = std::max(1, ItemHeight(hwnd, d));
  d.rows = std::clamp(Count(d), 1, std::max(1, d.list_height / ih));
  RECT box{};
  GetWindowRect(hwnd, &box);
  const RECT at = platform::win::PlacePopup(box, SIZE{RectWidth(box), d.rows * ih + 2});
  d.rows = std::max(1, std::min(d.rows, (RectHeight(at) - 2) / ih));
  if (!IsWindow(d.popup)) {
    d.popup = platform::win::CreatePopupWindow(kComboListClassName, hwnd, at, WS_BORDER);
    SetWindowLongPtr(d.popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hwnd));
  }
  d.top = 0;
  ShowRow(hwnd, d, d.cur);
  platform::win::ShowPopupWindow(d.popup, at);
}

void Drop(HWND hwnd, bool open) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d || d->dropped == open) return;
  if (open) {
    NotifyParent(hwnd, CBN_DROPDOWN);
    d = DataOf<ComboData>(hwnd);
    if (!d) return;
    d->dropped = true;
    OpenList(hwnd, *d);
    SetCapture(hwnd);
  } else {
    d->dropped = false;
    if (IsWindow(d->popup)) platform::win::HidePopupWindow(d->popup);
    if (GetCapture() == hwnd) ReleaseCapture();
    NotifyParent(hwnd, CBN_CLOSEUP);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

// The user's choice of a row.
void Choose(HWND hwnd, int index, bool close) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d) return;
  bool was_dropped = d->dropped;
  if (index >= 0 && index < Count(*d) && index != d->cur) {
    d->cur = index;
    if (d->dropped) ShowRow(hwnd, *d, index);
    ShowSelection(hwnd, *d);
    if (HasEdit(hwnd) && IsWindow(d->edit)) SendMessage(d->edit, EM_SETSEL, 0, -1);
    NotifyParent(hwnd, CBN_SELCHANGE);
  }
  if (!close || !IsWindow(hwnd)) return;
  if (was_dropped) {
    NotifyParent(hwnd, CBN_SELENDOK);
    if (IsWindow(hwnd)) Drop(hwnd, false);
  } else {
    NotifyParent(hwnd, CBN_SELENDOK);
  }
}

void Cancel(HWND hwnd) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d || !d->dropped) return;
  NotifyParent(hwnd, CBN_SELENDCANCEL);
  if (IsWindow(hwnd)) Drop(hwnd, false);
}

bool InCombo(HWND hwnd, HWND other) { return other && (other == hwnd || IsDescendant(hwnd, other)); }

void FocusIn(HWND hwnd, HWND from) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d || InCombo(hwnd, from) || d->has_focus) return;
  d->has_focus = true;
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyParent(hwnd, CBN_SETFOCUS);
}

void FocusOut(HWND hwnd, HWND to) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d || InCombo(hwnd, to) || !d->has_focus) return;
  d->has_focus = false;
  if (d->dropped) Cancel(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
  if (IsWindow(hwnd)) NotifyParent(hwnd, CBN_KILLFOCUS);
}

bool KeySelect(HWND hwnd, int vk) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d) return false;
  int n = Count(*d);
  bool alt = GetKeyState(VK_MENU) < 0;
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (d->dropped) Choose(hwnd, d->cur, true);
    else Drop(hwnd, true);
    return true;
  }
  if (d->dropped && (vk == VK_RETURN)) {
    Choose(hwnd, d->cur, true);
    return true;
  }
  if (d->dropped && vk == VK_ESCAPE) {
    Cancel(hwnd);
    return true;
  }
  if (n == 0) return false;
  int to = d->cur;
  switch (vk) {
    case VK_UP: to = std::max(0, d->cur - 1); break;
    case VK_DOWN: to = std::min(n - 1, d->cur + 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    case VK_PRIOR: to = std::max(0, d->cur - 8); break;
    case VK_NEXT: to = std::min(n - 1, d->cur + 8); break;
    default: return false;
  }
  Choose(hwnd, to, !d->dropped);
  return true;
}

// The edit inside the box: its focus and arrow keys belong to the box.
LRESULT ComboEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND combo = GetParent(edit);
  ComboData* d = DataOf<ComboData>(combo);
  WNDPROC base = d && d->edit_proc ? d->edit_proc : EditProc;
  switch (message) {
    case WM_SETFOCUS: {
      LRESULT r = CallWindowProc(base, edit, message, wparam, lparam);
      if (IsWindow(combo)) FocusIn(combo, reinterpret_cast<HWND>(wparam));
      return r;
    }
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProc(base, edit, message, wparam, lparam);
      if (IsWindow(combo)) FocusOut(combo, reinterpret_cast<HWND>(wparam));
      return r;
    }
    case WM_KEYDOWN:
      if (wparam == VK_UP || wparam == VK_DOWN || wparam == VK_F4 || wparam == VK_PRIOR || wparam == VK_NEXT ||
          ((wparam == VK_RETURN || wparam == VK_ESCAPE) && d && d->dropped)) {
        KeySelect(combo, static_cast<int>(wparam));
        return 0;
      }
      break;
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProc(base, edit, message, wparam, lparam);
      if (d && d->dropped) code |= DLGC_WANTALLKEYS;
      return code;
    }
    default: break;
  }
  return CallWindowProc(base, edit, message, wparam, lparam);
}

constexpr int kInField = -1;
constexpr int kOutside = -2;
constexpr int kScrollUp = -3;
constexpr int kScrollDown = -4;

// What lies under a point of the box's client area while the list is open: a row of the list, its scroll column
// (a list with more rows than it shows), the field, or nothing of the box.
int RowAt(HWND hwnd, const ComboData& d, int x, int y) {
  RECT c{};
  GetClientRect(hwnd, &c);
  if (x >= 0 && x < c.right && y >= 0 && y < c.bottom) return kInField;
  if (!IsWindow(d.popup) || !IsWindowVisible(d.popup)) return kOutside;
  POINT p{x, y};
  MapWindowPoints(hwnd, d.popup, &p, 1);
  RECT lc{};
  GetClientRect(d.popup, &lc);
  if (!PtInRect(&lc, p)) return kOutside;
  if (Count(d) > d.rows && p.x >= lc.right - GetSystemMetrics(SM_CXVSCROLL))
    return p.y < lc.bottom / 2 ? kScrollUp : kScrollDown;
  const int row = d.top + p.y / std::max(1, ItemHeight(hwnd, d));
  return row < Count(d) ? row : kOutside;
}

}  // namespace

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ComboData* d = DataOf<ComboData>(hwnd);
  if (!d) return 0;
  int n = Count(*d);
  int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
  const char* text = reinterpret_cast<const char*>(lparam);
  switch (message) {
    case WM_CREATE: {
      Window* w = Lookup(hwnd);
      // WS_VSCROLL of a combo box belongs to its list (which shows a bar when it needs one), not to the field.
      w->style &= ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
      d->field_height = ItemHeight(hwnd, *d) + 8;
      // A template gives the height with the list open; the box itself is as high as its field.
      int full = RectHeight(w->rect);
      d->list_height = std::max(0, full - d->field_height);
      w->rect.bottom = w->rect.top + d->field_height;
      if (HasEdit(hwnd)) {
        RECT c{};
        GetClientRect(hwnd, &c);
        DWORD es = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
        if (Style(hwnd) & CBS_UPPERCASE) es |= ES_UPPERCASE;
        if (Style(hwnd) & CBS_LOWERCASE) es |= ES_LOWERCASE;
        HWND edit = CreateWindowEx(0, WC_EDIT, "", es, 0, 0, std::max<LONG>(0, c.right - kButtonWidth), c.bottom, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kComboEditId)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtr(hwnd, GWLP_HINSTANCE)), nullptr);
        d = DataOf<ComboData>(hwnd);
        d->edit = edit;
        d->edit_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProc)));
      }
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (d->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lparam) == d->edit && !d->setting_text) {
        if (HIWORD(wparam) == EN_CHANGE) NotifyParent(hwnd, CBN_EDITCHANGE);
        else if (HIWORD(wparam) == EN_UPDATE) NotifyParent(hwnd, CBN_EDITUPDATE);
      }
      return 0;
    case WM_SETFONT:
      if (IsWindow(d->edit)) SendMessage(d->edit, WM_SETFONT, wparam, lparam);
      return DefWindowProc(hwnd, message, wparam, lparam);
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      int at = message == CB_ADDSTRING ? d->list.Insert(-1, text, (Style(hwnd) & CBS_SORT) != 0)
                                       : (index < -1 || index > n ? -1 : d->list.InsertAt(index, text));
      if (at < 0) return CB_ERR;
      if (d->cur >= at) ++d->cur;
      InvalidateRect(hwnd, nullptr, TRUE);
      return at;
    }
    case CB_DELETESTRING:
      if (index < 0 || index >= n) return CB_ERR;
      d->list.items.erase(d->list.items.begin() + index);
      if (d->cur == index) d->cur = -1;
      else if (d->cur > index) --d->cur;
      InvalidateRect(hwnd, nullptr, TRUE);
      return n - 1;
    case CB_RESETCONTENT:
      d->list.items.clear();
      d->cur = -1;
      ShowSelection(hwnd, *d);
      return CB_OKAY;
    case CB_GETCOUNT: return n;
    case CB_GETCURSEL: return d->cur;
    case CB_SETCURSEL:
      if (index < 0 || index >= n) {
        d->cur = -1;
        ShowSelection(hwnd, *d);
        return CB_ERR;
      }
      d->cur = index;
      ShowSelection(hwnd, *d);
      return index;
    case CB_SELECTSTRING: {
      int found = d->list.Find(index, text, false);
      if (found < 0) return CB_ERR;
      d->cur = found;
      ShowSelection(hwnd, *d);
      return found;
    }
    case CB_FINDSTRING: return d->list.Find(index, text, false);
    case CB_FINDSTRINGEXACT: return d->list.Find(index, text, true);
    case CB_GETLBTEXT:
      if (index < 0 || index >= n) return CB_ERR;
      return d->list.CopyText(index, reinterpret_cast<char*>(lparam));
    case CB_GETLBTEXTLEN:
      if (index < 0 || index >= n) return CB_ERR;
      return static_cast<LRESULT>(d->list.items[static_cast<std::size_t>(index)].text.size());
    case CB_GETITEMDATA:
      if (index < 0 || index >= n) return CB_ERR;
      return d->list.items[static_cast<std::size_t>(index)].data;
    case CB_SETITEMDATA:
      if (index < 0 || index >= n) return CB_ERR;
      d->list.items[static_cast<std::size_t>(index)].data = lparam;
      return CB_OKAY;
    case CB_SHOWDROPDOWN: Drop(hwnd, wparam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return d->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      RECT* r = reinterpret_cast<RECT*>(lparam);
      if (!r) return CB_ERR;
      GetWindowRect(hwnd, r);
      r->bottom += d->list_height;
      return CB_OKAY;
    }
    case CB_LIMITTEXT:
      if (IsWindow(d->edit)) SendMessage(d->edit, EM_LIMITTEXT, wparam, 0);
      return TRUE;
    case CB_GETEDITSEL: return IsWindow(d->edit) ? SendMessage(d->edit, EM_GETSEL, wparam, lparam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!IsWindow(d->edit)) return CB_ERR;
      SendMessage(d->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam)))),
                  static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lparam))));
      return TRUE;
    case CB_GETITEMHEIGHT: return ItemHeight(hwnd, *d);
    case CB_SETITEMHEIGHT: d->item_height = static_cast<int>(lparam); return CB_OKAY;
    case WM_SETTEXT:
      if (HasEdit(hwnd)) {
        SetEditText(hwnd, *d, text && !IS_INTRESOURCE(text) ? text : "");
        return TRUE;
      } else {
        int found = d->list.Find(-1, text, true);
        if (found < 0) return CB_ERR;
        d->cur = found;
        ShowSelection(hwnd, *d);
        return TRUE;
      }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      std::string t;
      if (HasEdit(hwnd)) {
        Window* e = Lookup(d->edit);
        t = e ? e->text : "";
      } else if (d->cur >= 0 && d->cur < n) {
        t = d->list.items[static_cast<std::size_t>(d->cur)].text;
      }
      if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(t.size());
      char* buffer = reinterpret_cast<char*>(lparam);
      if (!buffer || wparam == 0) return 0;
      std::size_t k = std::min<std::size_t>(wparam - 1, t.size());
      std::memcpy(buffer, t.data(), k);
      buffer[k] = '\0';
      return static_cast<LRESULT>(k);
    }
    case WM_SETFOCUS:
      if (HasEdit(hwnd) && IsWindow(d->edit)) {
        // The box gets the focus from outside and hands it on to its edit (SetFocus, the Tab key).
        FocusIn(hwnd, reinterpret_cast<HWND>(wparam));
        SetFocus(d->edit);
        if (IsWindow(d->edit)) SendMessage(d->edit, EM_SETSEL, 0, -1);
      } else {
        FocusIn(hwnd, reinterpret_cast<HWND>(wparam));
      }
      return 0;
    case WM_KILLFOCUS: FocusOut(hwnd, reinterpret_cast<HWND>(wparam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int x = GET_X_LPARAM(lparam);
      int y = GET_Y_LPARAM(lparam);
      if (d->dropped) {
        const int row = RowAt(hwnd, *d, x, y);
        if (row >= 0) Choose(hwnd, row, true);
        else if (row == kInField) Choose(hwnd, d->cur, true);
        else if (row == kScrollUp || row == kScrollDown) {
          d->top = std::clamp(d->top + (row == kScrollUp ? -d->rows : d->rows), 0, std::max(0, Count(*d) - d->rows));
          if (IsWindow(d->popup)) InvalidateRect(d->popup, nullptr, TRUE);
        } else {
          Cancel(hwnd);
        }
        return 0;
      }
      if (HasEdit(hwnd)) {
        RECT c{};
        GetClientRect(hwnd, &c);
        if (x < c.right - kButtonWidth) {
          SetFocus(d->edit);
          return 0;
        }
        SetFocus(d->edit);
      } else if (GetFocus() != hwnd) {
        SetFocus(hwnd);
      }
      if (IsWindow(hwnd)) Drop(hwnd, true);
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!d->dropped) return 0;
      // A press on the field that opened the list and a release on a row (a drag into the list) picks the row.
      const int row = RowAt(hwnd, *d, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (row >= 0) Choose(hwnd, row, true);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (d->dropped) {
        const int row = RowAt(hwnd, *d, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        if (row >= 0 && row != d->hot) ShowRow(hwnd, *d, row);
      }
      return 0;
    case WM_DESTROY:
      if (IsWindow(d->popup)) DestroyWindow(d->popup);
      if (ComboData* again = DataOf<ComboData>(hwnd)) again->popup = nullptr;
      return 0;
    case WM_CAPTURECHANGED:
      if (d->dropped && reinterpret_cast<HWND>(lparam) != hwnd) Cancel(hwnd);
      return 0;
    case WM_KEYDOWN: KeySelect(hwnd, static_cast<int>(wparam)); return 0;
    case WM_CHAR: {
      if (HasEdit(hwnd)) return 0;
      char prefix[2] = {static_cast<char>(wparam & 0xFF), 0};
      if (static_cast<unsigned char>(prefix[0]) < 0x20) return 0;
      int found = d->list.Find(d->cur, prefix, false);
      if (found >= 0) Choose(hwnd, found, !d->dropped);
      return 0;
    }
    case WM_ENABLE:
      if (IsWindow(d->edit)) EnableWindow(d->edit, wparam ? TRUE : FALSE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

// The drop-down list pop-up: painted from its combo box's rows; the box handles all input (it holds the capture
// while the list is open), so a stray click here goes to the box.
LRESULT ComboListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND combo = reinterpret_cast<HWND>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  ComboData* d = IsWindow(combo) ? DataOf<ComboData>(combo) : nullptr;
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc && d) {
        std::vector<std::string> rows;
        rows.reserve(d->list.items.size());
        for (const auto& item : d->list.items) rows.push_back(item.text);
        RECT c{};
        GetClientRect(hwnd, &c);
        platform::gdi::ListLook look;
        look.rows = &rows;
        look.font = reinterpret_cast<HFONT>(SendMessage(combo, WM_GETFONT, 0, 0));
        look.top = d->top;
        look.selected = d->hot;
        look.item_height = ItemHeight(combo, *d);
        look.enabled = true;
        look.border = false;
        if (Count(*d) > d->rows) {
          const int bar = GetSystemMetrics(SM_CXVSCROLL);
          const RECT rows_rect{c.left, c.top, c.right - bar, c.bottom};
          platform::gdi::PaintListRows(dc, rows_rect, look);
          const RECT bar_rect{c.right - bar, c.top, c.right, c.bottom};
          platform::gdi::PaintScrollBar(dc, bar_rect, true, 0, Count(*d) - 1, d->rows, d->top, true);
        } else {
          platform::gdi::PaintListRows(dc, c, look);
        }
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the rows fill everything
    case LB_GETTOPINDEX: return d ? d->top : LB_ERR;
    case LB_SETTOPINDEX:
      if (!d || static_cast<int>(wparam) >= Count(*d)) return LB_ERR;
      d->top = std::clamp(static_cast<int>(wparam), 0, std::max(0, Count(*d) - d->rows));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_GETITEMHEIGHT: return d ? ItemHeight(combo, *d) : LB_ERR;
    case LB_GETCOUNT: return d ? Count(*d) : 0;
    case LB_GETCURSEL: return d ? d->hot : LB_ERR;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      if (IsWindow(combo)) {
        POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        MapWindowPoints(hwnd, combo, &p, 1);
        return SendMessage(combo, message, wparam, MAKEPOINTLPARAM(p.x, p.y));
      }
      return 0;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail

BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info) {
  using namespace platform::win::detail;
  if (!info || !IsClass(combo, WC_COMBOBOX)) return FALSE;
  ComboData* d = DataOf<ComboData>(combo);
  if (!d) return FALSE;
  RECT c{};
  GetClientRect(combo, &c);
  info->rcItem = RECT{c.left + 2, c.top + 2, c.right - 2 - kButtonWidth, c.bottom - 2};
  info->rcButton = RECT{c.right - 2 - kButtonWidth, c.top + 2, c.right - 2, c.bottom - 2};
  info->stateButton = d->dropped ? 0x00000008 /* pressed */ : 0;
  info->hwndCombo = combo;
  info->hwndItem = d->edit;
  info->hwndList = d->popup;
  return TRUE;
}
