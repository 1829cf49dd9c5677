#include "model/stored_value.h"

#include <cmath>
#include <cstring>

#include "model/element_type.h"

namespace model {
namespace {

template <typename T>
T Load(const std::uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(std::uint8_t* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

// Truncation toward zero, wrapped modulo 2^64: defined for every finite input (the callers stay in range).
std::uint64_t TruncateWrapped(double value) {
  if (!std::isfinite(value)) return 0;
  const double t = std::trunc(value);
  const double m = std::fmod(t, 18446744073709551616.0);  // exact: |t| beyond 2^53 is already whole
  if (m >= 0) return m >= 9223372036854775808.0 ? static_cast<std::uint64_t>(m - 9223372036854775808.0) +
                                                      9223372036854775808ull
                                                : static_cast<std::uint64_t>(m);
  const double p = -m;  // 0 < p < 2^64
  const std::uint64_t magnitude = p >= 9223372036854775808.0
                                      ? static_cast<std::uint64_t>(p - 9223372036854775808.0) + 9223372036854775808ull
                                      : static_cast<std::uint64_t>(p);
  return ~magnitude + 1u;
}

}  // namespace

double LoadStoredAsDouble(const std::uint8_t* storage, std::uint8_t type) {
  switch (type) {
    case kTypeU8Unused:
    case kTypeU8: return Load<std::uint8_t>(storage);
    case kTypeI8: return Load<std::int8_t>(storage);
    case kTypeU16: return Load<std::uint16_t>(storage);
    case kTypeI16: return Load<std::int16_t>(storage);
    case kTypeU32: return Load<std::uint32_t>(storage);
    case kTypeI32: return Load<std::int32_t>(storage);
    case kTypeF32: return Load<float>(storage);
    case kTypeF64: return Load<double>(storage);
    default: return 0.0;
  }
}

void StoreDoubleAs(std::uint8_t* storage, std::uint8_t type, double value) {
  const std::uint64_t bits = TruncateWrapped(value);
  switch (type) {
    case kTypeU8Unused:
    case kTypeU8:
    case kTypeI8: Store(storage, static_cast<std::uint8_t>(bits)); break;
    case kTypeU16:
    case kTypeI16: Store(storage, static_cast<std::uint16_t>(bits)); break;
    case kTypeU32:
    case kTypeI32: Store(storage, static_cast<std::uint32_t>(bits)); break;
    case kTypeF32: {
      constexpr double kMax = 3.4028234663852886e38;
      const double v = std::isnan(value) ? value : (value > kMax ? kMax : (value < -kMax ? -kMax : value));
      Store(storage, static_cast<float>(v));
      break;
    }
    case kTypeF64: Store(storage, value); break;
    default: break;
  }
}

}  // namespace model
