// The generic range function (RangeTable entries 0, 1 and 3): the element's stored value against a fixed pair.
#pragma once

#include "model/function_tables.h"

namespace model {

// which 0: 4 above max, 5 below min (signed or unsigned comparison by type; floats by their integer part, NaN 6;
// type 0 and non-number types never refused). Unsigned types read max as unsigned, so (0, -1) is 0..4294967295,
// and a negative min as 0. which 1 / 2: writes the upper / lower limit in the element's stored form, clamped
// to the values a write of that type accepts (type 0 gets 0), and answers 0; 12 for a type without a number.
std::uint8_t RangeFromPair(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                           std::uint8_t which);

}  // namespace model
