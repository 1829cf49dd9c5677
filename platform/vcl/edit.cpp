#include "platform/vcl/edit.h"

#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "platform/win/message_loop.h"

TEdit::TEdit(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 121, 21);
  color_ = clWindow;
}

TControl::WindowParams TEdit::CreateParams() const {
  return {WC_EDIT, static_cast<DWORD>(WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL), WS_EX_CLIENTEDGE, true};
}

void TEdit::HandleCreated() {
  if (max_length_ > 0) SendMessage(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
  if (read_only_) SendMessage(Handle(), EM_SETREADONLY, TRUE, 0);
}

std::string TEdit::Text() const {
  if (!Handle()) return Caption();
  std::string text(static_cast<std::size_t>(GetWindowTextLength(Handle())) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowText(Handle(), text.data(), static_cast<int>(text.size()))));
  return text;
}

void TEdit::SetText(const std::string& text) {
  SetCaption(text);  // MaxLength limits typing only, as the built-in edit does
}

void TEdit::SetMaxLength(int length) {
  max_length_ = length < 0 ? 0 : length;
  if (Handle()) SendMessage(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void TEdit::SetReadOnly(bool on) {
  read_only_ = on;
  if (Handle()) SendMessage(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void TEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange(this);
}
