// Reading device-independent bitmaps: the header (core or info, with palette or bit-field masks) and the
// colour of one pixel of a scan line, for 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/bitmap.h"

namespace platform::gdi {

struct DibFormat {
  int width = 0;
  int height = 0;  // always positive
  bool top_down = false;
  int bits = 0;
  std::size_t stride = 0;  // bytes per scan line, padded to 32 bits
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::uint32_t masks[3] = {0, 0, 0};  // 16 and 32 bits: red, green, blue
};

// The format of a DIB header; nothing for sizes, bit counts or compressions it does not read.
std::optional<DibFormat> ReadDibFormat(const BITMAPINFO* info, UINT usage);
// The pixel x of a scan line as 0x00RRGGBB.
std::uint32_t DibPixel(const DibFormat& f, const std::uint8_t* scan_line, int x);
// The bytes a DIB's pixels take (stride x height); 0 for a header it cannot read.
std::size_t DibImageSize(const BITMAPINFO* info);

}  // namespace platform::gdi
