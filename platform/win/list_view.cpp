// The list view in report view: columns, rows of item and sub-item texts, selection and focus states. Every state
// change (by the program or the user) is told to the parent as LVN_ITEMCHANGING (non-zero refuses) and
// LVN_ITEMCHANGED, as the original does.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/common_control_paint.h"
#include "platform/win/common_controls.h"
#include "platform/win/metrics.h"
#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct Column {
  std::string text;
  int width = 60;
  int fmt = LVCFMT_LEFT;
};

struct Row {
  std::vector<std::string> texts;
  UINT state = 0;
  LPARAM param = 0;
};

struct ListViewData : ControlData {
  std::vector<Column> columns;
  std::vector<Row> rows;
  DWORD ex_style = 0;
  int top = 0;  // first visible row
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

int RowHeight(HWND hwnd) { return platform::win::ListItemHeight(hwnd) + 2; }
int HeaderHeight(HWND hwnd) {
  return (Style(hwnd) & LVS_NOCOLUMNHEADER) ? 0 : platform::win::ListItemHeight(hwnd) + 6;
}

// Rows that fit below the header.
int RowsShown(HWND hwnd) {
  RECT c{};
  GetClientRect(hwnd, &c);
  return std::max(1, static_cast<int>((c.bottom - HeaderHeight(hwnd)) / std::max(1, RowHeight(hwnd))));
}

bool HasScrollColumn(HWND hwnd, const ListViewData& d) { return static_cast<int>(d.rows.size()) > RowsShown(hwnd); }

void ScrollTo(HWND hwnd, ListViewData& d, int top) {
  top = std::clamp(top, 0, std::max(0, static_cast<int>(d.rows.size()) - RowsShown(hwnd)));
  if (top == d.top) return;
  d.top = top;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void EnsureVisible(HWND hwnd, ListViewData& d, int row) {
  const int shown = RowsShown(hwnd);
  if (row < d.top) ScrollTo(hwnd, d, row);
  else if (row >= d.top + shown) ScrollTo(hwnd, d, row - shown + 1);
}

void Paint(HWND hwnd, ListViewData& d) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) {
    const DWORD style = Style(hwnd);
    platform::gdi::ListViewLook look;
    for (const Column& c : d.columns) look.columns.push_back({c.text, c.width, c.fmt});
    for (const Row& r : d.rows)
      look.rows.push_back({r.texts, (r.state & LVIS_SELECTED) != 0, (r.state & LVIS_FOCUSED) != 0});
    look.font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
    d.top = std::clamp(d.top, 0, std::max(0, static_cast<int>(d.rows.size()) - RowsShown(hwnd)));
    look.top = d.top;
    look.row_height = RowHeight(hwnd);
    look.header_height = HeaderHeight(hwnd);
    look.focused = GetFocus() == hwnd;
    look.show_selection_always = (style & LVS_SHOWSELALWAYS) != 0;
    look.grid_lines = (d.ex_style & LVS_EX_GRIDLINES) != 0;
    look.full_row_select = (d.ex_style & LVS_EX_FULLROWSELECT) != 0;
    look.enabled = IsWindowEnabled(hwnd) != FALSE;
    look.scroll_bar = HasScrollColumn(hwnd, d);
    RECT c{};
    GetClientRect(hwnd, &c);
    platform::gdi::PaintListView(dc, c, look);
  }
  EndPaint(hwnd, &ps);
}

std::string TextOf(const char* s) {
  if (!s || s == LPSTR_TEXTCALLBACK) return "";
  return s;
}

// Changes the state bits in mask of one row, with the notifications; false when the parent refused.
bool ChangeState(HWND hwnd, int index, UINT state, UINT mask) {
  ListViewData* d = DataOf<ListViewData>(hwnd);
  if (!d || index < 0 || index >= static_cast<int>(d->rows.size())) return false;
  UINT old = d->rows[static_cast<std::size_t>(index)].state;
  UINT now = (old & ~mask) | (state & mask);
  if (now == old) return true;
  NMLISTVIEW nm{};
  nm.iItem = index;
  nm.uNewState = now;
  nm.uOldState = old;
  nm.uChanged = LVIF_STATE;
  nm.lParam = d->rows[static_cast<std::size_t>(index)].param;
  if (NotifyParentNm(hwnd, LVN_ITEMCHANGING, &nm.hdr)) return false;
  d = DataOf<ListViewData>(hwnd);
  if (!d || index >= static_cast<int>(d->rows.size())) return false;
  d->rows[static_cast<std::size_t>(index)].state = now;
  InvalidateRect(hwnd, nullptr, FALSE);
  NMLISTVIEW done = nm;
  NotifyParentNm(hwnd, LVN_ITEMCHANGED, &done.hdr);
  return true;
}

// Selects one row the way the single-selection rule asks: the others lose the selection first.
void SelectOnly(HWND hwnd, int index, UINT bits) {
  ListViewData* d = DataOf<ListViewData>(hwnd);
  if (!d) return;
  for (int i = 0; i < static_cast<int>(d->rows.size()); ++i) {
    if (i == index) continue;
    d = DataOf<ListViewData>(hwnd);
    if (!d || i >= static_cast<int>(d->rows.size())) return;
    if (d->rows[static_cast<std::size_t>(i)].state & bits) ChangeState(hwnd, i, 0, bits);
  }
  ChangeState(hwnd, index, bits, bits);
}

int CopyText(const std::string& text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  int n = std::min<int>(size - 1, static_cast<int>(text.size()));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

void SetText(Row& row, int sub, const char* text) {
  if (sub < 0) return;
  if (row.texts.size() <= static_cast<std::size_t>(sub)) row.texts.resize(static_cast<std::size_t>(sub) + 1);
  row.texts[static_cast<std::size_t>(sub)] = TextOf(text);
}

}  // namespace

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ListViewData* d = DataOf<ListViewData>(hwnd);
  if (!d) return 0;
  int count = static_cast<int>(d->rows.size());
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LVM_INSERTCOLUMN: {
      const auto* c = reinterpret_cast<const LVCOLUMN*>(lparam);
      if (!c) return -1;
      int at = std::clamp(static_cast<int>(wparam), 0, static_cast<int>(d->columns.size()));
      Column col;
      if (c->mask & LVCF_TEXT) col.text = TextOf(c->pszText);
      if (c->mask & LVCF_WIDTH) col.width = c->cx;
      if (c->mask & LVCF_FMT) col.fmt = c->fmt;
      d->columns.insert(d->columns.begin() + at, col);
      InvalidateRect(hwnd, nullptr, TRUE);
      return at;
    }
    case LVM_DELETECOLUMN:
      if (wparam >= d->columns.size()) return FALSE;
      d->columns.erase(d->columns.begin() + static_cast<std::ptrdiff_t>(wparam));
      for (Row& r : d->rows)
        if (r.texts.size() > wparam) r.texts.erase(r.texts.begin() + static_cast<std::ptrdiff_t>(wparam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case LVM_GETCOLUMNWIDTH: return wparam < d->columns.size() ? d->columns[wparam].width : 0;
    case LVM_SETCOLUMNWIDTH:
      if (wparam >= d->columns.size()) return FALSE;
      d->columns[wparam].width = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam)));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case LVM_GETCOLUMN:
    case LVM_SETCOLUMN: {
      auto* c = reinterpret_cast<LVCOLUMN*>(lparam);
      if (!c || wparam >= d->columns.size()) return FALSE;
      Column& col = d->columns[wparam];
      if (message == LVM_SETCOLUMN) {
        if (c->mask & LVCF_TEXT) col.text = TextOf(c->pszText);
        if (c->mask & LVCF_WIDTH) col.width = c->cx;
        if (c->mask & LVCF_FMT) col.fmt = c->fmt;
        InvalidateRect(hwnd, nullptr, TRUE);
      } else {
        if (c->mask & LVCF_TEXT) CopyText(col.text, c->pszText, c->cchTextMax);
        if (c->mask & LVCF_WIDTH) c->cx = col.width;
        if (c->mask & LVCF_FMT) c->fmt = col.fmt;
      }
      return TRUE;
    }
    case LVM_INSERTITEM: {
      const auto* it = reinterpret_cast<const LVITEM*>(lparam);
      if (!it || it->iSubItem != 0) return -1;
      Row row;
      if (it->mask & LVIF_TEXT) SetText(row, 0, it->pszText);
      if (it->mask & LVIF_PARAM) row.param = it->lParam;
      int at = std::clamp(it->iItem, 0, count);
      if (Style(hwnd) & LVS_SORTASCENDING) {
        at = 0;
        while (at < count && d->rows[static_cast<std::size_t>(at)].texts[0] <= row.texts[0]) ++at;
      }
      d->rows.insert(d->rows.begin() + at, row);
      InvalidateRect(hwnd, nullptr, TRUE);
      NMLISTVIEW nm{};
      nm.iItem = at;
      NotifyParentNm(hwnd, LVN_INSERTITEM, &nm.hdr);
      if ((it->mask & LVIF_STATE) && IsWindow(hwnd)) ChangeState(hwnd, at, it->state, it->stateMask);
      return at;
    }
    case LVM_SETITEM: {
      const auto* it = reinterpret_cast<const LVITEM*>(lparam);
      if (!it || it->iItem < 0 || it->iItem >= count) return FALSE;
      Row& row = d->rows[static_cast<std::size_t>(it->iItem)];
      if (it->mask & LVIF_TEXT) SetText(row, it->iSubItem, it->pszText);
      if (it->mask & LVIF_PARAM) row.param = it->lParam;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (it->mask & LVIF_STATE) ChangeState(hwnd, it->iItem, it->state, it->stateMask);
      return TRUE;
    }
    case LVM_GETITEM: {
      auto* it = reinterpret_cast<LVITEM*>(lparam);
      if (!it || it->iItem < 0 || it->iItem >= count) return FALSE;
      const Row& row = d->rows[static_cast<std::size_t>(it->iItem)];
      if (it->mask & LVIF_TEXT) {
        std::size_t sub = static_cast<std::size_t>(std::max(0, it->iSubItem));
        CopyText(sub < row.texts.size() ? row.texts[sub] : "", it->pszText, it->cchTextMax);
      }
      if (it->mask & LVIF_PARAM) it->lParam = row.param;
      if (it->mask & LVIF_STATE) it->state = row.state & it->stateMask;
      return TRUE;
    }
    case LVM_SETITEMTEXT: {
      const auto* it = reinterpret_cast<const LVITEM*>(lparam);
      int index = static_cast<int>(wparam);
      if (!it || index < 0 || index >= count) return FALSE;
      SetText(d->rows[static_cast<std::size_t>(index)], it->iSubItem, it->pszText);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    }
    case LVM_GETITEMTEXT: {
      auto* it = reinterpret_cast<LVITEM*>(lparam);
      int index = static_cast<int>(wparam);
      if (!it || index < 0 || index >= count) return 0;
      const Row& row = d->rows[static_cast<std::size_t>(index)];
      std::size_t sub = static_cast<std::size_t>(std::max(0, it->iSubItem));
      return CopyText(sub < row.texts.size() ? row.texts[sub] : "", it->pszText, it->cchTextMax);
    }
    case LVM_DELETEITEM: {
      int index = static_cast<int>(wparam);
      if (index < 0 || index >= count) return FALSE;
      NMLISTVIEW nm{};
      nm.iItem = index;
      nm.lParam = d->rows[static_cast<std::size_t>(index)].param;
      NotifyParentNm(hwnd, LVN_DELETEITEM, &nm.hdr);
      d = DataOf<ListViewData>(hwnd);
      if (!d || index >= static_cast<int>(d->rows.size())) return FALSE;
      d->rows.erase(d->rows.begin() + index);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case LVM_DELETEALLITEMS: {
      NMLISTVIEW nm{};
      nm.iItem = -1;
      NotifyParentNm(hwnd, LVN_DELETEALLITEMS, &nm.hdr);
      if ((d = DataOf<ListViewData>(hwnd))) d->rows.clear();
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case LVM_GETITEMCOUNT: return count;
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(d->rows.begin(), d->rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
    case LVM_SETITEMSTATE: {
      const auto* it = reinterpret_cast<const LVITEM*>(lparam);
      if (!it) return FALSE;
      int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
      if (index == -1) {
        for (int i = 0; i < count; ++i) ChangeState(hwnd, i, it->state, it->stateMask);
        return TRUE;
      }
      if ((Style(hwnd) & LVS_SINGLESEL) && (it->stateMask & it->state & LVIS_SELECTED)) {
        SelectOnly(hwnd, index, LVIS_SELECTED);
        return ChangeState(hwnd, index, it->state, it->stateMask & ~static_cast<UINT>(LVIS_SELECTED)) ? TRUE : FALSE;
      }
      if (it->stateMask & it->state & LVIS_FOCUSED) SelectOnly(hwnd, index, LVIS_FOCUSED);
      return ChangeState(hwnd, index, it->state, it->stateMask) ? TRUE : FALSE;
    }
    case LVM_GETITEMSTATE: {
      int index = static_cast<int>(wparam);
      if (index < 0 || index >= count) return 0;
      return d->rows[static_cast<std::size_t>(index)].state & static_cast<UINT>(lparam);
    }
    case LVM_GETNEXTITEM: {
      int start = static_cast<int>(static_cast<std::intptr_t>(wparam));
      UINT flags = static_cast<UINT>(lparam) & (LVNI_SELECTED | LVNI_FOCUSED);
      for (int i = start + 1; i < count; ++i)
        if ((d->rows[static_cast<std::size_t>(i)].state & flags) == flags) return i;
      return -1;
    }
    case LVM_ENSUREVISIBLE:
      if (static_cast<int>(wparam) < 0 || static_cast<int>(wparam) >= count) return FALSE;
      EnsureVisible(hwnd, *d, static_cast<int>(wparam));
      return TRUE;
    case LVM_GETTOPINDEX: return d->top;
    case LVM_GETCOUNTPERPAGE: return RowsShown(hwnd);
    case WM_PAINT: Paint(hwnd, *d); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: ScrollTo(hwnd, *d, d->top); return 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD old = d->ex_style;
      DWORD mask = wparam ? static_cast<DWORD>(wparam) : 0xFFFFFFFFu;
      d->ex_style = (d->ex_style & ~mask) | (static_cast<DWORD>(lparam) & mask);
      return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return d->ex_style;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(hwnd);
      if (!IsWindow(hwnd)) return 0;
      int x = GET_X_LPARAM(lparam);
      int y = GET_Y_LPARAM(lparam);
      int header = HeaderHeight(hwnd);
      if (y < header) {
        int left = 0;
        for (std::size_t c = 0; c < DataOf<ListViewData>(hwnd)->columns.size(); ++c) {
          left += DataOf<ListViewData>(hwnd)->columns[c].width;
          if (x < left) {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            nm.iSubItem = static_cast<int>(c);
            NotifyParentNm(hwnd, LVN_COLUMNCLICK, &nm.hdr);
            break;
          }
        }
        return 0;
      }
      RECT c{};
      GetClientRect(hwnd, &c);
      if (HasScrollColumn(hwnd, *d) && x >= c.right - GetSystemMetrics(SM_CXVSCROLL)) {
        const int shown = RowsShown(hwnd);
        const int hit = platform::gdi::ScrollColumnHit(static_cast<int>(c.bottom) - header, y - header, count, shown, d->top);
        ScrollTo(hwnd, *d, d->top + (hit == -2 ? -shown : hit == 2 ? shown : hit));
        return 0;
      }
      int row = d->top + (y - header) / std::max(1, RowHeight(hwnd));
      if (row >= 0 && row < count) {
        bool add = !(Style(hwnd) & LVS_SINGLESEL) && (wparam & MK_CONTROL);
        if (add) {
          UINT now = d->rows[static_cast<std::size_t>(row)].state & LVIS_SELECTED;
          ChangeState(hwnd, row, now ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        } else {
          SelectOnly(hwnd, row, LVIS_SELECTED);
        }
        if (IsWindow(hwnd)) SelectOnly(hwnd, row, LVIS_FOCUSED);
      }
      NMHDR nm{};
      if (IsWindow(hwnd)) NotifyParentNm(hwnd, message == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_CLICK, &nm);
      return 0;
    }
    case WM_KEYDOWN: {
      if (count == 0) return 0;
      int at = static_cast<int>(SendMessage(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      int to = at;
      if (wparam == VK_UP) to = std::max(0, at - 1);
      else if (wparam == VK_DOWN) to = std::min(count - 1, at + 1);
      else if (wparam == VK_HOME) to = 0;
      else if (wparam == VK_END) to = count - 1;
      else return 0;
      if (to < 0) to = 0;
      SelectOnly(hwnd, to, LVIS_SELECTED);
      if (IsWindow(hwnd)) SelectOnly(hwnd, to, LVIS_FOCUSED);
      if (ListViewData* again = DataOf<ListViewData>(hwnd)) EnsureVisible(hwnd, *again, to);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      InvalidateRect(hwnd, nullptr, FALSE);
      NMHDR nm{};
      NotifyParentNm(hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &nm);
      return 0;
    }
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
