#include "model/record_versions.h"

#include <array>

#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/record_layout.h"

namespace model {
namespace {

constexpr std::array<RecordVersionRow, kRecordVersionRows> kVersionRows = {{
#define RECORD_VERSION_ROW(record, first, last, f13, f2) {record, first, last, f13, f2},
#include "model/data/record_versions.def"
}};

constexpr std::array<RecordCountRow, kRecordCountRows> kCountRows = {{
#define RECORD_COUNT_ROW(record, bytes, t13, t2) {record, bytes, t13, t2},
#include "model/data/record_versions.def"
}};

constexpr std::size_t CountVersionRows() {
  std::size_t n = 0;
#define RECORD_VERSION_ROW(record, first, last, f13, f2) ++n;
#include "model/data/record_versions.def"
  return n;
}
constexpr std::size_t CountCountRows() {
  std::size_t n = 0;
#define RECORD_COUNT_ROW(record, bytes, t13, t2) ++n;
#include "model/data/record_versions.def"
  return n;
}
static_assert(CountVersionRows() == kRecordVersionRows, "record_versions.def: 136 version rows");
static_assert(CountCountRows() == kRecordCountRows, "record_versions.def: 75 count rows");

bool IsFamily2(std::uint8_t family) { return family == 2; }

}  // namespace

std::span<const RecordVersionRow, kRecordVersionRows> RecordVersionTable() { return kVersionRows; }
std::span<const RecordCountRow, kRecordCountRows> RecordCountTable() { return kCountRows; }

std::uint8_t RecordExistsForFamily(std::uint16_t record, std::uint8_t version, std::uint8_t family) {
  for (const RecordVersionRow& row : kVersionRows) {
    if (row.record != record) continue;
    if (version < row.first_version || version > row.last_version) return 0;
    if ((IsFamily2(family) ? row.family_2 : row.families_1_3) != 0) return 1;
  }
  return 0;
}

std::uint16_t RecordElementCountForFamily(std::uint16_t record, std::uint8_t version, std::uint8_t family) {
  std::uint16_t count = RecordSize(record);
  for (const RecordCountRow& row : kCountRows) {
    if (row.record != record) continue;
    const std::uint8_t threshold = IsFamily2(family) ? row.threshold_2 : row.threshold_1_3;
    if (threshold > version) count = row.bytes;
  }
  return count;
}

std::uint8_t RecordExistsForVersion(std::uint16_t record, std::uint8_t version, std::uint8_t set) {
  return RecordExistsForFamily(record, version, GetDeviceFamily(set));
}

std::uint16_t RecordElementCount(std::uint16_t record, std::uint8_t version, std::uint8_t set) {
  return RecordElementCountForFamily(record, version, GetDeviceFamily(set));
}

std::uint8_t IsElementInVersion(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::uint8_t version = 0;
  if (ReadElement(4, 0, &version, kModeRaw9, set) != 0) return 0;
  if (!RecordExistsForVersion(record, version, set)) return 0;
  return element < RecordElementCount(record, version, set) ? 1 : 0;
}

std::uint8_t LayoutVariantForFirmware(std::uint8_t firmware_letter) {
  switch (firmware_letter) {
    case 64: return 64;
    case 'A': return 'A';
    case 'B': return 'D';
    case 'C': return 'F';
    case 'D': return 'I';
    default: return 'Q';
  }
}

}  // namespace model
