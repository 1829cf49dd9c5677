#include "scope/frame_group.h"

#include "platform/win/message_box.h"
#include "platform/win/window.h"

namespace scope {

bool FrameGroup::Collect(afx::CWnd& dialog, int frame_id) {
  controls_.clear();
  HWND frame = ::GetDlgItem(dialog.m_hWnd, frame_id);
  if (!frame) {
    ::MessageBox(dialog.m_hWnd, "Unable to find frame control", nullptr, MB_OK);
    return false;
  }
  RECT inside;
  ::GetWindowRect(frame, &inside);
  inside.top += 5;
  for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child == frame) continue;
    RECT r;
    ::GetWindowRect(child, &r);
    if (r.left >= inside.left && r.top >= inside.top && r.right <= inside.right && r.bottom <= inside.bottom)
      controls_.push_back(child);
  }
  return true;
}

void FrameGroup::Enable(bool enable) {
  for (HWND control : controls_) ::EnableWindow(control, enable);
}

}  // namespace scope
