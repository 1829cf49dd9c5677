// The GDI objects behind pen, brush, font, bitmap and region handles.
#pragma once

#include <memory>
#include <variant>

#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

namespace platform::gdi {

struct PenObject {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};
struct BrushObject {
  UINT style = BS_SOLID;
  COLORREF color = 0xFFFFFF;
};
struct FontObject {
  LOGFONTA logfont{};
};
struct BitmapObject {
  std::shared_ptr<Surface> surface;
  int bits_pixel = 32;
  HDC selected_in = nullptr;
};
struct RegionObject {
  RECT rect{};
};
using GdiObject = std::variant<PenObject, BrushObject, FontObject, BitmapObject, RegionObject>;


}  // namespace platform::gdi
