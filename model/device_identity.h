// The data set's device: where its identity is held, its family, and its row of the InverterTypeTable.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace model {

// One row of InverterTypeTable (27 bytes stored: f32, u16, nine u16, three u8).
struct InverterTypeRow {
  float nominal_current;                       // A
  std::uint16_t mains_voltage;                 // V x 10: 4000 or 2300
  std::array<std::uint16_t, 9> device_values;  // device value k (1..9) at index k - 1, stored at offset 4 + 2k
  std::uint8_t device_byte1;                   // offset 24: default braking-resistor row, A20's maximum
  std::uint8_t default_motor;                  // offset 25: row of the built-in motor tables
  std::uint8_t device_byte3;                   // offset 26: B00's maximum
};

inline constexpr std::size_t kInverterTypeCount = 98;
inline constexpr std::uint8_t kFallbackInverterType = 55;
inline constexpr std::size_t kInverterTypeRowBytes = 27;

std::span<const InverterTypeRow, kInverterTypeCount> InverterTypeTable();
// The row of a device type; the fallback row 55 for a type beyond the table.
const InverterTypeRow& InverterTypeRowOf(std::int64_t type);
// Device value k (1..9) of a row; 0 for k outside 1..9.
std::uint16_t DeviceValue(const InverterTypeRow& row, int k);

// Which record holds a data set's identity (device family, type, version letter, option board). The
// readers differ in the file kind they single out; a configuration file (kind 19) thus reads record 304
// for some questions and record 5 for others.
enum class IdentitySource : std::uint8_t {
  kRecord5ForReverseDoc,  // record 5 when the file kind is 18, else record 304
  kRecord304ForProject,   // record 304 when the file kind is 17, else record 5
};
std::uint16_t IdentityRecord(std::uint8_t set, IdentitySource source);

// 1, 2 or 3: element 0 of the identity record (record 5 for reverse documentation); 2 and 3 as stored,
// anything else and any read failure 1.
std::uint8_t GetDeviceFamily(std::uint8_t set);

// The device type of the identity record (record 5 for reverse documentation, else 304), or 55 when the
// type cannot be read or is beyond the table.
std::uint8_t DeviceTypeOrFallback(std::uint8_t set);
// The device type of record 304 for a project (kind 17), else of record 5: 0 with the type (55 for a type
// beyond the table), or the status of the failed read.
std::uint8_t ReadDeviceType(std::uint8_t set, std::uint8_t* type);

// The nominal data of the device type's row (row 55 when the file kind or the type cannot be read or the type
// is beyond the table): the nominal current as the stored 32-bit float, the mains voltage / 10 (400 or 230).
float GetDeviceNominalCurrent(std::uint8_t set);
std::uint16_t GetDeviceMainsVoltage(std::uint8_t set);

// The current-series row (51..63) that matches an older device type: 0 with the row in out, 1 when none.
std::uint8_t MatchInverterType(const std::uint8_t* type, std::uint8_t* out);

}  // namespace model
