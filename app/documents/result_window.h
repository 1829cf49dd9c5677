// The message handling the two modeless result windows (comparison, input check) share: a list, its count and
// OK; placed on opening with OK focused, the help context kept on their controls, closed by OK, Cancel or the
// window manager.
#pragma once

#include "app/common/shell_state.h"
#include "platform/win/edit_tab_stops.h"
#include "platform/win/win.h"

namespace app {

struct ResultWindowKind {
  Modeless slot;             // where the open window is kept
  std::uint16_t help;        // the template, the help context outside the controls
  int help_low, help_high;   // the controls that are help contexts of their own
  int place_x, place_y;      // PlaceDialog's
  void (*fill)(HWND);        // fills list and count on WM_INITDIALOG
  bool (*release)();         // gives back what the window holds; false keeps it open (nullptr: nothing held)
  int list;                  // the list, whose lines hold tab-separated columns
};

// The list's tab stops in dialog units: the first value column after the parameter names, the second after the
// first value (wide enough for a value with its unit).
inline constexpr int kResultListTabStops[] = {130, 215};

// The dialog procedure's body for `kind`.
INT_PTR ResultWindowMessage(const ResultWindowKind& kind, HWND window, UINT message, WPARAM wparam);

}  // namespace app
