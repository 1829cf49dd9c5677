// Drawing the operations of a printed page with Cairo, in device units.
#include "platform/gdi/print_render.h"

#include <cairo.h>

namespace platform::gdi {
namespace {

void SetColour(cairo_t* cr, COLORREF c) { cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0); }

void SetPen(cairo_t* cr, const PenObject& pen) {
  const double w = pen.width < 1 ? 1 : pen.width;
  cairo_set_line_width(cr, w);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  static const double kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6}, kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  const double* pattern = nullptr;
  int n = 0;
  switch (pen.style) {
    case PS_DASH: pattern = kDash; n = 2; break;
    case PS_DOT: pattern = kDot; n = 2; break;
    case PS_DASHDOT: pattern = kDashDot; n = 4; break;
    case PS_DASHDOTDOT: pattern = kDashDotDot; n = 6; break;
    default: break;
  }
  double scaled[6];
  for (int i = 0; i < n; ++i) scaled[i] = pattern[i] * w;
  cairo_set_dash(cr, scaled, n, 0);
  SetColour(cr, pen.color);
}

void Path(cairo_t* cr, const std::vector<POINT>& pts, bool close) {
  cairo_new_path(cr);
  for (std::size_t i = 0; i < pts.size(); ++i) {
    if (i == 0) cairo_move_to(cr, pts[i].x, pts[i].y);
    else cairo_line_to(cr, pts[i].x, pts[i].y);
  }
  if (close) cairo_close_path(cr);
}

}  // namespace

void RenderPageOp(cairo_t* cr, const PageOp& op) {
  switch (op.kind) {
    case PageOp::Kind::kPolyline:
      if (op.pen.style == PS_NULL || op.points.size() < 2) return;
      Path(cr, op.points, false);
      SetPen(cr, op.pen);
      cairo_stroke(cr);
      return;
    case PageOp::Kind::kPolygon:
      if (op.points.size() < 2) return;
      Path(cr, op.points, true);
      if (op.brush.style != BS_NULL) {
        SetColour(cr, op.brush.color);
        cairo_fill_preserve(cr);
      }
      if (op.pen.style != PS_NULL) {
        SetPen(cr, op.pen);
        cairo_stroke(cr);
      }
      cairo_new_path(cr);
      return;
    case PageOp::Kind::kText: {
      if (!op.font || op.points.empty()) return;
      const POINT p = op.points[0];
      if (op.opaque && op.font->logfont().lfEscapement == 0) {
        SetColour(cr, op.bk_color);
        cairo_rectangle(cr, p.x, p.y, op.font->Width(op.text), op.font->metrics().tmHeight);
        cairo_fill(cr);
      }
      const COLORREF c = op.color;
      op.font->Draw(cr, p.x, p.y, op.text, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
      return;
    }
    case PageOp::Kind::kImage: {
      if (!op.image || op.points.size() < 2) return;
      const double w = op.points[1].x - op.points[0].x, h = op.points[1].y - op.points[0].y;
      if (w == 0 || h == 0) return;
      cairo_save(cr);
      cairo_translate(cr, op.points[0].x, op.points[0].y);
      cairo_scale(cr, w / op.image->width(), h / op.image->height());
      cairo_set_source_surface(cr, op.image->cairo(), 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
      cairo_restore(cr);
      return;
    }
  }
}


}  // namespace platform::gdi
