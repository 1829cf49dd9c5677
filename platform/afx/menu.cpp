// Menus.
#include "platform/afx/menu.h"

#include <utility>
#include <vector>

#include "platform/afx/module_state.h"
#include "platform/afx/wnd.h"

namespace afx {

CMenu::~CMenu() { DestroyMenu(); }

CMenu::CMenu(CMenu&& other) noexcept
    : m_hMenu(std::exchange(other.m_hMenu, nullptr)), owns_(std::exchange(other.owns_, false)) {}

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    DestroyMenu();
    m_hMenu = std::exchange(other.m_hMenu, nullptr);
    owns_ = std::exchange(other.owns_, false);
  }
  return *this;
}

BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(id))); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::Attach(HMENU menu) {
  if (m_hMenu || !menu) return FALSE;
  m_hMenu = menu;
  owns_ = true;
  return TRUE;
}

HMENU CMenu::Detach() {
  owns_ = false;
  return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::DestroyMenu() {
  bool owns = owns_;
  HMENU menu = Detach();
  return owns && menu ? ::DestroyMenu(menu) : FALSE;
}

CMenu CMenu::GetSubMenu(int position) const {
  CMenu view;
  view.m_hMenu = ::GetSubMenu(m_hMenu, position);
  return view;
}

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text) { return ::AppendMenu(m_hMenu, flags, id, text); }

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) {
  return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
}

UINT CMenu::CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
UINT CMenu::EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }

std::string CMenu::GetMenuString(UINT item, UINT flags) const {
  std::vector<char> buffer(256, '\0');
  int n = ::GetMenuString(m_hMenu, item, buffer.data(), static_cast<int>(buffer.size()), flags);
  return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}

}  // namespace afx
