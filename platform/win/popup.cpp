// Pop-up windows: creation, showing without activation, placement on the screen.
#include "platform/win/popup.h"

#include <algorithm>

#include "platform/win/detail/window_table.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace platform::win {
namespace {

// Shown pop-ups, the most recently shown first (stale handles are dropped when read).
std::vector<HWND>& Order() {
  static std::vector<HWND> order;
  return order;
}

}  // namespace

HWND CreatePopupWindow(LPCSTR class_name, HWND owner, const RECT& r, DWORD extra_style, LPVOID param) {
  HWND top = owner ? detail::Root(owner) : nullptr;
  return CreateWindowEx(kPopupExStyle, class_name, "", kPopupStyle | (extra_style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD)),
                        r.left, r.top, RectWidth(r), RectHeight(r), top, nullptr,
                        top ? reinterpret_cast<HINSTANCE>(GetWindowLongPtr(top, GWLP_HINSTANCE)) : nullptr, param);
}

void ShowPopupWindow(HWND popup, const RECT& r) {
  if (!IsPopupWindow(popup)) return;
  SetWindowPos(popup, HWND_TOPMOST, r.left, r.top, RectWidth(r), RectHeight(r), SWP_NOACTIVATE);
  auto& order = Order();
  order.erase(std::remove(order.begin(), order.end(), popup), order.end());
  order.insert(order.begin(), popup);
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  InvalidateRect(popup, nullptr, TRUE);
}

void HidePopupWindow(HWND popup) {
  if (!IsPopupWindow(popup)) return;
  ShowWindow(popup, SW_HIDE);
  auto& order = Order();
  order.erase(std::remove(order.begin(), order.end(), popup), order.end());
}

bool IsPopupWindow(HWND hwnd) {
  const detail::Window* w = detail::Lookup(hwnd);
  return w && !(w->style & WS_CHILD) && (w->ex_style & WS_EX_NOACTIVATE);
}

std::vector<HWND> ShownPopups() {
  auto& order = Order();
  order.erase(std::remove_if(order.begin(), order.end(), [](HWND h) { return !IsPopupWindow(h); }), order.end());
  std::vector<HWND> shown;
  for (HWND h : order)
    if (IsWindowVisible(h)) shown.push_back(h);
  for (HWND h : detail::TopLevelWindows())
    if (IsPopupWindow(h) && IsWindowVisible(h) && std::find(shown.begin(), shown.end(), h) == shown.end())
      shown.push_back(h);
  return shown;
}

RECT PlacePopup(const RECT& anchor, SIZE size) {
  const int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
  int x = anchor.left;
  int y = anchor.bottom;
  const int below = screen_h - anchor.bottom, above = anchor.top;
  if (size.cy > below && above > below) y = anchor.top - std::min<int>(size.cy, above);
  const int cy = y < anchor.top ? std::min<int>(size.cy, above) : std::min<int>(size.cy, std::max(below, 0));
  if (x + size.cx > screen_w) x = screen_w - size.cx;
  if (x < 0) x = 0;
  return RECT{x, y, x + size.cx, y + std::max(cy, 1)};
}

}  // namespace platform::win
