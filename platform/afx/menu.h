// Menus: a loaded or created menu is destroyed with its object; GetSubMenu gives a view of a pop-up that the
// parent menu owns.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"
#include "platform/win/menu.h"

namespace afx {

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  ~CMenu();
  CMenu(CMenu&& other) noexcept;
  CMenu& operator=(CMenu&& other) noexcept;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }

  // A menu resource of the resource module.
  BOOL LoadMenu(UINT id);
  BOOL CreatePopupMenu();
  BOOL Attach(HMENU menu);
  HMENU Detach();
  BOOL DestroyMenu();

  // The pop-up at a position, owned by this menu; an empty view when there is none.
  CMenu GetSubMenu(int position) const;
  int GetMenuItemCount() const;
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr);
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags);
  UINT CheckMenuItem(UINT item, UINT flags);
  UINT EnableMenuItem(UINT item, UINT flags);
  std::string GetMenuString(UINT item, UINT flags) const;
  // Shows the pop-up at a screen point; the command is posted to owner (or returned with TPM_RETURNCMD).
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

 private:
  bool owns_ = false;
};

}  // namespace afx
