#include "scope/scope_resources.h"

#include <array>
#include <cstdint>

#include "platform/gdi/bitmap_resources.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/menu.h"
#include "platform/win/window.h"

namespace scope {
namespace {

constexpr std::array kScopeItems{
    DialogItemTemplate{kStatusText, WC_STATIC, "", SS_LEFT | SS_SUNKEN, 0, 230, 420, 10},
};
// Resizable, with a system menu; the display and the status line are laid out in code.
const DialogTemplate kScopeTemplate{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                        WS_MAXIMIZEBOX | DS_SETFONT,
                                    0, 0, 420, 240, "ZprScope", kScopeItems, "MS Sans Serif", 8};

constexpr MenuTemplateItem kMenu[] = {
    {0, MF_POPUP, 0, "Scope"},
    {1, MF_STRING, kCmdSelection, "Selection"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, kCmdPan, "&Pan"},
    {1, MF_STRING, kCmdZoom, "Z&oom"},
    {1, MF_SEPARATOR, 0, nullptr},
};

struct Glyph {
  int code;
  const char* rows[kGlyphHeight];
};
constexpr Glyph kGlyphs[] = {
#define GLYPH(code, r0, r1, r2, r3, r4, r5, r6) {code, {r0, r1, r2, r3, r4, r5, r6}},
#include "scope/data/glyphs.def"
#undef GLYPH
};

constexpr std::size_t RowBytes(int cells) { return (static_cast<std::size_t>(cells) * kGlyphAdvance * 3 + 3) / 4 * 4; }
constexpr std::size_t BmpSize(int cells) { return 54 + RowBytes(cells) * kGlyphHeight; }

constexpr void Put32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit bottom-up BMP file of `cells` glyph cells (6 pixels each) for the codes first.. first + cells - 1.
template <int Cells>
constexpr std::array<std::uint8_t, BmpSize(Cells)> BuildGlyphBmp(int first) {
  std::array<std::uint8_t, BmpSize(Cells)> bmp{};
  bmp[0] = 'B';
  bmp[1] = 'M';
  Put32(&bmp[2], static_cast<std::uint32_t>(bmp.size()));
  Put32(&bmp[10], 54);
  Put32(&bmp[14], 40);
  Put32(&bmp[18], static_cast<std::uint32_t>(Cells * kGlyphAdvance));
  Put32(&bmp[22], static_cast<std::uint32_t>(kGlyphHeight));
  bmp[26] = 1;
  bmp[28] = 24;
  Put32(&bmp[34], static_cast<std::uint32_t>(RowBytes(Cells) * kGlyphHeight));
  for (int y = 0; y < kGlyphHeight; ++y) {
    std::size_t row = 54 + RowBytes(Cells) * static_cast<std::size_t>(kGlyphHeight - 1 - y);
    for (int x = 0; x < Cells * kGlyphAdvance; ++x) {
      const int cell = x / kGlyphAdvance, column = x % kGlyphAdvance;
      bool on = false;
      for (const Glyph& g : kGlyphs)
        if (g.code == first + cell && column < kGlyphWidth) on = g.rows[y][column] == '#';
      const COLORREF c = on ? kGlyphColour : kGlyphBackground;
      bmp[row + 3 * static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(c >> 16);      // blue
      bmp[row + 3 * static_cast<std::size_t>(x) + 1] = static_cast<std::uint8_t>(c >> 8);   // green
      bmp[row + 3 * static_cast<std::size_t>(x) + 2] = static_cast<std::uint8_t>(c);        // red
    }
  }
  return bmp;
}

constexpr auto kDigitBmp = BuildGlyphBmp<10>('0');
constexpr auto kCapitalBmp = BuildGlyphBmp<27>('@');

}  // namespace

void RegisterScopeResources(HINSTANCE module) {
  platform::win::RegisterDialogTemplate(module, MAKEINTRESOURCE(kScopeDialog), &kScopeTemplate);
  platform::win::RegisterMenuTemplate(module, MAKEINTRESOURCE(kDisplayMenu), kMenu);
  platform::gdi::RegisterBitmapResource(module, MAKEINTRESOURCE(kDigitGlyphs), kDigitBmp.data(), kDigitBmp.size());
  platform::gdi::RegisterBitmapResource(module, MAKEINTRESOURCE(kCapitalGlyphs), kCapitalBmp.data(),
                                        kCapitalBmp.size());
  RegisterScopeCursors(module);
  RegisterScopeDialogs(module);
}

}  // namespace scope
