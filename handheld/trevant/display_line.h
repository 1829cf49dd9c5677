// The unit's display codes as text: one line of 17 bytes, cut at the first end code, with the unit's symbol
// codes turned into the letters and the mark the panel shows.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace trevant {

inline constexpr std::size_t kDisplayLineLength = 17;

// The text of one display line (Windows-1252): codes 0, 1, 8, 9, 0x88, 0x89 end it; 2/10/0x8A show 'S',
// 3/11/0x8B 'D', 4/12/0x8C 'B', 5/6/13/14/0x8D/0x8E 0xB2, 7/15/0x8F 'L'; '~' shows a blank.
std::string ConvertDisplayLine(std::span<const std::uint8_t, kDisplayLineLength> bytes);

}  // namespace trevant
