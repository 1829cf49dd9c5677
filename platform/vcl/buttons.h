// Push button, check box and radio button on the layer's built-in buttons. A user's click and a Checked set by
// the program both run OnClick (a radio button only when it becomes checked); checking a radio button clears
// the other radio buttons of the same parent. A button with a ModalResult sets its form's ModalResult when
// clicked. On a form, Return clicks the Default button (or the focused button) and Escape the Cancel button.
#pragma once

#include "platform/vcl/control.h"

class TButton : public TControl {
 public:
  explicit TButton(TComponent* owner);
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }
  bool Default() const { return default_; }
  // The default button is drawn with the heavier frame.
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  void Click() override;

 protected:
  WindowParams CreateParams() const override;
  void CommandNotify(WORD code) override;

 private:
  TModalResult modal_result_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  WindowParams CreateParams() const override;
  void CommandNotify(WORD code) override;
  void HandleCreated() override;

 private:
  bool checked_ = false;
};

class TRadioButton : public TControl {
 public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  WindowParams CreateParams() const override;
  void CommandNotify(WORD code) override;
  void HandleCreated() override;

 private:
  bool checked_ = false;
};
