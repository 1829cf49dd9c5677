// A flat push button that takes no focus; it shows pressed while the left button is held on it and clicks when
// the button is released over it.
#pragma once

#include "platform/vcl/control.h"

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner);

 protected:
  void Paint(HDC dc) override;
  bool ShowsPressed() const override { return true; }
};
