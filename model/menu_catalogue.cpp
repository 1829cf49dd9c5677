// The menu catalogue as data, finding a group by its letter and listing the entries a device family shows.
#include "model/menu_catalogue.h"

#include <algorithm>
#include <string_view>

#include "model/device_identity.h"
#include "model/menu_groups.h"

namespace model {
namespace {

constexpr MenuEntryText PadMenuText(std::string_view text) {
  if (text.size() > kMenuTextSize - 1) throw "menu text longer than 16 characters";
  MenuEntryText padded{};
  for (std::size_t i = 0; i + 1 < kMenuTextSize; ++i) padded[i] = i < text.size() ? text[i] : ' ';
  padded[kMenuTextSize - 1] = '\0';
  return padded;
}

constexpr std::array<MenuCatalogEntry, kMenuCatalogueEntries + 1> kCatalogue = {{
#define MENU_ENTRY(text, parameter, family1, family2, family3) \
  MenuCatalogEntry{PadMenuText(text), parameter, {family1, family2, family3}},
#include "model/data/menu_catalogue.def"
#undef MENU_ENTRY
    MenuCatalogEntry{},
}};
static_assert(kCatalogue.back().parameter == 0 && kCatalogue.back().text[0] == '\0');
static_assert(kCatalogue[kMenuCatalogueEntries - 1].parameter != 0, "496 entries before the end entry");

constexpr MenuGroupRow kGroups[] = {
#define MENU_GROUP(letter, first_letter) MenuGroupRow{letter, first_letter},
#include "model/data/menu_groups.def"
#undef MENU_GROUP
};

bool IsEndEntry(const MenuCatalogEntry& entry) { return entry.parameter == 0 && entry.text[0] == '\0'; }

}  // namespace

std::span<const MenuCatalogEntry, kMenuCatalogueEntries + 1> MenuCatalogue() { return kCatalogue; }

std::span<const MenuGroupRow> MenuGroupTable() { return kGroups; }

bool IsMenuEntryVisible(const MenuCatalogEntry& entry, std::uint8_t family) {
  const std::size_t column = family == 2 || family == 3 ? family - 1u : 0u;
  return entry.levels[column] >= kMenuVisibleLevel;
}

std::span<const MenuCatalogEntry> MenuGroupEntries(char letter) {
  const auto* first = kCatalogue.begin();
  while (!IsEndEntry(*first) && first->text[0] != letter) ++first;
  if (IsEndEntry(*first)) return {};
  const auto* last = first;
  while (!IsEndEntry(*last) && last->text[0] == letter) ++last;
  return {first, last};
}

std::uint8_t GroupLetterToIndex(char letter) {
  if (letter >= 'A' && letter <= 'J') return static_cast<std::uint8_t>(letter - 'A');
  return letter == 'L' ? 10 : 11;
}

std::uint16_t CountMenuEntries(char letter, std::uint8_t set) {
  if (IsMenuGroupAvailable(set, letter) != 1) return 0;
  const std::uint8_t family = GetDeviceFamily(set);
  const auto group = MenuGroupEntries(letter);
  return static_cast<std::uint16_t>(
      std::count_if(group.begin(), group.end(), [family](const auto& e) { return IsMenuEntryVisible(e, family); }));
}

const MenuCatalogEntry* VisibleMenuEntry(std::uint8_t set, char letter, std::uint16_t n) {
  if (n == 0 || IsMenuGroupAvailable(set, letter) != 1) return nullptr;
  const std::uint8_t family = GetDeviceFamily(set);
  std::uint16_t seen = 0;
  for (const MenuCatalogEntry& entry : MenuGroupEntries(letter)) {
    if (IsMenuEntryVisible(entry, family) && ++seen == n) return &entry;
  }
  return nullptr;
}

std::uint8_t GetMenuEntryText(std::uint8_t set, char letter, std::uint16_t n, std::span<char> out) {
  const MenuCatalogEntry* entry = VisibleMenuEntry(set, letter, n);
  if (!entry || out.empty()) return 5;
  const std::size_t length = std::min(out.size() - 1, kMenuTextSize - 1);
  std::copy_n(entry->text.begin(), length, out.begin());
  out[length] = '\0';
  return 0;
}

std::uint8_t ListMenuEntries(std::uint8_t set, char letter, std::uint8_t* count, std::span<MenuEntryText> out) {
  if (count) *count = 0;
  if (IsMenuGroupAvailable(set, letter) != 1) return 5;
  const std::uint8_t family = GetDeviceFamily(set);
  std::size_t filled = 0;
  for (const MenuCatalogEntry& entry : MenuGroupEntries(letter)) {
    if (filled == out.size() || filled == 255) break;
    if (IsMenuEntryVisible(entry, family)) out[filled++] = entry.text;
  }
  if (count) *count = static_cast<std::uint8_t>(filled);
  return 0;
}

}  // namespace model
