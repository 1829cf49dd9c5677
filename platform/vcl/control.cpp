#include "platform/vcl/control.h"

#include <algorithm>
#include <atomic>

#include "platform/gdi/gdi.h"
#include "platform/vcl/application.h"
#include "platform/vcl/form.h"
#include "platform/vcl/menus.h"
#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"
#include "platform/win/input.h"
#include "platform/win/window.h"

namespace {

constexpr const char* kControlProp = "ZprVclControl";
constexpr const char* kOriginalProcProp = "ZprVclOriginalProc";
std::atomic<int> g_next_id{1000};
// The character of a Tab, Return or Escape the form used: its WM_CHAR is not passed on to the control.
thread_local WPARAM t_dialog_char = 0;

WPARAM DialogCharOf(WORD key) {
  switch (key) {
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
  }
}

// Whether the control's own window takes the key itself (a multi-line edit with Return, a control that wants
// Tab).
bool ControlWantsKey(HWND hwnd, WORD key) {
  MSG m{hwnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
  const LRESULT code = SendMessage(hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&m));
  if (code & DLGC_WANTMESSAGE) return true;
  return key == VK_TAB && (code & DLGC_WANTTAB);
}

TMouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return mbMiddle;
    default: return mbLeft;
  }
}

TShiftState MouseShiftState(WPARAM flags) {
  unsigned s = 0;
  if (flags & MK_SHIFT) s |= ssShift;
  if (flags & MK_CONTROL) s |= ssCtrl;
  if (flags & MK_LBUTTON) s |= ssLeft;
  if (flags & MK_RBUTTON) s |= ssRight;
  if (flags & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

}  // namespace

void EnsureVclWindowClasses() {
  HINSTANCE instance = GetModuleHandle(nullptr);
  WNDCLASS probe;
  for (const char* name : {"ZprVclControl", "ZprVclForm"}) {
    if (GetClassInfo(instance, name, &probe)) continue;
    WNDCLASS wc{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, VclControlProc, 0, 0, instance, nullptr,
                LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr, name};
    RegisterClass(&wc);
  }
}

TShiftState KeyboardShiftState() {
  unsigned s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  return s;
}

LRESULT CALLBACK VclControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TControl* control = TControl::FromHandle(hwnd);
  if (!control) {
    auto original = reinterpret_cast<WNDPROC>(GetProp(hwnd, kOriginalProcProp));
    return original ? CallWindowProc(original, hwnd, message, wparam, lparam)
                    : DefWindowProc(hwnd, message, wparam, lparam);
  }
  try {
    return control->WndProc(message, wparam, lparam);
  } catch (const std::exception& e) {
    Application->HandleException(e);
    return 0;
  }
}

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  for (TControl* child : children_) {
    child->parent_ = nullptr;
    child->handle_ = nullptr;  // goes with this window
  }
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  DestroyHandle();
  if (brush_) DeleteObject(brush_);
}

HBRUSH TControl::BackgroundBrush() {
  const TColor color = BackgroundColor();
  if (brush_ && brush_color_ != color) {
    DeleteObject(brush_);
    brush_ = nullptr;
  }
  if (!brush_) {
    brush_ = CreateSolidBrush(ColorToRGB(color));
    brush_color_ = color;
  }
  return brush_;
}

TControl* TControl::FromHandle(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  return static_cast<TControl*>(GetProp(hwnd, kControlProp));
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (!parent_) {
    DestroyHandle();
    return;
  }
  parent_->children_.push_back(this);
  if (!parent_->handle_) return;  // made with the parent's window
  if (handle_) {
    ::SetParent(handle_, parent_->handle_);
  } else {
    parent_handle_ = parent_->handle_;
    CreateHandle();
  }
}

TControl::WindowParams TControl::CreateParams() const { return {"ZprVclControl", WS_CHILD | WS_CLIPSIBLINGS, 0, false}; }

void TControl::CreateHandle() {
  if (handle_) return;
  EnsureVclWindowClasses();
  const WindowParams params = CreateParams();
  DWORD style = params.style;
  if (parent_handle_) style |= WS_CHILD;
  if (!enabled_) style |= WS_DISABLED;
  const bool top_level = !(style & WS_CHILD);
  if (visible_ && !top_level) style |= WS_VISIBLE;
  HMENU id = top_level ? nullptr : reinterpret_cast<HMENU>(static_cast<std::intptr_t>(g_next_id++));
  HWND hwnd = CreateWindowEx(params.ex_style, params.class_name, caption_.c_str(), style, left_, top_, width_, height_,
                             parent_handle_, id, GetModuleHandle(nullptr), nullptr);
  if (!hwnd) throw EInvalidOperation("Error creating window of control " + Name());
  if (params.subclass) {
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC));
    SetProp(hwnd, kOriginalProcProp, reinterpret_cast<HANDLE>(original));
    default_proc_ = original;
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&VclControlProc));
  } else {
    default_proc_ = DefWindowProc;
  }
  SetProp(hwnd, kControlProp, this);
  handle_ = hwnd;
  HandleCreated();
  for (TControl* child : children_) {
    child->parent_handle_ = handle_;
    child->CreateHandle();
  }
}

void TControl::DestroyHandle() {
  if (!handle_) return;
  HWND hwnd = handle_;
  handle_ = nullptr;
  for (TControl* child : children_) child->handle_ = nullptr;
  if (IsWindow(hwnd)) {
    RemoveProp(hwnd, kControlProp);
    DestroyWindow(hwnd);
  }
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!handle_) return 0;
  return CallWindowProc(default_proc_ ? default_proc_ : DefWindowProc, handle_, message, wparam, lparam);
}

void TControl::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color_));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void TControl::CommandNotify(WORD) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::KeyDown(WORD& key, TShiftState shift) {
  HWND hwnd = handle_;
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview()) {
    form->PreviewKeyDown(key, shift);
    if (!IsWindow(hwnd) || key == 0) return true;
  }
  if (OnKeyDown) {
    OnKeyDown(this, key, shift);
    if (!IsWindow(hwnd) || key == 0) return true;
  }
  return false;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

LRESULT TControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = handle_;
  const bool plain = !CreateParams().subclass;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton button = ButtonOf(message);
      if (button == mbLeft) {
        pressed_ = true;
        if (plain) {
          SetCapture(hwnd);
          if (ShowsPressed()) Invalidate();
        }
      }
      MouseDown(button, MouseShiftState(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (!IsWindow(hwnd)) return 0;
      return plain ? 0 : DefaultHandler(message, wparam, lparam);
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton button = ButtonOf(message);
      const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
      const bool was_pressed = pressed_ && button == mbLeft;
      if (button == mbLeft) {
        pressed_ = false;
        if (plain && GetCapture() == hwnd) ReleaseCapture();
        if (plain && ShowsPressed()) Invalidate();
      }
      MouseUp(button, MouseShiftState(wparam), x, y);
      if (!IsWindow(hwnd)) return 0;
      LRESULT result = plain ? 0 : DefaultHandler(message, wparam, lparam);
      if (!IsWindow(hwnd)) return result;
      RECT r;
      GetClientRect(hwnd, &r);
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      if (was_pressed && plain && ClickOnMouseUp() && inside && enabled_) Click();
      if (button == mbRight && popup_ && inside) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        popup_->PopupFor(this, p.x, p.y);
      }
      return result;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wparam);
      t_dialog_char = 0;
      const TShiftState shift = KeyboardShiftState();
      if (KeyDown(key, shift)) return 0;
      if (message == WM_KEYDOWN && DialogCharOf(key) && !ControlWantsKey(hwnd, key)) {
        if (TForm* form = ParentForm()) {
          t_dialog_char = DialogCharOf(key);
          if (form->DialogKey(key, shift)) return 0;
          t_dialog_char = 0;
        }
      }
      if (!IsWindow(hwnd)) return 0;
      return DefaultHandler(message, key, lparam);
    }
    case WM_CHAR:
      if (t_dialog_char && wparam == t_dialog_char) {
        t_dialog_char = 0;
        return 0;
      }
      break;
    case WM_COMMAND:
      if (lparam) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
          child->CommandNotify(HIWORD(wparam));
          return 0;
        }
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetBkColor(dc, ColorToRGB(child->BackgroundColor()));
        if (child->enabled_) SetTextColor(dc, ColorToRGB(child->font_.Color));
        return reinterpret_cast<LRESULT>(child->BackgroundBrush());
      }
      break;
    case WM_PAINT:
      if (plain) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        // Only the update region is painted: a form that fills its client area would otherwise cover the
        // controls on it that are not repainted (a sibling hidden invalidates just the part it covered).
        if (dc) {
          IntersectClipRect(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
          Paint(dc);
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (plain) return 1;
      break;
    default: break;
  }
  return DefaultHandler(message, wparam, lparam);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
}

void TControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (handle_) {
    SetWindowText(handle_, caption.c_str());
    Invalidate();
  }
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (handle_) {
    EnableWindow(handle_, enabled ? TRUE : FALSE);
    Invalidate();
  }
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TControl::SetFontColor(TColor color) {
  font_.Color = color;
  Invalidate();
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::Repaint() {
  Invalidate();
  if (handle_) UpdateWindow(handle_);
}
