// Bitmap resources: a module registers the bytes of its BMP files under a number (MAKEINTRESOURCE) or name,
// and LoadBitmap turns them into bitmaps. A lookup with another module falls back to any module's bitmap of
// that name, as the dialog templates do.
#pragma once

#include <cstddef>

#include "platform/sys/wintypes.h"

namespace platform::gdi {

// The bytes stay owned by the caller (constant tables).
void RegisterBitmapResource(HINSTANCE instance, LPCSTR name, const void* bmp_file, std::size_t size);
// A bitmap from the bytes of a BMP file; null when the file is not a readable uncompressed BMP or its pixels
// would lie past its end.
HBITMAP BitmapFromBmpFile(const void* bmp_file, std::size_t size);

}  // namespace platform::gdi

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
inline HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) { return LoadBitmapA(instance, name); }
