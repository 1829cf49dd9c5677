// The firmware version letter of a data set.
#pragma once

#include <cstdint>

namespace model {

// Element 5 of record 304 for a project (file kind 17), else of record 5; 0 when either read fails.
// Letters run '@' (64) .. 'Q' (81); limits change at 'A' (65) .. 'E' (69).
std::uint8_t GetVersionLetter(std::uint8_t set);

}  // namespace model
