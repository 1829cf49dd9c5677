// Painting of the scope display: background, grid, traces (clipped to the plot), trigger line, margins.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "scope/scope_ctrl.h"
#include "scope/scope_resources.h"

namespace scope {

void CScopeCtrl::OnPaint() {
  afx::CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  if (client.right <= 0 || client.bottom <= 0) return;
  afx::CDC memory;
  memory.CreateCompatibleDC(&dc);
  afx::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, client.right, client.bottom);
  HGDIOBJ old_bitmap = memory.SelectObject(bitmap);
  if (dragged_marker_ != 0) {
    // A marker drag repaints at every mouse move: what does not move is drawn once and copied.
    const PlotLayout layout = Layout();
    afx::CDC still;
    still.CreateCompatibleDC(&dc);
    const SIZE size{client.right, client.bottom};
    if (!drag_picture_ || drag_picture_size_.cx != size.cx || drag_picture_size_.cy != size.cy) {
      drag_picture_ = std::make_unique<afx::CBitmap>();
      drag_picture_->CreateCompatibleBitmap(&dc, size.cx, size.cy);
      HGDIOBJ old = still.SelectObject(*drag_picture_);
      drag_picture_traces_ = DrawStill(still, client, layout);
      still.SelectObject(old);
      drag_picture_size_ = size;
    }
    HGDIOBJ old = still.SelectObject(*drag_picture_);
    memory.BitBlt(0, 0, size.cx, size.cy, &still, 0, 0, SRCCOPY);
    still.SelectObject(old);
    if (drag_picture_traces_) DrawMoving(memory, client, layout);
  } else {
    Draw(memory, client);
  }
  dc.BitBlt(0, 0, client.right, client.bottom, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old_bitmap);
}

void CScopeCtrl::Draw(afx::CDC& dc, const RECT& client) {
  const PlotLayout layout = LayOutPlot(client, markers_.AnyShown(true), markers_.AnyShown(false));
  if (DrawStill(dc, client, layout)) DrawMoving(dc, client, layout);
}

bool CScopeCtrl::DrawStill(afx::CDC& dc, const RECT& client, const PlotLayout& layout) {
  dc.FillSolidRect(client, background_);
  dc.SetBkColor(background_);
  if (!layout.valid) return false;
  DrawGrid(dc, layout);
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(layout.plot);
  const bool drawn = DrawTraces(dc, layout);
  if (drawn) {
    afx::CPen pen(PS_SOLID, 1, trigger_);
    HGDIOBJ old = dc.SelectObject(pen);
    const int x = layout.plot.left + layout.XPixels(axis_.trigger_position);
    dc.MoveTo(x, layout.plot.top);
    dc.LineTo(x, layout.plot.bottom);
    dc.SelectObject(old);
  }
  dc.RestoreDC(saved);
  if (drawn) DrawMargins(dc, layout);
  return drawn;
}

void CScopeCtrl::DrawMoving(afx::CDC& dc, const RECT& client, const PlotLayout& layout) {
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(layout.plot);
  DrawMarkers(dc, layout);
  if (capturing_ && drag_x_ >= 0) {
    afx::CPen pen(PS_SOLID, 1, marker_);
    HGDIOBJ old = dc.SelectObject(pen);
    dc.MoveTo(drag_x_, layout.plot.top);
    dc.LineTo(drag_x_, layout.plot.bottom);
    dc.SelectObject(old);
  }
  dc.RestoreDC(saved);
  DrawMarkerLabels(dc, client, layout);
}

void CScopeCtrl::DrawGrid(afx::CDC& dc, const PlotLayout& layout) const {
  afx::CPen pen(PS_SOLID, 1, grid_);
  HGDIOBJ old_pen = dc.SelectObject(pen);
  HGDIOBJ old_brush = dc.SelectStockObject(NULL_BRUSH);
  const RECT& p = layout.plot;
  dc.Rectangle(p);
  const int centre_x = p.left + layout.width() / 2;
  const int centre_y = p.top + layout.height() / 2;
  for (int i = 1; i <= kYDivisions; ++i) {
    const int y = p.top + i * layout.y_step;
    dc.MoveTo(p.left, y);
    dc.LineTo(p.right, y);
    const int tick = y - layout.y_step / 2;
    dc.MoveTo(centre_x - 3, tick);
    dc.LineTo(centre_x + 4, tick);
  }
  for (int i = 1; i <= kXDivisions; ++i) {
    const int x = p.left + i * layout.x_step;
    dc.MoveTo(x, p.top);
    dc.LineTo(x, p.bottom);
    const int tick = x - layout.x_step / 2;
    dc.MoveTo(tick, centre_y - 3);
    dc.LineTo(tick, centre_y + 4);
  }
  dc.SelectObject(old_brush);
  dc.SelectObject(old_pen);
}

bool CScopeCtrl::DrawTraces(afx::CDC& dc, const PlotLayout& layout) {
  bool drawn = false;
  for (Trace& t : traces_) {
    if (!t.has_data) continue;
    t.ComputePoints(layout, axis_);
    if (!t.visible || t.points.empty()) continue;
    const POINT origin = dc.SetViewportOrg(layout.plot.left, t.ZeroLineY(layout));
    DrawTrace(dc, layout, t);
    dc.SetViewportOrg(origin.x, origin.y);
    if (t.has_bits && !t.analogue && !t.ground_line) {
      // Each lane's label "B<n>" at the trace's left end, above the lane's high level.
      const int divisor = std::max<int>(1, t.bit_group.lane_divisor);
      int lane = 0;
      for (int bit = 0; bit < t.bit_group.bits && bit < 32; ++bit) {
        if (!(t.bit_group.mask & (1u << bit))) continue;
        const int y = t.ZeroLineY(layout) - (layout.y_step * lane) / divisor - layout.y_step / (2 * divisor);
        std::string label = "B";
        label += std::to_string(bit);
        DrawLabel(dc, layout.plot.left + t.points.front().x + 2, y - kGlyphHeight - 1, label, t.colour);
        ++lane;
      }
    }
    drawn = true;
  }
  return drawn;
}

void CScopeCtrl::DrawTrace(afx::CDC& dc, const PlotLayout& layout, const Trace& t) const {
  afx::CPen pen(PS_SOLID, 1, t.colour);
  HGDIOBJ old = dc.SelectObject(pen);
  const std::vector<POINT>& points = t.points;
  if (t.ground_line) {
    dc.MoveTo(points.front().x, 0);
    dc.LineTo(points.back().x, 0);
  } else if (t.analogue) {
    if (stair_steps) {
      dc.MoveTo(points.front());
      for (std::size_t i = 1; i < points.size(); ++i) {
        dc.LineTo(points[i].x, points[i - 1].y);
        dc.LineTo(points[i]);
      }
    } else {
      dc.Polyline(points.data(), static_cast<int>(points.size()));
    }
  } else if (t.has_bits) {
    DrawBitLanes(dc, layout, t);
  }
  dc.SelectObject(old);
}

// Each bit of the mask as a stair-step line in its own lane above the zero line.
void CScopeCtrl::DrawBitLanes(afx::CDC& dc, const PlotLayout& layout, const Trace& t) const {
  const int divisor = std::max<int>(1, t.bit_group.lane_divisor);
  const int high = -(layout.y_step / (2 * divisor));
  int lane = 0;
  std::vector<POINT> steps;
  for (int bit = 0; bit < t.bit_group.bits && bit < 32; ++bit) {
    if (!(t.bit_group.mask & (1u << bit))) continue;
    const int offset = -(layout.y_step * lane) / divisor;
    steps.clear();
    for (std::size_t k = 0; k < t.points.size(); ++k) {
      const double v = t.samples[t.first_visible + k];
      const auto raw = (v > -9.2e18 && v < 9.2e18) ? static_cast<std::uint64_t>(static_cast<std::int64_t>(v)) : 0u;
      const int y = offset + (((raw >> bit) & 1u) ? high : 0);
      if (!steps.empty()) steps.push_back(POINT{t.points[k].x, steps.back().y});
      steps.push_back(POINT{t.points[k].x, y});
    }
    dc.Polyline(steps.data(), static_cast<int>(steps.size()));
    ++lane;
  }
}

void CScopeCtrl::DrawMargins(afx::CDC& dc, const PlotLayout& layout) const {
  const RECT& p = layout.plot;
  int n = 0;
  for (const Trace& t : traces_) {
    if (!t.has_data) continue;
    const int x = 2 + 4 * n++;
    if (x + 4 >= p.left) break;  // the margin holds as many indicators as fit
    afx::CPen pen(PS_SOLID, 1, t.colour);
    afx::CBrush brush(t.colour);
    HGDIOBJ old_pen = dc.SelectObject(pen);
    HGDIOBJ old_brush = dc.SelectObject(brush);
    const int y = t.ZeroLineY(layout);
    if (y < p.top) {
      const POINT arrow[3] = {{x, p.top + 4}, {x + 2, p.top}, {x + 4, p.top + 4}};
      dc.Polygon(arrow, 3);
    } else if (y >= p.bottom) {
      const POINT arrow[3] = {{x, p.bottom - 5}, {x + 2, p.bottom - 1}, {x + 4, p.bottom - 5}};
      dc.Polygon(arrow, 3);
    } else {
      dc.MoveTo(x, y);
      dc.LineTo(p.left, y);
    }
    dc.SelectObject(old_brush);
    dc.SelectObject(old_pen);
  }
  // The trigger below the plot: a T under its position, or a triangle at the end it lies beyond.
  afx::CPen pen(PS_SOLID, 1, trigger_);
  afx::CBrush brush(trigger_);
  HGDIOBJ old_pen = dc.SelectObject(pen);
  HGDIOBJ old_brush = dc.SelectObject(brush);
  const int x = p.left + layout.XPixels(axis_.trigger_position);
  const int top = p.bottom + 2;
  if (x < p.left) {
    const POINT arrow[3] = {{p.left, top + 4}, {p.left + 6, top}, {p.left + 6, top + 8}};
    dc.Polygon(arrow, 3);
  } else if (x >= p.right) {
    const POINT arrow[3] = {{p.right - 1, top + 4}, {p.right - 7, top}, {p.right - 7, top + 8}};
    dc.Polygon(arrow, 3);
  } else {
    dc.MoveTo(x - 3, top);
    dc.LineTo(x + 4, top);
    dc.MoveTo(x, top);
    dc.LineTo(x, top + 9);
  }
  dc.SelectObject(old_brush);
  dc.SelectObject(old_pen);
}

const afx::CBitmap* CScopeCtrl::Glyphs(UINT id, COLORREF colour) const {
  const std::uint64_t key = (static_cast<std::uint64_t>(id) << 48) | (static_cast<std::uint64_t>(background_) << 24) |
                            colour;
  auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return found->second.get();
  auto bitmap = std::make_unique<afx::CBitmap>();
  const afx::ColorMap map[2] = {{kGlyphColour, colour}, {kGlyphBackground, background_}};
  if (!bitmap->LoadMappedBitmap(id, map, 2)) return nullptr;
  return glyphs_.emplace(key, std::move(bitmap)).first->second.get();
}

void CScopeCtrl::DrawLabel(afx::CDC& dc, int x, int y, std::string_view text, COLORREF colour) const {
  const afx::CBitmap* digits = Glyphs(kDigitGlyphs, colour);
  const afx::CBitmap* capitals = Glyphs(kCapitalGlyphs, colour);
  afx::CDC source;
  source.CreateCompatibleDC(&dc);
  HGDIOBJ old = nullptr;
  for (char c : text) {
    const afx::CBitmap* bitmap = nullptr;
    int cell = 0;
    if (c >= '0' && c <= '9') {
      bitmap = digits;
      cell = c - '0';
    } else if (c >= 64 && c <= 90) {
      bitmap = capitals;
      cell = c - 64;
    }
    if (bitmap) {
      HGDIOBJ previous = source.SelectObject(*bitmap);
      if (!old) old = previous;
      dc.BitBlt(x, y, kGlyphWidth, kGlyphHeight, &source, cell * kGlyphAdvance, 0, SRCCOPY);
    }
    x += kGlyphAdvance;
  }
  if (old) source.SelectObject(old);
}

}  // namespace scope
