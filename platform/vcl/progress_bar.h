// A progress bar: the part of the bar from Min to Position out of Min to Max is filled in blocks.
#pragma once

#include "platform/vcl/control.h"

class TProgressBar : public TControl {
 public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int min);
  void SetMax(int max);
  // Held within Min..Max.
  void SetPosition(int position);
  void SetStep(int step) { step_ = step; }
  void StepIt();
  void StepBy(int delta) { SetPosition(position_ + delta); }

 protected:
  void Paint(HDC dc) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
};
