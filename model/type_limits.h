// The limits of an element type that a converted value must keep before it is stored.
#pragma once

#include <cstdint>

namespace model {

// 0 within, 4 too great, 5 too small; types without a numeric form are never refused.
std::uint8_t TypeLimitStatus(double value, std::uint8_t type);

}  // namespace model
