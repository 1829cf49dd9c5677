// Bit patterns as "0"/"1" digits in groups of four, most significant bit first.
#pragma once

#include <cstdint>

namespace model {

// The 16 bits of value as four groups separated by one blank (19 characters and a terminator);
// writes nothing when size is below 20.
void BitsToText16(std::uint16_t value, char* out, std::int16_t size);
// The 32 bits as eight groups, each followed by one blank (40 characters, the last a blank, and a
// terminator); writes nothing when size is below 41.
void BitsToText32(std::uint32_t value, char* out, std::int16_t size);

}  // namespace model
