// LoadMenuList: a menu list copied out as entries for one data set, bounded by the caller's 99-entry buffer.
#include "model/device_identity.h"
#include "model/element_attributes.h"
#include "model/menu_list_table.h"

namespace model {
namespace {

// Only the program's own ramp texts are switched: the text lists that refer to them are writable, a text list
// of another table (a test's) that merely holds an equal text is left alone.
bool IsRampUnit(const char* text) { return text == kRampUnitHz || text == kRampUnitRpm; }

// The descriptor's unit text is switched in its shared text list, as the pages read it from there.
void SwitchRampUnit(const ParameterDescriptor& row, std::uint8_t family) {
  if (row.kind != 1 || !row.texts || !row.texts[0] || row.texts[0][0] == '\0') return;
  if (!IsRampUnit(row.texts[1])) return;
  const char** texts = const_cast<const char**>(row.texts);
  texts[1] = family == 2 ? kRampUnitRpm : kRampUnitHz;
}

}  // namespace

std::uint8_t LastMenuListIndex() { return static_cast<std::uint8_t>(kMenuListSlots - 1); }

std::uint8_t LoadMenuList(std::uint8_t list, MenuListEntry* out, std::uint8_t set) {
  const auto table = MenuListTable();
  if (list > LastMenuListIndex() || list >= table.size() || !out) return 1;
  const MenuListSlot& slot = table[list];
  const std::uint8_t family = GetDeviceFamily(set);
  std::size_t i = 0;
  // The end row always lands inside the buffer: a list longer than the buffer is cut before its last entry.
  for (; i < kMenuListMaxRows && slot.rows && slot.rows[i].record != 0; ++i) {
    const ParameterDescriptor& row = slot.rows[i];
    const std::uint16_t record = slot.override_record != 0 ? slot.override_record : row.record;
    SwitchRampUnit(row, family);
    out[i] = MenuListEntry{record, row.element, row.kind, GetElementAttributes(record, row.selector, set), row.flag,
                           row.texts};
  }
  out[i] = MenuListEntry{0, 0, 0, 0, 0, nullptr};
  if (slot.rows && slot.rows[i].record == 0) {
    const ParameterDescriptor& end = slot.rows[i];
    out[i] = MenuListEntry{0, end.element, end.kind, 0, end.flag, end.texts};
  }
  return 0;
}

}  // namespace model
