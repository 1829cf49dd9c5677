#include "platform/gdi/tab_stops.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

int NextTabStop(int x, int origin, int count, const int* stops, int average_width) {
  const int rel = x - origin;
  if (count == 1 && stops) {
    const int step = std::max(1, std::abs(stops[0]));
    return origin + (rel / step + 1) * step;
  }
  for (int i = 0; stops && i < count; ++i)
    if (std::abs(stops[i]) > rel) return origin + std::abs(stops[i]);
  const int step = std::max(1, 8 * average_width);
  return origin + (rel / step + 1) * step;
}

}  // namespace platform::gdi
