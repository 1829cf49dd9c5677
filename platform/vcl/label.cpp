#include "platform/vcl/label.h"

#include "platform/gdi/gdi.h"
#include "platform/vcl/canvas.h"
#include "platform/win/window.h"
#include "platform/gdi/sys_colors.h"

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 65, 13);
  font_.Color = clWindowText;
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : color_));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  HGDIOBJ old = SelectObject(dc, VclFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled() ? ColorToRGB(font_.Color) : GetSysColor(COLOR_GRAYTEXT));
  UINT format = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawText(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, format | DT_SINGLELINE | DT_TOP);
  SelectObject(dc, old);
}
