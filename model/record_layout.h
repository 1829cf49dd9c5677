// The record layout: one constant row per element of a data set, and the look-ups on it.
#pragma once

#include <cstdint>
#include <span>

namespace model {

// One row of RecordLayoutTable.
struct LayoutEntry {
  std::uint32_t storage;  // position of the element in the storage of data set 0
  std::uint16_t record;
  std::uint8_t type;    // ElementTypeCode
  std::uint8_t check;   // CheckTable index (0..94)
  std::uint8_t action;  // ActionTable index (0..15)
  std::uint8_t a;       // strings: computed-text index; numbers: range-function index
  std::uint8_t b;       // strings: default-string index; numbers: range-pair index
};

inline constexpr std::uint16_t kNoRow = 0xFFFF;
inline constexpr std::uint16_t kLayoutRowCount = 2819;  // rows without the end row
inline constexpr std::uint32_t kStorageSize = 18656;    // bytes of element storage of one data set

// The whole table including its end row (record 0).
std::span<const LayoutEntry> RecordLayoutTable();

std::uint8_t GetElementType(std::uint16_t record, std::uint16_t element);  // 255 when absent
std::uint16_t ElementTypeSize(std::uint8_t type);
std::uint16_t RecordSize(std::uint16_t record);                           // 0 for an unknown record
std::uint16_t LayoutElementCount(std::uint16_t record, std::uint8_t mode);  // 0 unless mode 8 or 9
std::uint16_t FindLayoutEntry(std::uint16_t record, std::uint16_t element);  // row index or kNoRow
std::uint16_t ElementIndexInRecord(std::uint16_t record, std::uint16_t row);  // element number or kNoRow

// The first row of a record and its row count (fast path for walks over one record); kNoRow when unknown.
std::uint16_t FirstRowOfRecord(std::uint16_t record);

}  // namespace model
