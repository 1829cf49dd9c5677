// The nesting wait cursor.
#include "platform/afx/wait_cursor.h"

#include "platform/win/cursor.h"

namespace afx {
namespace {

int g_count = 0;
HCURSOR g_before = nullptr;

}  // namespace

void AfxBeginWaitCursor() {
  if (g_count++ == 0) g_before = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void AfxEndWaitCursor() {
  if (g_count == 0) return;
  if (--g_count == 0) ::SetCursor(g_before ? g_before : ::LoadCursor(nullptr, IDC_ARROW));
}

int AfxWaitCursorCount() { return g_count; }

}  // namespace afx
