// String tables of a module, registered as constant tables and read with LoadString.
#pragma once

#include <span>

#include "platform/sys/wintypes.h"

struct StringTableEntry {
  UINT id;
  const char* text;
};

// The length copied (cut to the buffer, always terminated); 0 when the id has no string.
int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size);
#define LoadStringA LoadString

namespace platform::win {

void RegisterStringTable(HINSTANCE instance, std::span<const StringTableEntry> entries);

}  // namespace platform::win
