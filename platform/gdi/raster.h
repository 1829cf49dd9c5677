// The pixel engine under the raster DCs: lines with GDI's end-point rule and styled pens, span and mask fills,
// polygons, ellipse-based shapes and flood fill, all clipped to one rectangle of the surface.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/sys/wintypes.h"

namespace platform::gdi::raster {

struct Target {
  Surface* surface = nullptr;
  RECT clip{};  // surface coordinates, right and bottom excluded, inside the surface
  int rop2 = 13;  // R2_COPYPEN
};

struct Pen {
  int style = 0;  // PS_SOLID .. PS_NULL
  int width = 1;
  std::uint32_t rgb = 0;
  bool fill_gaps = false;  // opaque background: the gaps of a styled pen take the background colour
  std::uint32_t gap_rgb = 0xFFFFFF;
};

// Where a styled pen is in its pattern; carried from segment to segment of one figure.
struct StyleState {
  int position = 0;
};

// Pixels of a shape inside a bounding box.
struct Mask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;
  bool At(int x, int y) const {
    x -= left;
    y -= top;
    return x >= 0 && y >= 0 && x < width && y < height && bits[static_cast<std::size_t>(y) * width + x] != 0;
  }
};

void Plot(const Target& t, int x, int y, std::uint32_t rgb);
void FillSpan(const Target& t, int y, int x0, int x1, std::uint32_t rgb);  // x1 excluded
void FillRect(const Target& t, RECT r, std::uint32_t rgb);
// One segment from a to b; b itself only when include_end.
void Line(const Target& t, POINT a, POINT b, const Pen& pen, StyleState& style, bool include_end);
void Polyline(const Target& t, const POINT* points, int count, const Pen& pen);
// Even-odd (alternate) or non-zero (winding) fill of the pixels whose centres lie inside.
void FillPolygon(const Target& t, const POINT* points, int count, bool winding, std::uint32_t rgb);

Mask RectMask(RECT box);
Mask EllipseMask(RECT box);
Mask RoundRectMask(RECT box, int corner_width, int corner_height);
// The part of the ellipse in box between the radials through start and end, counter-clockwise (pie), or cut
// off by the chord from start to end (chord).
Mask SectorMask(RECT box, POINT start, POINT end, bool chord);
// Outline pixels of the ellipse in box between the two radials (arc).
std::vector<POINT> ArcPixels(RECT box, POINT start, POINT end);
// Mask pixels with a 4-neighbour outside the mask.
std::vector<POINT> Boundary(const Mask& m);
// Fills the mask; with interior_only the boundary is left out.
void FillMask(const Target& t, const Mask& m, std::uint32_t rgb, bool interior_only);
// Draws pixels with the pen (wide pens stamp a disk on each).
void StampPixels(const Target& t, const std::vector<POINT>& pixels, const Pen& pen);

// Fills with rgb from (x, y): border mode up to pixels of colour, surface mode over pixels of colour.
bool FloodFill(const Target& t, int x, int y, std::uint32_t colour, bool surface_mode, std::uint32_t rgb);

}  // namespace platform::gdi::raster
