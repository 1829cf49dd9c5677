// The window object: binding to handles, taking over a window's procedure, and message dispatch.
#include "platform/afx/wnd.h"

#include "platform/afx/creation_scope.h"
#include "platform/afx/handle_map.h"
#include "platform/sys/dynamic_library.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace afx {

struct WndAccess {
  static void PostNcDestroy(CWnd& w) { w.PostNcDestroy(); }
  static bool ChildNotify(CWnd& w, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    return w.OnChildNotify(message, wparam, lparam, result);
  }
  static WNDPROC& Super(CWnd& w) { return w.super_proc_; }
  static const MSG*& Current(CWnd& w) { return w.current_; }
};

namespace {

LRESULT ObjectWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  CWnd* w = detail::LookupPermanent(hwnd);
  if (!w || !WndAccess::Super(*w)) return ::DefWindowProc(hwnd, message, wparam, lparam);
  MSG msg{hwnd, message, wparam, lparam, 0, POINT{0, 0}};
  const MSG* saved = WndAccess::Current(*w);
  WndAccess::Current(*w) = &msg;
  LRESULT result = w->WindowProc(message, wparam, lparam);
  // The handler may have deleted the object or let the window go.
  if (detail::LookupPermanent(hwnd) != w) return result;
  WndAccess::Current(*w) = saved;
  if (message == WM_NCDESTROY) {
    detail::UnbindPermanent(hwnd, w);
    w->m_hWnd = nullptr;
    WndAccess::Super(*w) = nullptr;
    WndAccess::Current(*w) = nullptr;
    WndAccess::PostNcDestroy(*w);
  }
  return result;
}

}  // namespace

namespace detail {

CreationScope::CreationScope(CWnd* object) : pending_(object) {
  previous_ = platform::win::SetCreationHook({&CreationScope::Bind, this});
}

CreationScope::~CreationScope() {
  if (pending_) platform::win::SetCreationHook(previous_);
}

// The hook goes as soon as it has bound its window, so that a modal loop running inside the creating call
// creates its other windows unhooked.
void CreationScope::Bind(HWND hwnd, void* context) {
  auto* scope = static_cast<CreationScope*>(context);
  CWnd* object = scope->pending_;
  scope->pending_ = nullptr;
  platform::win::SetCreationHook(scope->previous_);
  if (object) object->SubclassWindow(hwnd);
}

void TakeDownObjectsOf(HMODULE module) {
  if (!module || module == platform::sys::ProcessModule()) return;
  for (auto& [hwnd, object] : PermanentBindings()) {
    if (LookupPermanent(hwnd) != object) continue;  // gone with an earlier one
    // The object's class is where its table of virtual functions lies.
    const void* vtable = *reinterpret_cast<void* const*>(object);
    if (!platform::sys::AddressInModule(module, object) && !platform::sys::AddressInModule(module, vtable)) continue;
    bool owned = WndAccess::Super(*object) != nullptr;
    object->Detach();
    if (owned && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
  }
}

}  // namespace detail

const MessageMap CWnd::kMessageMap{nullptr, {}};

CWnd::~CWnd() {
  if (!m_hWnd) return;
  HWND hwnd = m_hWnd;
  bool owned = super_proc_ != nullptr;
  // The window gets its own procedure back before it goes, so no message reaches a half-destroyed object.
  Detach();
  if (owned && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

BOOL CWnd::Attach(HWND hwnd) {
  if (m_hWnd || !::IsWindow(hwnd)) return FALSE;
  if (!detail::BindPermanent(hwnd, this)) return FALSE;
  m_hWnd = hwnd;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (!hwnd) return nullptr;
  if (super_proc_) {
    if (::IsWindow(hwnd) && reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC)) == &ObjectWndProc)
      SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super_proc_));
    super_proc_ = nullptr;
  }
  detail::UnbindPermanent(hwnd, this);
  m_hWnd = nullptr;
  current_ = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC));
  if (proc == &ObjectWndProc) proc = nullptr;
  super_proc_ = proc ? proc : &::DefWindowProc;
  SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectWndProc));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!::IsWindow(hwnd)) return nullptr;
  if (CWnd* w = detail::LookupPermanent(hwnd)) return w;
  return detail::TemporaryFor(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) { return detail::LookupPermanent(hwnd); }

BOOL CWnd::CreateEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
  if (m_hWnd) return FALSE;
  HWND hwnd;
  {
    detail::CreationScope scope(this);
    hwnd = ::CreateWindowEx(ex_style, class_name, window_name, style, rect.left, rect.top, RectWidth(rect),
                            RectHeight(rect), parent ? parent->m_hWnd : nullptr,
                            (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)) : nullptr,
                            nullptr, param);
  }
  if (!hwnd && m_hWnd) Detach();
  return hwnd ? TRUE : FALSE;
}

BOOL CWnd::Create(LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, class_name, window_name, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

const MessageMap* CWnd::GetMessageMap() const { return &kMessageMap; }

bool CWnd::OnWndMsg(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, wparam, lparam);
  if (entry) {
    *result = entry->handler(*this, message, wparam, lparam);
    return true;
  }
  // An owner-drawn control draws itself when its object wants to (wParam is its id; 0 means a menu).
  if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && wparam != 0) {
    CWnd* control = FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(wparam)));
    if (control && control != this) return WndAccess::ChildNotify(*control, message, wparam, lparam, result);
  }
  return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (OnWndMsg(message, wparam, lparam, &result)) return result;
  return DefWindowProc(message, wparam, lparam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::Default() {
  if (!current_) return 0;
  return DefWindowProc(current_->message, current_->wParam, current_->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!m_hWnd) return 0;
  if (super_proc_) return ::CallWindowProc(super_proc_, m_hWnd, message, wparam, lparam);
  return ::DefWindowProc(m_hWnd, message, wparam, lparam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wparam, LPARAM lparam) const {
  return ::SendMessage(m_hWnd, message, wparam, lparam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wparam, LPARAM lparam) const {
  return ::PostMessage(m_hWnd, message, wparam, lparam);
}
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
void CWnd::SetWindowText(LPCSTR text) { ::SetWindowText(m_hWnd, text); }
std::string CWnd::GetWindowText() const {
  int n = ::GetWindowTextLength(m_hWnd);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  int got = ::GetWindowText(m_hWnd, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}
void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(RECT* rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2); }
void CWnd::ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(RECT* rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2); }
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
  ::MoveWindow(m_hWnd, rect.left, rect.top, RectWidth(rect), RectHeight(rect), repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insert_after, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insert_after ? insert_after->m_hWnd : nullptr, x, y, cx, cy, flags);
}
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemText(m_hWnd, id, text); }
std::string CWnd::GetDlgItemText(int id) const {
  CWnd* item = GetDlgItem(id);
  return item ? item->GetWindowText() : std::string();
}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

}  // namespace afx
