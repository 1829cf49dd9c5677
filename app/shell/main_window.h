// The main window of the projecting tool: its class, its procedure and the handlers of its messages.
#pragma once

#include <cstdint>

#include "app/common/shell_messages.h"
#include "platform/win/win.h"

namespace app {

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Registers "VQPWIN_Class": horizontal and vertical redraw, MainWndProc, icon 1 (also the small icon), the arrow
// cursor, the window colour as background, menu 1. The class atom, 0 on failure.
ATOM RegisterMainWindowClass(HINSTANCE instance);

// WM_CREATE: status bar, both data sets fresh, settings, logo, colours, titles. False fails the creation.
bool MainOnCreate(HWND main);
// WM_CLOSE: asks for every modified file, closes the link and help, restores the colours and destroys the
// window; the program stays open when the user cancels or a save fails.
void MainOnClose(HWND main);
// WM_DESTROY: ends the message loop.
void MainOnDestroy(HWND main);
// Puts back the disabled-text colour that was current before the settings' colour was applied.
void RestoreGrayTextColor();
// WM_PAINT: the logo of the active file's device family, when logos are on.
void MainOnPaint(HWND main);

}  // namespace app
