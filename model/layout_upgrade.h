// Bringing a data set from an older layout into the current one, and into the value ranges of its firmware.
#pragma once

#include <cstdint>

namespace model {

// Clamp modes.
inline constexpr std::uint8_t kClampByFirmware = 0;     // variant from the firmware letter of record 304
inline constexpr std::uint8_t kClampByLayoutLetter = 1; // variant from the layout letter of record 4
inline constexpr std::uint8_t kClampNothing = 2;

// Clamps the values of both parameter sets into the ranges of the data set's variant: 0, or 2 when a clamp
// of the variant's steps failed (the steps stop there). Mode 2 does nothing; any other non-zero mode counts
// as mode 1. The family-2 settings of variants 'H' and 'I' are forced only in a family-2 data set.
std::uint8_t ClampDataSetToVariant(std::uint8_t set, std::uint8_t mode);

// Converts a data set written with the layout letter of its record 4 to the layout `target`: 0, 1 for a
// target below 64, 3 when record 4 cannot be read, or the status of the conversion step. A target above 'Q'
// does nothing. After a successful conversion from an older letter record 4 carries the target letter, so a
// data set is converted once however often it is opened.
std::uint8_t UpgradeDataSetLayout(std::uint8_t set, std::uint8_t target);

// Joins the fourteen terminal texts of record 317 (those of more than two characters, each after its label)
// into the 1024-byte text block of record 317; what does not fit is cut at the block's end. 0 or the status
// of the failed read or write.
std::uint8_t MergeTerminalTexts(std::uint8_t set);

// For layouts up to 'F': I02 is cleared unless the option board serves it. 0, or 2 when record 304 or 4
// cannot be read, or the status of the write.
std::uint8_t ClearElementForOldVersions(std::uint8_t set);

// Imports a data set of a layout below 64, whose parameter sets lie in records 254 and 251, into the
// current layout. Old values that would divide by zero leave their targets at the defaults. 0 or a status.
std::uint8_t MoveValuesToNewLayout(std::uint8_t set);

}  // namespace model
