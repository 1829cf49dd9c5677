// Help context bookkeeping and the help commands.
#include "app/common/help_context.h"

#include "app/common/shell_state.h"

namespace app {
namespace {

std::uint16_t g_context = kMainHelpContext;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Clicks and menu commands (0), set- and kill-focus of lists and combo boxes (3, 4) and an edit's set-focus.
bool SetsHelpContext(std::uint16_t notification) {
  return notification == 0 || notification == 3 || notification == 4 || notification == 256;
}

}  // namespace

std::uint16_t GetHelpContext() { return g_context; }

void SetHelpContext(std::uint16_t context) { g_context = context; }

std::uint16_t SetDefaultHelpContext(std::uint16_t fallback, int low, int high) {
  const std::uint16_t previous = g_context;
  if (!InRange(g_context, low, high)) g_context = fallback;
  return previous;
}

std::uint16_t SetHelpContextFromCommand(std::uint16_t fallback, int low, int high, int control_id,
                                        std::uint16_t notification) {
  if (SetsHelpContext(notification)) {
    g_context = InRange(control_id, low, high) ? static_cast<std::uint16_t>(control_id) : fallback;
  }
  return g_context;
}

void ShowHelpIndex() { WinHelp(MainWindow(), kHelpFile, HELP_CONTENTS, 0); }

void ShowHelp(HWND window, UINT command, DWORD data) { WinHelp(window, kHelpFile, command, data); }

void QuitHelp(HWND window) { WinHelp(window, nullptr, HELP_QUIT, 0); }

void CommandHelpContents(HWND /*main*/, UINT /*id*/) { ShowHelpIndex(); }

void CommandHelpOnHelp(HWND main, UINT /*id*/) { ShowHelp(main, HELP_HELPONHELP, 0); }

}  // namespace app
