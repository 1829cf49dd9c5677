// Where the parts of a scroll bar lie along it: two arrows at the ends, the thumb in the track between them. The
// painting and the mouse use the same layout.
#pragma once

#include <algorithm>

namespace platform::win {

struct ScrollBarLayout {
  int arrow = 0;         // length of each arrow
  int track = 0;         // length between the arrows
  bool has_thumb = false;
  int thumb = 0;         // the thumb's length, and its offset from the track's start
  int thumb_offset = 0;
};

inline constexpr int kMinThumb = 8;

// length along the bar, thickness across it; the range, page and position as SCROLLINFO holds them.
inline ScrollBarLayout LayOutScrollBar(int length, int thickness, int minimum, int maximum, int page, int position,
                                       bool enabled) {
  ScrollBarLayout l;
  l.arrow = std::max(0, std::min(thickness, length / 2));
  l.track = length - 2 * l.arrow;
  const int range = maximum - minimum + 1;
  if (!enabled || range <= 0 || l.track <= kMinThumb) return l;
  const int visible = page > 0 ? page : 1;
  l.has_thumb = true;
  l.thumb = std::clamp(l.track * visible / std::max(range, 1), kMinThumb, l.track);
  const int span = std::max(1, range - visible);
  l.thumb_offset = (l.track - l.thumb) * std::clamp(position - minimum, 0, span) / span;
  return l;
}

// The position whose thumb starts at offset in the track (the nearest one), for a drag of the thumb.
inline int ScrollPositionAt(const ScrollBarLayout& l, int offset, int minimum, int maximum, int page) {
  const int range = maximum - minimum + 1;
  const int span = std::max(1, range - (page > 0 ? page : 1));
  const int room = l.track - l.thumb;
  if (room <= 0) return minimum;
  offset = std::clamp(offset, 0, room);
  return minimum + (offset * span + room / 2) / room;
}

}  // namespace platform::win
