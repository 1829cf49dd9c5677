// A shape filled with its brush colour and outlined with its pen colour on its parent's colour.
#pragma once

#include "platform/vcl/control.h"

enum class TShapeType { stRectangle, stSquare, stRoundRect, stEllipse, stCircle };
using enum TShapeType;

class TShape : public TControl {
 public:
  explicit TShape(TComponent* owner);
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType shape);
  const TBrush& Brush() const { return brush_; }
  void SetBrushColor(TColor color);
  const TPen& Pen() const { return pen_; }
  void SetPenColor(TColor color);

 protected:
  void Paint(HDC dc) override;

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_{clWhite};
  TPen pen_{clBlack};
};
