// The drawing target: which window or DC the layer draws on, and the state every begin puts in place.
#include <cstring>

#include "app/drawing/drawing_state.h"

namespace app {
namespace drawing {
namespace {

constexpr std::array<COLORREF, kPaletteSize> kInitialPalette = {
#define DRAW_PALETTE(index, colour) colour,
#include "app/data/draw_palette.def"
#undef DRAW_PALETTE
};
static_assert(kInitialPalette.size() == kPaletteSize);

constexpr std::array<LONG, kFontSteps> kFontHeights = {10, 12, 19, 24};
constexpr char kFontFace[] = "System";

LOGFONTA FontTemplate(LONG height) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strncpy(lf.lfFaceName, kFontFace, LF_FACESIZE - 1);
  return lf;
}

}  // namespace

State::State() : palette(kInitialPalette) {
  for (std::size_t i = 0; i < font_templates.size(); ++i) font_templates[i] = FontTemplate(kFontHeights[i]);
}

State& Get() {
  static State state;
  return state;
}

}  // namespace drawing

namespace {

// Ends the open target the way it was opened, whichever end call the caller makes.
void CloseOpenTarget() {
  drawing::State& s = drawing::Get();
  switch (s.kind) {
    case drawing::TargetKind::kWindowDc: ReleaseDC(s.window, s.dc); break;
    case drawing::TargetKind::kPaint:
      ResetDrawState();
      EndPaint(s.window, &s.paint);
      break;
    case drawing::TargetKind::kCallerDc: RestoreDC(s.dc, -1); break;
    case drawing::TargetKind::kNone: return;
  }
  s.kind = drawing::TargetKind::kNone;
  s.window = nullptr;
  s.dc = nullptr;
}

void Open(drawing::TargetKind kind, HWND window, HDC dc) {
  drawing::State& s = drawing::Get();
  s.kind = kind;
  s.window = window;
  s.dc = dc;
  ResetDrawState();
  SetViewportOrgEx(dc, s.origin.x, s.origin.y, nullptr);
}

}  // namespace

bool BeginDrawDC(HWND window) {
  CloseOpenTarget();
  HDC dc = GetDC(window);
  if (!dc) return false;
  Open(drawing::TargetKind::kWindowDc, window, dc);
  return true;
}

void EndDrawDC() { CloseOpenTarget(); }

bool BeginDraw(HWND window) {
  CloseOpenTarget();
  drawing::State& s = drawing::Get();
  HDC dc = BeginPaint(window, &s.paint);
  if (!dc) return false;
  Open(drawing::TargetKind::kPaint, window, dc);
  return true;
}

void EndDraw() { CloseOpenTarget(); }

bool BeginDrawOnDc(HDC dc) {
  CloseOpenTarget();
  if (!dc || SaveDC(dc) == 0) return false;
  Open(drawing::TargetKind::kCallerDc, nullptr, dc);
  return true;
}

void EndDrawOnDc() { CloseOpenTarget(); }

void SetDrawOrigin(int x, int y) {
  drawing::Get().origin = DrawPoint{drawing::Saturate16(x), drawing::Saturate16(y)};
}

DrawPoint GetDrawOrigin() { return drawing::Get().origin; }
HWND CurrentDrawWindow() { return drawing::Get().window; }
HDC CurrentDrawDc() { return drawing::Get().dc; }

}  // namespace app
