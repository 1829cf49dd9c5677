#include "platform/vcl/progress_bar.h"

#include <algorithm>

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
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT inner = platform::gdi::PaintEdge(dc, r, true);
  const int span = max_ - min_;
  if (span <= 0 || position_ <= min_) return;
  const int width = inner.right - inner.left;
  const int filled = static_cast<int>(static_cast<long long>(width) * (position_ - min_) / span);
  const int block = std::max(2, (inner.bottom - inner.top) * 2 / 3);
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
  for (int x = 0; x < filled; x += block + 2) {
    RECT b{inner.left + x + 1, inner.top + 1, inner.left + std::min(x + block, filled), inner.bottom - 1};
    if (b.right > b.left) FillRect(dc, &b, brush);
  }
  DeleteObject(brush);
}
