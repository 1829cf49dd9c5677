// MenuListTable. PLACEHOLDER until the descriptor lists are written: every slot is unused and refers to the
// one shared empty list.
#include "model/menu_list_table.h"

#include <array>

namespace model {
namespace {

constexpr ParameterDescriptor kEmptyList[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};

constexpr std::array<MenuListSlot, kMenuListSlots> BuildSlots() {
  std::array<MenuListSlot, kMenuListSlots> slots{};
  for (auto& slot : slots) slot = MenuListSlot{kEmptyList, 0, false};
  return slots;
}
constexpr std::array<MenuListSlot, kMenuListSlots> kMenuListSlotsOwn = BuildSlots();

std::span<const MenuListSlot> g_in_force = kMenuListSlotsOwn;

}  // namespace

std::span<const MenuListSlot> MenuListTable() { return g_in_force; }

void SetMenuListTableForTest(std::span<const MenuListSlot> table) {
  g_in_force = table.empty() ? std::span<const MenuListSlot>(kMenuListSlotsOwn) : table;
}

}  // namespace model
