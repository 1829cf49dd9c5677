// An end of the program from outside (SIGTERM, SIGINT, SIGHUP, or the display connection lost): the program gets
// one call in its normal flow to put its devices into a safe state before the process ends.
#pragma once

#include <functional>

namespace platform::win {

// The cause handed to the handler: the signal number, or kDisplayLost.
inline constexpr int kDisplayLost = 0;

// Installs the handlers of SIGTERM, SIGINT and SIGHUP. They only note the signal and wake the message wait; the
// program's handler runs at the next look at the message queue (GetMessage, PeekMessage, every modal loop).
void CatchTerminationSignals();
// The program's last words; it should not take much more than a second. Empty: the process just ends.
void SetTerminationHandler(std::function<void(int cause)> handler);
// What ends the process after the handler: by default the noted signal with its default action. Tests put their
// own here.
void SetTerminationEnder(std::function<void(int cause)> ender);
// The write end of the pipe the display backend's wait watches, -1 for none; the signal handler writes a byte.
void SetTerminationWakeFd(int fd);

// A noted signal: the handler and the ender run (once). Called by the message functions.
void RunPendingTermination();
// The display connection is lost: the handler runs now; what follows is the caller's (Xlib ends the process).
void RunTerminationNow(int cause);

}  // namespace platform::win
