// A drawing surface of a control outside its paint handler: text and filled rectangles in the control's window
// DC with the canvas's font and brush colours. What it draws stays until the control is painted again. A font
// with a Height is made for the call from Height, Pitch and Bold; without one the layer's own font is used.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"
#include "platform/vcl/control.h"

class TCanvas {
 public:
  explicit TCanvas(const TControl* control) : control_(control) {}
  TFont Font{clWindowText};
  TBrush Brush{clBtnFace};
  TPen Pen{clBlack};
  // Text with its top left at (x, y) on the brush colour.
  void TextOut(int x, int y, const std::string& text);
  void FillRect(const RECT& rect);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

 private:
  const TControl* control_;
};

// The font the form layer draws its own controls with.
HFONT VclFont();
