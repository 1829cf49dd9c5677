// The help context (the topic of the window or control in use) and the help commands on "VQPT.HLP".
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr char kHelpFile[] = "VQPT.HLP";
inline constexpr std::uint16_t kMainHelpContext = 1;
inline constexpr std::uint16_t kSystemMenuHelpContext = 2900;
// Menu item and accelerator: help for the active window.
inline constexpr UINT kHelpForActiveWindow = 2131;

std::uint16_t GetHelpContext();
void SetHelpContext(std::uint16_t context);
// Keeps the current context when it lies in low..high (both inclusive), else sets it to `fallback`; returns the
// context that was current before.
std::uint16_t SetDefaultHelpContext(std::uint16_t fallback, int low, int high);
// For the notification codes 0, 3, 4 and 256 only: the context becomes the control id when it lies in
// low..high, else `fallback`. Returns the context now current.
std::uint16_t SetHelpContextFromCommand(std::uint16_t fallback, int low, int high, int control_id,
                                        std::uint16_t notification);

// The help file's contents on the main window (menu 2130, 2131 and F1).
void ShowHelpIndex();
void ShowHelp(HWND window, UINT command, DWORD data);
void QuitHelp(HWND window);
// Modeless windows see F1 only as a key held down at their timer's tick: the help for the active window is posted
// to the main window, so that its box comes after the tick and the timer, armed again meanwhile, keeps running
// under it (a remote control's cycle goes on telegramming the drive).
void PostHelpIfF1Held();
// Menu commands 2130 (contents) and 2132 (help on help).
void CommandHelpContents(HWND main, UINT id);
void CommandHelpOnHelp(HWND main, UINT id);

}  // namespace app
