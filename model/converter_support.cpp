#include "model/converter_support.h"

#include <cmath>

#include "model/raw_number.h"

namespace model {

bool TypeFullScale(std::uint8_t type, double* full_scale) {
  switch (type) {
    case 0: case 2: *full_scale = 255.0; return true;
    case 3: *full_scale = 127.0; return true;
    case 4: *full_scale = 65535.0; return true;
    case 5: *full_scale = 32767.0; return true;
    case 6: *full_scale = 4294967295.0; return true;
    case 7: *full_scale = 2147483647.0; return true;
    case 11: *full_scale = 3.4e38; return true;
    case 12: *full_scale = 1.7e308; return true;
    default: return false;
  }
}

std::uint8_t ReadGoverning(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out) {
  std::int64_t value = 0;
  const std::uint8_t status = ReadRawInteger(record, element, set, &value);
  if (status == 0) *out = value;
  return status;
}

std::uint16_t ActiveMotorRecord(std::uint8_t set) {
  std::int64_t active = 0;
  ReadGoverning(kStatusRecord, kActiveSetElement, set, &active);
  return active == 1 ? 43 : 42;
}

std::uint8_t ReadActiveParameterSet(std::uint8_t set, std::uint8_t* parameter_set) {
  std::int64_t active = 0;
  if (ReadGoverning(kStatusRecord, kActiveSetElement, set, &active) != 0) return 13;
  *parameter_set = active == 1 ? 1 : 0;
  return 0;
}

bool IsSecondSetSpeedRecord(std::uint16_t record) {
  switch (record) {
    case 35: case 39: case 41: case 43: case 47: case 49: case 54: return true;
    default: return false;
  }
}

std::uint8_t EntryByte(double in, std::uint32_t* byte) {
  if (std::isnan(in)) return 6;
  const double whole = std::trunc(in);
  if (whole > 255.0) return 4;
  if (whole < 0.0) return 5;
  *byte = static_cast<std::uint32_t>(whole);
  return 0;
}

}  // namespace model
