// A label that lights: its font shows Color_Active or Color_Inactive.
#pragma once

#include "platform/vcl/label.h"

class TLedLabel : public TLabel {
 public:
  explicit TLedLabel(TComponent* owner);
  TColor Color_Active() const { return color_active_; }
  void SetColor_Active(TColor color) { color_active_ = color; }  // shown from the next SetActive
  TColor Color_Inactive() const { return color_inactive_; }
  void SetColor_Inactive(TColor color) { color_inactive_ = color; }
  bool Active() const { return active_; }
  void SetActive(bool active);

 private:
  TColor color_active_ = clLime;
  TColor color_inactive_ = clSilver;
  bool active_ = false;
};
