// The colour dialog.
#include "platform/afx/color_dialog.h"

#include "platform/afx/module_state.h"
#include "platform/afx/wnd.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/dialog.h"

namespace afx {

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : colour_(initial), flags_(flags), parent_(parent) {
  custom_.fill(0x00FFFFFF);
}

INT_PTR CColorDialog::DoModal() {
  CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
  CHOOSECOLOR cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner ? owner->m_hWnd : nullptr;
  cc.rgbResult = colour_;
  cc.lpCustColors = custom_.data();
  cc.Flags = flags_ | CC_RGBINIT;
  if (!::ChooseColor(&cc)) return IDCANCEL;
  colour_ = cc.rgbResult;
  return IDOK;
}

}  // namespace afx
