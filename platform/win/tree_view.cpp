// The tree view: items under items, expansion, one selected item (the caret). Selection asks the parent first
// (TVN_SELCHANGING, non-zero refuses) and tells it after (TVN_SELCHANGED); so do expansions.
#include <algorithm>
#include <cstring>
#include <map>
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

using ItemId = std::uintptr_t;

struct Node {
  std::string text;
  LPARAM param = 0;
  UINT state = 0;
  int image = 0;
  int selected_image = 0;
  int children_flag = 0;
  ItemId parent = 0;
  std::vector<ItemId> children;
};

struct TreeData : ControlData {
  std::map<ItemId, Node> nodes;
  std::vector<ItemId> roots;
  ItemId next = 1;
  ItemId caret = 0;
  int top = 0;  // first visible row
};

ItemId Id(HTREEITEM h) { return reinterpret_cast<ItemId>(h); }
HTREEITEM Handle(ItemId id) { return reinterpret_cast<HTREEITEM>(id); }
bool IsRoot(HTREEITEM h) { return !h || h == TVI_ROOT; }

std::vector<ItemId>& SiblingsOf(TreeData& d, ItemId parent) {
  return parent ? d.nodes[parent].children : d.roots;
}

void Fill(const TreeData& d, ItemId id, TVITEM& out, UINT mask) {
  auto it = d.nodes.find(id);
  if (it == d.nodes.end()) return;
  const Node& n = it->second;
  out.hItem = Handle(id);
  if (mask & TVIF_TEXT && out.pszText && out.cchTextMax > 0) {
    int k = std::min<int>(out.cchTextMax - 1, static_cast<int>(n.text.size()));
    std::memcpy(out.pszText, n.text.data(), static_cast<std::size_t>(k));
    out.pszText[k] = '\0';
  }
  if (mask & TVIF_PARAM) out.lParam = n.param;
  if (mask & TVIF_STATE) out.state = n.state;
  if (mask & TVIF_IMAGE) out.iImage = n.image;
  if (mask & TVIF_SELECTEDIMAGE) out.iSelectedImage = n.selected_image;
  if (mask & TVIF_CHILDREN) out.cChildren = n.children.empty() ? n.children_flag : 1;
}

void Apply(Node& n, const TVITEM& in) {
  if ((in.mask & TVIF_TEXT) && in.pszText != LPSTR_TEXTCALLBACK) n.text = in.pszText ? in.pszText : "";
  if (in.mask & TVIF_PARAM) n.param = in.lParam;
  if (in.mask & TVIF_STATE) n.state = (n.state & ~in.stateMask) | (in.state & in.stateMask);
  if (in.mask & TVIF_IMAGE) n.image = in.iImage;
  if (in.mask & TVIF_SELECTEDIMAGE) n.selected_image = in.iSelectedImage;
  if (in.mask & TVIF_CHILDREN) n.children_flag = in.cChildren;
}

bool Select(HWND hwnd, ItemId id, UINT action) {
  TreeData* d = DataOf<TreeData>(hwnd);
  if (!d) return false;
  if (id && !d->nodes.count(id)) return false;
  if (id == d->caret) return true;
  NMTREEVIEW nm{};
  nm.action = action;
  nm.itemOld.mask = nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
  if (d->caret) Fill(*d, d->caret, nm.itemOld, TVIF_PARAM | TVIF_STATE);
  if (id) Fill(*d, id, nm.itemNew, TVIF_PARAM | TVIF_STATE);
  if (NotifyParentNm(hwnd, TVN_SELCHANGING, &nm.hdr)) return false;
  d = DataOf<TreeData>(hwnd);
  if (!d) return false;
  if (d->caret && d->nodes.count(d->caret)) d->nodes[d->caret].state &= ~static_cast<UINT>(TVIS_SELECTED);
  d->caret = id;
  if (id && d->nodes.count(id)) d->nodes[id].state |= TVIS_SELECTED;
  InvalidateRect(hwnd, nullptr, FALSE);
  NMTREEVIEW done = nm;
  NotifyParentNm(hwnd, TVN_SELCHANGED, &done.hdr);
  return true;
}

bool Expand(HWND hwnd, ItemId id, WPARAM code) {
  TreeData* d = DataOf<TreeData>(hwnd);
  if (!d || !d->nodes.count(id)) return false;
  bool open = (d->nodes[id].state & TVIS_EXPANDED) != 0;
  bool want = (code & 0x3) == TVE_EXPAND ? true : (code & 0x3) == TVE_COLLAPSE ? false : !open;
  if (want == open) return false;
  NMTREEVIEW nm{};
  nm.action = static_cast<UINT>(want ? TVE_EXPAND : TVE_COLLAPSE);
  Fill(*d, id, nm.itemNew, TVIF_PARAM | TVIF_STATE);
  if (NotifyParentNm(hwnd, TVN_ITEMEXPANDING, &nm.hdr)) return false;
  d = DataOf<TreeData>(hwnd);
  if (!d || !d->nodes.count(id)) return false;
  if (want) d->nodes[id].state |= TVIS_EXPANDED;
  else d->nodes[id].state &= ~static_cast<UINT>(TVIS_EXPANDED);
  InvalidateRect(hwnd, nullptr, TRUE);
  NMTREEVIEW done = nm;
  Fill(*d, id, done.itemNew, TVIF_PARAM | TVIF_STATE);
  NotifyParentNm(hwnd, TVN_ITEMEXPANDED, &done.hdr);
  return true;
}

void Delete(HWND hwnd, ItemId id) {
  TreeData* d = DataOf<TreeData>(hwnd);
  if (!d || !d->nodes.count(id)) return;
  std::vector<ItemId> children = d->nodes[id].children;
  for (ItemId c : children) Delete(hwnd, c);
  d = DataOf<TreeData>(hwnd);
  if (!d || !d->nodes.count(id)) return;
  NMTREEVIEW nm{};
  Fill(*d, id, nm.itemOld, TVIF_PARAM);
  NotifyParentNm(hwnd, TVN_DELETEITEM, &nm.hdr);
  d = DataOf<TreeData>(hwnd);
  if (!d || !d->nodes.count(id)) return;
  auto& sib = SiblingsOf(*d, d->nodes[id].parent);
  sib.erase(std::remove(sib.begin(), sib.end(), id), sib.end());
  if (d->caret == id) d->caret = 0;
  d->nodes.erase(id);
}

// The items a user sees, top to bottom (children of expanded items only).
void Visible(const TreeData& d, const std::vector<ItemId>& level, std::vector<ItemId>& out) {
  for (ItemId id : level) {
    out.push_back(id);
    auto it = d.nodes.find(id);
    if (it != d.nodes.end() && (it->second.state & TVIS_EXPANDED)) Visible(d, it->second.children, out);
  }
}

int RowHeight(HWND hwnd) { return platform::win::ListItemHeight(hwnd) + 2; }
constexpr int kIndent = 16;

int RowsShown(HWND hwnd) {
  RECT c{};
  GetClientRect(hwnd, &c);
  return std::max(1, static_cast<int>(c.bottom / std::max(1, RowHeight(hwnd))));
}

int Depth(const TreeData& d, ItemId id) {
  int depth = 0;
  for (auto it = d.nodes.find(id); it != d.nodes.end() && it->second.parent; it = d.nodes.find(it->second.parent)) ++depth;
  return depth;
}

void ScrollTo(HWND hwnd, TreeData& d, int top, int rows) {
  top = std::clamp(top, 0, std::max(0, rows - RowsShown(hwnd)));
  if (top == d.top) return;
  d.top = top;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void EnsureVisible(HWND hwnd, TreeData& d, ItemId id) {
  std::vector<ItemId> rows;
  Visible(d, d.roots, rows);
  auto at = std::find(rows.begin(), rows.end(), id);
  if (at == rows.end()) return;
  const int row = static_cast<int>(at - rows.begin());
  const int shown = RowsShown(hwnd);
  if (row < d.top) ScrollTo(hwnd, d, row, static_cast<int>(rows.size()));
  else if (row >= d.top + shown) ScrollTo(hwnd, d, row - shown + 1, static_cast<int>(rows.size()));
}

void Paint(HWND hwnd, TreeData& d) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) {
    std::vector<ItemId> rows;
    Visible(d, d.roots, rows);
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    platform::gdi::TreeViewLook look;
    for (ItemId id : rows) {
      const Node& n = d.nodes[id];
      look.rows.push_back({n.text, Depth(d, id), !n.children.empty() || n.children_flag > 0,
                           (n.state & TVIS_EXPANDED) != 0, id == d.caret});
    }
    d.top = std::clamp(d.top, 0, std::max(0, static_cast<int>(rows.size()) - RowsShown(hwnd)));
    look.font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
    look.top = d.top;
    look.row_height = RowHeight(hwnd);
    look.indent = kIndent;
    look.buttons = (style & TVS_HASBUTTONS) != 0;
    look.lines = (style & TVS_HASLINES) != 0;
    look.lines_at_root = (style & TVS_LINESATROOT) != 0;
    look.focused = GetFocus() == hwnd;
    look.show_selection_always = (style & TVS_SHOWSELALWAYS) != 0;
    look.enabled = IsWindowEnabled(hwnd) != FALSE;
    look.scroll_bar = static_cast<int>(rows.size()) > RowsShown(hwnd);
    RECT c{};
    GetClientRect(hwnd, &c);
    platform::gdi::PaintTreeView(dc, c, look);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT TreeViewProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TreeData* d = DataOf<TreeData>(hwnd);
  if (!d) return 0;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(lparam);
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case TVM_INSERTITEM: {
      const auto* ins = reinterpret_cast<const TVINSERTSTRUCT*>(lparam);
      if (!ins) return 0;
      ItemId parent = IsRoot(ins->hParent) ? 0 : Id(ins->hParent);
      if (parent && !d->nodes.count(parent)) return 0;
      ItemId id = d->next++;
      Node n;
      Apply(n, ins->item);
      n.parent = parent;
      d->nodes[id] = n;
      auto& sib = SiblingsOf(*d, parent);
      HTREEITEM after = ins->hInsertAfter;
      if (after == TVI_FIRST) {
        sib.insert(sib.begin(), id);
      } else if (after == TVI_SORT) {
        auto at = std::find_if(sib.begin(), sib.end(), [&](ItemId o) { return d->nodes[o].text > n.text; });
        sib.insert(at, id);
      } else {
        auto at = std::find(sib.begin(), sib.end(), Id(after));
        sib.insert(at == sib.end() ? sib.end() : at + 1, id);
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(Handle(id));
    }
    case TVM_DELETEITEM:
      if (IsRoot(item)) {
        std::vector<ItemId> roots = d->roots;
        for (ItemId r : roots) Delete(hwnd, r);
      } else {
        if (!d->nodes.count(Id(item))) return FALSE;
        Delete(hwnd, Id(item));
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TVM_EXPAND: return Expand(hwnd, Id(item), wparam) ? TRUE : FALSE;
    case TVM_GETCOUNT: return static_cast<LRESULT>(d->nodes.size());
    case TVM_GETNEXTITEM: {
      ItemId id = Id(item);
      switch (wparam) {
        case TVGN_ROOT: return d->roots.empty() ? 0 : static_cast<LRESULT>(d->roots.front());
        case TVGN_CARET: return static_cast<LRESULT>(d->caret);
        case TVGN_CHILD:
          if (IsRoot(item)) return d->roots.empty() ? 0 : static_cast<LRESULT>(d->roots.front());
          if (!d->nodes.count(id) || d->nodes[id].children.empty()) return 0;
          return static_cast<LRESULT>(d->nodes[id].children.front());
        case TVGN_PARENT: return d->nodes.count(id) ? static_cast<LRESULT>(d->nodes[id].parent) : 0;
        case TVGN_NEXT:
        case TVGN_PREVIOUS: {
          if (!d->nodes.count(id)) return 0;
          auto& sib = SiblingsOf(*d, d->nodes[id].parent);
          auto at = std::find(sib.begin(), sib.end(), id);
          if (at == sib.end()) return 0;
          if (wparam == TVGN_NEXT) return at + 1 == sib.end() ? 0 : static_cast<LRESULT>(*(at + 1));
          return at == sib.begin() ? 0 : static_cast<LRESULT>(*(at - 1));
        }
        default: return 0;
      }
    }
    case TVM_SELECTITEM:
      if ((wparam & 0xFF) != TVGN_CARET) return FALSE;
      return Select(hwnd, IsRoot(item) ? 0 : Id(item), TVC_UNKNOWN) ? TRUE : FALSE;
    case TVM_GETITEM: {
      auto* out = reinterpret_cast<TVITEM*>(lparam);
      if (!out || !d->nodes.count(Id(out->hItem))) return FALSE;
      Fill(*d, Id(out->hItem), *out, out->mask);
      return TRUE;
    }
    case TVM_SETITEM: {
      const auto* in = reinterpret_cast<const TVITEM*>(lparam);
      if (!in || !d->nodes.count(Id(in->hItem))) return FALSE;
      Apply(d->nodes[Id(in->hItem)], *in);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    }
    case TVM_ENSUREVISIBLE:
      if (!d->nodes.count(Id(item))) return FALSE;
      for (ItemId p = d->nodes[Id(item)].parent; p && d->nodes.count(p); p = d->nodes[p].parent) {
        if (!(d->nodes[p].state & TVIS_EXPANDED)) Expand(hwnd, p, TVE_EXPAND);
        d = DataOf<TreeData>(hwnd);
        if (!d || !d->nodes.count(p)) return FALSE;
      }
      EnsureVisible(hwnd, *d, Id(item));
      return TRUE;
    case WM_PAINT: Paint(hwnd, *d); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case TVM_SORTCHILDREN: {
      auto& sib = SiblingsOf(*d, IsRoot(item) ? 0 : Id(item));
      std::stable_sort(sib.begin(), sib.end(), [&](ItemId a, ItemId b) { return d->nodes[a].text < d->nodes[b].text; });
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(hwnd);
      d = DataOf<TreeData>(hwnd);
      if (!d) return 0;
      std::vector<ItemId> rows;
      Visible(*d, d->roots, rows);
      RECT c{};
      GetClientRect(hwnd, &c);
      const int x = GET_X_LPARAM(lparam);
      const int shown = RowsShown(hwnd);
      const int count = static_cast<int>(rows.size());
      if (count > shown && x >= c.right - GetSystemMetrics(SM_CXVSCROLL)) {
        const int hit = platform::gdi::ScrollColumnHit(static_cast<int>(c.bottom), GET_Y_LPARAM(lparam), count, shown, d->top);
        ScrollTo(hwnd, *d, d->top + (hit == -2 ? -shown : hit == 2 ? shown : hit), count);
        return 0;
      }
      int row = d->top + GET_Y_LPARAM(lparam) / std::max(1, RowHeight(hwnd));
      if (row >= 0 && row < count) {
        ItemId id = rows[static_cast<std::size_t>(row)];
        const Node& n = d->nodes[id];
        // The plus or minus box in front of an item with children opens or closes it.
        const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        const bool root_column = (style & TVS_LINESATROOT) && (style & (TVS_HASBUTTONS | TVS_HASLINES));
        const int level = Depth(*d, id) + (root_column ? 1 : 0);
        const int box = 2 + level * kIndent - kIndent / 2;
        const bool on_box = (style & TVS_HASBUTTONS) && level > 0 && (!n.children.empty() || n.children_flag > 0) &&
                            x >= box - 6 && x <= box + 6;
        if (message == WM_LBUTTONDBLCLK || on_box) Expand(hwnd, id, TVE_TOGGLE);
        else Select(hwnd, id, TVC_BYMOUSE);
      }
      NMHDR nm{};
      if (IsWindow(hwnd)) NotifyParentNm(hwnd, message == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_CLICK, &nm);
      return 0;
    }
    case WM_KEYDOWN: {
      std::vector<ItemId> rows;
      Visible(*d, d->roots, rows);
      if (rows.empty()) return 0;
      auto at = std::find(rows.begin(), rows.end(), d->caret);
      int i = at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
      switch (static_cast<int>(wparam)) {
        case VK_UP: Select(hwnd, rows[static_cast<std::size_t>(std::max(0, i - 1))], TVC_BYKEYBOARD); break;
        case VK_DOWN: Select(hwnd, rows[static_cast<std::size_t>(std::min<int>(static_cast<int>(rows.size()) - 1, i + 1))], TVC_BYKEYBOARD); break;
        case VK_RIGHT: if (d->caret) Expand(hwnd, d->caret, TVE_EXPAND); break;
        case VK_LEFT: if (d->caret) Expand(hwnd, d->caret, TVE_COLLAPSE); break;
        default: break;
      }
      if (TreeData* again = DataOf<TreeData>(hwnd); again && again->caret) EnsureVisible(hwnd, *again, again->caret);
      return 0;
    }
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
