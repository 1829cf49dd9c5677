// Saving a file slot under a name the user chooses (the close question's "Yes").
#pragma once

#include <cstdint>

namespace app {

// Asks for a file name in the save dialog ("Projecting-file" or "Reverse-docu.-file" by the set's kind) and
// writes the data set there, with a backup copy of a file it replaces. True when the file was written; false
// when the user cancelled or the write failed (shown).
bool SaveFileSlotAs(std::uint8_t set);

}  // namespace app
