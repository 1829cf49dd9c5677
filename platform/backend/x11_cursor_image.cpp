#include "platform/backend/x11_cursor_image.h"

#include <vector>

namespace platform::backend {

Cursor MakeXCursor(Display* display, const platform::win::CursorImage& image) {
  if (!display || image.width <= 0 || image.height <= 0) return 0;
  // X bitmaps: rows padded to bytes, the leftmost pixel in the lowest bit.
  const int stride = (image.width + 7) / 8;
  std::vector<char> source(static_cast<std::size_t>(stride * image.height), 0);
  std::vector<char> mask(source.size(), 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const bool a = image.and_bit(x, y), b = image.xor_bit(x, y);
      const auto at = static_cast<std::size_t>(y * stride + x / 8);
      const char bit = static_cast<char>(1 << (x % 8));
      if (a && !b) continue;          // the screen shows through
      mask[at] = static_cast<char>(mask[at] | bit);
      if (a == b) source[at] = static_cast<char>(source[at] | bit);  // black, or inverted shown black
    }
  }
  const Window root = DefaultRootWindow(display);
  const auto w = static_cast<unsigned>(image.width), h = static_cast<unsigned>(image.height);
  Pixmap src = XCreateBitmapFromData(display, root, source.data(), w, h);
  Pixmap msk = XCreateBitmapFromData(display, root, mask.data(), w, h);
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  black.flags = white.flags = DoRed | DoGreen | DoBlue;
  const Cursor cursor = XCreatePixmapCursor(display, src, msk, &black, &white, static_cast<unsigned>(image.hot.x),
                                            static_cast<unsigned>(image.hot.y));
  XFreePixmap(display, src);
  XFreePixmap(display, msk);
  return cursor;
}

}  // namespace platform::backend
