#include "platform/vcl/progress_bar.h"

#include <algorithm>

#include "platform/gdi/common_control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/control_paint.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/window.h"

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetMin(int min) {
  min_ = min;
  if (max_ < min_) max_ = min_;
  SetPosition(position_);
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  if (min_ > max_) min_ = max_;
  SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  Invalidate();
}

void TProgressBar::StepIt() {
  // Past the end the bar starts again at Min, as the built-in bar does.
  int next = position_ + step_;
  SetPosition(next > max_ ? min_ + (next - max_) : next);
}

void TProgressBar::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  platform::gdi::PaintProgressBar(dc, r, min_, max_, position_, false, false);
}
