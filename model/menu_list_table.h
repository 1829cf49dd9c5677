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

std::span<const MenuListSlot> MenuListTable();

// Tests: search another table (empty span restores the program's own).
void SetMenuListTableForTest(std::span<const MenuListSlot> table);

}  // namespace model
