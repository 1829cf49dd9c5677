// The drawing layer's process-wide state, shared by its source files (not for callers).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "app/drawing/drawing_layer.h"

namespace app::drawing {

enum class TargetKind { kNone, kWindowDc, kPaint, kCallerDc };

struct State {
  // The target.
  TargetKind kind = TargetKind::kNone;
  HWND window = nullptr;
  HDC dc = nullptr;
  PAINTSTRUCT paint{};
  DrawPoint origin;

  std::array<COLORREF, kPaletteSize> palette{};
  // Caches: null until first use.
  std::array<HPEN, static_cast<std::size_t>(kPenStyles * kPenWidthSteps * kPaletteSize)> pens{};
  std::array<HBRUSH, kPaletteSize> brushes{};
  std::array<HFONT, kFontSteps> fonts{};
  std::array<LOGFONTA, kFontSteps> font_templates{};
  HGDIOBJ own_font = nullptr;  // the DC's font before the first selection, put back by ReleaseFonts

  int pen_style = 0;
  int pen_width_step = 0;
  int pen_colour = 0;
  int brush_colour = 0;
  int font_step = 1;
  int text_angle = 0;

  float scale = 1.0f;
  int x_numerator = 1000;
  int y_numerator = 1000;
  int x_denominator = 1000;
  int y_denominator = 1000;
  bool scaling = false;

  bool arrow_at_start = false;
  bool arrow_at_end = false;
  std::vector<POINT> work;  // widened and scaled points of the operation in hand

  State();
};

State& Get();
inline int Saturate16(int v) { return std::clamp(v, -32768, 32767); }
inline bool Drawing() { return Get().kind != TargetKind::kNone; }

// Logical coordinates, saturated to 16 bits, scaled while scaling is active.
int ScaleX(int x);
int ScaleY(int y);
POINT ScalePoint(DrawPoint p);
// The points scaled into the work array.
const std::vector<POINT>& ScalePoints(std::span<const DrawPoint> points);

// The cached pen or brush of the current values (made on first use); null when it cannot be made.
HPEN CurrentPen();
HBRUSH CurrentBrush();
// Registers FreeDrawObjects to run at exit, once the first object is cached.
void FreeAtExit();

}  // namespace app::drawing
