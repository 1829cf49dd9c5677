// Dialog creation from templates, modal loops, EndDialog and the default dialog procedure.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_font.h"
#include "platform/win/idle.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

using platform::win::detail::DialogData;
using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace platform::win::detail {

void DialogSetFocus(HWND control) {
  if (!IsWindow(control)) return;
  if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

bool Focusable(HWND dialog, HWND control) {
  return IsWindow(control) && IsDescendant(dialog, control) && control != dialog && IsReallyEnabled(control) &&
         IsReallyVisible(control);
}

// Puts the focus back on the dialog's remembered control, else on its first tab stop.
void RestoreFocus(HWND dialog) {
  Window* w = Lookup(dialog);
  if (!w || !w->dialog) return;
  // The control that had the focus when the dialog was left; with none (WM_INITDIALOG returned FALSE and set
  // no focus) the dialog itself takes it, and Tab goes on from there to the first tab stop.
  HWND target = w->dialog->saved_focus;
  HWND focus = GetFocus();
  if (Focusable(dialog, target)) {
    SetFocus(target);
  } else if (!focus || !IsDescendant(dialog, focus)) {
    SetFocus(dialog);
  }
}

HWND CreateDialogCore(HINSTANCE instance, const DialogTemplate* t, HWND parent, DLGPROC proc, LPARAM init,
                      bool modal, DialogKind kind, void* request) {
  if (!t) return nullptr;
  HFONT font = (t->style & DS_SETFONT) && t->font_face ? platform::win::CreateDialogFont(t->font_face, t->font_points)
                                                       : nullptr;
  DialogBaseUnits units = platform::win::BaseUnitsOf(font);
  auto px_x = [&](int v) { return v * units.x / 4; };
  auto px_y = [&](int v) { return v * units.y / 8; };
  DWORD style = t->style & ~static_cast<DWORD>(WS_VISIBLE);
  if (modal) style &= ~static_cast<DWORD>(WS_CHILD);
  DWORD ex = t->ex_style | ((style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0) | WS_EX_CONTROLPARENT;
  RECT r{0, 0, px_x(t->cx), px_y(t->cy)};
  AdjustWindowRectEx(&r, style, FALSE, ex);
  int x = px_x(t->x) + r.left;
  int y = px_y(t->y) + r.top;
  if (!(style & WS_CHILD) && parent && !(style & DS_ABSALIGN)) {
    POINT o{0, 0};
    ClientToScreen(parent, &o);
    x += o.x;
    y += o.y;
  }
  if ((style & DS_CENTER) && !(style & WS_CHILD)) {
    x = (GetSystemMetrics(SM_CXSCREEN) - RectWidth(r)) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - RectHeight(r)) / 2;
  }
  const char* cls = t->class_name ? t->class_name : kDialogClassName;
  HWND dlg = CreateWindowEx(ex, cls, t->caption ? t->caption : "", style, x, y, RectWidth(r), RectHeight(r), parent,
                            nullptr, instance, nullptr);
  if (!dlg) return nullptr;
  Window* w = Lookup(dlg);
  if (w->extra.size() < static_cast<std::size_t>(DLGWINDOWEXTRA)) w->extra.resize(DLGWINDOWEXTRA, 0);
  w->dialog = std::make_unique<DialogData>();
  w->dialog->modal = modal;
  w->dialog->font = font;
  w->dialog->base_x = units.x;
  w->dialog->base_y = units.y;
  w->dialog->kind = kind;
  w->dialog->instance = instance;
  w->dialog->request = request;
  w->font = font;
  SetWindowLongPtr(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  for (const DialogItemTemplate& item : t->items) {
    DWORD item_style = item.style | WS_CHILD | (item.hidden ? 0 : static_cast<DWORD>(WS_VISIBLE));
    HWND ctl = CreateWindowEx(item.ex_style, item.class_name, item.text ? item.text : "", item_style, px_x(item.x),
                              px_y(item.y), px_x(item.cx), px_y(item.cy), dlg,
                              reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), instance, nullptr);
    if (!IsWindow(dlg)) return nullptr;
    if (!ctl) {
      if (!(t->style & DS_NOFAILCREATE)) {
        DestroyWindow(dlg);
        return nullptr;
      }
      continue;
    }
    if (font) SendMessage(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    w = Lookup(dlg);
    if (w->dialog->def_id == 0 && platform::win::detail::IsClass(ctl, "Button") &&
        (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      w->dialog->def_id = item.id;
  }
  HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
  LRESULT focus = SendMessage(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init);
  if (!IsWindow(dlg)) return nullptr;
  if (focus) {
    if (!IsWindow(first)) first = GetNextDlgTabItem(dlg, nullptr, FALSE);
    if (first) DialogSetFocus(first);
  }
  w = Lookup(dlg);
  if (!modal && (t->style & WS_VISIBLE) && w && !w->dialog->ended) ShowWindow(dlg, SW_SHOW);
  return dlg;
}

DialogData* DialogOf(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w ? w->dialog.get() : nullptr;
}

INT_PTR RunModal(HWND dlg, HWND owner) {
  bool disabled_owner = false;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled_owner = true;
  }
  Window* w = Lookup(dlg);
  if (w && !w->dialog->ended) ShowWindow(dlg, SW_SHOW);
  bool no_idle = (GetWindowLong(dlg, GWL_STYLE) & DS_NOIDLEMSG) != 0;
  bool ok = RunModalLoop(
      dlg, LoopKind::kModalDialog,
      [dlg] {
        Window* d = Lookup(dlg);
        return !d || !d->dialog || d->dialog->ended;
      },
      [dlg, owner, no_idle] {
        if (owner && IsWindow(owner) && !no_idle) SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, FromHwnd(dlg));
      });
  w = Lookup(dlg);
  INT_PTR result = (ok && w && w->dialog) ? w->dialog->result : -1;
  if (w && w->dialog && w->dialog->ended) result = w->dialog->result;
  // The owner comes back before the dialog goes, so that activation (and focus) return to it.
  if (disabled_owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dlg)) DestroyWindow(dlg);
  return result;
}

}  // namespace platform::win::detail

using platform::win::detail::CreateDialogCore;
using platform::win::detail::DialogKind;

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC proc,
                               LPARAM init) {
  if (parent && !IsWindow(parent)) return 0;
  if (!dialog) return -1;
  HWND owner = parent ? platform::win::detail::Root(parent) : nullptr;
  HWND dlg = CreateDialogCore(instance, dialog, owner, proc, init, true, DialogKind::kPlain, nullptr);
  if (!dlg) return -1;
  return platform::win::detail::RunModal(dlg, owner);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc, LPARAM init) {
  if (parent && !IsWindow(parent)) return 0;
  const DialogTemplate* t = platform::win::FindDialogTemplate(instance, template_name);
  if (!t) return -1;
  HWND owner = parent ? platform::win::detail::Root(parent) : nullptr;
  HWND dlg = CreateDialogCore(instance, t, owner, proc, init, true, DialogKind::kPlain, nullptr);
  if (!dlg) return -1;
  if (Window* w = Lookup(dlg)) {
    if (IS_INTRESOURCE(template_name))
      w->dialog->template_id = reinterpret_cast<std::uintptr_t>(template_name);
    else if (template_name)
      w->dialog->template_name = template_name;
  }
  return platform::win::detail::RunModal(dlg, owner);
}

HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC proc,
                               LPARAM init) {
  if (parent && !IsWindow(parent)) return nullptr;
  if (!dialog) return nullptr;
  bool child = (dialog->style & WS_CHILD) != 0;
  HWND host = child ? parent : (parent ? platform::win::detail::Root(parent) : nullptr);
  return CreateDialogCore(instance, dialog, host, proc, init, false, DialogKind::kPlain, nullptr);
}

HWND CreateDialogParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC proc, LPARAM init) {
  const DialogTemplate* t = platform::win::FindDialogTemplate(instance, template_name);
  if (!t) return nullptr;
  HWND dlg = CreateDialogIndirectParam(instance, t, parent, proc, init);
  if (Window* w = Lookup(dlg)) {
    if (IS_INTRESOURCE(template_name))
      w->dialog->template_id = reinterpret_cast<std::uintptr_t>(template_name);
    else if (template_name)
      w->dialog->template_name = template_name;
  }
  return dlg;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  Window* w = Lookup(dialog);
  if (!w || !w->dialog) return FALSE;
  w->dialog->ended = true;
  w->dialog->result = result;
  if (!w->dialog->modal) ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

static bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

static void SetDefault(HWND dialog, int id) {
  Window* w = Lookup(dialog);
  if (!w || !w->dialog) return;
  int old = w->dialog->def_id;
  w->dialog->def_id = id;
  HWND old_button = GetDlgItem(dialog, old);
  if (old_button && old != id && (SendMessage(old_button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
    SendMessage(old_button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  HWND new_button = GetDlgItem(dialog, id);
  if (new_button && (SendMessage(new_button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
    SendMessage(new_button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = Lookup(dialog);
  if (!w) return 0;
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
  if (w->extra.size() >= static_cast<std::size_t>(DLGWINDOWEXTRA)) SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
  INT_PTR handled = proc ? proc(dialog, message, wparam, lparam) : FALSE;
  if (!IsWindow(dialog)) return handled;
  if (ReturnsDirectly(message)) {
    if (handled || message == WM_INITDIALOG) return handled;
  } else if (handled) {
    return GetWindowLongPtr(dialog, DWLP_MSGRESULT);
  }
  w = Lookup(dialog);
  DialogData* d = w->dialog.get();
  switch (message) {
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;
      PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), platform::win::detail::FromHwnd(cancel));
      return 0;
    }
    case WM_ACTIVATE:
      if (!d) break;
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && platform::win::detail::IsDescendant(dialog, focus) && focus != dialog) d->saved_focus = focus;
      } else {
        platform::win::detail::RestoreFocus(dialog);
      }
      return 0;
    case WM_SETFOCUS:
      if (d) platform::win::detail::RestoreFocus(dialog);
      return 0;
    case WM_KILLFOCUS: return 0;
    case WM_NEXTDLGCTL: {
      HWND target;
      if (LOWORD(lparam)) {
        target = reinterpret_cast<HWND>(wparam);
      } else {
        target = GetNextDlgTabItem(dialog, GetFocus(), wparam != 0);
      }
      if (target) platform::win::detail::DialogSetFocus(target);
      return 0;
    }
    case DM_GETDEFID:
      if (d && d->def_id) return MAKELONG(static_cast<WORD>(d->def_id), DC_HASDEFID);
      return 0;
    case DM_SETDEFID: SetDefault(dialog, static_cast<int>(wparam)); return TRUE;
    case WM_GETDLGCODE: return 0;
    case WM_ERASEBKGND: {
      // The dialog's own colour when its procedure answers WM_CTLCOLORDLG, the face colour otherwise.
      HDC dc = reinterpret_cast<HDC>(wparam);
      if (!dc) return 1;
      auto brush = reinterpret_cast<HBRUSH>(SendMessage(dialog, WM_CTLCOLORDLG, wparam, platform::win::detail::FromHwnd(dialog)));
      if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
      RECT box{};
      if (GetClipBox(dc, &box) != NULLREGION) FillRect(dc, &box, brush);
      return 1;
    }
    case WM_SHOWWINDOW:
      if (wparam && d && !GetFocus()) {
        // A dialog shown with nothing focused takes the focus where it left it.
      }
      break;
    default: break;
  }
  return DefWindowProc(dialog, message, wparam, lparam);
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  Window* w = Lookup(dialog);
  if (!w || !rect) return FALSE;
  int bx = w->dialog ? w->dialog->base_x : platform::win::kHeadlessBaseUnits.x;
  int by = w->dialog ? w->dialog->base_y : platform::win::kHeadlessBaseUnits.y;
  rect->left = rect->left * bx / 4;
  rect->right = rect->right * bx / 4;
  rect->top = rect->top * by / 8;
  rect->bottom = rect->bottom * by / 8;
  return TRUE;
}

LONG GetDialogBaseUnits() {
  auto u = platform::win::BaseUnitsOf(nullptr);
  return MAKELONG(static_cast<WORD>(u.x), static_cast<WORD>(u.y));
}

platform::win::ModalInfo platform::win::DescribeModal(HWND window) {
  ModalInfo info;
  DialogData* d = platform::win::detail::DialogOf(window);
  if (!d) return info;
  switch (d->kind) {
    case DialogKind::kPlain: info.kind = ModalKind::kDialog; break;
    case DialogKind::kMessageBox: info.kind = ModalKind::kMessageBox; break;
    case DialogKind::kFileOpen: info.kind = ModalKind::kFileOpen; break;
    case DialogKind::kFileSave: info.kind = ModalKind::kFileSave; break;
    case DialogKind::kColor: info.kind = ModalKind::kColor; break;
    case DialogKind::kPrint: info.kind = ModalKind::kPrint; break;
  }
  info.template_id = d->template_id;
  info.template_name = d->template_name;
  info.request = d->request;
  info.ended = d->ended;
  return info;
}
