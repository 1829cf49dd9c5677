// A single-line edit on the layer's built-in edit: Text, MaxLength (0 = no limit), ReadOnly, Color, and
// OnChange for every change of the text, typed or set by the program.
#pragma once

#include <string>

#include "platform/vcl/control.h"

class TEdit : public TControl {
 public:
  explicit TEdit(TComponent* owner);
  std::string Text() const;
  void SetText(const std::string& text);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on);
  TNotifyEvent OnChange;

 protected:
  WindowParams CreateParams() const override;
  void CommandNotify(WORD code) override;
  void HandleCreated() override;
  TColor BackgroundColor() const override { return color_; }

 private:
  int max_length_ = 0;
  bool read_only_ = false;
};
