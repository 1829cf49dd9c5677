// Reading and setting menu-skip marks in record 11, the kept copies for the dialogs, and the touch that flags
// the data set as changed.
#include "model/menu_skip.h"

#include <array>
#include <optional>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/menu_catalogue.h"
#include "model/menu_groups.h"

namespace model {
namespace {

using SkipBytes = std::array<std::uint8_t, kMenuSkipBytes>;

std::array<std::optional<SkipBytes>, 2> g_kept;

bool ReadMarks(std::uint8_t set, SkipBytes* marks) {
  return RecordSize(kMenuSkipRecord) == kMenuSkipBytes &&
         ReadRecord(kMenuSkipRecord, marks->data(), kModeRaw, set) == 0;
}

bool WriteMarks(std::uint8_t set, const SkipBytes& marks) {
  return WriteRecord(kMenuSkipRecord, marks.data(), kModeRaw, set) == 0;
}

// Parameter numbers beyond the record have no mark.
bool IsMarked(const SkipBytes& marks, std::uint16_t parameter) {
  const std::size_t byte = parameter / 8u;
  return byte < marks.size() && ((marks[byte] >> (parameter % 8u)) & 1u) != 0;
}

bool SetMark(SkipBytes* marks, std::uint16_t parameter, bool on) {
  const std::size_t byte = parameter / 8u;
  if (byte >= marks->size()) return false;
  const auto bit = static_cast<std::uint8_t>(1u << (parameter % 8u));
  (*marks)[byte] = static_cast<std::uint8_t>(on ? (*marks)[byte] | bit : (*marks)[byte] & ~bit);
  return true;
}

// The entry of a code among all entries of its group; null for an unavailable group or an unknown code.
const MenuCatalogEntry* FindEntryByCode(std::uint8_t set, std::string_view code) {
  if (code.size() < 3 || IsMenuGroupAvailable(set, code[0]) != 1) return nullptr;
  for (const MenuCatalogEntry& entry : MenuGroupEntries(code[0])) {
    if (entry.text[1] == code[1] && entry.text[2] == code[2]) return &entry;
  }
  return nullptr;
}

std::uint8_t SetEntryMark(std::uint8_t set, const MenuCatalogEntry& entry, std::uint8_t value) {
  if (value > 1) return 6;
  SkipBytes marks{};
  if (!ReadMarks(set, &marks)) return 2;
  const auto group = MenuGroupEntries(entry.text[0]);
  const MenuCatalogEntry& heading = group.front();
  if (&entry != &heading && IsMarked(marks, heading.parameter)) return 6;
  if (!SetMark(&marks, entry.parameter, value == 1)) return 5;
  return WriteMarks(set, marks) ? 0 : 2;
}

}  // namespace

std::uint8_t GetMenuSkipState(std::uint8_t set, std::string_view code, std::uint8_t* state) {
  const MenuCatalogEntry* entry = FindEntryByCode(set, code);
  if (!entry) return 5;
  SkipBytes marks{};
  if (!ReadMarks(set, &marks)) return 2;
  const MenuCatalogEntry& heading = MenuGroupEntries(code[0]).front();
  const std::uint8_t result = IsMarked(marks, heading.parameter) ? kSkipGroupMarked
                              : IsMarked(marks, entry->parameter) ? kSkipMarked
                                                                  : kSkipNotMarked;
  if (state) *state = result;
  return 0;
}

std::uint8_t ListMenuEntriesWithSkip(std::uint8_t set, char letter, std::uint8_t* count,
                                     std::span<std::uint8_t> states) {
  if (count) *count = 0;
  if (IsMenuGroupAvailable(set, letter) != 1) return 5;
  const auto group = MenuGroupEntries(letter);
  if (group.empty()) return 5;
  SkipBytes marks{};
  if (!ReadMarks(set, &marks)) return 2;
  const bool group_marked = IsMarked(marks, group.front().parameter);
  const std::uint8_t family = GetDeviceFamily(set);
  std::size_t written = 0;
  if (!states.empty()) states[written++] = group_marked ? kSkipGroupMarked : kSkipNotMarked;
  for (const MenuCatalogEntry& entry : group.subspan(1)) {
    if (written == states.size() || written == 255) break;
    if (!IsMenuEntryVisible(entry, family)) continue;
    states[written++] = group_marked                       ? kSkipGroupMarked
                        : IsMarked(marks, entry.parameter) ? kSkipMarked
                                                           : kSkipNotMarked;
  }
  if (count) *count = static_cast<std::uint8_t>(written);
  return 0;
}

std::uint8_t SetMenuSkip(std::uint8_t set, std::string_view code, std::uint8_t value) {
  const MenuCatalogEntry* entry = FindEntryByCode(set, code);
  if (!entry) return 5;
  return SetEntryMark(set, *entry, value);
}

std::uint8_t SetMenuSkipByIndex(std::uint8_t set, char letter, std::uint16_t n, std::uint8_t value) {
  const MenuCatalogEntry* entry = VisibleMenuEntry(set, letter, n);
  if (!entry) return 5;
  return SetEntryMark(set, *entry, value);
}

std::uint8_t SaveMenuSkipMarks(std::uint8_t set) {
  if (set > 1) return 1;
  SkipBytes marks{};
  if (!ReadMarks(set, &marks)) return 2;
  g_kept[set] = marks;
  return 0;
}

std::uint8_t RestoreMenuSkipMarks(std::uint8_t set) {
  if (set > 1) return 1;
  if (!g_kept[set]) return 0;
  return WriteMarks(set, *g_kept[set]) ? 0 : 2;
}

std::uint8_t TouchMenuSkipRecord(std::uint8_t set) {
  std::uint8_t old_value = 0;
  if (ReadElement(kMenuSkipRecord, 0, &old_value, kModeRaw, set) != 0) return 2;
  const double complement = static_cast<double>(static_cast<std::uint8_t>(~old_value));
  const std::uint8_t touched = WriteElement(kMenuSkipRecord, 0, &complement, kModeConverted, set);
  const std::uint8_t restored = WriteElement(kMenuSkipRecord, 0, &old_value, kModeRaw, set);
  return touched == 0 && restored == 0 ? 0 : 2;
}

}  // namespace model
