// The program's start: the instance, the main window class, then the command line.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/win/win.h"

namespace app {

// Exit code when the command line asks for the main window, which this build does not have.
inline constexpr int kNoMainWindowExitCode = 1;

// Keeps the instance, registers the main window class and serves the command line: an argument that begins with
// a service option runs the service mode, whose result code is returned (its text reported when it has one);
// any other command line asks for the main window.
int WinMain(HINSTANCE instance, HINSTANCE previous, std::span<const std::string> arguments, int show_command);

// Process-wide state of the start.
HINSTANCE AppInstance();
bool RanFromCommandLine();
std::uint32_t CommandLineResultCode();
// The service mode's result text (Windows-1252); empty in window mode none.
const std::string& CommandLineResultText();

// The result text on standard output (UTF-8), and in a message box titled "ZPR-Tool" when a screen is at hand.
void ReportServiceResult(const std::string& text);

}  // namespace app
