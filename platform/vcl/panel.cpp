#include "platform/vcl/panel.h"

#include "platform/gdi/gdi.h"
#include "platform/gdi/control_paint.h"
#include "platform/win/window.h"

TPanel::TPanel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut bevel) {
  bevel_ = bevel;
  Invalidate();
}

void TPanel::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color_));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  if (bevel_ != bvNone) platform::gdi::PaintEdge(dc, r, bevel_ == bvLowered);
  if (!Caption().empty()) {
    HGDIOBJ old = SelectObject(dc, VclFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color));
    DrawText(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }
  if (OnPaint) OnPaint(this);
}
