// The wait cursor.
#include "app/common/wait_cursor.h"

#include "platform/win/win.h"

namespace app {
namespace {

bool g_waiting = false;
HCURSOR g_kept = nullptr;

}  // namespace

void BeginWaitCursor() {
  if (g_waiting) return;
  g_kept = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  g_waiting = true;
}

void EndWaitCursor() {
  if (!g_waiting) return;
  SetCursor(g_kept);
  g_waiting = false;
}

}  // namespace app
