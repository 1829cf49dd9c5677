// Fuzz target: the BMP file reader of the bitmap resources. A file it takes becomes a bitmap of the size its
// header names, whose pixels can be selected and read; any other file gives no bitmap.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HBITMAP bitmap = platform::gdi::BitmapFromBmpFile(data, size);
  if (!bitmap) return 0;
  BITMAP info{};
  if (GetObject(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) __builtin_trap();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const int xs[] = {0, info.bmWidth / 2, info.bmWidth - 1};
  const int ys[] = {0, info.bmHeight / 2, info.bmHeight - 1};
  for (int x : xs) {
    for (int y : ys) {
      if (GetPixel(dc, x, y) == CLR_INVALID) __builtin_trap();
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return 0;
}
