// Save as for one file slot: the file commands' Save as on that slot.
#include "app/documents/file_save.h"

#include "app/documents/file_commands.h"

namespace app {

bool SaveFileSlotAs(std::uint8_t set) { return SaveSlotAs(set) == 0; }

}  // namespace app
