// Marker cursors of the scope display: up to ten pairs of points A and B, numbered 1..10. A time marker holds two
// times (microseconds from the trigger sample) drawn as vertical lines; a value marker holds two heights (logical
// units above the plot's bottom, 1000 a division) drawn as horizontal lines. A is kept not greater than B.
#pragma once

#include <cstdint>
#include <map>

#include "platform/sys/wintypes.h"
#include "scope/core/plot_layout.h"
#include "scope/core/time_axis.h"
#include "scope/core/value_format.h"

namespace scope {

inline constexpr int kMarkerCount = 10;
inline constexpr int kMarkerReach = 10;  // pixels within which a point is hit

// Which points a move acts on.
inline constexpr std::uint8_t kMoveA = 1;
inline constexpr std::uint8_t kMoveB = 2;
inline constexpr std::uint8_t kMoveBoth = 3;

inline bool IsUnset(double position) { return position == kUnsetValue; }

struct Marker {
  int number = 0;
  std::uint8_t move_selection = kMoveBoth;
  double a = kUnsetValue;
  double b = kUnsetValue;
  double offset = 0;              // added to A (flag bit 0) and B (bit 1) when a measurement asks for it
  std::uint8_t offset_flags = 0;
  bool shown = false;
  bool time_marker = true;
  COLORREF colour = 0xFFFFFF;

  // Swaps A and B when A > B.
  void Order();
  // Adds a distance (marker units; for a value marker screen-wise, positive downwards) to the selected points.
  void Move(double distance, std::uint8_t selection);
  // Puts the selected points on a position.
  void MoveTo(double position, std::uint8_t selection);
  // Unset points one division left (A) and right (B) of the plot's middle.
  void PlaceUnset(const TimeAxis& axis);
  // Pulls each point that lies outside first..last onto the nearer end; when both end on the same place, they go
  // to a quarter and three quarters of the range. Used to keep a new time marker on the recorded samples.
  void PlaceWithin(double first, double last);
  // A point's offset from the plot's left (time marker) or top (value marker) in pixels.
  int PixelOf(double position, const PlotLayout& layout, const TimeAxis& axis) const;
  // The marker unit position at a pixel offset from the plot's left or top.
  double PositionAt(int pixels, const PlotLayout& layout, const TimeAxis& axis) const;
  // Bit 0: A within reach of the client point, bit 1: B.
  std::uint8_t HitTest(POINT point, const PlotLayout& layout, const TimeAxis& axis) const;
  // A and B with the offset added where the flags ask for it.
  double AWithOffset() const { return (offset_flags & 1) ? a + offset : a; }
  double BWithOffset() const { return (offset_flags & 2) ? b + offset : b; }
};

class MarkerSet {
 public:
  // The lowest free number 1..10 gets a new marker in the colour; nullptr when all ten exist.
  Marker* New(COLORREF colour);
  bool Delete(int number);
  Marker* Find(int number);
  const Marker* Find(int number) const;
  // The next existing number above / below a number, 0 for none.
  int Next(int after) const;
  int Previous(int before) const;
  void SetColour(COLORREF colour);
  // The first shown marker, by number, that the point hits (its number, the hit bits); 0 for none.
  int HitTest(POINT point, const PlotLayout& layout, const TimeAxis& axis, std::uint8_t* hit = nullptr) const;
  bool AnyShown(bool time_marker) const;

  std::map<int, Marker>& all() { return markers_; }
  const std::map<int, Marker>& all() const { return markers_; }

 private:
  std::map<int, Marker> markers_;
};

}  // namespace scope
