// Help context bookkeeping and the help commands.
#include "app/common/help_context.h"

#include "app/common/shell_state.h"
#include "model/message_show.h"

namespace app {
namespace {

std::uint16_t g_context = kMainHelpContext;

// "Help-system can not be initialized."
constexpr std::int8_t kHelpNoticeGroup = 9;
constexpr std::int32_t kHelpNoticeNumber = 9;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Clicks and menu commands (0), set- and kill-focus of lists and combo boxes (3, 4) and an edit's set-focus.
bool SetsHelpContext(std::uint16_t notification) {
  return notification == 0 || notification == 3 || notification == 4 || notification == 256;
}

bool g_notice_open = false;  // the box below is open

// There is no help viewer: the request is only recorded. The first one of a run says so; a user who pressed F1
// again knows it already. While the box is open, F1 still held asks again as the box's loop idles: that is the
// same request, neither recorded nor shown twice.
void RequestHelp(HWND window, UINT command, DWORD data) {
  if (g_notice_open) return;
  WinHelp(window, kHelpFile, command, data);
  bool& shown = Shell().help_notice_shown;
  if (shown) return;
  shown = true;
  g_notice_open = true;
  model::ShowMessage(model::kShowModal, kHelpNoticeGroup, kHelpNoticeNumber);
  g_notice_open = false;
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

void ShowHelpIndex() { RequestHelp(MainWindow(), HELP_CONTENTS, 0); }

void ShowHelp(HWND window, UINT command, DWORD data) { RequestHelp(window, command, data); }

void QuitHelp(HWND window) { WinHelp(window, nullptr, HELP_QUIT, 0); }

void PostHelpIfF1Held() {
  if (GetKeyState(VK_F1) < 0 && MainWindow() != nullptr) PostMessage(MainWindow(), WM_COMMAND, kHelpForActiveWindow, 0);
}

void CommandHelpContents(HWND /*main*/, UINT /*id*/) { ShowHelpIndex(); }

void CommandHelpOnHelp(HWND main, UINT /*id*/) { ShowHelp(main, HELP_HELPONHELP, 0); }

}  // namespace app
