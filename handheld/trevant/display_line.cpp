#include "handheld/trevant/display_line.h"

#include <array>

namespace trevant {

namespace {

constexpr char kEnd = '\0';

// What each byte shows; kEnd ends the line.
constexpr std::array<char, 256> MakeDisplayCodes() {
  std::array<char, 256> t{};
  for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = static_cast<char>(b);
  const auto set = [&t](std::initializer_list<int> codes, char shown) {
    for (const int c : codes) t[static_cast<std::size_t>(c)] = shown;
  };
  set({0x00, 0x01, 0x08, 0x09, 0x88, 0x89}, kEnd);
  set({0x02, 0x0A, 0x8A}, 'S');
  set({0x03, 0x0B, 0x8B}, 'D');
  set({0x04, 0x0C, 0x8C}, 'B');
  set({0x05, 0x06, 0x0D, 0x0E, 0x8D, 0x8E}, '\xB2');
  set({0x07, 0x0F, 0x8F}, 'L');
  set({'~'}, ' ');
  return t;
}
constexpr std::array<char, 256> kDisplayCodes = MakeDisplayCodes();

}  // namespace

std::string ConvertDisplayLine(std::span<const std::uint8_t, kDisplayLineLength> bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    const char shown = kDisplayCodes[b];
    if (shown == kEnd) break;
    text += shown;
  }
  return text;
}

}  // namespace trevant
