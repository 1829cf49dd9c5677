// Running a page template as a modal dialog under its template number (so that it is found by its number while
// it runs), in the layout of the list it binds.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// Registers the page's template for `list` (0: its layout list) under its number and runs it modal on owner.
// -1 when the number is no page.
INT_PTR PageDialogBox(int number, std::uint8_t list, HWND owner, DLGPROC proc, LPARAM init = 0);

}  // namespace app
