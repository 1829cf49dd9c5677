// Menu-skip marks: one bit per inverter parameter number in record 11 (bit p mod 8 of byte p / 8). A mark on a
// group heading's parameter skips the whole group.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace model {

inline constexpr std::uint16_t kMenuSkipRecord = 11;
inline constexpr std::uint16_t kMenuSkipBytes = 68;

// Skip states as the menu-skip listings give them.
inline constexpr std::uint8_t kSkipNotMarked = 0;
inline constexpr std::uint8_t kSkipMarked = 1;
inline constexpr std::uint8_t kSkipGroupMarked = 2;

// The entry of a code within its group ("A00", a heading "A.."): the group letter and the next two characters.
// Every entry of the group is found, also those the data set's device family does not show.
// 0 with the state: 2 the group heading is marked, else 1 marked, 0 not; 5 unknown or unavailable group or code;
// 2 record 11 cannot be read.
std::uint8_t GetMenuSkipState(std::uint8_t set, std::string_view code, std::uint8_t* state);

// 0; states[0] is 2 when the heading is marked, else 0; then one state per visible entry after the heading
// (2 when the heading is marked, else its own mark). count = the states written (1 + visible entries after the
// heading, at most states.size()). 5 unavailable group, 2 read failure.
std::uint8_t ListMenuEntriesWithSkip(std::uint8_t set, char letter, std::uint8_t* count,
                                     std::span<std::uint8_t> states);

// Value 1 sets and 0 clears the entry's mark (record 11 raw, no change list entry): 0; 6 another value, or an
// entry that is not the heading while its group heading is marked; 5 unknown group or code; 2 record 11 cannot
// be read or written.
std::uint8_t SetMenuSkip(std::uint8_t set, std::string_view code, std::uint8_t value);
// The same for the n-th visible entry of the group (from 1, heading included).
std::uint8_t SetMenuSkipByIndex(std::uint8_t set, char letter, std::uint16_t n, std::uint8_t value);

// Kept copies of record 11 for data sets 0 and 1, taken when a menu-skip dialog opens and given back on cancel:
// 0; 1 another set; 2 record 11 cannot be read or written. Restoring without a kept copy changes nothing.
std::uint8_t SaveMenuSkipMarks(std::uint8_t set);
std::uint8_t RestoreMenuSkipMarks(std::uint8_t set);

// Marks the data set as changed without changing the marks: a converted write (mode 5) of the complement of
// element 0 of record 11, so the change list and the element's after-write action see it, then the old value
// written back raw. 0, or 2 when either write fails (element 0 then keeps its old value).
std::uint8_t TouchMenuSkipRecord(std::uint8_t set);

}  // namespace model
