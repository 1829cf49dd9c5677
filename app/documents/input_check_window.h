// The input check of a data set and its modeless result window (template 42), which lists the wrong parameters
// while it is open.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// RunInputCheck results.
inline constexpr std::uint8_t kInputCheckClean = 0;  // no finding (an open result window closes)
inline constexpr std::uint8_t kInputCheckFound = 1;  // findings shown, or the check could not be run in full

// Size of the error buffer that holds the check's lines while the window is open.
inline constexpr std::size_t kInputCheckBufferSize = 10000;

// Checks the data set (wait cursor). Findings open the result window, or raise and refill the open one; none
// closes an open window. A check that could not run in full, or a buffer that could not be had, is a finding
// too: the caller asks before going on.
std::uint8_t RunInputCheck(std::uint8_t set);

}  // namespace app
