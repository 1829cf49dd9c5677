#include "scope/core/beside_placement.h"

#include <algorithm>

namespace scope {

POINT PlaceBeside(const RECT& owner, SIZE size, SIZE screen) {
  const LONG top = std::max<LONG>(0, std::min<LONG>(owner.top, screen.cy - size.cy));
  const LONG left = std::max<LONG>(0, std::min<LONG>(owner.left, screen.cx - size.cx));
  if (owner.right + size.cx <= screen.cx) return POINT{owner.right, top};
  if (owner.left - size.cx >= 0) return POINT{owner.left - size.cx, top};
  if (owner.bottom + size.cy <= screen.cy) return POINT{left, owner.bottom};
  if (owner.top - size.cy >= 0) return POINT{left, owner.top - size.cy};
  return POINT{std::max<LONG>(0, screen.cx - size.cx), top};
}

}  // namespace scope
