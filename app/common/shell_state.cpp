// The window program's process-wide state.
#include "app/common/shell_state.h"

namespace app {

ShellState& Shell() {
  static ShellState state;
  return state;
}

HWND MainWindow() { return Shell().main; }

HWND& ModelessWindow(Modeless kind) { return Shell().modeless[static_cast<std::size_t>(kind)]; }

void ResetShellState() { Shell() = ShellState{}; }

}  // namespace app
