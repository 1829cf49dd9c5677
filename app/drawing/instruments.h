// Instrument widgets: small drawing routines that show a value as an instrument. All but the cross plot draw
// through the drawing layer on the target the caller opened; the caller owns the records.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "app/drawing/drawing_layer.h"

namespace app {

// The `last` mark of a record that must be drawn anew: no value compares equal to it.
inline constexpr float kRedrawMark = std::numeric_limits<float>::quiet_NaN();

// A vertical bar from the zero row to the value's row; the range must hold 0 (minimum <= 0 < maximum).
struct BarGaugeRecord {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;  // outer size: the drawn area is 3 units smaller each way
  std::int16_t height = 0;
  std::uint16_t colour = 0;  // palette index of the bar
  float minimum = 0.0f;
  float maximum = 0.0f;
  float last = kRedrawMark;  // value last drawn
};

// A horizontal bar filled to the value's share of the range, with an optional caption under it.
struct PercentBarRecord {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::optional<std::string> caption;  // Windows-1252
  std::uint16_t colour = 0;
  float minimum = 0.0f;
  float maximum = 0.0f;
  float last = kRedrawMark;  // value last drawn
};

// A bevelled panel with a scale, a pointer and a bar, 60 x 120 units at its own scale factor.
struct PanelGaugeRecord {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::optional<std::string> caption;
  std::uint16_t colour = 0;
  float minimum = 0.0f;
  float maximum = 0.0f;
  float scale = 1.0f;  // multiplies the layer's scale while the gauge is drawn
  float value = 0.0f;
};

// A framed scale with two captions above it and a pointer on its left edge.
struct ScalePointerRecord {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::optional<std::string> caption1;
  std::optional<std::string> caption2;
  float minimum = 0.0f;
  float maximum = 0.0f;
};

// Nothing is drawn for the value last drawn, for a range without 0 or an empty range, or for a NaN.
void DrawBarGauge(BarGaugeRecord& record, float value);
// Nothing is drawn for the value last drawn, for an empty range or for a NaN; the caption shows the value as
// passed, the bar the clamped value.
void DrawPercentBar(PercentBarRecord& record, float value);
// An x-y characteristic in a box with axes through its middle, straight on dc: the speed axis runs to
// +-full_scale (a1, a2 in its unit), the other to +-100 % (b1, b2 in percent). Without a positive full scale
// (or with a value that is not a number) only the box, the axes and the labels are drawn.
void DrawCrossPlot(HDC dc, double left, double top, double right, double bottom, double full_scale, double a1,
                   double b1, double a2, double b2);
void DrawPanelGauge(const PanelGaugeRecord& record);
void DrawPanelBar(const PanelGaugeRecord& record, float value);
void DrawScalePointer(const ScalePointerRecord& record, float value);
// Adds (dx, dy) to each point.
void OffsetPoints(std::span<DrawPoint> points, int dx, int dy);

}  // namespace app
