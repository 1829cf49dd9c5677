#include "scope/core/marker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace scope {

namespace {
constexpr double kPlotHeightLogical = kYDivisions * kLogicalPerDivision;
constexpr double kMiddleX = kXDivisions * kLogicalPerDivision / 2.0;
constexpr double kMiddleY = kPlotHeightLogical / 2.0;
}  // namespace

void Marker::Order() {
  if (a > b) std::swap(a, b);
}

void Marker::Move(double distance, std::uint8_t selection) {
  if (!time_marker) distance = -distance;
  if ((selection & kMoveA) && !IsUnset(a)) a += distance;
  if ((selection & kMoveB) && !IsUnset(b)) b += distance;
  Order();
}

void Marker::MoveTo(double position, std::uint8_t selection) {
  if (selection & kMoveA) a = position;
  if (selection & kMoveB) b = position;
  Order();
}

void Marker::PlaceUnset(const TimeAxis& axis) {
  if (IsUnset(a)) a = time_marker ? axis.TimeAt(kMiddleX - kLogicalPerDivision) : kMiddleY - kLogicalPerDivision;
  if (IsUnset(b)) b = time_marker ? axis.TimeAt(kMiddleX + kLogicalPerDivision) : kMiddleY + kLogicalPerDivision;
  Order();
}

void Marker::PlaceWithin(double first, double last) {
  if (!(first <= last)) return;
  a = std::clamp(a, first, last);
  b = std::clamp(b, first, last);
  if (a == b) {
    a = first + (last - first) / 4;
    b = last - (last - first) / 4;
  }
  Order();
}

int Marker::PixelOf(double position, const PlotLayout& layout, const TimeAxis& axis) const {
  return time_marker ? layout.XPixels(axis.LogicalAt(position)) : layout.YPixels(kPlotHeightLogical - position);
}

double Marker::PositionAt(int pixels, const PlotLayout& layout, const TimeAxis& axis) const {
  return time_marker ? axis.TimeAt(layout.XLogical(pixels)) : kPlotHeightLogical - layout.YLogical(pixels);
}

std::uint8_t Marker::HitTest(POINT point, const PlotLayout& layout, const TimeAxis& axis) const {
  if (!layout.valid) return 0;
  const long at = time_marker ? point.x - layout.plot.left : point.y - layout.plot.top;
  std::uint8_t hit = 0;
  if (!IsUnset(a) && std::labs(at - PixelOf(a, layout, axis)) <= kMarkerReach) hit |= kMoveA;
  if (!IsUnset(b) && std::labs(at - PixelOf(b, layout, axis)) <= kMarkerReach) hit |= kMoveB;
  return hit;
}

Marker* MarkerSet::New(COLORREF colour) {
  for (int n = 1; n <= kMarkerCount; ++n) {
    if (markers_.count(n)) continue;
    Marker& m = markers_[n];
    m.number = n;
    m.colour = colour;
    return &m;
  }
  return nullptr;
}

bool MarkerSet::Delete(int number) { return markers_.erase(number) > 0; }

Marker* MarkerSet::Find(int number) {
  auto found = markers_.find(number);
  return found == markers_.end() ? nullptr : &found->second;
}

const Marker* MarkerSet::Find(int number) const {
  auto found = markers_.find(number);
  return found == markers_.end() ? nullptr : &found->second;
}

int MarkerSet::Next(int after) const {
  auto found = markers_.upper_bound(after);
  return found == markers_.end() ? 0 : found->first;
}

int MarkerSet::Previous(int before) const {
  auto found = markers_.lower_bound(before);
  return found == markers_.begin() ? 0 : std::prev(found)->first;
}

void MarkerSet::SetColour(COLORREF colour) {
  for (auto& [number, m] : markers_) m.colour = colour;
}

int MarkerSet::HitTest(POINT point, const PlotLayout& layout, const TimeAxis& axis, std::uint8_t* hit) const {
  for (const auto& [number, m] : markers_) {
    if (!m.shown) continue;
    const std::uint8_t bits = m.HitTest(point, layout, axis);
    if (!bits) continue;
    if (hit) *hit = bits;
    return number;
  }
  return 0;
}

bool MarkerSet::AnyShown(bool time_marker) const {
  for (const auto& [number, m] : markers_)
    if (m.shown && m.time_marker == time_marker) return true;
  return false;
}

}  // namespace scope
