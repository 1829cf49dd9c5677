// The four cached drawing fonts, the text angle and text measurement.
#include "app/drawing/drawing_state.h"

namespace app {
namespace {

// Text extents when the DC cannot measure.
constexpr int kUnmeasuredExtent = 30;

struct FontStepRow {
  int below;  // wanted heights below this take the step
  int step;
  int height;
};
// The last row takes every height from 21 up; heights 13..20 take step 2.
constexpr std::array<FontStepRow, 4> kFontStepRows = {{{10, 0, 10}, {13, 1, 12}, {21, 2, 19}, {0, 3, 24}}};

bool Measure(std::string_view text, SIZE* size) {
  HDC dc = drawing::Get().dc;
  return GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), size) != FALSE;
}

}  // namespace

int SelectFontStep(int step) {
  drawing::State& s = drawing::Get();
  if (!s.dc) return kDrawRefused;
  if (step < 0 || step >= kFontSteps) step = 1;
  HFONT& font = s.fonts[static_cast<std::size_t>(step)];
  if (!font) {
    LOGFONTA lf = s.font_templates[static_cast<std::size_t>(step)];
    if (s.scaling) lf.lfHeight = MulDiv(lf.lfHeight, s.y_numerator, s.y_denominator);
    font = CreateFontIndirect(&lf);
    if (!font) {
      if (s.window) SendMessage(s.window, WM_SETFONT, 0, 0);
      return kDrawRefused;
    }
    drawing::FreeAtExit();
  }
  s.font_step = step;
  HGDIOBJ previous = SelectObject(s.dc, font);
  if (!s.own_font) s.own_font = previous;
  return kDrawDone;
}

FontCell SelectFontForHeight(int height) {
  const FontStepRow* row = &kFontStepRows.back();
  for (const FontStepRow& r : kFontStepRows) {
    if (r.below != 0 && height < r.below) {
      row = &r;
      break;
    }
  }
  SelectFontStep(row->step);
  return FontCell{row->height / 2, row->height};
}

void SetTextAngle(int tenths) {
  drawing::State& s = drawing::Get();
  if (tenths == s.text_angle) return;
  s.text_angle = tenths;
  ReleaseFonts();
  for (LOGFONTA& lf : s.font_templates) lf.lfEscapement = lf.lfOrientation = tenths;
  SelectFontStep(s.font_step);
}

int GetTextAngle() { return drawing::Get().text_angle; }

void ReleaseFonts() {
  drawing::State& s = drawing::Get();
  if (s.dc && s.own_font) {
    SelectObject(s.dc, s.own_font);
    s.own_font = nullptr;  // the next selection keeps the then current DC's own font
  }
  for (HFONT& font : s.fonts) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
}

int GetTextWidth(std::string_view text) {
  if (!drawing::Get().dc) return 0;
  SIZE size{};
  return Measure(text, &size) ? size.cx : kUnmeasuredExtent;
}

int GetTextHeight(std::string_view text) {
  if (!drawing::Get().dc) return 0;
  SIZE size{};
  return Measure(text, &size) ? size.cy : kUnmeasuredExtent;
}

}  // namespace app
