#include "handheld/common/led_label.h"

TLedLabel::TLedLabel(TComponent* owner) : TLabel(owner) { SetFontColor(color_inactive_); }

void TLedLabel::SetActive(bool active) {
  active_ = active;
  SetFontColor(active ? color_active_ : color_inactive_);
}
