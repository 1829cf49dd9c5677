// printf-style formatting into a std::string ("%.*f", "%s", "%d", "%X", ...). Numbers always take the point as
// the decimal separator, whatever locale the process has set.
#pragma once

#include <string>

namespace afx {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace afx
