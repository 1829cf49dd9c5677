// The status bar and the menu hints.
#include "app/shell/status_line.h"

#include <array>
#include <cstdio>

#include "app/common/help_context.h"
#include "app/documents/file_titles.h"
#include "app/shell/application_start.h"
#include "app/shell/main_window.h"

namespace app {
namespace {

constexpr UINT kMenuClosed = 0xFFFF;
constexpr UINT kLastHintId = 2499;
constexpr int kHintCapacity = 101;

HWND g_status = nullptr;
bool g_context_saved = false;
std::uint16_t g_saved_context = 0;

void SaveContextOnce() {
  if (g_context_saved) return;
  g_saved_context = GetHelpContext();
  g_context_saved = true;
}

}  // namespace

bool CreateStatusBar(HWND main) {
  g_status = CreateStatusWindow(WS_CHILD | WS_VISIBLE | WS_BORDER, kStatusBarSample, main, kStatusBarId);
  if (g_status == nullptr) return false;
  SetStatusText(kStatusBarStart);
  return true;
}

HWND StatusBar() { return IsWindow(g_status) ? g_status : nullptr; }

void SetStatusText(const char* text) {
  if (HWND bar = StatusBar()) SendMessage(bar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ForwardSizeToStatusBar(WPARAM wparam, LPARAM lparam) {
  if (HWND bar = StatusBar()) SendMessage(bar, WM_SIZE, wparam, lparam);
}

void MainOnMenuSelect(HWND /*main*/, UINT item, UINT flags, HMENU menu) {
  if (flags == kMenuClosed && menu == nullptr) {
    if (g_context_saved) SetHelpContext(g_saved_context);
    g_context_saved = false;
    UpdateStatusLine();
    return;
  }
  // A pop-up of the bar is named by its position, not by a command: it shows the program line like the
  // system menu does.
  if ((flags & MF_SYSMENU) != 0 || (flags & MF_POPUP) != 0 || item == 0) {
    SaveContextOnce();
    SetHelpContext(kSystemMenuHelpContext);
    std::array<char, 160> text{};
    std::snprintf(text.data(), text.size(), "  %s    %s  %s  ", kCompanyLine, kMainWindowCaption, kProgramVersion);
    SetStatusText(text.data());
    return;
  }
  if (item > kLastHintId) return;
  SaveContextOnce();
  SetHelpContext(static_cast<std::uint16_t>(item));
  std::array<char, kHintCapacity> hint{};
  LoadString(AppInstance(), item, hint.data(), kHintCapacity);
  SetStatusText(hint.data());
}

}  // namespace app
