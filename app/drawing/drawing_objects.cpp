// The palette, the pen and brush caches, the current pen and brush, text colour and background mode.
#include <algorithm>
#include <cstdlib>

#include "app/drawing/drawing_geometry.h"
#include "app/drawing/drawing_state.h"

namespace app {
namespace drawing {
namespace {

bool ValidColour(int colour) { return colour >= 0 && colour < kPaletteSize; }

std::size_t PenSlot(int style, int width_step, int colour) {
  return static_cast<std::size_t>((style * kPenWidthSteps + width_step) * kPaletteSize + colour);
}

HPEN CachedPen(int style, int width_step, int colour) {
  State& s = Get();
  HPEN& pen = s.pens[PenSlot(style, width_step, colour)];
  if (!pen) {
    pen = CreatePen(GdiPenStyle(style, width_step), width_step + 1, s.palette[static_cast<std::size_t>(colour)]);
    if (pen) FreeAtExit();
  }
  return pen;
}

HBRUSH CachedBrush(int colour) {
  State& s = Get();
  HBRUSH& brush = s.brushes[static_cast<std::size_t>(colour)];
  if (!brush) {
    const LOGBRUSH lb{BS_SOLID, s.palette[static_cast<std::size_t>(colour)], 0};
    brush = CreateBrushIndirect(&lb);
    if (brush) FreeAtExit();
  }
  return brush;
}

template <class Handle>
void Delete(Handle& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

}  // namespace

HPEN CurrentPen() {
  const State& s = Get();
  return CachedPen(s.pen_style, s.pen_width_step, s.pen_colour);
}

HBRUSH CurrentBrush() { return CachedBrush(Get().brush_colour); }

void FreeAtExit() {
  static const bool registered = [] {
    std::atexit(FreeDrawObjects);
    return true;
  }();
  (void)registered;
}

}  // namespace drawing

int SelectPen(int style, int width_step, int colour) {
  if (style < 0 || style >= kPenStyles || width_step < 0 || !drawing::ValidColour(colour)) return kDrawRefused;
  width_step = std::min(width_step, kPenWidthSteps - 1);
  HPEN pen = drawing::CachedPen(style, width_step, colour);
  if (!pen) return kDrawRefused;
  drawing::State& s = drawing::Get();
  s.pen_style = style;
  s.pen_width_step = width_step;
  s.pen_colour = colour;
  if (s.dc) SelectObject(s.dc, pen);
  return kDrawDone;
}

int SetPenStyle(int style) {
  const drawing::State& s = drawing::Get();
  return SelectPen(style, s.pen_width_step, s.pen_colour);
}

int SetPenWidth(int width) {
  const drawing::State& s = drawing::Get();
  return SelectPen(s.pen_style, width - 1, s.pen_colour);
}

int SetPenColor(int colour) {
  const drawing::State& s = drawing::Get();
  return SelectPen(s.pen_style, s.pen_width_step, colour);
}

int SelectBrush(int colour) {
  if (!drawing::ValidColour(colour)) return kDrawRefused;
  HBRUSH brush = drawing::CachedBrush(colour);
  if (!brush) return kDrawRefused;
  drawing::State& s = drawing::Get();
  s.brush_colour = colour;
  if (s.dc) SelectObject(s.dc, brush);
  return kDrawDone;
}

int SetDrawTextColor(int colour) {
  HDC dc = drawing::Get().dc;
  if (dc) SetTextColor(dc, GetNearestColor(dc, GetPaletteColor(colour)));
  return kDrawDone;
}

int SetBackgroundMode(int mode) {
  int gdi_mode;
  switch (mode) {
    case kBackgroundOpaque: gdi_mode = OPAQUE; break;
    case kBackgroundTransparent: gdi_mode = TRANSPARENT; break;
    default: return kDrawRefused;
  }
  if (HDC dc = drawing::Get().dc) {
    SetBkMode(dc, gdi_mode);
    SetROP2(dc, R2_COPYPEN);
  }
  return kDrawDone;
}

void SetTextBackground(int transparent_flag) {
  if (HDC dc = drawing::Get().dc) SetBkMode(dc, transparent_flag == 1 ? TRANSPARENT : OPAQUE);
}

void SetPaletteColor(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (!drawing::ValidColour(index)) return;
  drawing::State& s = drawing::Get();
  const COLORREF colour = RGB(red, green, blue);
  if (s.palette[static_cast<std::size_t>(index)] == colour) return;
  s.palette[static_cast<std::size_t>(index)] = colour;
  // The cached pens and brushes of that index hold the old colour: they go, and the current ones are made anew.
  if (s.dc) {
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
  }
  for (int style = 0; style < kPenStyles; ++style)
    for (int step = 0; step < kPenWidthSteps; ++step) drawing::Delete(s.pens[drawing::PenSlot(style, step, index)]);
  drawing::Delete(s.brushes[static_cast<std::size_t>(index)]);
  if (s.dc) {
    if (HPEN pen = drawing::CurrentPen()) SelectObject(s.dc, pen);
    if (HBRUSH brush = drawing::CurrentBrush()) SelectObject(s.dc, brush);
  }
}

COLORREF GetPaletteColor(int index) {
  const drawing::State& s = drawing::Get();
  return s.palette[static_cast<std::size_t>(drawing::ValidColour(index) ? index : kPaletteBlack)];
}

void ResetDrawState() {
  const drawing::State& s = drawing::Get();
  SelectPen(s.pen_style, s.pen_width_step, s.pen_colour);
  SelectFontStep(1);
  SelectBrush(kPaletteWhite);
  SetBackgroundMode(kBackgroundOpaque);
}

void FreeDrawObjects() {
  drawing::State& s = drawing::Get();
  if (s.dc) {
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
  }
  for (HPEN& pen : s.pens) drawing::Delete(pen);
  for (HBRUSH& brush : s.brushes) drawing::Delete(brush);
  ReleaseFonts();
}

int CachedDrawObjectCount() {
  const drawing::State& s = drawing::Get();
  auto held = [](auto handle) { return handle != nullptr; };
  return static_cast<int>(std::count_if(s.pens.begin(), s.pens.end(), held) +
                          std::count_if(s.brushes.begin(), s.brushes.end(), held) +
                          std::count_if(s.fonts.begin(), s.fonts.end(), held));
}

void SetArrowHeads(bool at_start, bool at_end) {
  drawing::State& s = drawing::Get();
  s.arrow_at_start = at_start;
  s.arrow_at_end = at_end;
}

}  // namespace app
