// The common message handling of the modeless result windows.
#include "app/documents/result_window.h"

#include <iterator>

#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"

namespace app {
namespace {

void CloseWindow(const ResultWindowKind& kind, HWND window) {
  if (kind.release && !kind.release()) return;  // the window stays while what it holds cannot be given back
  if (ModelessWindow(kind.slot) == window) ModelessWindow(kind.slot) = nullptr;
  DestroyWindow(window);
}

}  // namespace

INT_PTR ResultWindowMessage(const ResultWindowKind& kind, HWND window, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_INITDIALOG:
      ModelessWindow(kind.slot) = window;
      PlaceDialog(window, kind.place_x, kind.place_y);
      SendDlgItemMessage(window, kind.list, EM_SETTABSTOPS, std::size(kResultListTabStops),
                         reinterpret_cast<LPARAM>(kResultListTabStops));
      kind.fill(window);
      SetFocus(GetDlgItem(window, IDOK));  // not the list, which would show all of its text selected
      return FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kind.help, kind.help_low, kind.help_high);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      SetHelpContextFromCommand(kind.help, kind.help_low, kind.help_high, id, HIWORD(wparam));
      if (id == IDOK || id == IDCANCEL) CloseWindow(kind, window);
      return TRUE;
    }
    case WM_CLOSE:
      CloseWindow(kind, window);
      return TRUE;
    case WM_DESTROY:
      // Destroyed with its owner: what it holds goes with it.
      if (ModelessWindow(kind.slot) == window) {
        ModelessWindow(kind.slot) = nullptr;
        if (kind.release) kind.release();
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace app
