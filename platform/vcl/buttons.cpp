#include "platform/vcl/buttons.h"

#include "platform/vcl/form.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "platform/win/message_loop.h"

TButton::TButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 75, 25); }

TControl::WindowParams TButton::CreateParams() const {
  return {WC_BUTTON, static_cast<DWORD>(WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)), 0, true};
}

void TButton::SetDefault(bool on) {
  default_ = on;
  if (Handle()) SendMessage(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TButton::Click() {
  if (modal_result_ != mrNone)
    if (TForm* form = ParentForm()) form->SetModalResult(modal_result_);
  TControl::Click();
}

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 97, 17); }

TControl::WindowParams TCheckBox::CreateParams() const {
  return {WC_BUTTON, static_cast<DWORD>(WS_TABSTOP | BS_CHECKBOX), 0, true};
}

void TCheckBox::HandleCreated() { SendMessage(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (Handle()) SendMessage(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void TCheckBox::CommandNotify(WORD code) {
  if (code == BN_CLICKED) SetChecked(!checked_);
}

TRadioButton::TRadioButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 113, 17); }

TControl::WindowParams TRadioButton::CreateParams() const {
  return {WC_BUTTON, static_cast<DWORD>(WS_TABSTOP | BS_RADIOBUTTON), 0, true};
}

void TRadioButton::HandleCreated() {
  SendMessage(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (Handle()) SendMessage(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  if (Parent())
    for (TControl* sibling : Parent()->Controls())
      if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this) radio->SetChecked(false);
  Click();
}

void TRadioButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) SetChecked(true);
}
