// The constant catalogue of the inverter's keypad menu: entry texts, parameter numbers and menu levels per
// device family, and the listing of the entries a data set's device shows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace model {

inline constexpr std::size_t kMenuTextSize = 17;  // 16 characters padded with blanks, and the terminator
using MenuEntryText = std::array<char, kMenuTextSize>;

struct MenuCatalogEntry {
  MenuEntryText text;                // "A00 save param.  ", a heading "A.. inverter     "
  std::uint16_t parameter;           // inverter parameter number, also the bit of its skip mark
  std::array<std::uint8_t, 3> levels;  // menu level in device family 1, 2, 3; 0 absent
};

inline constexpr std::size_t kMenuCatalogueEntries = 496;
inline constexpr std::uint8_t kMenuVisibleLevel = 3;  // an entry shows from this level on
inline constexpr std::size_t kMenuGroupSlots = 80;    // entries of the largest group fit (J has 79)

// The catalogue in menu order, then its all-zero end entry.
std::span<const MenuCatalogEntry, kMenuCatalogueEntries + 1> MenuCatalogue();

// One group of the inverter's menu and the first firmware version letter that offers it.
struct MenuGroupRow {
  char letter;
  std::uint8_t first_letter;  // 0: from any readable letter; kMenuGroupNever: never
};
inline constexpr std::uint8_t kMenuGroupNever = 255;
std::span<const MenuGroupRow> MenuGroupTable();

// Whether an entry shows for device family 1, 2 or 3 (any other family counts as 1).
bool IsMenuEntryVisible(const MenuCatalogEntry& entry, std::uint8_t family);

// The entries of group `letter` (heading first), whatever the family; empty when the catalogue has no such group.
std::span<const MenuCatalogEntry> MenuGroupEntries(char letter);

// 'A'..'J' 0..9, 'L' 10, any other 11.
std::uint8_t GroupLetterToIndex(char letter);

// Visible entries of the group for the data set's device family, heading included; 0 for an unavailable group.
std::uint16_t CountMenuEntries(char letter, std::uint8_t set);

// The n-th visible entry of the group (from 1, heading included): null when the group is not available or has
// fewer entries.
const MenuCatalogEntry* VisibleMenuEntry(std::uint8_t set, char letter, std::uint16_t n);

// 0 with the text of the n-th visible entry (from 1, heading included), cut to out's size and terminated;
// 5 when the group is not available or has fewer entries (or out is empty).
std::uint8_t GetMenuEntryText(std::uint8_t set, char letter, std::uint16_t n, std::span<char> out);

// 0 with the texts of the visible entries, one a slot; count is the number of slots filled (never more than
// out holds). 5 for an unavailable group.
std::uint8_t ListMenuEntries(std::uint8_t set, char letter, std::uint8_t* count, std::span<MenuEntryText> out);

}  // namespace model
