#include "platform/vcl/shape.h"

#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/win/window.h"

TShape::TShape(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 65, 65); }

void TShape::SetShape(TShapeType shape) {
  shape_ = shape;
  Invalidate();
}

void TShape::SetBrushColor(TColor color) {
  brush_.Color = color;
  Invalidate();
}

void TShape::SetPenColor(TColor color) {
  pen_.Color = color;
  Invalidate();
}

void TShape::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  HBRUSH back = CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace));
  FillRect(dc, &r, back);
  DeleteObject(back);
  int w = r.right, h = r.bottom, x = 0, y = 0;
  if (shape_ == stSquare || shape_ == stCircle) {
    const int side = std::min(w, h);
    x = (w - side) / 2;
    y = (h - side) / 2;
    w = h = side;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(brush_.Color));
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(pen_.Color));
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  if (shape_ == stEllipse || shape_ == stCircle) Ellipse(dc, x, y, x + w, y + h);
  else if (shape_ == stRoundRect) RoundRect(dc, x, y, x + w, y + h, w / 4, h / 4);
  else Rectangle(dc, x, y, x + w, y + h);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}
