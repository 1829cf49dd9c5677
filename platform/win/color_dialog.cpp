// The colour dialog: red, green and blue fields (0..255) that start at the given colour.
#include <cstdio>

#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"

namespace platform::win {
void SetCommonDialogError(DWORD error);
}

namespace {

INT_PTR ColorDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* cc = reinterpret_cast<CHOOSECOLOR*>(GetWindowLongPtr(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      cc = reinterpret_cast<CHOOSECOLOR*>(lparam);
      SetWindowLongPtr(dialog, DWLP_USER, lparam);
      COLORREF c = (cc->Flags & CC_RGBINIT) ? cc->rgbResult : 0;
      SetDlgItemInt(dialog, kColorRedEdit, c & 0xFF, FALSE);
      SetDlgItemInt(dialog, kColorGreenEdit, (c >> 8) & 0xFF, FALSE);
      SetDlgItemInt(dialog, kColorBlueEdit, (c >> 16) & 0xFF, FALSE);
      return TRUE;
    }
    case WM_COMMAND:
      if (!cc) return FALSE;
      if (LOWORD(wparam) == IDOK) {
        UINT part[3];
        const int ids[3] = {kColorRedEdit, kColorGreenEdit, kColorBlueEdit};
        for (int i = 0; i < 3; ++i) {
          BOOL ok = FALSE;
          part[i] = GetDlgItemInt(dialog, ids[i], &ok, FALSE);
          if (!ok || part[i] > 255) {
            MessageBox(dialog, "Enter a value from 0 to 255.", "Color", MB_OK | MB_ICONEXCLAMATION);
            SendDlgItemMessage(dialog, ids[i], EM_SETSEL, 0, -1);
            SetFocus(GetDlgItem(dialog, ids[i]));
            return TRUE;
          }
        }
        cc->rgbResult = part[0] | (part[1] << 8) | (part[2] << 16);
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default: return FALSE;
  }
}

constexpr DialogItemTemplate kColorItems[] = {
    {IDC_STATIC, WC_STATIC, "&Red:", SS_LEFT, 7, 9, 30, 8},
    {kColorRedEdit, WC_EDIT, "", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 40, 7, 30, 12},
    {IDC_STATIC, WC_STATIC, "&Green:", SS_LEFT, 7, 25, 30, 8},
    {kColorGreenEdit, WC_EDIT, "", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 40, 23, 30, 12},
    {IDC_STATIC, WC_STATIC, "&Blue:", SS_LEFT, 7, 41, 30, 8},
    {kColorBlueEdit, WC_EDIT, "", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 40, 39, 30, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 80, 7, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 80, 25, 50, 14},
};

}  // namespace

BOOL ChooseColor(CHOOSECOLOR* cc) {
  platform::win::SetCommonDialogError(0);
  if (!cc || cc->lStructSize == 0) {
    platform::win::SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if (cc->hwndOwner && !IsWindow(cc->hwndOwner)) {
    platform::win::SetCommonDialogError(CDERR_INITIALIZATION);
    return FALSE;
  }
  DialogTemplate dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 137, 58, "Color", kColorItems};
  HWND owner = cc->hwndOwner ? platform::win::detail::Root(cc->hwndOwner) : nullptr;
  HWND box = platform::win::detail::CreateDialogCore(GetModuleHandle(nullptr), &dialog, owner, ColorDialogProc,
                                                     reinterpret_cast<LPARAM>(cc), true,
                                                     platform::win::detail::DialogKind::kColor, cc);
  if (!box) return FALSE;
  return platform::win::detail::RunModal(box, owner) == IDOK ? TRUE : FALSE;
}
