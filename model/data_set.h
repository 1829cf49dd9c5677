// The two in-memory data sets, their default tables and initialisation.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/record_layout.h"

namespace model {

using ChangeEntry = std::uint32_t;  // record in the low 16 bits, element in the high 16 bits
inline constexpr std::uint16_t kChangeListCapacity = 50;

struct ProjectDataSet {
  std::array<std::uint8_t, kStorageSize> storage;
  std::array<ChangeEntry, kChangeListCapacity> change_list0;
  std::array<ChangeEntry, kChangeListCapacity> change_list1;
  std::uint16_t change_count0;
  std::uint16_t change_count1;
};

inline constexpr std::uint8_t kDataSetSlots = 4;

// Slot n of DataSetTable (null for the empty slots 2 and 3 or beyond).
ProjectDataSet* DataSetSlot(std::uint8_t set);
std::uint8_t LastDataSetIndex();

std::uint8_t InitDataSet(std::uint8_t set);
std::uint16_t GetFileTypeCode(std::uint8_t set);
std::uint16_t ConvertToProjectType(std::uint16_t kind, std::uint8_t set);
std::uint8_t ResetRecord300Defaults(std::uint8_t set);
std::uint8_t StampLayoutVersion(std::uint8_t set);

// Reference to an element's storage; null when the set is above LastDataSetIndex or the element is absent.
std::uint8_t* ElementAddress(std::uint16_t record, std::uint16_t element, std::uint8_t set);
// 0, or 1 when the type has size 0. Strings copy up to their terminator and are always terminated in size.
std::uint8_t CopyValueByType(const void* source, void* destination, std::uint8_t type);

// File kinds held in element 0 of record 302.
inline constexpr std::uint16_t kFileKindProject = 17;
inline constexpr std::uint16_t kFileKindReverseDoc = 18;
inline constexpr std::uint16_t kFileKindConfiguration = 19;

inline constexpr std::uint8_t kDefaultStringCount = 48;
// DefaultStringTable[index]; null beyond the table.
const char* DefaultString(std::uint8_t index);

// The default image of a record (RecordDefaultTable, records sharing an image resolved); null when none.
const std::uint8_t* RecordDefaultImage(std::uint16_t record);

// One row of RecordDefaultTable: the record and the record whose image it shares (itself for the first of a
// group; 0 when the record has no image).
struct RecordDefaultRow {
  std::uint16_t record;
  std::uint16_t image_record;
};
std::span<const RecordDefaultRow> RecordDefaultTable();

// Runs the after-write action that the layout row of (record, element) names: 3 for an absent element, 12 for
// an action index beyond ActionTable, else the action's status.
std::uint8_t RunElementAction(std::uint16_t record, std::uint16_t element, std::uint8_t set);

}  // namespace model
