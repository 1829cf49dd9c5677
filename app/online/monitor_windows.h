// The online windows: the monitors that the cyclic poll on timer 1001 of the main window keeps fresh, and the
// function keys F1 and F2 while a dialog or a menu waits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/common/window_messages.h"
#include "platform/win/win.h"

namespace app {

inline constexpr UINT_PTR kPollTimer = 1001;
inline constexpr UINT kFirstPollDelay = 200;
inline constexpr std::uint16_t kDefaultPollInterval = 2000;
// One slot for each kind of monitor window there is.
inline constexpr std::size_t kOnlineSlots = 7;

// Kind bytes of the value log, one per slot.
inline constexpr std::uint8_t kLogOther = 0;
inline constexpr std::uint8_t kLogDrive = 1;
inline constexpr std::uint8_t kLogControlInterface = 2;
inline constexpr std::uint8_t kLogProcessData = 3;
inline constexpr std::uint8_t kLogPositioning = 4;
inline constexpr std::uint8_t kLogFieldbus = 5;

// Protocol states that the poll turns into a value-log mode; both go back to kProtocolRunning.
inline constexpr std::uint8_t kProtocolRunning = 2;
inline constexpr std::uint8_t kProtocolStart = 3;
inline constexpr std::uint8_t kProtocolStop = 4;

// Lists the window for the poll. The first listed window greys the Quellox items and connects the inverter;
// with `full` (or as the first) the identity is read and checked; then the poll is armed at 200 ms.
void RegisterMonitorWindow(HWND window, bool full);
// Takes the window off the list; the last one enables the Quellox items again and disconnects the inverter
// unless a remote control is open.
void UnregisterMonitorWindow(HWND window);
std::size_t CountOpenMonitors();
// The list as it stands (null = free slot).
const std::array<HWND, kOnlineSlots>& OnlineWindows();
std::uint16_t PollInterval();
// The value-log modes of the last poll (0 none, 1 stop, 2 start) and its kind bytes.
std::uint8_t LastValueLogMode();
const std::array<std::uint8_t, kOnlineSlots>& LastValueLogKinds();

// Ends every open monitor window (the seven kinds): each is taken off the list, destroyed and its handle
// cleared. The last one off the list enables the Quellox items again (and closes the link unless a remote
// control holds it).
void CloseAllMonitors();

// WM_TIMER of the main window.
void MainOnTimer(HWND main, UINT_PTR timer);
// WM_ENTERIDLE of the main window: F1 opens help; F2 in a dialog reads its focused parameter online.
void MainOnEnterIdle(UINT reason, HWND window);

// Forgets the list (a new start, or a test).
void ResetMonitorWindows();

}  // namespace app
