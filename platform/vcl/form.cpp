#include "platform/vcl/form.h"

#include <algorithm>
#include <exception>

#include "platform/gdi/gdi.h"
#include "platform/vcl/application.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/menus.h"
#include "platform/win/detail/queue.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/window.h"
#include "platform/win/message_loop.h"
#include "platform/win/controls.h"

namespace {

// Posted to a form by Release: destroys it once the handler that asked has returned.
constexpr UINT kReleaseMessage = WM_USER + 0x7F01;

std::vector<TForm*>& Registry() {
  static std::vector<TForm*> forms;
  return forms;
}

struct Styles {
  DWORD style;
  DWORD ex_style;
};
Styles StylesOf(TFormBorderStyle border) {
  switch (border) {
    case bsNone: return {WS_POPUP | WS_CLIPCHILDREN, 0};
    case bsSingle: return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0};
    case bsDialog: return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
    case bsSizeable:
    default: return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0};
  }
}

// The controls on a form in tab order: as they were put on it, each container's controls after it.
void CollectControls(const TControl& parent, std::vector<TControl*>& out) {
  for (TControl* c : parent.Controls()) {
    out.push_back(c);
    CollectControls(*c, out);
  }
}

bool Usable(const TControl& c) {
  return c.HandleAllocated() && IsWindowVisible(c.Handle()) && IsWindowEnabled(c.Handle());
}

bool IsTabStop(const TControl& c) {
  return Usable(c) && (static_cast<DWORD>(GetWindowLong(c.Handle(), GWL_STYLE)) & WS_TABSTOP);
}

// Focus by the keyboard: an edit's whole text is selected, as a user tabbing into it expects.
void FocusByKeyboard(TControl& c) {
  c.SetFocus();
  char class_name[32] = {};
  if (c.HandleAllocated() && GetClassName(c.Handle(), class_name, sizeof class_name) &&
      std::string_view(class_name) == WC_EDIT)
    SendMessage(c.Handle(), EM_SETSEL, 0, -1);
}

}  // namespace

const std::vector<TForm*>& AllForms() { return Registry(); }

TForm::TForm(TComponent* owner) : TControl(owner) {
  visible_ = false;
  left_ = 100;
  top_ = 100;
  width_ = 400;
  height_ = 300;
  CreateHandle();
  Registry().push_back(this);
}

TForm::~TForm() {
  auto& forms = Registry();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (OnDestroy) OnDestroy(this);
  SetMenu(nullptr);
  DestroyComponents();
}

TControl::WindowParams TForm::CreateParams() const {
  Styles s = StylesOf(border_style_);
  return {"ZprVclForm", s.style, s.ex_style, false};
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  if (!handle_) return;
  Styles s = StylesOf(style);
  const DWORD keep = static_cast<DWORD>(GetWindowLong(handle_, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLong(handle_, GWL_STYLE, static_cast<LONG>(s.style | keep));
  SetWindowLong(handle_, GWL_EXSTYLE, static_cast<LONG>(s.ex_style));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TForm::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  Styles s = StylesOf(border_style_);
  AdjustWindowRectEx(&r, s.style, menu_ ? TRUE : FALSE, s.ex_style);
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

int TForm::ClientWidth() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return r.right - r.left;
}

int TForm::ClientHeight() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return r.bottom - r.top;
}

void TForm::SetMenu(TMainMenu* menu) {
  TMainMenu* old = menu_;
  menu_ = menu;
  if (old && old != menu) {
    if (handle_) ::SetMenu(handle_, nullptr);
    old->AttachTo(nullptr);
  }
  if (menu_) menu_->AttachTo(this);
}

void TForm::SetVisible(bool visible) {
  if (visible == visible_) return;
  HWND hwnd = handle_;
  visible_ = visible;
  if (visible) {
    // OnShow runs with Visible already true: a Show from inside it (or from a modal form it opens) is no
    // second showing.
    if (OnShow) OnShow(this);
    if (!IsWindow(hwnd) || !visible_) return;
    ShowWindow(hwnd, SW_SHOW);
    SetActiveWindow(hwnd);
    if (IsWindow(hwnd) && !IsChild(hwnd, GetFocus())) {
      std::vector<TControl*> controls;
      CollectControls(*this, controls);
      for (TControl* c : controls)
        if (IsTabStop(*c)) {
          FocusByKeyboard(*c);
          break;
        }
    }
  } else {
    if (OnHide) OnHide(this);
    if (!IsWindow(hwnd)) return;
    ShowWindow(hwnd, SW_HIDE);
  }
}

bool TForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TForm::SetModalResult(TModalResult result) {
  modal_result_ = result;
  if (modal_ && result != mrNone && handle_) PostMessage(handle_, WM_NULL, 0, 0);
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  HWND hwnd = handle_;
  if (!CloseQuery() || !IsWindow(hwnd)) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (!IsWindow(hwnd) || action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    ShowWindow(hwnd, SW_MINIMIZE);
  } else {
    Release();
  }
}

void TForm::Release() {
  if (handle_) PostMessage(handle_, kReleaseMessage, 0, 0);
}

void TForm::CloseModal() {
  HWND hwnd = handle_;
  if (!CloseQuery()) {
    if (IsWindow(hwnd)) modal_result_ = mrNone;
    return;
  }
  if (!IsWindow(hwnd)) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (!IsWindow(hwnd)) return;
  if (action == caNone) modal_result_ = mrNone;
  else if (action == caFree) Release();
}

int TForm::ShowModal() {
  if (visible_ || modal_ || !enabled_) throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) ReleaseCapture();
  HWND hwnd = handle_;
  HWND previous_active = GetActiveWindow();
  std::vector<HWND> disabled;
  for (TForm* form : AllForms()) {
    if (form == this || !form->handle_ || !IsWindowEnabled(form->handle_)) continue;
    EnableWindow(form->handle_, FALSE);
    disabled.push_back(form->handle_);
  }
  modal_ = true;
  modal_result_ = mrNone;
  TModalResult result = mrNone;
  auto done = [&] {
    if (!IsWindow(hwnd)) {
      if (result == mrNone) result = mrCancel;
      return true;
    }
    if (Application->Terminated()) {
      modal_result_ = mrCancel;
    } else if (modal_result_ != mrNone) {
      // The close handlers run inside the layer's loop: their exceptions are shown here, as a handler's are.
      try {
        CloseModal();
      } catch (const std::exception& e) {
        Application->HandleException(e);
        if (IsWindow(hwnd)) modal_result_ = mrNone;
      }
    }
    if (!IsWindow(hwnd)) return true;
    result = modal_result_;
    return result != mrNone;
  };
  try {
    Show();
    if (!platform::win::detail::RunModalLoop(hwnd, platform::win::LoopKind::kModalDialog, done, nullptr) &&
        result == mrNone)
      result = mrCancel;
  } catch (...) {
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    if (IsWindow(hwnd)) {
      modal_ = false;
      Hide();
    }
    throw;
  }
  for (HWND h : disabled)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  if (IsWindow(hwnd)) {
    modal_ = false;
    modal_result_ = result;
    Hide();
  }
  if (previous_active && IsWindow(previous_active) && IsWindowVisible(previous_active)) SetActiveWindow(previous_active);
  return result;
}

void TForm::PreviewKeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TForm::SelectNext(bool backwards) {
  std::vector<TControl*> controls;
  CollectControls(*this, controls);
  std::vector<TControl*> stops;
  for (TControl* c : controls)
    if (IsTabStop(*c)) stops.push_back(c);
  if (stops.empty()) return;
  const HWND focus = GetFocus();
  int at = -1;
  for (std::size_t i = 0; i < stops.size() && at < 0; ++i)
    if (stops[i]->Handle() == focus || IsChild(stops[i]->Handle(), focus)) at = static_cast<int>(i);
  const int n = static_cast<int>(stops.size());
  const int next = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
  FocusByKeyboard(*stops[static_cast<std::size_t>(next)]);
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
  if (key == VK_TAB) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
    SelectNext(shift.Contains(ssShift));
    return true;
  }
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
  std::vector<TControl*> controls;
  CollectControls(*this, controls);
  TButton* target = nullptr;
  if (key == VK_RETURN) {
    for (TControl* c : controls)
      if (auto* b = dynamic_cast<TButton*>(c); b && Usable(*b) && b->Focused()) target = b;
  }
  for (TControl* c : controls) {
    if (target) break;
    auto* b = dynamic_cast<TButton*>(c);
    if (b && Usable(*b) && (key == VK_RETURN ? b->Default() : b->Cancel())) target = b;
  }
  if (!target) return false;
  target->Click();
  return true;
}

void TForm::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color_));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) {
        Close();
        return 0;
      }
      break;
    case WM_COMMAND:
      if (lparam == 0) {
        if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wparam))) item->Click();
        return 0;
      }
      break;
    case kReleaseMessage:
      if (Owner()) Owner()->DestroyComponent(this);
      return 0;
    default: break;
  }
  return TControl::WndProc(message, wparam, lparam);
}
