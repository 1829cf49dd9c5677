// The generic range function (RangeTable entries 0, 1 and 3): the element's stored value against a fixed pair.
#pragma once

#include "model/function_tables.h"

namespace model {

// which 0: 4 above max, 5 below min (signed or unsigned comparison by type; floats by their integer part);
// which 1 / 2: writes the upper / lower limit in the element's stored form and answers 0.
std::uint8_t RangeFromPair(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                           std::uint8_t which);

}  // namespace model
