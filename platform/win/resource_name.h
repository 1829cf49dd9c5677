// The key a resource or property name is filed under: a number (MAKEINTRESOURCE) as "#n", a text as it is
// compared, without regard to case.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"

namespace platform::win {

// "#n" for a name that is a number.
std::string ResourceNumberKey(LPCSTR name);
// "" for none, "#n" for a number, else the name in upper case.
std::string ResourceNameKey(LPCSTR name);

}  // namespace platform::win
