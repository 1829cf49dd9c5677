#include "model/element_attributes.h"

#include "model/device_identity.h"
#include "model/raw_number.h"

namespace model {

namespace {

bool ReadInteger(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out) {
  return ReadRawInteger(record, element, set, out) == 0;
}

std::uint8_t PolePairDecimals(std::uint16_t record, std::uint8_t set) {
  if (GetDeviceFamily(set) == 2) return 0;
  std::int64_t pole_pairs = 0;
  if (record == 251 || record == 254) {
    std::int64_t factor = 0;
    if (!ReadInteger(record, 65, set, &pole_pairs) || !ReadInteger(record, 54, set, &factor)) return 0;
    const std::int64_t n = pole_pairs * factor;
    if (n >= 10000) return 3;
    if (n >= 1000) return 2;
    if (n >= 100) return 1;
    return 0;
  }
  std::uint16_t source_record = 42;
  std::uint16_t source_element = 26;
  switch (record) {
    case 33: case 52: case 306:
      source_record = 33;
      source_element = 68;
      break;
    case 35: case 39: case 41: case 43: case 47: case 49: case 54:
      source_record = 43;
      break;
    default:
      break;
  }
  if (!ReadInteger(source_record, source_element, set, &pole_pairs)) return 0;
  return pole_pairs >= 3 ? 1 : 0;
}

}  // namespace

std::uint8_t GetElementAttributes(std::uint16_t record, std::uint8_t selector, std::uint8_t set) {
  switch (selector) {
    case kSelectorPolePairs:
      return PolePairDecimals(record, set);
    case kSelectorPositionDecimals: {
      std::int64_t decimals = 0;
      return ReadInteger(512, 76, set, &decimals) ? static_cast<std::uint8_t>(decimals) : 0;
    }
    case kSelectorByFamily:
      return GetDeviceFamily(set) == 2 ? 0 : 1;
    default:
      return selector;
  }
}

}  // namespace model
