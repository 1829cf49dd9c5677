#include "model/device_identity.h"

#include <cmath>

#include "model/data_set.h"
#include "model/raw_number.h"

namespace model {

namespace {

constexpr std::array<InverterTypeRow, kInverterTypeCount> kInverterTypeTable = {{
#define INVERTER_TYPE_ROW(type, current, mains, v1, v2, v3, v4, v5, v6, v7, v8, v9, brake, motor, motor_max) \
  {current, mains, {v1, v2, v3, v4, v5, v6, v7, v8, v9}, brake, motor, motor_max},
#include "model/data/inverter_types.def"
#undef INVERTER_TYPE_ROW
}};

// The rows are numbered by their position; the .def's first column states it.
constexpr bool RowsInOrder() {
  int expected = 0;
#define INVERTER_TYPE_ROW(type, ...) \
  if (type != expected++) return false;
#include "model/data/inverter_types.def"
#undef INVERTER_TYPE_ROW
  return expected == static_cast<int>(kInverterTypeCount);
}
static_assert(RowsInOrder(), "inverter_types.def must hold the types 0..97 in order");

}  // namespace

std::span<const InverterTypeRow, kInverterTypeCount> InverterTypeTable() { return kInverterTypeTable; }

const InverterTypeRow& InverterTypeRowOf(std::int64_t type) {
  if (type < 0 || type >= static_cast<std::int64_t>(kInverterTypeCount)) type = kFallbackInverterType;
  return kInverterTypeTable[static_cast<std::size_t>(type)];
}

std::uint16_t DeviceValue(const InverterTypeRow& row, int k) {
  if (k < 1 || k > 9) return 0;
  return row.device_values[static_cast<std::size_t>(k - 1)];
}

std::uint16_t IdentityRecord(std::uint8_t set, IdentitySource source) {
  const std::uint16_t kind = GetFileTypeCode(set);
  if (source == IdentitySource::kRecord5ForReverseDoc) return kind == kFileKindReverseDoc ? 5 : 304;
  return kind == kFileKindProject ? 304 : 5;
}

std::uint8_t GetDeviceFamily(std::uint8_t set) {
  std::int64_t family = 0;
  if (ReadRawInteger(IdentityRecord(set, IdentitySource::kRecord5ForReverseDoc), 0, set, &family) != 0) return 1;
  return (family == 2 || family == 3) ? static_cast<std::uint8_t>(family) : 1;
}

std::uint8_t DeviceTypeOrFallback(std::uint8_t set) {
  std::int64_t type = 0;
  if (ReadRawInteger(IdentityRecord(set, IdentitySource::kRecord5ForReverseDoc), 1, set, &type) != 0) {
    return kFallbackInverterType;
  }
  if (type < 0 || type >= static_cast<std::int64_t>(kInverterTypeCount)) return kFallbackInverterType;
  return static_cast<std::uint8_t>(type);
}

std::uint8_t ReadDeviceType(std::uint8_t set, std::uint8_t* type) {
  std::int64_t value = 0;
  const std::uint8_t status =
      ReadRawInteger(IdentityRecord(set, IdentitySource::kRecord304ForProject), 1, set, &value);
  if (status != 0) return status;
  *type = (value < 0 || value >= static_cast<std::int64_t>(kInverterTypeCount)) ? kFallbackInverterType
                                                                                 : static_cast<std::uint8_t>(value);
  return 0;
}

namespace {

// The device's row for the nominal data: row 55 also when the file kind cannot be read.
const InverterTypeRow& NominalRow(std::uint8_t set) {
  if (GetFileTypeCode(set) == 0) return kInverterTypeTable[kFallbackInverterType];
  return kInverterTypeTable[DeviceTypeOrFallback(set)];
}

}  // namespace

float GetDeviceNominalCurrent(std::uint8_t set) { return NominalRow(set).nominal_current; }

std::uint16_t GetDeviceMainsVoltage(std::uint8_t set) { return NominalRow(set).mains_voltage / 10; }

std::uint8_t MatchInverterType(const std::uint8_t* type, std::uint8_t* out) {
  if (type == nullptr || out == nullptr || *type >= kInverterTypeCount) return 1;
  const InverterTypeRow& old_row = kInverterTypeTable[*type];
  for (std::uint8_t row = 51; row <= 63; ++row) {
    const InverterTypeRow& candidate = kInverterTypeTable[row];
    // Compared as the stored 32-bit floats, widened.
    const double difference =
        static_cast<double>(candidate.nominal_current) - static_cast<double>(old_row.nominal_current);
    if (candidate.mains_voltage == old_row.mains_voltage && std::fabs(difference) < 1.0) {
      *out = row;
      return 0;
    }
  }
  switch (*type) {
    case 13: case 15: *out = 60; return 0;  // '<'
    case 16: case 18: *out = 57; return 0;  // '9'
    default: return 1;
  }
}

}  // namespace model
