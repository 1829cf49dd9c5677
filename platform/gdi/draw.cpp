// Lines, shapes and pixels on raster DCs and printer DCs.
#include "platform/gdi/draw.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <sstream>

#include "platform/gdi/call_log.h"
#include "platform/gdi/gdi_state.h"

using namespace platform::gdi;

namespace {

COLORREF (*g_system_colour)(int) = nullptr;

void Log(const DeviceContext& dc, const char* call, std::initializer_list<long> values) {
  LogCall(dc.name, call, values);
}

void LogPoints(const DeviceContext& dc, const char* call, const POINT* pts, int n) {
  if (!CallLogActive()) return;
  std::ostringstream s;
  s << call << ' ' << dc.name;
  for (int i = 0; i < n; ++i) s << ' ' << pts[i].x << ',' << pts[i].y;
  AppendCallLog(s.str());
}

bool HasPen(const DeviceContext& dc) { return dc.state.pen.style != PS_NULL; }
bool HasBrush(const DeviceContext& dc) { return dc.state.brush.style != BS_NULL; }

std::vector<POINT> ToSurface(const DeviceContext& dc, const POINT* pts, int n) {
  std::vector<POINT> out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out[static_cast<std::size_t>(i)] = ToSurface(dc, pts[i]);
  return out;
}

RECT SurfaceBox(const DeviceContext& dc, int l, int t, int r, int b) {
  const POINT a = ToSurface(dc, POINT{l, t});
  const POINT c = ToSurface(dc, POINT{r, b});
  return Normalised(RECT{a.x, a.y, c.x, c.y});
}

// Printer DCs: shapes become polylines and polygons in device units.
bool AddPrintOp(DeviceContext& dc, HDC h, PageOp::Kind kind, std::vector<POINT> pts, bool with_pen,
                bool with_brush) {
  PageOp op;
  op.kind = kind;
  op.points = std::move(pts);
  op.pen = dc.state.pen;
  if (!with_pen) op.pen.style = PS_NULL;
  op.brush = dc.state.brush;
  if (!with_brush) op.brush.style = BS_NULL;
  return dc.job->Add(h, std::move(op));
}

std::vector<POINT> DevicePoints(const DeviceContext& dc, const POINT* pts, int n) {
  std::vector<POINT> out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out[static_cast<std::size_t>(i)] = ToDevice(dc, pts[i]);
  return out;
}

// Points along the ellipse of box from angle a0 counter-clockwise by sweep (radians), for printer output.
std::vector<POINT> EllipsePoints(RECT box, double a0, double sweep) {
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
  const int steps = std::max(8, static_cast<int>(std::fabs(sweep) * 16));
  std::vector<POINT> out;
  for (int i = 0; i <= steps; ++i) {
    const double a = a0 + sweep * i / steps;
    out.push_back(POINT{static_cast<LONG>(std::lround(cx + rx * std::cos(a))),
                        static_cast<LONG>(std::lround(cy - ry * std::sin(a)))});
  }
  return out;
}

double RadialAngle(RECT box, POINT p) {
  return std::atan2((box.top + box.bottom) / 2.0 - p.y, p.x - (box.left + box.right) / 2.0);
}

double Sweep(double a0, double a1) {
  double s = a1 - a0;
  while (s <= 0) s += 2 * 3.14159265358979;
  return s;
}

// Closed shapes on a raster DC: interior with the brush, boundary with the pen; the null pen shrinks the shape
// by one pixel at the right and bottom and fills all of it.
void DrawMaskShape(const DeviceContext& dc, const raster::Mask& mask) {
  const raster::Target t = RasterTarget(dc);
  if (!HasPen(dc)) {
    if (HasBrush(dc)) raster::FillMask(t, mask, ToPixel(dc.state.brush.color), false);
    return;
  }
  if (HasBrush(dc)) raster::FillMask(t, mask, ToPixel(dc.state.brush.color), true);
  raster::StampPixels(t, raster::Boundary(mask), RasterPen(dc));
}

RECT ShapeBox(const DeviceContext& dc, int l, int t, int r, int b) {
  RECT box = SurfaceBox(dc, l, t, r, b);
  if (!HasPen(dc)) {
    box.right -= 1;
    box.bottom -= 1;
  }
  return box;
}

bool BrushColour(HBRUSH brush, COLORREF* colour) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= 32) {
    if (!g_system_colour) return false;
    *colour = g_system_colour(static_cast<int>(value) - 1);
    return true;
  }
  GdiObject* obj = FindObject(reinterpret_cast<HGDIOBJ>(brush));
  auto* b = obj ? std::get_if<BrushObject>(obj) : nullptr;
  if (!b || b->style == BS_NULL) return false;
  *colour = b->color;
  return true;
}

enum class Figure { kEllipse, kPie, kChord };

BOOL EllipseFigure(HDC h, Figure fig, const char* name, int l, int t, int r, int b, int xs, int ys, int xe,
                   int ye) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  if (fig == Figure::kEllipse) Log(*dc, name, {l, t, r, b});
  else Log(*dc, name, {l, t, r, b, xs, ys, xe, ye});
  if (dc->job) {
    const POINT a = ToDevice(*dc, POINT{l, t}), c = ToDevice(*dc, POINT{r, b});
    const RECT box = Normalised(RECT{a.x, a.y, c.x, c.y});
    std::vector<POINT> pts;
    if (fig == Figure::kEllipse) {
      pts = EllipsePoints(box, 0, 2 * 3.14159265358979);
    } else {
      const double a0 = RadialAngle(box, ToDevice(*dc, POINT{xs, ys}));
      const double a1 = RadialAngle(box, ToDevice(*dc, POINT{xe, ye}));
      pts = EllipsePoints(box, a0, Sweep(a0, a1));
      if (fig == Figure::kPie) pts.push_back(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    }
    return AddPrintOp(*dc, h, PageOp::Kind::kPolygon, std::move(pts), true, true);
  }
  const RECT box = ShapeBox(*dc, l, t, r, b);
  if (fig == Figure::kEllipse) {
    DrawMaskShape(*dc, raster::EllipseMask(box));
  } else {
    DrawMaskShape(*dc, raster::SectorMask(box, ToSurface(*dc, POINT{xs, ys}), ToSurface(*dc, POINT{xe, ye}),
                                          fig == Figure::kChord));
  }
  return TRUE;
}

}  // namespace

void platform::gdi::SetSystemColourSource(COLORREF (*colour_of_index)(int)) { g_system_colour = colour_of_index; }

BOOL MoveToEx(HDC h, int x, int y, POINT* previous) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  Log(*dc, "MoveToEx", {x, y});
  if (previous) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC h, POINT* position) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !position) return FALSE;
  *position = dc->state.position;
  return TRUE;
}

BOOL LineTo(HDC h, int x, int y) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  Log(*dc, "LineTo", {x, y});
  const POINT from = dc->state.position;
  dc->state.position = POINT{x, y};
  if (dc->job) {
    const POINT pts[2] = {from, POINT{x, y}};
    return AddPrintOp(*dc, h, PageOp::Kind::kPolyline, DevicePoints(*dc, pts, 2), true, false);
  }
  raster::StyleState st;
  raster::Line(RasterTarget(*dc), ToSurface(*dc, from), ToSurface(*dc, POINT{x, y}), RasterPen(*dc), st, false);
  return TRUE;
}

BOOL Polyline(HDC h, const POINT* points, int count) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !points || count < 2) return FALSE;
  LogPoints(*dc, "Polyline", points, count);
  if (dc->job) return AddPrintOp(*dc, h, PageOp::Kind::kPolyline, DevicePoints(*dc, points, count), true, false);
  const auto pts = ToSurface(*dc, points, count);
  raster::Polyline(RasterTarget(*dc), pts.data(), count, RasterPen(*dc));
  return TRUE;
}

BOOL PolylineTo(HDC h, const POINT* points, DWORD count) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !points || count == 0) return FALSE;
  std::vector<POINT> all{dc->state.position};
  all.insert(all.end(), points, points + count);
  dc->state.position = points[count - 1];
  LogPoints(*dc, "PolylineTo", points, static_cast<int>(count));
  if (dc->job) {
    return AddPrintOp(*dc, h, PageOp::Kind::kPolyline, DevicePoints(*dc, all.data(), static_cast<int>(all.size())),
                      true, false);
  }
  const auto pts = ToSurface(*dc, all.data(), static_cast<int>(all.size()));
  raster::Polyline(RasterTarget(*dc), pts.data(), static_cast<int>(pts.size()), RasterPen(*dc));
  return TRUE;
}

BOOL Polygon(HDC h, const POINT* points, int count) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !points || count < 2) return FALSE;
  LogPoints(*dc, "Polygon", points, count);
  if (dc->job) return AddPrintOp(*dc, h, PageOp::Kind::kPolygon, DevicePoints(*dc, points, count), true, true);
  auto pts = ToSurface(*dc, points, count);
  const raster::Target t = RasterTarget(*dc);
  if (HasBrush(*dc)) {
    raster::FillPolygon(t, pts.data(), count, dc->state.fill_mode == WINDING, ToPixel(dc->state.brush.color));
  }
  pts.push_back(pts.front());
  raster::Polyline(t, pts.data(), static_cast<int>(pts.size()), RasterPen(*dc));
  return TRUE;
}

BOOL Rectangle(HDC h, int l, int t, int r, int b) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  Log(*dc, "Rectangle", {l, t, r, b});
  if (dc->job) {
    const POINT a = ToDevice(*dc, POINT{l, t}), c = ToDevice(*dc, POINT{r, b});
    return AddPrintOp(*dc, h, PageOp::Kind::kPolygon, {a, POINT{c.x, a.y}, c, POINT{a.x, c.y}}, true, true);
  }
  const RECT box = ShapeBox(*dc, l, t, r, b);
  if (Empty(box)) return TRUE;
  const raster::Target target = RasterTarget(*dc);
  if (!HasPen(*dc)) {
    if (HasBrush(*dc)) raster::FillRect(target, box, ToPixel(dc->state.brush.color));
    return TRUE;
  }
  if (HasBrush(*dc)) {
    raster::FillRect(target, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
                     ToPixel(dc->state.brush.color));
  }
  std::vector<POINT> frame;
  for (int x = box.left; x < box.right; ++x) {
    frame.push_back({x, box.top});
    if (box.bottom - 1 > box.top) frame.push_back({x, box.bottom - 1});
  }
  for (int y = box.top + 1; y < box.bottom - 1; ++y) {
    frame.push_back({box.left, y});
    if (box.right - 1 > box.left) frame.push_back({box.right - 1, y});
  }
  raster::StampPixels(target, frame, RasterPen(*dc));
  return TRUE;
}

BOOL RoundRect(HDC h, int l, int t, int r, int b, int cw, int ch) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  Log(*dc, "RoundRect", {l, t, r, b, cw, ch});
  if (dc->job) {
    const POINT a = ToDevice(*dc, POINT{l, t}), c = ToDevice(*dc, POINT{r, b});
    const RECT box = Normalised(RECT{a.x, a.y, c.x, c.y});
    const int w = std::min(std::abs(cw), static_cast<int>(box.right - box.left));
    const int hh = std::min(std::abs(ch), static_cast<int>(box.bottom - box.top));
    constexpr double kQuarter = 3.14159265358979 / 2;
    std::vector<POINT> pts;
    auto corner = [&](RECT e, double a0) {
      auto p = EllipsePoints(e, a0, kQuarter);
      pts.insert(pts.end(), p.begin(), p.end());
    };
    corner(RECT{box.right - w, box.top, box.right, box.top + hh}, 0);
    corner(RECT{box.left, box.top, box.left + w, box.top + hh}, kQuarter);
    corner(RECT{box.left, box.bottom - hh, box.left + w, box.bottom}, 2 * kQuarter);
    corner(RECT{box.right - w, box.bottom - hh, box.right, box.bottom}, 3 * kQuarter);
    return AddPrintOp(*dc, h, PageOp::Kind::kPolygon, std::move(pts), true, true);
  }
  DrawMaskShape(*dc, raster::RoundRectMask(ShapeBox(*dc, l, t, r, b), cw, ch));
  return TRUE;
}

BOOL Ellipse(HDC h, int l, int t, int r, int b) { return EllipseFigure(h, Figure::kEllipse, "Ellipse", l, t, r, b, 0, 0, 0, 0); }

BOOL Pie(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return EllipseFigure(h, Figure::kPie, "Pie", l, t, r, b, xs, ys, xe, ye);
}

BOOL Chord(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return EllipseFigure(h, Figure::kChord, "Chord", l, t, r, b, xs, ys, xe, ye);
}

BOOL Arc(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  Log(*dc, "Arc", {l, t, r, b, xs, ys, xe, ye});
  if (dc->job) {
    const POINT a = ToDevice(*dc, POINT{l, t}), c = ToDevice(*dc, POINT{r, b});
    const RECT box = Normalised(RECT{a.x, a.y, c.x, c.y});
    const double a0 = RadialAngle(box, ToDevice(*dc, POINT{xs, ys}));
    const double a1 = RadialAngle(box, ToDevice(*dc, POINT{xe, ye}));
    return AddPrintOp(*dc, h, PageOp::Kind::kPolyline, EllipsePoints(box, a0, Sweep(a0, a1)), true, false);
  }
  const RECT box = SurfaceBox(*dc, l, t, r, b);
  raster::StampPixels(RasterTarget(*dc),
                      raster::ArcPixels(box, ToSurface(*dc, POINT{xs, ys}), ToSurface(*dc, POINT{xe, ye})),
                      RasterPen(*dc));
  return TRUE;
}

namespace {

int FillColour(DeviceContext& dc, HDC h, const RECT& rect, COLORREF colour) {
  if (dc.job) {
    const POINT a = ToDevice(dc, POINT{rect.left, rect.top});
    const POINT c = ToDevice(dc, POINT{rect.right, rect.bottom});
    PageOp op;
    op.kind = PageOp::Kind::kPolygon;
    op.points = {a, POINT{c.x, a.y}, c, POINT{a.x, c.y}};
    op.pen.style = PS_NULL;
    op.brush = BrushObject{BS_SOLID, colour};
    return dc.job->Add(h, std::move(op)) ? 1 : 0;
  }
  const POINT a = ToSurface(dc, POINT{rect.left, rect.top});
  const POINT c = ToSurface(dc, POINT{rect.right, rect.bottom});
  raster::Target t = RasterTarget(dc);
  t.rop2 = R2_COPYPEN;
  raster::FillRect(t, RECT{a.x, a.y, c.x, c.y}, ToPixel(colour));
  return 1;
}

}  // namespace

int FillRect(HDC h, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = FindDc(h);
  COLORREF colour = 0;
  if (!dc || !rect || !BrushColour(brush, &colour)) return 0;
  Log(*dc, "FillRect", {rect->left, rect->top, rect->right, rect->bottom});
  return FillColour(*dc, h, *rect, colour);
}

int FrameRect(HDC h, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = FindDc(h);
  COLORREF colour = 0;
  if (!dc || !rect || !BrushColour(brush, &colour)) return 0;
  Log(*dc, "FrameRect", {rect->left, rect->top, rect->right, rect->bottom});
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  const RECT edges[4] = {{rect->left, rect->top, rect->right, rect->top + 1},
                         {rect->left, rect->bottom - 1, rect->right, rect->bottom},
                         {rect->left, rect->top, rect->left + 1, rect->bottom},
                         {rect->right - 1, rect->top, rect->right, rect->bottom}};
  for (const RECT& e : edges) FillColour(*dc, h, e, colour);
  return 1;
}

BOOL InvertRect(HDC h, const RECT* rect) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !rect || dc->job) return FALSE;
  Log(*dc, "InvertRect", {rect->left, rect->top, rect->right, rect->bottom});
  const POINT a = ToSurface(*dc, POINT{rect->left, rect->top});
  const POINT c = ToSurface(*dc, POINT{rect->right, rect->bottom});
  raster::Target t = RasterTarget(*dc);
  t.rop2 = R2_NOT;
  raster::FillRect(t, RECT{a.x, a.y, c.x, c.y}, 0);
  return TRUE;
}

BOOL ExtFloodFill(HDC h, int x, int y, COLORREF color, UINT type) {
  DeviceContext* dc = FindDc(h);
  if (!dc || dc->job || !HasBrush(*dc)) return FALSE;
  Log(*dc, type == FLOODFILLSURFACE ? "ExtFloodFill surface" : "FloodFill", {x, y, static_cast<long>(color)});
  const POINT p = ToSurface(*dc, POINT{x, y});
  return raster::FloodFill(RasterTarget(*dc), p.x, p.y, ToPixel(color), type == FLOODFILLSURFACE,
                           ToPixel(dc->state.brush.color))
             ? TRUE
             : FALSE;
}

BOOL FloodFill(HDC h, int x, int y, COLORREF border) { return ExtFloodFill(h, x, y, border, FLOODFILLBORDER); }

COLORREF SetPixel(HDC h, int x, int y, COLORREF color) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return CLR_INVALID;
  Log(*dc, "SetPixel", {x, y, static_cast<long>(color & 0xFFFFFF)});
  if (dc->job) {
    const POINT p = ToDevice(*dc, POINT{x, y});
    PageOp op;
    op.kind = PageOp::Kind::kPolygon;
    op.points = {p, POINT{p.x + 1, p.y}, POINT{p.x + 1, p.y + 1}, POINT{p.x, p.y + 1}};
    op.pen.style = PS_NULL;
    op.brush = BrushObject{BS_SOLID, color & 0xFFFFFF};
    return dc->job->Add(h, std::move(op)) ? (color & 0xFFFFFF) : CLR_INVALID;
  }
  const POINT p = ToSurface(*dc, POINT{x, y});
  raster::Target t = RasterTarget(*dc);
  if (p.x < t.clip.left || p.x >= t.clip.right || p.y < t.clip.top || p.y >= t.clip.bottom) return CLR_INVALID;
  t.rop2 = R2_COPYPEN;
  raster::Plot(t, p.x, p.y, ToPixel(color));
  return color & 0xFFFFFF;
}

BOOL SetPixelV(HDC h, int x, int y, COLORREF color) { return SetPixel(h, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC h, int x, int y) {
  DeviceContext* dc = FindDc(h);
  if (!dc || dc->job || !dc->surface) return CLR_INVALID;
  const POINT p = ToSurface(*dc, POINT{x, y});
  const raster::Target t = RasterTarget(*dc);
  if (p.x < t.clip.left || p.x >= t.clip.right || p.y < t.clip.top || p.y >= t.clip.bottom) return CLR_INVALID;
  return ToColorRef(dc->surface->Pixel(p.x, p.y));
}
