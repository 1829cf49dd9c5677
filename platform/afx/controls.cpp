// Control objects.
#include "platform/afx/controls.h"

#include <vector>

#include "platform/win/controls.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace afx {
namespace {

TOOLINFO WholeWindowTool(CWnd* tool, LPCSTR text) {
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;
  ti.hwnd = ::GetParent(tool->m_hWnd);
  ti.uId = reinterpret_cast<UINT_PTR>(tool->m_hWnd);
  ti.lpszText = const_cast<LPSTR>(text);
  return ti;
}

LRESULT TreeCall(const CWnd* tree, UINT message, WPARAM wparam, LPARAM lparam) {
  return ::SendMessage(tree->m_hWnd, message, wparam, lparam);
}

HTREEITEM NextItem(const CWnd* tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(TreeCall(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, RECT{0, 0, 0, 0}, parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCSTR text) {
  if (!tool || !::IsWindow(tool->m_hWnd)) return FALSE;
  TOOLINFO ti = WholeWindowTool(tool, text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCSTR text, const RECT& rect, UINT id) {
  if (!window || !::IsWindow(window->m_hWnd)) return FALSE;
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = window->m_hWnd;
  ti.uId = id;
  ti.rect = rect;
  ti.lpszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* tool) {
  if (!tool) return;
  TOOLINFO ti = WholeWindowTool(tool, nullptr);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* tool) {
  if (!tool) return;
  TOOLINFO ti = WholeWindowTool(tool, text);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
  if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

void CToolTipCtrl::Activate(BOOL active) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(active), 0); }
int CToolTipCtrl::SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT, 0, 0)); }

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, WC_TREEVIEW, nullptr, style | WS_CHILD, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCT insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPSTR>(text);
  return reinterpret_cast<HTREEITEM>(TreeCall(this, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
  TVITEM tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(TreeCall(this, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv)));
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const {
  std::vector<char> buffer(1024, '\0');
  TVITEM tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = buffer.data();
  tv.cchTextMax = static_cast<int>(buffer.size());
  if (!TreeCall(this, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv))) return {};
  return tv.pszText ? std::string(tv.pszText) : std::string();
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data) {
  TVITEM tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  tv.lParam = data;
  return static_cast<BOOL>(TreeCall(this, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv)));
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEM tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  if (!TreeCall(this, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv))) return 0;
  return tv.lParam;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
  return static_cast<BOOL>(TreeCall(this, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}
BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }
BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
  return static_cast<BOOL>(TreeCall(this, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}
HTREEITEM CTreeCtrl::GetRootItem() const { return NextItem(this, nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return NextItem(this, item, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return NextItem(this, item, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return NextItem(this, item, TVGN_PARENT); }
UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(TreeCall(this, TVM_GETCOUNT, 0, 0)); }

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, UPDOWN_CLASS, nullptr, style | WS_CHILD, rect, parent, id);
}
void CSpinButtonCtrl::SetRange(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32, 0, 0)); }

BOOL CButton::Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, WC_BUTTON, caption, style | WS_CHILD, rect, parent, id);
}
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check), 0); }
HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
  constexpr WPARAM kImageBitmap = 0;
  return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, kImageBitmap, reinterpret_cast<LPARAM>(bitmap)));
}

bool CButton::OnChildNotify(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  if (message != WM_DRAWITEM || lparam == 0) return false;
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lparam));
  *result = TRUE;
  return true;
}

}  // namespace afx
