// Tab stops as text output and edit controls use them: none = every 8 average character widths, one = that
// spacing, more = those positions (past the last one, every 8 average widths again). Stops are measured from
// origin; a negative stop counts as its size.
#pragma once

namespace platform::gdi {

int NextTabStop(int x, int origin, int count, const int* stops, int average_width);

}  // namespace platform::gdi
