// Raw number access for the layout upgrade.
#include "model/upgrade_support.h"

#include <array>
#include <limits>

#include "model/element_access.h"
#include "model/element_type.h"
#include "model/raw_number.h"
#include "model/record_layout.h"

namespace model::upgrade {
namespace {

template <typename T>
double Bounded(double v) {
  const double low = static_cast<double>(std::numeric_limits<T>::min());
  const double high = static_cast<double>(std::numeric_limits<T>::max());
  return v < low ? low : v > high ? high : v;
}

// v kept inside the range of an integer type, so that the store never wraps.
double InsideType(double v, std::uint8_t type) {
  switch (type) {
    case kTypeU8Unused: case kTypeU8: return Bounded<std::uint8_t>(v);
    case kTypeI8: return Bounded<std::int8_t>(v);
    case kTypeU16: return Bounded<std::uint16_t>(v);
    case kTypeI16: return Bounded<std::int16_t>(v);
    case kTypeU32: return Bounded<std::uint32_t>(v);
    case kTypeI32: return Bounded<std::int32_t>(v);
    default: return v;
  }
}

}  // namespace

std::uint8_t ReadInt(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out) {
  return ReadRawInteger(record, element, set, out);
}

std::int64_t IntOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t fallback) {
  std::int64_t v = 0;
  return ReadRawInteger(record, element, set, &v) == 0 ? v : fallback;
}

std::uint8_t WriteNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double v) {
  const std::uint8_t type = GetElementType(record, element);
  if (type == 255) return 3;
  if (!IsNumberType(type)) return 12;
  alignas(8) std::array<std::uint8_t, 8> stored{};
  StoreNumber(stored.data(), type, InsideType(v, type));
  return WriteElement(record, element, stored.data(), kModeRaw, set);
}

}  // namespace model::upgrade
