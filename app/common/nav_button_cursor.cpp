// The Previous/Next mouse position between pages.
#include "app/common/nav_button_cursor.h"

namespace app {
namespace {

enum class NavButton { kNone, kPrevious, kNext };

NavButton g_button = NavButton::kNone;

bool MouseOver(HWND dialog, int id, const POINT& mouse) {
  HWND button = GetDlgItem(dialog, id);
  RECT rect{};
  return button != nullptr && IsWindowVisible(button) && GetWindowRect(button, &rect) && PtInRect(&rect, mouse);
}

}  // namespace

void RememberNavButton(HWND dialog, int previous_id, int next_id) {
  g_button = NavButton::kNone;
  POINT mouse{};
  if (!GetCursorPos(&mouse)) return;
  if (MouseOver(dialog, previous_id, mouse)) g_button = NavButton::kPrevious;
  else if (MouseOver(dialog, next_id, mouse)) g_button = NavButton::kNext;
}

void RestoreNavButtonCursor(HWND dialog, int previous_id, int next_id) {
  const NavButton noted = g_button;
  g_button = NavButton::kNone;
  if (noted == NavButton::kNone) return;
  HWND button = GetDlgItem(dialog, noted == NavButton::kPrevious ? previous_id : next_id);
  RECT rect{};
  if (button == nullptr || !GetWindowRect(button, &rect)) return;
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void ForgetNavButton() { g_button = NavButton::kNone; }

}  // namespace app
