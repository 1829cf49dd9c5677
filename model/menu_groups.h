// Which menu groups of the inverter's menu a data set's firmware offers.
#pragma once

#include <cstdint>

namespace model {

// 1 when group `letter` is available for the data set, else 0.
std::uint8_t IsMenuGroupAvailable(std::uint8_t set, char letter);

}  // namespace model
