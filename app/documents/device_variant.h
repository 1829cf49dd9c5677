// The family-3 device variant that some pages and the print-out choose their lists by.
#pragma once

#include <cstdint>

namespace app {

// 1 when the data set's device family is 3 and element 9 of the identity record (record 5 in a reverse
// documentation, else record 304), read raw, holds 2; else 0 (also when the read fails).
std::uint8_t CheckDeviceVariant(std::uint8_t set);

}  // namespace app
