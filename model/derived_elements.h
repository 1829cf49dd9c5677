// Elements derived from others after a data set was read from a device or loaded: the firmware version text,
// the operating-time texts, the sorted fault memory and the values of the after-write actions.
#pragma once

#include <cstdint>

namespace model {

// The whole rebuild of one data set: 0, or the first failed read or write, or the status of the last action.
std::uint8_t RebuildDerivedElements(std::uint8_t set);
// The run-time and enable-time texts of record 319.
std::uint8_t FormatOperatingTimes(std::uint8_t set);
// Records 307-316 and 318 from the fault memory 336-345: 1 for a set beyond the last slot, 14 when the layout
// letter (record 4 element 0) is 51 or less (no sortable fault memory), else 0 after sorting.
std::uint8_t SortFaultMemory(std::uint8_t set);

}  // namespace model
