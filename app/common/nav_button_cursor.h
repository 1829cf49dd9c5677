// The mouse follows Previous/Next: when a page was left with the mouse over its Previous or Next button, the next
// page opens with the mouse over the same button, so that the user can click on through the pages.
#pragma once

#include "platform/win/win.h"

namespace app {

// Notes whether the mouse is over the closing page's Previous button (previous_id) or Next button (next_id).
void RememberNavButton(HWND dialog, int previous_id, int next_id);
// Moves the mouse to the centre of the noted button of the page just opened; the note is used up.
void RestoreNavButtonCursor(HWND dialog, int previous_id, int next_id);
// Drops the note (a page left some other way).
void ForgetNavButton();

}  // namespace app
