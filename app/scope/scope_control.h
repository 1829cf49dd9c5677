// The scope front end: the modeless control window (template 35) that shows the inverter's scope state and
// starts, stops, reads and exports a recording, and the modal comments dialog (template 37). The control window
// holds the scope library (app/scope_library.h) while it is open; every way it goes runs one close routine.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr UINT kScopeControlTimer = 1002;
inline constexpr UINT kScopeFirstTickMs = 100;
inline constexpr std::uint16_t kScopeDefaultRefreshMs = 2000;
inline constexpr UINT kOpenScopeControlCommand = 2097;

// The scope state (element 59 of record 33) as the control window shows it; "" beyond 5.
const char* ScopeStateText(int state);

// Menu 2097: reads the colours; raises the open window, or connects the inverter and opens it.
void OpenScopeControl(HWND main);
// Menu command 2097.
void CommandOpenScopeControl(HWND main, UINT id);
// The one close routine: timer off, library unloaded, an open settings or comments dialog stored and closed first, window
// destroyed, handle and pending read cleared, inverter disconnected. Nothing while the window is closed.
void CloseScopeControlWindow();

// The comments dialog over list 10 on `owner`: 1 after OK (stored), 2 after Cancel (restored).
INT_PTR RunScopeCommentsDialog(HWND owner);
// The settings dialog (record 454) on the control window: 1 after OK, 2 after Cancel (record 454 as before).
INT_PTR RunScopeSettingsDialog(HWND owner);

// What the control window's handlers see, for tests.
struct ScopeControlView {
  bool poll = false;
  bool pending_read = false;
  bool timer_ticked = false;
  UINT refresh_ms = kScopeDefaultRefreshMs;
};
ScopeControlView ScopeControlState();

// Between the control window and its modal dialogs: the dialog's handle while it runs (null after), the close
// that was asked for while it ran, and a read marked pending after a restart.
void SetScopeNestedWindow(HWND dialog);
bool ScopeClosePending();
void RunPendingScopeClose();
void MarkScopeReadPending();

}  // namespace app
