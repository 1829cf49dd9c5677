// The scope display's marker cursors: creation and deletion (context menu and panel), moves, the mouse drag,
// drawing and the labels in the margins.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "scope/core/label_spread.h"
#include "scope/core/step_rule.h"
#include "scope/scope_ctrl.h"
#include "scope/scope_resources.h"

namespace scope {

namespace {
// Blank pixels between two labels side by side (a time marker's) and one above the other (a value marker's).
constexpr int kTimeLabelGap = 4;
constexpr int kValueLabelGap = 1;
}  // namespace

int CScopeCtrl::NewMarker(bool time_marker) {
  Marker* m = markers_.New(marker_);
  if (!m) return 0;
  m->time_marker = time_marker;
  m->shown = true;
  m->PlaceUnset(axis_);
  double first = 0, last = 0;
  if (time_marker && RecordedSpan(&first, &last)) m->PlaceWithin(first, last);
  if (observer_) observer_->MarkerAdded(m->number);
  SelectMarker(m->number);
  Redraw();
  return m->number;
}

bool CScopeCtrl::RecordedSpan(double* first, double* last) const {
  bool any = false;
  for (const Trace& t : traces_) {
    if (!t.has_data || t.time_base <= 0) continue;
    const double begin = -static_cast<double>(t.trigger_frame) * t.time_base;
    const double end = (static_cast<double>(t.count()) - 1 - t.trigger_frame) * t.time_base;
    *first = any ? std::max(*first, begin) : begin;
    *last = any ? std::min(*last, end) : end;
    any = true;
  }
  if (!any || *first > *last) return false;
  // Of that, what the plot shows, when it shows any of it.
  const double shown_first = std::max(*first, axis_.TimeAt(0));
  const double shown_last = std::min(*last, axis_.TimeAt(kXDivisions * kLogicalPerDivision));
  if (shown_first <= shown_last) {
    *first = shown_first;
    *last = shown_last;
  }
  return true;
}

bool CScopeCtrl::DeleteMarker(int number) {
  if (!markers_.Delete(number)) return false;
  if (dragged_marker_ == number) EndMarkerDrag();
  if (observer_) observer_->MarkerDeleted(number);
  if (selected_marker_ == number) {
    const int next = markers_.Next(number);
    SelectMarker(next ? next : markers_.Previous(number));
  }
  Redraw();
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
  Redraw();
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
  Redraw();
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
  Redraw();
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
  dragged_from_a_ = m.a;
  dragged_from_b_ = m.b;
  pressed_ = point;
  SelectMarker(number);
  ClipToPlot();
  return true;
}

// The dragged marker follows the mouse: its selected point(s) lie the distance dragged from where they were at
// the press (horizontally for a time marker, vertically for a value marker), the measurements follow, and the
// display is repainted over the picture kept for the drag.
void CScopeCtrl::DragMarker(POINT point) {
  Marker* m = markers_.Find(dragged_marker_);
  if (!m) return;
  const PlotLayout layout = Layout();
  const double a = m->a, b = m->b;
  m->a = dragged_from_a_;
  m->b = dragged_from_b_;
  if (m->time_marker) {
    m->Move(layout.XLogical(point.x - pressed_.x) / kLogicalPerDivision * axis_.time_per_division, dragged_points_);
  } else {
    m->Move(layout.YLogical(point.y - pressed_.y), dragged_points_);
  }
  if (m->a == a && m->b == b) return;
  if (observer_) observer_->RefreshMarker(dragged_marker_);
  if (m_hWnd) Invalidate(FALSE);
}

// Releasing a dragged marker puts it where the mouse is (its measurements follow) and frees the cursor. It ends
// no capture: the measurements keep their values.
void CScopeCtrl::ReleaseMarker(POINT point) {
  DragMarker(point);
  EndMarkerDrag();
  ClipCursor(nullptr);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  Redraw();
}

void CScopeCtrl::EndMarkerDrag() {
  dragged_marker_ = 0;
  drag_picture_.reset();
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

// "M<n>A" and "M<n>B" of every shown marker: a time marker's above the plot, from 9 pixels left of its line; a
// value marker's right of the plot, 3 pixels below its line. Labels that would touch are moved apart, so that
// close points keep readable labels.
void CScopeCtrl::DrawMarkerLabels(afx::CDC& dc, const RECT& client, const PlotLayout& layout) const {
  struct Label {
    std::string text;
    COLORREF colour;
  };
  std::vector<Label> time_labels, value_labels;
  std::vector<LabelSpan> time_spans, value_spans;
  const RECT& p = layout.plot;
  for (const auto& [number, m] : markers_.all()) {
    if (!m.shown || IsUnset(m.a) || IsUnset(m.b)) continue;
    const double points[2] = {m.a, m.b};
    for (int i = 0; i < 2; ++i) {
      Label label{"M", m.colour};
      label.text += std::to_string(number);
      label.text += i == 0 ? 'A' : 'B';
      const int at = m.PixelOf(points[i], layout, axis_);
      if (at < 0 || at > (m.time_marker ? layout.width() : layout.height())) continue;
      if (m.time_marker) {
        const int length = static_cast<int>(label.text.size()) * kGlyphAdvance - (kGlyphAdvance - kGlyphWidth);
        time_spans.push_back(LabelSpan{p.left + at - 9, length});
        time_labels.push_back(std::move(label));
      } else {
        value_spans.push_back(LabelSpan{p.top + at + 3, kGlyphHeight});
        value_labels.push_back(std::move(label));
      }
    }
  }
  SpreadLabels(time_spans, kTimeLabelGap, client.left, client.right);
  SpreadLabels(value_spans, kValueLabelGap, client.top, client.bottom);
  for (std::size_t i = 0; i < time_labels.size(); ++i)
    DrawLabel(dc, time_spans[i].start, p.top - kTopMargin + 1, time_labels[i].text, time_labels[i].colour);
  for (std::size_t i = 0; i < value_labels.size(); ++i)
    DrawLabel(dc, p.right + 1, value_spans[i].start, value_labels[i].text, value_labels[i].colour);
}

}  // namespace scope
