#include "model/mul_div.h"

namespace model {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;  // |product| < 2^62: no overflow
  const bool negative = (product < 0) != (c < 0);
  const auto magnitude = static_cast<std::uint64_t>(product < 0 ? -product : product);
  const std::int64_t wide_c = c;
  const auto divisor = static_cast<std::uint64_t>(wide_c < 0 ? -wide_c : wide_c);
  const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;  // half away from zero
  constexpr std::uint64_t kLimit = 2147483647u;
  if (quotient > kLimit) return -1;
  const auto result = static_cast<std::int32_t>(quotient);
  return negative ? -result : result;
}

}  // namespace model
