// A text on its parent's colour, in the label's font colour ('&' marks a mnemonic and is not drawn).
#pragma once

#include "platform/vcl/control.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  void Paint(HDC dc) override;

 private:
  TAlignment alignment_ = taLeftJustify;
};
