// Process-wide state of the window program: the main window and menu, the modeless windows by kind, the polling
// interval and protocol state of the online windows, the comment flags and the wait cursor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/win/win.h"

namespace app {

// The modeless windows of the program, one handle each (null while closed).
enum class Modeless : std::size_t {
  kRemoteControl,
  kRemoteControl2,
  kDriveMonitor,
  kControlInterfaceMonitor,
  kProcessDataMonitor,
  kPositioningMonitor,
  kFieldbusMonitor,
  kStatusBits,
  kControlBits,
  kComparisonResult,
  kInputCheckResult,
  kShortUserList,
  kLongUserList,
  kScopeControl,
  kCount,
};
inline constexpr std::size_t kModelessCount = static_cast<std::size_t>(Modeless::kCount);

// The windows whose keyboard navigation the main loop runs, in the order it offers them a message. The control
// bits window, the result windows and the user lists are not among them.
inline constexpr std::array<Modeless, 9> kDialogMessageOrder = {
    Modeless::kRemoteControl,    Modeless::kRemoteControl2,  Modeless::kDriveMonitor,
    Modeless::kControlInterfaceMonitor, Modeless::kProcessDataMonitor, Modeless::kPositioningMonitor,
    Modeless::kFieldbusMonitor,  Modeless::kStatusBits,      Modeless::kScopeControl,
};

struct ShellState {
  HWND main = nullptr;
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  std::array<HWND, kModelessCount> modeless{};
  std::uint8_t protocol_state = 0;  // the protocol monitor dialog's result, read by the cyclic poll
  bool comment_in_file = false;     // the opened file holds a comment text
  bool comment_unread = false;      // set with the first, cleared by a scope read
  bool help_notice_shown = false;   // the run's first help request said that there is no help viewer
};

ShellState& Shell();
HWND MainWindow();
HWND& ModelessWindow(Modeless kind);

// Forgets every handle and flag (a new start, or a test).
void ResetShellState();

}  // namespace app
