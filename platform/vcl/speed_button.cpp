#include "platform/vcl/speed_button.h"

#include "platform/gdi/control_paint.h"
#include "platform/vcl/canvas.h"
#include "platform/win/window.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 25, 25); }

void TSpeedButton::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  platform::gdi::ButtonLook look;
  look.text = Caption();
  look.font = VclFont();
  look.pushed = pressed_;
  look.enabled = Enabled();
  platform::gdi::PaintPushButton(dc, r, look);
}
