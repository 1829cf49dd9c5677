#include "platform/gdi/sys_colors.h"

#include <array>

#include "platform/gdi/draw.h"
#include "platform/gdi/gdi_state.h"

namespace {

using platform::gdi::BrushObject;

constexpr std::array<COLORREF, kSystemColourCount> kClassic = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(223, 223, 223),  // 3D light
    RGB(0, 0, 0),        // tool-tip text
    RGB(255, 255, 225),  // tool-tip background
};

struct SystemColours {
  std::array<COLORREF, kSystemColourCount> colours = kClassic;
  std::array<HGDIOBJ, kSystemColourCount> brushes{};
  SystemColours() {
    for (int i = 0; i < kSystemColourCount; ++i) {
      brushes[static_cast<std::size_t>(i)] =
          platform::gdi::AddObject(BrushObject{BS_SOLID, colours[static_cast<std::size_t>(i)]}, true);
    }
    platform::gdi::SetSystemColourSource(&GetSysColor);
  }
};

SystemColours& Sys() {
  static SystemColours s;
  return s;
}

// FillRect with (HBRUSH)(index + 1) works before anyone asked for a system colour.
[[maybe_unused]] const bool g_connected = (Sys(), true);

}  // namespace

DWORD GetSysColor(int index) {
  if (index < 0 || index >= kSystemColourCount) return 0;
  return Sys().colours[static_cast<std::size_t>(index)];
}

BOOL SetSysColors(int count, const INT* indices, const COLORREF* colours) {
  if (count < 0 || (count > 0 && (!indices || !colours))) return FALSE;
  for (int i = 0; i < count; ++i) {
    const int index = indices[i];
    if (index < 0 || index >= kSystemColourCount) continue;
    Sys().colours[static_cast<std::size_t>(index)] = colours[i] & 0xFFFFFF;
    if (auto* obj = platform::gdi::FindObject(Sys().brushes[static_cast<std::size_t>(index)])) {
      if (auto* b = std::get_if<BrushObject>(obj)) b->color = colours[i] & 0xFFFFFF;
    }
  }
  return TRUE;
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kSystemColourCount) return nullptr;
  return reinterpret_cast<HBRUSH>(Sys().brushes[static_cast<std::size_t>(index)]);
}
