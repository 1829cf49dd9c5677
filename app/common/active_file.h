// The file being worked on: File 1 (data set 0) or File 2 (data set 1). Every window reads and writes the
// active file's data set.
#pragma once

#include <cstdint>

namespace app {

// The data set of the file being worked on (0 = File 1, 1 = File 2).
std::uint8_t GetActiveFile();
// Sets the active slot without refreshing (start-up); SelectActiveFile is the command's way.
void SetActiveFile(std::uint8_t set);

}  // namespace app
