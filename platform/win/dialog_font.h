// The dialog font and its base units, which turn dialog units into pixels (x * base_x / 4, y * base_y / 8).
// Headless, every font has the same fixed metrics (average character 6 x 13 pixels); the drawing layer connects
// its own fonts here.
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"

namespace platform::win {

struct DialogBaseUnits {
  int x;  // average character width in pixels
  int y;  // character height in pixels
};

inline constexpr DialogBaseUnits kHeadlessBaseUnits{6, 13};

struct DialogFontProvider {
  // A font for a template's face and point size (null: the default font).
  std::function<HFONT(const char* face, int points)> create;
  // The base units of a font (null font: the default font).
  std::function<DialogBaseUnits(HFONT font)> units;
  // Width in pixels of text drawn in a font, for layouts that measure text (message boxes).
  std::function<int(HFONT font, const char* text, int length)> text_width;
  // Frees a font made by create (when the dialog goes); without it the drawing layer's DeleteObject does.
  std::function<void(HFONT font)> destroy;
};
void SetDialogFontProvider(DialogFontProvider provider);

DialogBaseUnits BaseUnitsOf(HFONT font);
int TextWidthOf(HFONT font, const char* text, int length);
HFONT CreateDialogFont(const char* face, int points);
void DestroyDialogFont(HFONT font);

}  // namespace platform::win
