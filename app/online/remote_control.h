// Remote control: the PC drives the inverter in place of its terminals. The window of template 30 sends the
// control word cyclically on timer 1003 after the operation input was switched to serial, and switches it back
// when it closes; the window of template 77 exchanges record 306 instead (newer firmware). The drive is never
// left enabled by the tool: every way a window goes (its Stop and close, the program's end, a link fault of the
// cyclic send) sends the stop where the link still works, and the window says what it could not do.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr UINT_PTR kRemoteTimer = 1003;
inline constexpr double kRemoteCycleFactor = 1.73205;
inline constexpr std::uint16_t kDefaultRemoteCycle = 2000;

// Menu 2095.
void OpenRemoteControl(HWND main);
void CommandOpenRemoteControl(HWND main, UINT id);

// The cycle time: element 160 of record 305 of data set 0 (2000 when unreadable or 0) times the factor, cut to an
// integer and kept within 16 bits.
std::uint16_t CycleTime(double factor);

// The program ends: each open remote-control window stops the drive and closes (a stop that cannot be sent is
// reported, the window closes anyway).
void CloseRemoteControlWindows();

// The program is ended from outside (a signal, the display lost): the stop sequence of Stop and close for each
// window (control word 0, the operation input switched back; the second form's cleared block), with no question
// or message and within about a second. The windows are left as they are: the process ends next.
void StopRemoteControlsAtEnd();

// What the window of template 30 shows, for tests.
struct RemoteControlView {
  std::uint16_t cycle_ms = 0;
  bool timer_on = false;
  bool stop_failed = false;  // the last stop could not be sent; a further Stop and close closes anyway
};
RemoteControlView RemoteControlState();

}  // namespace app
