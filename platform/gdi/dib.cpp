#include "platform/gdi/dib.h"

#include <bit>
#include <cstring>

namespace platform::gdi {
namespace {

constexpr int kMaxSide = 32768;

// Scales a masked channel to 8 bits.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask);
  std::uint32_t v = (value & mask) >> shift;
  if (width >= 8) return v >> (width - 8);
  // Repeat the top bits so that full scale maps to 255.
  std::uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << width) | v;
    filled += width;
  }
  return out >> (filled - 8);
}

template <class T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

}  // namespace

std::optional<DibFormat> ReadDibFormat(const BITMAPINFO* info, UINT usage) {
  if (!info || usage != DIB_RGB_COLORS) return std::nullopt;
  const auto* base = reinterpret_cast<const std::uint8_t*>(info);
  const DWORD size = Load<DWORD>(base);
  DibFormat f;
  DWORD compression = BI_RGB;
  DWORD colours_used = 0;
  const std::uint8_t* palette = nullptr;
  bool triples = false;
  if (size == sizeof(BITMAPCOREHEADER)) {
    const auto h = Load<BITMAPCOREHEADER>(base);
    f.width = h.bcWidth;
    f.height = h.bcHeight;
    f.bits = h.bcBitCount;
    palette = base + size;
    triples = true;
  } else if (size >= sizeof(BITMAPINFOHEADER)) {
    const auto h = Load<BITMAPINFOHEADER>(base);
    f.width = h.biWidth;
    if (h.biHeight < 0) {
      if (h.biHeight == INT32_MIN) return std::nullopt;
      f.top_down = true;
      f.height = -h.biHeight;
    } else {
      f.height = h.biHeight;
    }
    f.bits = h.biBitCount;
    compression = h.biCompression;
    colours_used = h.biClrUsed;
    palette = base + size;
    if (compression == BI_BITFIELDS) {
      // The masks follow an info header of 40 bytes; larger headers hold them inside.
      const std::uint8_t* m = size == sizeof(BITMAPINFOHEADER) ? base + size : base + 40;
      for (int i = 0; i < 3; ++i) f.masks[i] = Load<std::uint32_t>(m + 4 * i);
      if (size == sizeof(BITMAPINFOHEADER)) palette = base + size + 12;
    }
  } else {
    return std::nullopt;
  }
  if (f.width <= 0 || f.height <= 0 || f.width > kMaxSide || f.height > kMaxSide) return std::nullopt;
  switch (f.bits) {
    case 1:
    case 4:
    case 8:
      if (compression != BI_RGB) return std::nullopt;
      break;
    case 16:
      if (compression == BI_RGB) {
        f.masks[0] = 0x7C00;
        f.masks[1] = 0x03E0;
        f.masks[2] = 0x001F;
      } else if (compression != BI_BITFIELDS) {
        return std::nullopt;
      }
      break;
    case 24:
      if (compression != BI_RGB) return std::nullopt;
      break;
    case 32:
      if (compression == BI_RGB) {
        f.masks[0] = 0xFF0000;
        f.masks[1] = 0x00FF00;
        f.masks[2] = 0x0000FF;
      } else if (compression != BI_BITFIELDS) {
        return std::nullopt;
      }
      break;
    default:
      return std::nullopt;
  }
  if (f.bits <= 8) {
    const std::size_t max = std::size_t{1} << f.bits;
    const std::size_t n = colours_used != 0 && colours_used < max ? colours_used : max;
    f.palette.assign(max, 0);
    const std::size_t entry = triples ? 3 : 4;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t* e = palette + i * entry;
      f.palette[i] = (static_cast<std::uint32_t>(e[2]) << 16) | (static_cast<std::uint32_t>(e[1]) << 8) | e[0];
    }
  }
  f.stride = ((static_cast<std::size_t>(f.width) * f.bits + 31) / 32) * 4;
  return f;
}

std::uint32_t DibPixel(const DibFormat& f, const std::uint8_t* row, int x) {
  switch (f.bits) {
    case 1: return f.palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4: return f.palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
    case 8: return f.palette[row[x]];
    case 16: {
      const std::uint32_t v = static_cast<std::uint32_t>(row[2 * x]) | (static_cast<std::uint32_t>(row[2 * x + 1]) << 8);
      return (Channel(v, f.masks[0]) << 16) | (Channel(v, f.masks[1]) << 8) | Channel(v, f.masks[2]);
    }
    case 24: {
      const std::uint8_t* p = row + 3 * x;
      return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
    }
    default: {
      const std::uint32_t v = Load<std::uint32_t>(row + 4 * x);
      return (Channel(v, f.masks[0]) << 16) | (Channel(v, f.masks[1]) << 8) | Channel(v, f.masks[2]);
    }
  }
}

std::size_t DibImageSize(const BITMAPINFO* info) {
  const auto f = ReadDibFormat(info, DIB_RGB_COLORS);
  return f ? f->stride * static_cast<std::size_t>(f->height) : 0;
}

}  // namespace platform::gdi
