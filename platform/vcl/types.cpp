#include "platform/vcl/types.h"

#include "platform/gdi/sys_colors.h"

COLORREF ColorToRGB(TColor color) {
  if (color & kSystemColorFlag) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}
