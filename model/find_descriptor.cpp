// FindDescriptor: the descriptor of an element, searched through the menu lists in list order.
#include "model/descriptor.h"
#include "model/menu_list_table.h"

namespace model {

const ParameterDescriptor* FindDescriptor(std::uint16_t record, std::uint16_t element) {
  constexpr std::size_t kMaxRowsPerList = 255;
  for (const MenuListSlot& slot : MenuListTable()) {
    if (!slot.used || !slot.rows) continue;
    const bool overridden = slot.override_record != 0 && slot.override_record == record;
    for (std::size_t i = 0; i < kMaxRowsPerList && slot.rows[i].record != 0; ++i) {
      const ParameterDescriptor& row = slot.rows[i];
      if (row.element == element && (overridden || row.record == record)) return &row;
    }
  }
  return nullptr;
}

}  // namespace model
