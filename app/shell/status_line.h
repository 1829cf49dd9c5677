// The status bar at the foot of the main window (control 501, one part) and the menu hints shown in it.
#pragma once

#include "app/common/status_text.h"
#include "platform/win/win.h"

namespace app {

inline constexpr UINT kStatusBarId = 501;
inline constexpr char kStatusBarSample[] = "QRB-Statusbar Sample";
inline constexpr char kStatusBarStart[] = "Statuszeile";
inline constexpr char kProgramVersion[] = "V 4.6 ";
inline constexpr char kCompanyLine[] = "ZPR drive systems";

// Creates the status bar on the main window; false when it could not be made.
bool CreateStatusBar(HWND main);
HWND StatusBar();
// WM_SIZE of the main window, passed on so the bar keeps to the foot.
void ForwardSizeToStatusBar(WPARAM wparam, LPARAM lparam);

// WM_MENUSELECT of the main window: the hint of the selected command, the help context that goes with it,
// and both back when the menu closes.
void MainOnMenuSelect(HWND main, UINT item, UINT flags, HMENU menu);

}  // namespace app
