// MenuListTable: 147 numbered lists of descriptors (each ended by a row whose record is 0), with an optional
// record override that shows a list's rows for another record.
#pragma once

#include <cstdint>
#include <span>

#include "model/descriptor.h"

namespace model {

struct MenuListSlot {
  const ParameterDescriptor* rows;  // never null: unused slots refer to one shared empty list
  std::uint16_t override_record;    // 0: none
  bool used;
};

inline constexpr std::size_t kMenuListSlots = 147;
inline constexpr std::size_t kMenuListMaxRows = kMenuListBufferEntries - 1;  // rows before the end row

std::span<const MenuListSlot> MenuListTable();

// Tests: search another table (empty span restores the program's own).
void SetMenuListTableForTest(std::span<const MenuListSlot> table);

// The program's own table, whatever a test has installed.
std::span<const MenuListSlot> OwnMenuListTable();

// The two ramp unit texts that LoadMenuList switches by device family, as the descriptors refer to them.
extern const char kRampUnitHz[];   // "s/150Hz*D98"
extern const char kRampUnitRpm[];  // "ms/3000rpm", device family 2

// The positioning unit texts that ExpandUnitText expands, as the descriptors refer to them.
extern const char kUnitPosition[];         // "unit"
extern const char kUnitPositionPerS[];     // "unit/s"
extern const char kUnitPositionPerS2[];    // "unit/s\xB2"

// Copies list `list` into out (kMenuListBufferEntries entries): the rows with the slot's override record in
// place of theirs and their attribute bytes for data set `set`, then the row that ended the walk (the end row)
// with attributes 0. Kind 1 rows with a ramp unit text get the text of the data set's device family.
// 0, or 1 for a list above LastMenuListIndex.
std::uint8_t LoadMenuList(std::uint8_t list, MenuListEntry* out, std::uint8_t set);

std::uint8_t LastMenuListIndex();  // 146

}  // namespace model
