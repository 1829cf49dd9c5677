// Which records and how many bytes of each a device family and firmware version serve, and the layout
// variant whose value ranges a firmware accepts.
#pragma once

#include <cstdint>
#include <span>

namespace model {

struct RecordVersionRow {
  std::uint16_t record;
  std::uint8_t first_version;
  std::uint8_t last_version;
  std::uint8_t families_1_3;  // 0/1
  std::uint8_t family_2;      // 0/1
};

struct RecordCountRow {
  std::uint16_t record;
  std::uint16_t bytes;
  std::uint8_t threshold_1_3;  // the row applies while the version lies below its threshold
  std::uint8_t threshold_2;
};

inline constexpr std::size_t kRecordVersionRows = 136;
inline constexpr std::size_t kRecordCountRows = 75;

// The tables without their end rows.
std::span<const RecordVersionRow, kRecordVersionRows> RecordVersionTable();
std::span<const RecordCountRow, kRecordCountRows> RecordCountTable();

// The same questions for an explicit family (1..3; any other value counts as 1).
std::uint8_t RecordExistsForFamily(std::uint16_t record, std::uint8_t version, std::uint8_t family);
std::uint16_t RecordElementCountForFamily(std::uint16_t record, std::uint8_t version, std::uint8_t family);

// 1 when the record exists for the data set's family (GetDeviceFamily) at this version, else 0; a record
// without a row does not exist.
std::uint8_t RecordExistsForVersion(std::uint16_t record, std::uint8_t version, std::uint8_t set);
// The bytes of the record served at this version for the data set's family; the record's full size
// (RecordSize) when no row applies.
std::uint16_t RecordElementCount(std::uint16_t record, std::uint8_t version, std::uint8_t set);
// 1 when element 0 of record 4 (the version) can be read, the record exists for it and the element lies
// below the record's byte count at that version.
std::uint8_t IsElementInVersion(std::uint16_t record, std::uint16_t element, std::uint8_t set);

// The layout variant whose ranges a firmware letter accepts: 64 -> 64, 'A' -> 'A', 'B' -> 'D', 'C' -> 'F',
// 'D' -> 'I', any other -> 'Q'.
std::uint8_t LayoutVariantForFirmware(std::uint8_t firmware_letter);

}  // namespace model
