#include "model/record_layout.h"

#include <array>
#include <cstddef>

#include "model/element_type.h"

namespace model {
namespace {

// A row as the data file gives it: the element number is stated, the storage position is computed.
struct LayoutSourceRow {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t type;
  std::uint8_t check;
  std::uint8_t action;
  std::uint8_t a;
  std::uint8_t b;
};

constexpr LayoutSourceRow kSourceRows[] = {
#define LAYOUT_ROW(record, element, type, check, action, a, b) {record, element, type, check, action, a, b},
#include "model/data/layout.def"
#undef LAYOUT_ROW
    {0, 0, kTypeInvalid1, 0, 0, 0, 0},  // end row
};
constexpr std::size_t kTableRows = std::size(kSourceRows);
static_assert(kTableRows == kLayoutRowCount + 1u, "the layout holds 2819 element rows and the end row");

// The storage of one data set holds the records in table order, each record's elements back to back.
constexpr std::array<LayoutEntry, kTableRows> BuildTable() {
  std::array<LayoutEntry, kTableRows> table{};
  std::uint32_t position = 0;
  for (std::size_t i = 0; i < kTableRows; ++i) {
    const LayoutSourceRow& row = kSourceRows[i];
    table[i] = LayoutEntry{row.record == 0 ? 0u : position, row.record, row.type, row.check, row.action, row.a,
                           row.b};
    if (row.record != 0) position += ElementTypeSizeOf(row.type);
  }
  return table;
}
constexpr std::array<LayoutEntry, kTableRows> kTable = BuildTable();

// Index of the first row whose stated element number differs from the sum of the sizes of the record's rows
// before it (or whose record starts a second, separate run of rows); kTableRows when every row agrees.
constexpr std::size_t FirstInconsistentRow() {
  std::uint32_t offset = 0;
  for (std::size_t i = 0; i + 1 < kTableRows; ++i) {
    const LayoutSourceRow& row = kSourceRows[i];
    const bool starts_record = i == 0 || kSourceRows[i - 1].record != row.record;
    if (starts_record) {
      offset = 0;
      for (std::size_t j = 0; j < i; ++j) {
        if (kSourceRows[j].record == row.record) return i;  // a record in two separate runs
      }
    }
    if (row.record == 0 || row.element != offset || ElementTypeSizeOf(row.type) == 0) return i;
    offset += ElementTypeSizeOf(row.type);
  }
  return kTableRows;
}
static_assert(FirstInconsistentRow() == kTableRows,
              "layout.def: an element number does not match the sizes of the types before it");

constexpr std::uint32_t TotalStorage() {
  std::uint32_t total = 0;
  for (std::size_t i = 0; i + 1 < kTableRows; ++i) total += ElementTypeSizeOf(kSourceRows[i].type);
  return total;
}
static_assert(TotalStorage() == kStorageSize, "the element storage of a data set is 18656 bytes");

// Per-record index: the first row of the record's run, its row count and byte size.
constexpr std::uint16_t kHighestRecord = 522;
struct RecordIndex {
  std::uint16_t first_row = kNoRow;
  std::uint16_t rows = 0;
  std::uint16_t size = 0;
};

constexpr std::array<RecordIndex, kHighestRecord + 1> BuildRecordIndex() {
  std::array<RecordIndex, kHighestRecord + 1> index{};
  for (std::size_t i = 0; i + 1 < kTableRows; ++i) {
    const std::uint16_t record = kSourceRows[i].record;
    if (record > kHighestRecord) continue;
    RecordIndex& entry = index[record];
    if (entry.first_row == kNoRow) {
      entry.first_row = static_cast<std::uint16_t>(i);
    } else if (entry.first_row + entry.rows != i) {
      continue;  // only the first run counts, as a walk from the first row finds it
    }
    ++entry.rows;
    entry.size = static_cast<std::uint16_t>(entry.size + ElementTypeSizeOf(kSourceRows[i].type));
  }
  return index;
}
constexpr std::array<RecordIndex, kHighestRecord + 1> kRecordIndex = BuildRecordIndex();

constexpr bool AllRecordsIndexed() {
  for (std::size_t i = 0; i + 1 < kTableRows; ++i) {
    if (kSourceRows[i].record > kHighestRecord) return false;
  }
  return true;
}
static_assert(AllRecordsIndexed(), "record numbers above 522 need a larger record index");

// Row that starts at each byte of the storage (kNoRow inside an element): element look-ups in one step.
constexpr std::array<std::uint16_t, kStorageSize> BuildRowAtPosition() {
  std::array<std::uint16_t, kStorageSize> rows{};
  for (auto& r : rows) r = kNoRow;
  for (std::size_t i = 0; i + 1 < kTableRows; ++i) rows[kTable[i].storage] = static_cast<std::uint16_t>(i);
  return rows;
}
constexpr std::array<std::uint16_t, kStorageSize> kRowAtPosition = BuildRowAtPosition();

const RecordIndex* IndexOf(std::uint16_t record) {
  if (record == 0 || record > kHighestRecord) return nullptr;
  const RecordIndex& entry = kRecordIndex[record];
  return entry.first_row == kNoRow ? nullptr : &entry;
}

}  // namespace

std::span<const LayoutEntry> RecordLayoutTable() { return {kTable.data(), kTable.size()}; }

std::uint16_t ElementTypeSize(std::uint8_t type) { return ElementTypeSizeOf(type); }

std::uint16_t FirstRowOfRecord(std::uint16_t record) {
  const RecordIndex* entry = IndexOf(record);
  return entry ? entry->first_row : kNoRow;
}

std::uint16_t RecordSize(std::uint16_t record) {
  const RecordIndex* entry = IndexOf(record);
  return entry ? entry->size : 0;
}

std::uint16_t LayoutElementCount(std::uint16_t record, std::uint8_t mode) {
  if (mode != 8 && mode != 9) return 0;
  const RecordIndex* entry = IndexOf(record);
  return entry ? entry->rows : 0;
}

std::uint16_t FindLayoutEntry(std::uint16_t record, std::uint16_t element) {
  const RecordIndex* entry = IndexOf(record);
  if (!entry || element >= entry->size) return kNoRow;
  return kRowAtPosition[kTable[entry->first_row].storage + element];
}

std::uint16_t ElementIndexInRecord(std::uint16_t record, std::uint16_t row) {
  const RecordIndex* entry = IndexOf(record);
  if (!entry || row < entry->first_row || row >= entry->first_row + entry->rows) return kNoRow;
  return static_cast<std::uint16_t>(kTable[row].storage - kTable[entry->first_row].storage);
}

std::uint8_t GetElementType(std::uint16_t record, std::uint16_t element) {
  const std::uint16_t row = FindLayoutEntry(record, element);
  return row == kNoRow ? 255 : kTable[row].type;
}

}  // namespace model
