// MenuListTable built from the descriptor rows of menu_lists.def: each list's rows lie back to back in one table,
// each followed by its end row; lists that show another list's rows for another record share those rows.
#include "model/menu_list_table.h"

#include <array>
#include <cstddef>

namespace model {

const char kRampUnitHz[] = "s/150Hz*D98";
const char kRampUnitRpm[] = "ms/3000rpm";
const char kUnitPosition[] = "unit";
const char kUnitPositionPerS[] = "unit/s";
const char kUnitPositionPerS2[] = "unit/s\xB2";

namespace {

#define ZPR_CAT2(a, b) a##b
#define ZPR_CAT(a, b) ZPR_CAT2(a, b)

// Pass 1: one text list per row, named after the row's line. The lists are writable so that LoadMenuList can
// switch a ramp unit text in place (the shared text list of that descriptor).
#define DESC(list, record, element, kind, selector, flag, converter, parameter, ...) \
  const char* ZPR_CAT(kTexts, __LINE__)[] = {__VA_ARGS__, ""};
#include "model/data/menu_lists.def"
#undef DESC

struct SourceRow {
  std::uint8_t list;
  ParameterDescriptor row;
};

// Pass 2: the rows in file order, with their list number.
constexpr SourceRow kSource[] = {
#define DESC(list, record, element, kind, selector, flag, converter, parameter, ...) \
  {list, {record, element, kind, selector, flag, converter, parameter, ZPR_CAT(kTexts, __LINE__)}},
#include "model/data/menu_lists.def"
#undef DESC
};
constexpr std::size_t kSourceRows = std::size(kSource);

#undef ZPR_CAT
#undef ZPR_CAT2

// A list that shows the rows of another list (its source) for another record.
struct SharedList {
  std::uint8_t list;
  std::uint8_t source;
  std::uint16_t override_record;
};
constexpr SharedList kShared[] = {
#define MENU_LIST_SHARE(list, source, override_record) {list, source, override_record},
#include "model/data/menu_list_shares.def"
#undef MENU_LIST_SHARE
};

// Lists that are in use although they hold no row.
constexpr std::uint8_t kUsedEmptyLists[] = {57};

constexpr std::size_t CountLists() {
  std::size_t lists = 0;
  for (std::size_t i = 0; i < kSourceRows; ++i) {
    if (i == 0 || kSource[i - 1].list != kSource[i].list) ++lists;
  }
  return lists;
}
constexpr std::size_t kListsWithRows = CountLists();

// Rows of a list come in one run, lists in rising order, each list within the buffer of LoadMenuList, no row
// with record 0 (it would end its list early) and every list number a slot of the table.
constexpr bool SourceIsWellFormed() {
  std::size_t run = 0;
  for (std::size_t i = 0; i < kSourceRows; ++i) {
    if (kSource[i].list >= kMenuListSlots || kSource[i].row.record == 0 || kSource[i].row.texts == nullptr) {
      return false;
    }
    if (i > 0 && kSource[i].list < kSource[i - 1].list) return false;
    run = (i > 0 && kSource[i - 1].list == kSource[i].list) ? run + 1 : 1;
    if (run > kMenuListMaxRows) return false;
  }
  return true;
}
static_assert(SourceIsWellFormed(),
              "menu_lists.def: lists must be in rising order, each at most 98 rows, no row with record 0");

constexpr ParameterDescriptor kEndRow{0, 0, 0, 0, 0, 0, 0.0, nullptr};

using RowTable = std::array<ParameterDescriptor, kSourceRows + kListsWithRows + 1>;

// The rows with an end row after each list; the last entry is the shared empty list.
constexpr RowTable BuildRows() {
  RowTable rows{};
  std::size_t out = 0;
  for (std::size_t i = 0; i < kSourceRows; ++i) {
    rows[out++] = kSource[i].row;
    if (i + 1 == kSourceRows || kSource[i + 1].list != kSource[i].list) rows[out++] = kEndRow;
  }
  rows[out] = kEndRow;
  return rows;
}
constexpr RowTable kRows = BuildRows();
constexpr std::size_t kEmptyListIndex = kRows.size() - 1;

// Index in kRows of the first row of each list that has rows; kEmptyListIndex for the others.
constexpr std::array<std::size_t, kMenuListSlots> BuildFirstRows() {
  std::array<std::size_t, kMenuListSlots> first{};
  first.fill(kEmptyListIndex);
  std::size_t out = 0;
  for (std::size_t i = 0; i < kSourceRows; ++i) {
    if (i == 0 || kSource[i - 1].list != kSource[i].list) first[kSource[i].list] = out;
    ++out;
    if (i + 1 == kSourceRows || kSource[i + 1].list != kSource[i].list) ++out;
  }
  return first;
}
constexpr std::array<std::size_t, kMenuListSlots> kFirstRows = BuildFirstRows();

constexpr bool HasRows(std::uint8_t list) { return kFirstRows[list] != kEmptyListIndex; }

constexpr bool SharesAreWellFormed() {
  for (const SharedList& s : kShared) {
    if (s.list >= kMenuListSlots || s.source >= kMenuListSlots || HasRows(s.list) || !HasRows(s.source) ||
        s.override_record == 0) {
      return false;
    }
  }
  return true;
}
static_assert(SharesAreWellFormed(),
              "menu_list_shares.def: a shared list must have no rows of its own and its source must have rows");

struct SlotSource {
  std::size_t first_row;
  std::uint16_t override_record;
  bool used;
};

constexpr std::array<SlotSource, kMenuListSlots> BuildSlotSources() {
  std::array<SlotSource, kMenuListSlots> slots{};
  for (std::size_t list = 0; list < kMenuListSlots; ++list) {
    slots[list] = {kFirstRows[list], 0, HasRows(static_cast<std::uint8_t>(list))};
  }
  for (const SharedList& s : kShared) slots[s.list] = {kFirstRows[s.source], s.override_record, true};
  for (std::uint8_t list : kUsedEmptyLists) slots[list] = {kEmptyListIndex, 0, true};
  return slots;
}
constexpr std::array<SlotSource, kMenuListSlots> kSlotSources = BuildSlotSources();

constexpr std::array<MenuListSlot, kMenuListSlots> BuildSlots() {
  std::array<MenuListSlot, kMenuListSlots> slots{};
  for (std::size_t list = 0; list < kMenuListSlots; ++list) {
    const SlotSource& s = kSlotSources[list];
    slots[list] = MenuListSlot{&kRows[s.first_row], s.override_record, s.used};
  }
  return slots;
}
constexpr std::array<MenuListSlot, kMenuListSlots> kMenuListSlotsOwn = BuildSlots();

std::span<const MenuListSlot> g_in_force = kMenuListSlotsOwn;

}  // namespace

std::span<const MenuListSlot> MenuListTable() { return g_in_force; }

std::span<const MenuListSlot> OwnMenuListTable() { return kMenuListSlotsOwn; }

void SetMenuListTableForTest(std::span<const MenuListSlot> table) {
  g_in_force = table.empty() ? std::span<const MenuListSlot>(kMenuListSlotsOwn) : table;
}

}  // namespace model
