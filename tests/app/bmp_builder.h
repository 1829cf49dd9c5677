// BMP files built in memory for the reader's tests: any bit count, core or info header of any size, top-down,
// and room to damage any field.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bmp_test {

struct BmpShape {
  int width = 4;
  int height = 3;  // negative: top-down
  int bits = 24;
  std::uint32_t header_size = 40;
  std::uint32_t compression = 0;
  int palette_entries = -1;  // -1: what the bit count needs
};

inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v);
  Put16(b, at + 2, v >> 16);
}

// A well-formed file; pixels of palette index / colour byte (x + y) & 0xFF.
inline std::vector<std::uint8_t> BuildBmp(const BmpShape& s) {
  const bool core = s.header_size == 12;
  const int entries = s.palette_entries >= 0 ? s.palette_entries : (s.bits <= 8 ? 1 << s.bits : 0);
  const std::size_t palette = static_cast<std::size_t>(entries) * (core ? 3 : 4);
  const int rows = s.height < 0 ? -s.height : s.height;
  const std::size_t stride = ((static_cast<std::size_t>(s.width) * s.bits + 31) / 32) * 4;
  const std::size_t off = 14 + s.header_size + palette;
  std::vector<std::uint8_t> b(off + stride * rows, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, static_cast<std::uint32_t>(off));
  Put32(b, 14, s.header_size);
  if (core) {
    Put16(b, 18, static_cast<std::uint32_t>(s.width));
    Put16(b, 20, static_cast<std::uint32_t>(s.height));
    Put16(b, 22, 1);
    Put16(b, 24, static_cast<std::uint32_t>(s.bits));
  } else {
    Put32(b, 18, static_cast<std::uint32_t>(s.width));
    Put32(b, 22, static_cast<std::uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(s.bits));
    Put32(b, 30, s.compression);
    Put32(b, 34, static_cast<std::uint32_t>(stride * rows));
    Put32(b, 38, 2835);
    Put32(b, 42, 2835);
    Put32(b, 46, static_cast<std::uint32_t>(s.palette_entries >= 0 ? entries : 0));
  }
  for (int i = 0; i < entries; ++i) {
    const std::size_t at = 14 + s.header_size + static_cast<std::size_t>(i) * (core ? 3 : 4);
    b[at] = static_cast<std::uint8_t>(i * 7);
    b[at + 1] = static_cast<std::uint8_t>(i * 3);
    b[at + 2] = static_cast<std::uint8_t>(255 - i);
  }
  for (int y = 0; y < rows; ++y) {
    for (std::size_t x = 0; x < stride; ++x) b[off + y * stride + x] = static_cast<std::uint8_t>((x + y) & 0x1);
  }
  return b;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bmp_test
