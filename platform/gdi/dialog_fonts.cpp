#include "platform/gdi/dialog_fonts.h"

#include <cmath>
#include <cstring>

#include "platform/gdi/objects.h"
#include "platform/gdi/text.h"
#include "platform/win/dialog_font.h"

namespace platform::gdi {
namespace {

constexpr int kScreenDpi = 96;

LOGFONTA DialogFont(const char* face, int points) {
  LOGFONTA lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(points * static_cast<double>(kScreenDpi) / 72.0));
  lf.lfWeight = FW_NORMAL;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strncpy(lf.lfFaceName, face && *face ? face : "MS Sans Serif", LF_FACESIZE - 1);
  return lf;
}

LOGFONTA LogFontOf(HFONT font) {
  LOGFONTA lf{};
  if (font && GetObject(font, sizeof(lf), &lf) == static_cast<int>(sizeof(lf))) return lf;
  return DialogFont(nullptr, 8);
}

}  // namespace

void UseDrawingFontsForDialogs() {
  platform::win::DialogFontProvider p;
  p.create = [](const char* face, int points) {
    const LOGFONTA lf = DialogFont(face, points > 0 ? points : 8);
    return CreateFontIndirect(&lf);
  };
  p.units = [](HFONT font) {
    const SIZE u = DialogBaseUnits(LogFontOf(font));
    return platform::win::DialogBaseUnits{static_cast<int>(u.cx), static_cast<int>(u.cy)};
  };
  p.text_width = [](HFONT font, const char* text, int length) {
    return static_cast<int>(MeasureText(LogFontOf(font), text, length).cx);
  };
  platform::win::SetDialogFontProvider(std::move(p));
}

}  // namespace platform::gdi
