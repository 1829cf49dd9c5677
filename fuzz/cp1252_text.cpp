// Fuzz target: the Windows-1252 conversion. Every byte string becomes valid UTF-8 that decodes back to the same
// bytes through the code-point look-up; any code point maps to a byte or to -1, and a byte it maps to maps back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/cp1252.h"

namespace {

// Decodes well-formed UTF-8 (shortest forms, no surrogates); false for anything else.
bool DecodeUtf8(std::string_view text, std::u32string* out) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + static_cast<std::size_t>(n) > text.size()) return false;
    char32_t u = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      u = (u << 6) | (c & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < kShortest[n] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
    out->push_back(u);
    i += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::gdi;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u32string decoded;
  if (!DecodeUtf8(Cp1252ToUtf8(bytes), &decoded) || decoded.size() != size) __builtin_trap();
  for (std::size_t i = 0; i < size; ++i) {
    if (decoded[i] != Cp1252ToUnicode(data[i])) __builtin_trap();
    if (UnicodeToCp1252(decoded[i]) != data[i]) __builtin_trap();
  }
  // The input as code points of four bytes each.
  for (std::size_t i = 0; i + 4 <= size; i += 4) {
    const char32_t u = static_cast<char32_t>(data[i] | data[i + 1] << 8 | data[i + 2] << 16) |
                       static_cast<char32_t>(data[i + 3]) << 24;
    const int b = UnicodeToCp1252(u);
    if (b < -1 || b > 255) __builtin_trap();
    if (b >= 0 && Cp1252ToUnicode(static_cast<unsigned char>(b)) != u) __builtin_trap();
  }
  return 0;
}
