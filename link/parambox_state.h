// Module state of the parameter-box link shared by its operations: the settings, the head as last read, the
// written-by-tool flag and the progress delivered to the hook.
#pragma once

#include <array>
#include <cstdint>

#include "link/parambox.h"

namespace ilink {

struct BoxState {
  BoxSettings settings;
  bool settings_loaded = false;
  bool port_open = false;  // the port was opened by OpenParameterBox
  std::array<std::uint8_t, kBoxHeadSize> head{};
  bool head_read = false;  // head taken with a complete contents list
  std::uint8_t written_by_tool = 0;
  std::uint8_t progress = 0;
  BoxProgressHook hook;
};

BoxState& BoxModule();
// Delivers percent (at most 100) to the hook when one is set, and keeps it as the progress.
void DeliverBoxProgress(unsigned percent);

// One entry of the contents list in the head.
struct BoxListEntry {
  std::uint16_t record = 0;
  std::uint16_t address = 0;
};
BoxListEntry BoxListEntryAt(const std::array<std::uint8_t, kBoxHeadSize>& head, std::uint16_t index);
// The index of the end entry (record 0) of the head's list, or kBoxListEntries when it has none.
std::uint16_t BoxListEnd(const std::array<std::uint8_t, kBoxHeadSize>& head);
// The list's block of a record (its address and length = next entry's address - its own): 0 with the block,
// kBoxNotListed when the list does not hold the record, 10 when the block does not fit the box or reaches 512 bytes.
inline constexpr std::uint8_t kBoxNotListed = 255;
std::uint8_t FindBoxBlock(std::uint16_t record, std::uint16_t* address, std::uint16_t* length);
// Reads a box block over a record of the set (read first, so that a shorter block leaves the rest as it was;
// a longer one is cut at the record's size) and stores it back (access mode 9): 0, 4, or 15.
std::uint8_t ReadBoxBlockIntoRecord(std::uint16_t record, std::uint16_t address, std::uint16_t length,
                                    std::uint8_t set);

}  // namespace ilink
