// The drawing operations: lines, points, text, filled shapes, arcs, arrow heads and the rounded frame.
#include <algorithm>
#include <cstdlib>

#include "app/drawing/drawing_geometry.h"
#include "app/drawing/drawing_state.h"

namespace app {
namespace {

constexpr int kTextBaseRow = 12;  // DrawTextAt's y is this far below the text's top
constexpr int kFullCircle = 3600;
constexpr int kQuarter = 900;

// Runs `draw` with the pen switched to the brush colour, so that an outline takes the fill colour.
template <class Draw>
void WithPenInBrushColour(Draw draw) {
  const drawing::State& s = drawing::Get();
  const int style = s.pen_style, step = s.pen_width_step, pen_colour = s.pen_colour;
  SelectPen(style, step, s.brush_colour);
  draw();
  SelectPen(style, step, pen_colour);
}

// A filled polygon whose fill and outline take the pen colour: the arrow heads.
void PolygonInPenColour(std::span<const DrawPoint> points) {
  const int brush = drawing::Get().brush_colour;
  SelectBrush(drawing::Get().pen_colour);
  DrawPolygon(points);
  SelectBrush(brush);
}

void DrawHead(DrawPoint tip, DrawPoint neighbour) {
  if (tip.y == neighbour.y) {
    DrawArrowHead(tip.x, tip.y, kArrowLength, kArrowHalfWidth, tip.x < neighbour.x ? 0 : 1);
  } else if (tip.x == neighbour.x) {
    DrawArrowHead(tip.x, tip.y, kArrowLength, kArrowHalfWidth, tip.y < neighbour.y ? 2 : 3);
  } else {
    PolygonInPenColour(SlantedArrowHead(tip, neighbour));
  }
}

void PlainPolyline(std::span<const DrawPoint> points) {
  const std::vector<POINT>& work = drawing::ScalePoints(points);
  Polyline(drawing::Get().dc, work.data(), static_cast<int>(work.size()));
}

// The arc or pie of the two-radius form: centre and radii scaled, end points on the square of the larger radius.
void ArcOrPie(int cx, int cy, int radius_x, int radius_y, int start_angle, int end_angle, bool pie) {
  const DrawPoint centre{drawing::ScaleX(cx), drawing::ScaleY(cy)};
  const int rx = drawing::ScaleX(radius_x), ry = drawing::ScaleY(radius_y);
  const int r = std::max(rx, ry);
  const DrawPoint a = ArcEndPoint(centre, r, start_angle);
  const DrawPoint b = ArcEndPoint(centre, r, end_angle);
  auto call = pie ? Pie : Arc;
  call(drawing::Get().dc, centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry, a.x, a.y, b.x, b.y);
}

RECT ScaledRect(int x1, int y1, int x2, int y2) {
  return RECT{drawing::ScaleX(x1), drawing::ScaleY(y1), drawing::ScaleX(x2), drawing::ScaleY(y2)};
}

}  // namespace

void DrawPolyline(std::span<const DrawPoint> points) {
  if (!drawing::Drawing() || points.empty()) return;
  const drawing::State& s = drawing::Get();
  const std::size_t n = points.size();
  if (n >= 2 && s.arrow_at_start) DrawHead(points[0], points[1]);
  if (n >= 2 && s.arrow_at_end) DrawHead(points[n - 1], points[n - 2]);
  PlainPolyline(points);
}

void DrawPoints(std::span<const DrawPoint> points) {
  if (!drawing::Drawing()) return;
  const COLORREF black = GetPaletteColor(kPaletteBlack);
  for (const DrawPoint& p : points) {
    const POINT q = drawing::ScalePoint(p);
    SetPixel(drawing::Get().dc, q.x, q.y, black);
  }
}

void DrawTextAt(int x, int y, std::string_view text) {
  if (!drawing::Drawing()) return;
  TextOut(drawing::Get().dc, drawing::ScaleX(x), drawing::ScaleY(y - kTextBaseRow), text.data(),
          static_cast<int>(text.size()));
}

void DrawPolygon(std::span<const DrawPoint> points) {
  if (!drawing::Drawing() || points.empty()) return;
  WithPenInBrushColour([points] {
    const std::vector<POINT>& work = drawing::ScalePoints(points);
    Polygon(drawing::Get().dc, work.data(), static_cast<int>(work.size()));
  });
}

void DrawRectangle(int x1, int y1, int x2, int y2) {
  if (!drawing::Drawing()) return;
  WithPenInBrushColour([=] {
    const RECT r = ScaledRect(x1, y1, x2, y2);
    Rectangle(drawing::Get().dc, r.left, r.top, r.right, r.bottom);
  });
}

void FillRectangle(int x1, int y1, int x2, int y2) {
  if (!drawing::Drawing()) return;
  HBRUSH brush = drawing::CurrentBrush();
  if (!brush) return;
  const RECT r = ScaledRect(x1, y1, x2, y2);
  FillRect(drawing::Get().dc, &r, brush);
}

void DrawCircle(int cx, int cy, int radius) {
  if (!drawing::Drawing()) return;
  const int x = drawing::ScaleX(cx), y = drawing::ScaleY(cy), r = drawing::ScaleX(radius);
  Ellipse(drawing::Get().dc, x - r, y - r, x + r, y + r);
}

void DrawEllipse(int cx, int cy, int radius_x, int radius_y) {
  if (!drawing::Drawing()) return;
  const int x = drawing::ScaleX(cx), y = drawing::ScaleY(cy);
  const int rx = drawing::ScaleX(radius_x), ry = drawing::ScaleY(radius_y);
  Ellipse(drawing::Get().dc, x - rx, y - ry, x + rx, y + ry);
}

void DrawArc(int cx, int cy, int radius, int start_angle, int end_angle) {
  if (!drawing::Drawing()) return;
  ArcOrPie(cx, cy, radius, radius, start_angle, end_angle, false);
}

void DrawPie(int cx, int cy, int radius, int start_angle, int end_angle) {
  if (!drawing::Drawing()) return;
  ArcOrPie(cx, cy, radius, radius, start_angle, end_angle, true);
}

void DrawRoundRect(int x1, int y1, int x2, int y2) {
  if (!drawing::Drawing()) return;
  const RECT r = ScaledRect(x1, y1, x2, y2);
  RoundRect(drawing::Get().dc, r.left, r.top, r.right, r.bottom, (r.right - r.left) / 4, (r.bottom - r.top) / 4);
}

void DrawRoundFrame(int x1, int y1, int x2, int y2) {
  if (!drawing::Drawing()) return;
  const int d = std::min((x2 - x1) / 4, (y2 - y1) / 4);
  const int e = d / 2;
  auto line = [](int ax, int ay, int bx, int by) {
    const DrawPoint pts[] = {{ax, ay}, {bx, by}};
    PlainPolyline(pts);
  };
  auto corner = [e](int cx, int cy, int from) { ArcOrPie(cx, cy, e, e, from, from + kQuarter, false); };
  line(x1 + e, y1, x2 - e, y1);
  corner(x2 - e, y1 + e, 0);
  line(x2, y1 + e, x2, y2 - e);
  corner(x2 - e, y2 - e, kFullCircle - kQuarter);
  line(x2 - e, y2, x1 + e, y2);
  corner(x1 + e, y2 - e, 2 * kQuarter);
  line(x1, y2 - e, x1, y1 + e);
  corner(x1 + e, y1 + e, kQuarter);
}

void FloodFillArea(int x, int y, int border_colour) {
  if (!drawing::Drawing()) return;
  FloodFill(drawing::Get().dc, drawing::ScaleX(x), drawing::ScaleY(y), GetPaletteColor(border_colour));
}

int DrawArrowHead(int x, int y, int length, int half_width, int direction) {
  if (direction < 0 || direction > 3) return kDrawRefused;
  if (!drawing::Drawing()) return kDrawDone;
  PolygonInPenColour(AxisArrowHead(x, y, length, half_width, direction));
  return kDrawDone;
}

}  // namespace app
