// A panel: a raised (or flat) area in its colour that holds other controls, with a centred caption and a
// canvas for drawing on it from outside a paint handler.
#pragma once

#include "platform/vcl/canvas.h"
#include "platform/vcl/control.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised };
using enum TBevelCut;

class TPanel : public TControl {
 public:
  explicit TPanel(TComponent* owner);
  TBevelCut BevelOuter() const { return bevel_; }
  void SetBevelOuter(TBevelCut bevel);
  TCanvas& Canvas() { return canvas_; }
  // Runs after the panel painted itself (draw the panel's own content here to keep it on repaint).
  TNotifyEvent OnPaint;

 protected:
  void Paint(HDC dc) override;

 private:
  TBevelCut bevel_ = bvRaised;
  TCanvas canvas_{this};
};
