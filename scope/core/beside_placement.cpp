#include "scope/core/beside_placement.h"

#include <algorithm>

namespace scope {

POINT PlaceBeside(const RECT& owner, SIZE size, SIZE screen) {
  LONG x = owner.right;
  if (x + size.cx > screen.cx) x = owner.left - size.cx;
  if (x < 0) x = screen.cx - size.cx;
  x = std::max<LONG>(0, x);
  const LONG y = std::max<LONG>(0, std::min<LONG>(owner.top, screen.cy - size.cy));
  return POINT{x, y};
}

}  // namespace scope
