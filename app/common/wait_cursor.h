// The hourglass during long work. Calls do not nest: the first EndWaitCursor puts the old cursor back.
#pragma once

namespace app {

void BeginWaitCursor();
void EndWaitCursor();

}  // namespace app
