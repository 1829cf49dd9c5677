// A frame group: the controls of a dialog that lie inside one frame control, enabled or disabled at once.
#pragma once

#include <vector>

#include "platform/afx/afx.h"

namespace scope {

class FrameGroup {
 public:
  // Every child of the dialog whose four corners lie inside the frame's rectangle (its top taken 5 pixels
  // lower), the frame itself excepted. False (and a message box) when the dialog has no such frame.
  bool Collect(afx::CWnd& dialog, int frame_id);
  void Enable(bool enable);
  const std::vector<HWND>& controls() const { return controls_; }

 private:
  std::vector<HWND> controls_;
};

}  // namespace scope
