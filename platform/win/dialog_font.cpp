#include "platform/win/dialog_font.h"

#include <cstring>

#include "platform/gdi/objects.h"

namespace platform::win {
namespace {

DialogFontProvider& Provider() {
  static DialogFontProvider p;
  return p;
}

}  // namespace

void SetDialogFontProvider(DialogFontProvider provider) { Provider() = std::move(provider); }

DialogBaseUnits BaseUnitsOf(HFONT font) {
  if (Provider().units) {
    DialogBaseUnits u = Provider().units(font);
    if (u.x > 0 && u.y > 0) return u;
  }
  return kHeadlessBaseUnits;
}

int TextWidthOf(HFONT font, const char* text, int length) {
  if (!text) return 0;
  if (length < 0) length = static_cast<int>(std::strlen(text));
  if (Provider().text_width) return Provider().text_width(font, text, length);
  return length * BaseUnitsOf(font).x;
}

HFONT CreateDialogFont(const char* face, int points) {
  if (Provider().create) return Provider().create(face, points);
  return nullptr;
}

void DestroyDialogFont(HFONT font) {
  if (!font) return;
  if (Provider().destroy) {
    Provider().destroy(font);
  } else {
    DeleteObject(font);
  }
}

}  // namespace platform::win
