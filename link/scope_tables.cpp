#include "link/scope_tables.h"

#include <array>

#include "model/menu_list_table.h"

namespace ilink {
namespace {

using model::kUnitPosition;
using model::kUnitPositionPerS;

constexpr ScopeSignalRow kSignalTable[] = {
#define SCOPE_SIGNAL(record, element, name, unit, kind, minimum, maximum, letter, developer) \
  {record, element, name, unit, kind, minimum, maximum, letter, developer},
#include "link/data/scope_signals.def"
#undef SCOPE_SIGNAL
    {0, 0, "", "", 0, 0.0f, 0.0f, 0, 0},  // end row
};
static_assert(std::size(kSignalTable) == kScopeSignalRows + 1);
static_assert(kSignalTable[kScopeUserDefinedRow].record == 55 && kSignalTable[kScopeUserDefinedRow].element == 255);

// Rows 0..4 fixed, then one row per signal row 1..125 (kind 2, mode 0, with a level), then three more
// device-state conditions.
constexpr std::array<ScopeTriggerRow, kScopeTriggerRows> BuildTriggerTable() {
  std::array<ScopeTriggerRow, kScopeTriggerRows> t{};
  t[0] = {"directly", 0, 0, 0, 0, 0, 255, 0, 0};
  t[1] = {"never", 0, 0, 0, 1, 0, 255, 0, 0};
  t[2] = {"power-section on", 0, 0, 0, 2, 1, 33, 67, 4};
  t[3] = {"fault", 0, 0, 0, 2, 1, 33, 67, 6};
  t[4] = {"stop", 0, 0, 0, 2, 1, 33, 62, 5};
  std::uint16_t n = kScopeFixedTriggerRows;
  for (std::uint16_t row = 1; row < kScopeSignalRows; ++row, ++n) {
    const ScopeSignalRow& s = kSignalTable[row];
    t[n] = {s.name, row, 1, 1, 2, 0, s.record, s.element, 0};
  }
  t[n++] = {"ready", 0, 0, 0, 2, 1, 33, 67, 2};
  t[n++] = {"warning", 0, 0, 0, 2, 1, 33, 64, 2};
  t[n++] = {"scope stop", 0, 0, 0, 2, 1, 33, 62, 1};
  return t;
}
constexpr std::array<ScopeTriggerRow, kScopeTriggerRows> kTriggerTable = BuildTriggerTable();
static_assert(kTriggerTable[kScopeTriggerRows - 1].name != nullptr);
static_assert(kTriggerTable[kScopeUserDefinedTrigger].signal_row == kScopeUserDefinedRow);

}  // namespace

std::uint8_t ScopeChannelCount() { return kScopeChannels; }
std::uint16_t ScopeSignalListSize() { return kScopeSignalListSize; }
std::uint16_t ScopeTriggerListSize() { return kScopeTriggerRows; }

std::span<const ScopeSignalRow> ScopeSignalTable() { return kSignalTable; }
std::span<const ScopeTriggerRow> ScopeTriggerTable() { return kTriggerTable; }

std::uint16_t FindScopeSignalRow(std::uint16_t record, std::uint16_t element) {
  for (std::uint16_t row = 1; row < kScopeSignalRows; ++row) {
    if (row == kScopeUserDefinedRow) continue;
    if (kSignalTable[row].record == record && kSignalTable[row].element == element) return row;
  }
  return kNoScopeRow;
}

}  // namespace ilink
