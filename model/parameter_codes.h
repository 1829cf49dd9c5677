// Parameter codes ("A10", "P2 C40", "A103"): finding their descriptors, the partner records of the two parameter
// sets, and the 16-bit code number (letter in the high byte, number in the low byte).
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/descriptor.h"

namespace model {

// 0 and the name text of the first descriptor whose name begins with the three characters of `code` (at most
// size - 1 characters, terminated); 6 when none does. Lists with a record override are not searched.
std::uint8_t FindDescriptorByCode(char* out, std::uint8_t size, const char* code);

// 1 with the entry of the parameter that `text` names (record of parameter set 2 for a "P2" prefix), 0 when
// the text names none.
std::uint8_t ParseParameterCode(MenuListEntry* out, const char* text, std::uint8_t set);
std::uint8_t FindParameterByCode(std::uint16_t* record, std::uint16_t* element, const char* text,
                                 std::uint8_t set);

// The record of the other parameter set: to_set2 = 1 maps set-1 records to their partners, 0 the reverse.
std::uint16_t OtherParameterSetRecord(std::uint16_t record, std::uint16_t element, std::uint8_t to_set2);

// Room a code text needs for ParameterCodeConvert (letter, up to three digits, terminator).
inline constexpr std::size_t kParameterCodeTextSize = 5;

// direction 0: the code number as text ("A10"; numbers of 100 and more with three digits, "A102"); code 0 gives
// the empty text and 1. Any other direction: the text's number; 1 with code 0 for a text that is not a letter
// followed by two or three digits.
std::uint8_t ParameterCodeConvert(char* text, std::uint16_t* code, std::uint8_t direction);

}  // namespace model
