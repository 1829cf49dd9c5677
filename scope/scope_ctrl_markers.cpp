// The scope display's marker cursors: creation and deletion (context menu and panel), moves, the mouse drag,
// drawing and the labels in the margins.
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "scope/core/step_rule.h"
#include "scope/scope_ctrl.h"

namespace scope {

int CScopeCtrl::NewMarker(bool time_marker) {
  Marker* m = markers_.New(marker_);
  if (!m) return 0;
  m->time_marker = time_marker;
  m->shown = true;
  m->PlaceUnset(axis_);
  if (observer_) observer_->MarkerAdded(m->number);
  SelectMarker(m->number);
  if (m_hWnd) Invalidate(FALSE);
  return m->number;
}

bool CScopeCtrl::DeleteMarker(int number) {
  if (!markers_.Delete(number)) return false;
  if (dragged_marker_ == number) dragged_marker_ = 0;
  if (observer_) observer_->MarkerDeleted(number);
  if (selected_marker_ == number) {
    const int next = markers_.Next(number);
    SelectMarker(next ? next : markers_.Previous(number));
  }
  if (m_hWnd) Invalidate(FALSE);
  return true;
}

void CScopeCtrl::SelectMarker(int number) {
  selected_marker_ = number;
  Notify(kMsgMarkerSelected, static_cast<WPARAM>(number));
}

void CScopeCtrl::ShowMarker(int number, bool shown) {
  Marker* m = markers_.Find(number);
  if (!m) return;
  m->shown = shown;
  if (m_hWnd) Invalidate(FALSE);
}

void CScopeCtrl::MoveMarker(int number, int distance, std::uint8_t selection) {
  Marker* m = markers_.Find(number);
  if (!m) return;
  m->PlaceUnset(axis_);
  const PlotLayout layout = Layout();
  double logical = distance;
  if (distance == 0) logical = m->time_marker ? layout.XLogical(1) : layout.YLogical(1);
  m->Move(m->time_marker ? logical / kLogicalPerDivision * axis_.time_per_division : logical, selection);
  if (observer_) observer_->RefreshMarker(number);
  if (m_hWnd) Invalidate(FALSE);
}

void CScopeCtrl::MoveMarkerToGrid(int number, bool forward, std::uint8_t selection) {
  Marker* m = markers_.Find(number);
  if (!m) return;
  m->PlaceUnset(axis_);
  // Each selected point to the next grid line in the direction (right, or up for a value marker).
  const int k = forward ? 1 : -1;
  const auto snapped = [&](double position) {
    if (m->time_marker) {
      const int logical = static_cast<int>(std::lround(axis_.LogicalAt(position)));
      return axis_.TimeAt(SnapToGrid(logical + k, k));
    }
    const int logical = static_cast<int>(std::lround(position));
    return static_cast<double>(SnapToGrid(logical + k, k));
  };
  if (selection & kMoveA) m->a = snapped(m->a);
  if (selection & kMoveB) m->b = snapped(m->b);
  m->Order();
  if (observer_) observer_->RefreshMarker(number);
  if (m_hWnd) Invalidate(FALSE);
}

void CScopeCtrl::OnMarkerCommand(UINT id) {
  if (id == kCmdNewTimeMarker || id == kCmdNewValueMarker) {
    NewMarker(id == kCmdNewTimeMarker);
  } else if (id == kCmdDeleteMarker) {
    DeleteMarker(selected_marker_);
  }
}

bool CScopeCtrl::PressMarker(POINT point) {
  const PlotLayout layout = Layout();
  std::uint8_t hit = 0;
  const int number = markers_.HitTest(point, layout, axis_, &hit);
  if (!number) return false;
  Marker& m = *markers_.Find(number);
  // Both points within reach: B moves (it is the one drawn on top).
  m.move_selection = hit == kMoveBoth ? kMoveB : hit;
  dragged_marker_ = number;
  dragged_points_ = m.move_selection;
  pressed_ = point;
  SelectMarker(number);
  ClipToPlot();
  return true;
}

// Releasing a dragged marker moves its selected point(s) by the distance dragged: horizontally for a time marker,
// vertically for a value marker.
void CScopeCtrl::ReleaseMarker(POINT point) {
  const int number = dragged_marker_;
  dragged_marker_ = 0;
  ClipCursor(nullptr);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  Marker* m = markers_.Find(number);
  if (!m) return;
  const PlotLayout layout = Layout();
  if (m->time_marker) {
    m->Move(layout.XLogical(point.x - pressed_.x) / kLogicalPerDivision * axis_.time_per_division, dragged_points_);
  } else {
    m->Move(layout.YLogical(point.y - pressed_.y), dragged_points_);
  }
  if (observer_) observer_->RefreshMarker(number);
  Invalidate(FALSE);
}

void CScopeCtrl::DrawMarkers(afx::CDC& dc, const PlotLayout& layout) {
  const RECT& p = layout.plot;
  for (auto& [number, m] : markers_.all()) {
    if (!m.shown) continue;
    m.PlaceUnset(axis_);
    const struct {
      double position;
      int style;
    } points[2] = {{m.a, PS_DASH}, {m.b, PS_DOT}};
    for (const auto& point : points) {
      afx::CPen pen(point.style, 1, m.colour);
      HGDIOBJ old = dc.SelectObject(pen);
      if (m.time_marker) {
        const double logical = axis_.LogicalAt(point.position);
        if (logical >= 0 && logical <= kXDivisions * kLogicalPerDivision) {
          const int x = p.left + layout.XPixels(logical);
          dc.MoveTo(x, p.top);
          dc.LineTo(x, p.bottom);
        }
      } else {
        const int y = p.top + m.PixelOf(point.position, layout, axis_);
        dc.MoveTo(p.left, y);
        dc.LineTo(p.right, y);
      }
      dc.SelectObject(old);
    }
  }
}

void CScopeCtrl::DrawMarkerLabels(afx::CDC& dc, const PlotLayout& layout) const {
  const RECT& p = layout.plot;
  for (const auto& [number, m] : markers_.all()) {
    if (!m.shown || IsUnset(m.a) || IsUnset(m.b)) continue;
    std::string base = "M";
    base += std::to_string(number);
    const double points[2] = {m.a, m.b};
    for (int i = 0; i < 2; ++i) {
      const std::string label = base + (i == 0 ? "A" : "B");
      const int at = m.PixelOf(points[i], layout, axis_);
      if (m.time_marker) {
        if (at < 0 || at > layout.width()) continue;
        DrawLabel(dc, p.left + at - 9, p.top - kTopMargin + 1, label, m.colour);
      } else {
        DrawLabel(dc, p.right + 1, p.top + at + 3, label, m.colour);
      }
    }
  }
}

}  // namespace scope
