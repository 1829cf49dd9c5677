// Pictures on controls: bitmaps drawn through a memory DC, icons (the stock ones drawn by the layer, a module's
// own from the bitmap resource of the same name), and colour-mapped bitmaps whose colours are replaced as they
// are made (the face colour of a button picture follows the system colours).
#pragma once

#include "platform/gdi/colorref.h"
#include "platform/sys/wintypes.h"

struct COLORMAP {
  COLORREF from;
  COLORREF to;
};
using LPCOLORMAP = COLORMAP*;
inline constexpr UINT CMB_MASKED = 0x02;

// A copy of bitmap resource id of instance in which every pixel of a map's `from` colour has its `to` colour;
// null when there is no such bitmap or map is null while count > 0.
HBITMAP CreateMappedBitmap(HINSTANCE instance, INT_PTR id, UINT flags, const COLORMAP* map, int count);

// Draws an icon at (x, y) in its 32 x 32 size; FALSE for a null handle.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

namespace platform::gdi {

// The size of a bitmap; {0, 0} for none.
SIZE BitmapSize(HBITMAP bitmap);
// Copies a bitmap to (x, y) of dc; dimmed draws it in a grey, embossed look (a disabled button's picture).
void DrawBitmapAt(HDC dc, int x, int y, HBITMAP bitmap, bool dimmed = false);

}  // namespace platform::gdi
