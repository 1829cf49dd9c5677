// The input-check question before a file or a device is written: the check runs, and when it finds wrong values
// the user is asked whether to go on anyway.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// True when the data set passes the input check, or when the user, with the wrong values listed in the result
// window, answers Yes to 13.33 "Wrong values in file. Continue?"; any other answer is false.
bool InputCheckQuestion(HWND main, std::uint8_t set);

}  // namespace app
