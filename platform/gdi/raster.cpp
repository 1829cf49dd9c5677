#include "platform/gdi/raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace platform::gdi::raster {
namespace {

constexpr int kCopyPen = 13;
constexpr int kNot = 6;
constexpr int kXorPen = 7;
constexpr int kNop = 11;
constexpr int kBlack = 1;
constexpr int kWhite = 16;

inline void Write(std::uint32_t& px, std::uint32_t rgb, int rop) {
  switch (rop) {
    case kCopyPen: px = rgb; break;
    case kXorPen: px = (px ^ rgb) & 0xFFFFFF; break;
    case kNot: px = ~px & 0xFFFFFF; break;
    case kNop: break;
    case kBlack: px = 0; break;
    case kWhite: px = 0xFFFFFF; break;
    default: px = rgb; break;
  }
}

inline bool Inside(const RECT& c, int x, int y) { return x >= c.left && x < c.right && y >= c.top && y < c.bottom; }

// On/off run lengths of the styled pens.
struct Pattern {
  std::array<int, 6> runs;
  int count;
};
constexpr std::array<Pattern, 5> kPatterns = {{
    {{0, 0, 0, 0, 0, 0}, 0},    // solid
    {{18, 6, 0, 0, 0, 0}, 2},   // dash
    {{3, 3, 0, 0, 0, 0}, 2},    // dot
    {{9, 6, 3, 6, 0, 0}, 4},    // dash-dot
    {{9, 3, 3, 3, 3, 3}, 6},    // dash-dot-dot
}};

// Whether the pattern position is in an "on" run.
bool PatternOn(int style, int position) {
  const Pattern& p = kPatterns[static_cast<std::size_t>(style)];
  int period = 0;
  for (int i = 0; i < p.count; ++i) period += p.runs[static_cast<std::size_t>(i)];
  int pos = position % period;
  for (int i = 0; i < p.count; ++i) {
    if (pos < p.runs[static_cast<std::size_t>(i)]) return i % 2 == 0;
    pos -= p.runs[static_cast<std::size_t>(i)];
  }
  return true;
}

// Disk offsets of a pen of width w (w > 1).
std::vector<POINT> PenDisk(int w) {
  std::vector<POINT> out;
  const double r = w / 2.0;
  for (int dy = 0; dy < w; ++dy)
    for (int dx = 0; dx < w; ++dx) {
      const double fx = dx + 0.5 - r;
      const double fy = dy + 0.5 - r;
      if (fx * fx + fy * fy <= r * r + 0.25) out.push_back({dx - w / 2, dy - w / 2});
    }
  return out;
}

class PenPlotter {
 public:
  PenPlotter(const Target& t, const Pen& pen) : t_(t), pen_(pen) {
    if (pen.width > 1) disk_ = PenDisk(pen.width);
  }
  void Put(int x, int y, StyleState& st) {
    std::uint32_t rgb = pen_.rgb;
    if (pen_.style >= 1 && pen_.style <= 4) {
      const bool on = PatternOn(pen_.style, st.position++);
      if (!on) {
        if (!pen_.fill_gaps) return;
        rgb = pen_.gap_rgb;
      }
    }
    if (disk_.empty()) {
      Plot(t_, x, y, rgb);
    } else {
      for (const POINT& d : disk_) Plot(t_, x + d.x, y + d.y, rgb);
    }
  }

 private:
  const Target& t_;
  const Pen& pen_;
  std::vector<POINT> disk_;
};

void LineWith(PenPlotter& plot, POINT a, POINT b, StyleState& st, bool include_end) {
  int x = a.x, y = a.y;
  const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
  const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    if (x == b.x && y == b.y) {
      if (include_end) plot.Put(x, y, st);
      return;
    }
    plot.Put(x, y, st);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

Mask NewMask(RECT box) {
  Mask m;
  m.left = box.left;
  m.top = box.top;
  m.width = std::max(0, static_cast<int>(box.right - box.left));
  m.height = std::max(0, static_cast<int>(box.bottom - box.top));
  m.bits.assign(static_cast<std::size_t>(m.width) * m.height, 0);
  return m;
}

inline void SetBit(Mask& m, int x, int y) { m.bits[static_cast<std::size_t>(y - m.top) * m.width + (x - m.left)] = 1; }

// Whether the pixel centre (px, py) lies inside the ellipse of box.
struct Ellipse {
  double cx, cy, a, b;
  explicit Ellipse(RECT box)
      : cx((box.left + box.right) / 2.0),
        cy((box.top + box.bottom) / 2.0),
        a((box.right - box.left) / 2.0),
        b((box.bottom - box.top) / 2.0) {}
  bool Contains(double px, double py) const {
    if (a <= 0 || b <= 0) return false;
    const double u = (px - cx) / a, v = (py - cy) / b;
    return u * u + v * v <= 1.0 + 1e-9;
  }
  // Counter-clockwise angle with y pointing down on the screen.
  double Angle(double px, double py) const { return std::atan2(cy - py, px - cx); }
};

double Wrap(double a) {
  constexpr double kTwoPi = 6.283185307179586;
  while (a < 0) a += kTwoPi;
  while (a >= kTwoPi) a -= kTwoPi;
  return a;
}

// Whether angle lies on the counter-clockwise way from start to end (equal radials: the whole turn).
bool InSweep(double angle, double start, double end) {
  const double sweep = Wrap(end - start);
  if (sweep < 1e-12) return true;
  return Wrap(angle - start) <= sweep + 1e-12;
}

}  // namespace

void Plot(const Target& t, int x, int y, std::uint32_t rgb) {
  if (!Inside(t.clip, x, y)) return;
  Write(t.surface->Row(y)[x], rgb, t.rop2);
}

void FillSpan(const Target& t, int y, int x0, int x1, std::uint32_t rgb) {
  if (y < t.clip.top || y >= t.clip.bottom) return;
  x0 = std::max(x0, static_cast<int>(t.clip.left));
  x1 = std::min(x1, static_cast<int>(t.clip.right));
  if (x0 >= x1) return;
  std::uint32_t* row = t.surface->Row(y);
  if (t.rop2 == kCopyPen) {
    std::fill(row + x0, row + x1, rgb);
  } else {
    for (int x = x0; x < x1; ++x) Write(row[x], rgb, t.rop2);
  }
}

void FillRect(const Target& t, RECT r, std::uint32_t rgb) {
  for (int y = r.top; y < r.bottom; ++y) FillSpan(t, y, r.left, r.right, rgb);
}

void Line(const Target& t, POINT a, POINT b, const Pen& pen, StyleState& style, bool include_end) {
  if (pen.style == 5) return;  // PS_NULL
  PenPlotter plot(t, pen);
  LineWith(plot, a, b, style, include_end);
}

void Polyline(const Target& t, const POINT* points, int count, const Pen& pen) {
  if (pen.style == 5 || count < 2) return;
  PenPlotter plot(t, pen);
  StyleState st;
  for (int i = 1; i < count; ++i) LineWith(plot, points[i - 1], points[i], st, false);
}

void FillPolygon(const Target& t, const POINT* points, int count, bool winding, std::uint32_t rgb) {
  if (count < 3) return;
  long ymin = points[0].y, ymax = points[0].y;
  for (int i = 1; i < count; ++i) {
    ymin = std::min(ymin, static_cast<long>(points[i].y));
    ymax = std::max(ymax, static_cast<long>(points[i].y));
  }
  ymin = std::max(ymin, static_cast<long>(t.clip.top));
  ymax = std::min(ymax, static_cast<long>(t.clip.bottom));
  struct Cross {
    double x;
    int dir;
  };
  std::vector<Cross> xs;
  for (long y = ymin; y < ymax; ++y) {
    const double yc = y + 0.5;
    xs.clear();
    for (int i = 0; i < count; ++i) {
      const POINT& a = points[i];
      const POINT& b = points[(i + 1) % count];
      if (a.y == b.y) continue;
      const double lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
      if (yc < lo || yc >= hi) continue;
      const double x = a.x + (yc - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
      xs.push_back({x, b.y > a.y ? 1 : -1});
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& p, const Cross& q) { return p.x < q.x; });
    int wind = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
      wind += xs[i].dir;
      const bool inside = winding ? wind != 0 : (i % 2 == 0);
      if (!inside) continue;
      const int x0 = static_cast<int>(std::ceil(xs[i].x - 0.5));
      const int x1 = static_cast<int>(std::ceil(xs[i + 1].x - 0.5));
      FillSpan(t, static_cast<int>(y), x0, x1, rgb);
    }
  }
}

Mask RectMask(RECT box) {
  Mask m = NewMask(box);
  std::fill(m.bits.begin(), m.bits.end(), 1);
  return m;
}

Mask EllipseMask(RECT box) {
  Mask m = NewMask(box);
  const Ellipse e(box);
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (e.Contains(x + 0.5, y + 0.5)) SetBit(m, x, y);
  return m;
}

Mask RoundRectMask(RECT box, int corner_width, int corner_height) {
  Mask m = NewMask(box);
  const int w = std::min(std::abs(corner_width), static_cast<int>(box.right - box.left));
  const int h = std::min(std::abs(corner_height), static_cast<int>(box.bottom - box.top));
  const Ellipse tl(RECT{box.left, box.top, box.left + w, box.top + h});
  const Ellipse tr(RECT{box.right - w, box.top, box.right, box.top + h});
  const Ellipse bl(RECT{box.left, box.bottom - h, box.left + w, box.bottom});
  const Ellipse br(RECT{box.right - w, box.bottom - h, box.right, box.bottom});
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const bool left = px < box.left + w / 2.0, right = px > box.right - w / 2.0;
      const bool top = py < box.top + h / 2.0, bottom = py > box.bottom - h / 2.0;
      bool in = true;
      if (left && top) in = tl.Contains(px, py);
      else if (right && top) in = tr.Contains(px, py);
      else if (left && bottom) in = bl.Contains(px, py);
      else if (right && bottom) in = br.Contains(px, py);
      if (in) SetBit(m, x, y);
    }
  return m;
}

Mask SectorMask(RECT box, POINT start, POINT end, bool chord) {
  Mask m = NewMask(box);
  const Ellipse e(box);
  const double a0 = e.Angle(start.x, start.y), a1 = e.Angle(end.x, end.y);
  // The chord's end points on the ellipse.
  const double sx = e.cx + e.a * std::cos(a0), sy = e.cy - e.b * std::sin(a0);
  const double ex = e.cx + e.a * std::cos(a1), ey = e.cy - e.b * std::sin(a1);
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (!e.Contains(px, py)) continue;
      bool in;
      if (chord) {
        // Left of the chord from end to start in screen terms is the cut-off part of the sweep.
        const double cross = (ex - sx) * (py - sy) - (ey - sy) * (px - sx);
        in = cross <= 0;
      } else {
        in = InSweep(e.Angle(px, py), a0, a1);
      }
      if (in) SetBit(m, x, y);
    }
  return m;
}

std::vector<POINT> ArcPixels(RECT box, POINT start, POINT end) {
  const Mask full = EllipseMask(box);
  const Ellipse e(box);
  const double a0 = e.Angle(start.x, start.y), a1 = e.Angle(end.x, end.y);
  std::vector<POINT> out;
  for (const POINT& p : Boundary(full))
    if (InSweep(e.Angle(p.x + 0.5, p.y + 0.5), a0, a1)) out.push_back(p);
  return out;
}

std::vector<POINT> Boundary(const Mask& m) {
  std::vector<POINT> out;
  for (int y = m.top; y < m.top + m.height; ++y)
    for (int x = m.left; x < m.left + m.width; ++x) {
      if (!m.At(x, y)) continue;
      if (!m.At(x - 1, y) || !m.At(x + 1, y) || !m.At(x, y - 1) || !m.At(x, y + 1)) out.push_back({x, y});
    }
  return out;
}

void FillMask(const Target& t, const Mask& m, std::uint32_t rgb, bool interior_only) {
  for (int y = m.top; y < m.top + m.height; ++y)
    for (int x = m.left; x < m.left + m.width; ++x) {
      if (!m.At(x, y)) continue;
      if (interior_only && (!m.At(x - 1, y) || !m.At(x + 1, y) || !m.At(x, y - 1) || !m.At(x, y + 1))) continue;
      Plot(t, x, y, rgb);
    }
}

void StampPixels(const Target& t, const std::vector<POINT>& pixels, const Pen& pen) {
  if (pen.style == 5) return;
  Pen solid = pen;
  solid.style = 0;  // outlines of closed shapes are drawn solid
  PenPlotter plot(t, solid);
  StyleState st;
  for (const POINT& p : pixels) plot.Put(p.x, p.y, st);
}

bool FloodFill(const Target& t, int x, int y, std::uint32_t colour, bool surface_mode, std::uint32_t rgb) {
  if (!Inside(t.clip, x, y)) return false;
  Surface& s = *t.surface;
  auto fillable = [&](int px, int py) {
    const std::uint32_t c = s.Row(py)[px] & 0xFFFFFF;
    return surface_mode ? c == colour : c != colour;
  };
  if (!fillable(x, y)) return false;
  // Visited pixels are tracked apart, so a fill colour equal to the old one still ends.
  const int w = t.clip.right - t.clip.left, h = t.clip.bottom - t.clip.top;
  std::vector<std::uint8_t> seen(static_cast<std::size_t>(w) * h, 0);
  auto mark = [&](int px, int py) -> std::uint8_t& {
    return seen[static_cast<std::size_t>(py - t.clip.top) * w + (px - t.clip.left)];
  };
  std::vector<POINT> stack{{x, y}};
  while (!stack.empty()) {
    const POINT p = stack.back();
    stack.pop_back();
    if (!Inside(t.clip, p.x, p.y) || mark(p.x, p.y) || !fillable(p.x, p.y)) continue;
    int l = p.x, r = p.x;
    while (l - 1 >= t.clip.left && !mark(l - 1, p.y) && fillable(l - 1, p.y)) --l;
    while (r + 1 < t.clip.right && !mark(r + 1, p.y) && fillable(r + 1, p.y)) ++r;
    for (int i = l; i <= r; ++i) mark(i, p.y) = 1;
    for (int ny : {static_cast<int>(p.y) - 1, static_cast<int>(p.y) + 1}) {
      if (ny < t.clip.top || ny >= t.clip.bottom) continue;
      for (int i = l; i <= r; ++i)
        if (!mark(i, ny) && fillable(i, ny)) stack.push_back({i, ny});
    }
  }
  for (int py = t.clip.top; py < t.clip.bottom; ++py)
    for (int px = t.clip.left; px < t.clip.right; ++px)
      if (mark(px, py)) Write(s.Row(py)[px], rgb, t.rop2);
  return true;
}

}  // namespace platform::gdi::raster
