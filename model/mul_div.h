// MulDiv: a * b / c through a 64-bit product, rounded half away from zero.
#pragma once

#include <cstdint>

namespace model {

// -1 when c is 0 or when the rounded result lies outside -(2^31 - 1) .. 2^31 - 1.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

}  // namespace model
