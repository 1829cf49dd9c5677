// The colour dialog: DoModal shows the layer's colour choice with an initial colour; IDOK and the chosen colour,
// or IDCANCEL.
#pragma once

#include <array>

#include "platform/sys/wintypes.h"

namespace afx {

class CWnd;

class CColorDialog {
 public:
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  INT_PTR DoModal();
  COLORREF GetColor() const { return colour_; }

 private:
  COLORREF colour_;
  DWORD flags_;
  CWnd* parent_;
  std::array<COLORREF, 16> custom_{};
};

}  // namespace afx
