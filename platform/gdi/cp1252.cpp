#include "platform/gdi/cp1252.h"

#include <array>

namespace platform::gdi {
namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes, which map to themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) {
    const char32_t u = kHigh[c - 0x80];
    return u != 0 ? u : c;
  }
  return c;
}

int UnicodeToCp1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
  // The five bytes that Windows-1252 leaves unassigned stand for the control code of their own number both ways.
  if (u < 0xA0 && kHigh[u - 0x80] == 0) return static_cast<int>(u);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == u && u != 0) return static_cast<int>(0x80 + i);
  return -1;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const char32_t u = Cp1252ToUnicode(static_cast<unsigned char>(ch));
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    char32_t u = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    bool ok = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      ok = (next & 0xC0) == 0x80;
      u = (u << 6) | (next & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    const int byte = UnicodeToCp1252(u);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace platform::gdi
