#include "handheld/common/simple_led.h"

TSimpleLed::TSimpleLed(TComponent* owner) : TShape(owner) { SetBrushColor(color_inactive_); }

void TSimpleLed::SetActive(bool active) {
  active_ = active;
  SetBrushColor(active ? color_active_ : color_inactive_);
}
