// The nesting wait cursor: the first Begin shows the wait cursor, the End that matches the first Begin brings
// the cursor back that was shown before. An End without a Begin does nothing.
#pragma once

namespace afx {

void AfxBeginWaitCursor();
void AfxEndWaitCursor();
// Begins still open.
int AfxWaitCursorCount();

class CWaitCursor {
 public:
  CWaitCursor() { AfxBeginWaitCursor(); }
  ~CWaitCursor() { AfxEndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace afx
