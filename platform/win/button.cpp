// The button class: push buttons, check boxes, radio buttons and group boxes.
#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct ButtonData : ControlData {
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;
  bool tracking = false;
  bool space_down = false;
  LPARAM image = 0;
};

DWORD Kind(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool Checkable(DWORD kind) {
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_3STATE ||
         kind == BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON;
}

bool Radio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }

void SetCheck(HWND hwnd, WPARAM check) {
  ButtonData* d = DataOf<ButtonData>(hwnd);
  DWORD kind = Kind(hwnd);
  if (!d || !Checkable(kind)) return;
  if (kind != BS_3STATE && kind != BS_AUTO3STATE && check > BST_CHECKED) check = BST_CHECKED;
  if (check > BST_INDETERMINATE) check = BST_INDETERMINATE;
  d->check = check;
  // A radio button is a tab stop while it is checked, so Tab lands on the chosen one of a group.
  if (Radio(kind)) {
    LONG style = GetWindowLong(hwnd, GWL_STYLE);
    SetWindowLong(hwnd, GWL_STYLE, check ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The click: auto kinds change their state first, then the parent hears BN_CLICKED.
void Clicked(HWND hwnd) {
  ButtonData* d = DataOf<ButtonData>(hwnd);
  if (!d) return;
  switch (Kind(hwnd)) {
    case BS_AUTOCHECKBOX: SetCheck(hwnd, d->check ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck(hwnd, (d->check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(hwnd, BST_CHECKED);
      for (HWND other : RadioGroupOf(hwnd))
        if (other != hwnd) SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
      break;
    default: break;
  }
  if (IsWindow(hwnd)) NotifyParent(hwnd, BN_CLICKED);
}

LRESULT DlgCode(HWND hwnd) {
  switch (Kind(hwnd)) {
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
    case BS_OWNERDRAW: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ButtonData* d = DataOf<ButtonData>(hwnd);
  if (!d) return 0;
  bool group = Kind(hwnd) == BS_GROUPBOX;
  switch (message) {
    case WM_GETDLGCODE: return DlgCode(hwnd);
    case BM_GETCHECK: return Checkable(Kind(hwnd)) ? static_cast<LRESULT>(d->check) : 0;
    case BM_SETCHECK: SetCheck(hwnd, wparam); return 0;
    case BM_GETSTATE:
      return static_cast<LRESULT>(d->check | (d->pushed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0));
    case BM_SETSTATE:
      d->pushed = wparam != 0;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case BM_SETSTYLE: {
      LONG style = GetWindowLong(hwnd, GWL_STYLE);
      SetWindowLong(hwnd, GWL_STYLE, (style & ~static_cast<LONG>(BS_TYPEMASK)) | static_cast<LONG>(wparam & BS_TYPEMASK));
      if (lparam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case BM_SETIMAGE: {
      LPARAM old = d->image;
      d->image = lparam;
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case BM_GETIMAGE: return d->image;
    case BM_CLICK: {
      if (!IsWindowEnabled(hwnd) || group) return 0;
      RECT r{};
      GetClientRect(hwnd, &r);
      LPARAM at = MAKEPOINTLPARAM(r.right / 2, r.bottom / 2);
      SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
      if (IsWindow(hwnd)) SendMessage(hwnd, WM_LBUTTONUP, 0, at);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (group) return 0;
      SetFocus(hwnd);
      // The focus did not come (the old window's WM_KILLFOCUS kept it, a refused entry): no click starts.
      if (!IsWindow(hwnd) || GetFocus() != hwnd) return 0;
      SetCapture(hwnd);
      d = DataOf<ButtonData>(hwnd);
      d->tracking = true;
      d->pushed = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (d->tracking) {
        RECT r{};
        GetClientRect(hwnd, &r);
        bool inside = PtInRect(&r, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        if (inside != d->pushed) {
          d->pushed = inside;
          InvalidateRect(hwnd, nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!d->tracking) return 0;
      d->tracking = false;
      RECT r{};
      GetClientRect(hwnd, &r);
      bool inside = PtInRect(&r, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      d->pushed = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (GetCapture() == hwnd) ReleaseCapture();
      if (inside && IsWindow(hwnd)) Clicked(hwnd);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (d->tracking && reinterpret_cast<HWND>(lparam) != hwnd) {
        d->tracking = false;
        d->pushed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE && !group) {
        d->space_down = true;
        d->pushed = true;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_KEYUP:
      if (wparam == VK_SPACE && d->space_down) {
        d->space_down = false;
        d->pushed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        Clicked(hwnd);
      }
      return 0;
    case WM_SETFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      if (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (d->space_down || d->tracking) {
        d->space_down = false;
        d->tracking = false;
        d->pushed = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      if (IsWindow(hwnd) && (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY)) NotifyParent(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_PAINT:
      if (Kind(hwnd) == BS_OWNERDRAW) {
        // The parent draws the button (the scope panel's colour buttons) into the paint DC.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Window* w = Lookup(hwnd);
        if (dc && w && w->parent) {
          DRAWITEMSTRUCT dis{};
          dis.CtlType = ODT_BUTTON;
          dis.CtlID = static_cast<UINT>(w->id);
          dis.itemAction = ODA_DRAWENTIRE;
          dis.itemState = (d->pushed ? ODS_SELECTED : 0) | (GetFocus() == hwnd ? ODS_FOCUS : 0) |
                          (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
          dis.hwndItem = hwnd;
          dis.hDC = dc;
          GetClientRect(hwnd, &dis.rcItem);
          SendMessage(w->parent, WM_DRAWITEM, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&dis));
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail
