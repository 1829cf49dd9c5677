// The drawing layer's geometry, free of any DC: the pen-style rule, the end points of arcs and pies on the
// square around the centre, and the corners of arrow heads.
#pragma once

#include <array>

#include "app/drawing/drawing_layer.h"

namespace app {

// The GDI pen style of a layer style: styled only at width step 1 (a 2-pixel pen), solid at every other step.
int GdiPenStyle(int layer_style, int width_step);

// The point where the radial at `angle` (tenths of a degree, counter-clockwise from the positive x axis, y
// downwards; taken modulo 3600) meets the square of half-side `radius` around the centre.
DrawPoint ArcEndPoint(DrawPoint centre, int radius, int angle);

// The polygon of an axis-parallel arrow head: wing 1, the tip (x, y), wing 2, wing 1. Direction 0 points left
// (wings at x + length), 1 right, 2 up (wings at y + length), 3 down.
std::array<DrawPoint, 4> AxisArrowHead(int x, int y, int length, int half_width, int direction);

// The polygon of the head at `tip` of a slanted segment from `neighbour`: two corners 10.2 units from the
// tip, on either side of the segment. Square roots of values that rounding made slightly negative count as 0.
std::array<DrawPoint, 4> SlantedArrowHead(DrawPoint tip, DrawPoint neighbour);

// Arrow heads at polyline ends: 10 units long, 4 units half-width on axis-parallel segments.
inline constexpr int kArrowLength = 10;
inline constexpr int kArrowHalfWidth = 4;

}  // namespace app
