// The control panel's small push buttons with a one- or three-character caption ("^", "-", "..."): drawn by the
// panel with the push-button look, the focus frame along the border of the face so that it stays clear of the
// caption (a dotted frame crowded round a "-" reads as one more dotted line).
#pragma once

#include "platform/win/controls.h"

namespace scope {

void PaintCaptionButton(const DRAWITEMSTRUCT& item);

}  // namespace scope
