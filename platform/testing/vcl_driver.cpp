#include "platform/testing/vcl_driver.h"

#include "platform/testing/driver.h"
#include "platform/vcl/control.h"
#include "platform/win/input_injection.h"
#include "platform/win/window.h"

namespace platform::testing {

namespace {

POINT MiddleOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return POINT{r.right / 2, r.bottom / 2};
}

}  // namespace

TControl* FindControl(const TComponent& root, std::string_view name) { return root.Find<TControl>(name); }

HWND FindHandle(const TComponent& root, std::string_view name) {
  TControl* control = FindControl(root, name);
  return control ? control->Handle() : nullptr;
}

bool ClickControl(const TComponent& root, std::string_view name) {
  HWND hwnd = FindHandle(root, name);
  if (!hwnd) return false;
  Click(hwnd);
  return true;
}

void RightClickAt(HWND window, int x, int y) {
  platform::win::InjectMouse(window, WM_RBUTTONDOWN, x, y, MK_RBUTTON);
  PumpUntilIdle();
  if (!IsWindow(window)) return;
  platform::win::InjectMouse(window, WM_RBUTTONUP, x, y, 0);
  PumpUntilIdle();
}

bool RightClickControl(const TComponent& root, std::string_view name) {
  HWND hwnd = FindHandle(root, name);
  if (!hwnd) return false;
  POINT p = MiddleOf(hwnd);
  RightClickAt(hwnd, p.x, p.y);
  return true;
}

bool TypeInto(const TComponent& root, std::string_view name, std::string_view text) {
  HWND hwnd = FindHandle(root, name);
  if (!hwnd) return false;
  Type(hwnd, text);
  return true;
}

bool MouseDownOn(const TComponent& root, std::string_view name, bool shift) {
  HWND hwnd = FindHandle(root, name);
  if (!hwnd) return false;
  POINT p = MiddleOf(hwnd);
  platform::win::InjectMouse(hwnd, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON | (shift ? MK_SHIFT : 0));
  PumpUntilIdle();
  return true;
}

bool MouseUpOn(const TComponent& root, std::string_view name) {
  HWND hwnd = FindHandle(root, name);
  if (!hwnd) return false;
  POINT p = MiddleOf(hwnd);
  platform::win::InjectMouse(hwnd, WM_LBUTTONUP, p.x, p.y, 0);
  PumpUntilIdle();
  return true;
}

}  // namespace platform::testing
