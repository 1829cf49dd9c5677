// The program's start: the instance, the main window class, then the command line.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/common/app_instance.h"
#include "platform/win/win.h"

namespace app {

// Exit code when the window program cannot start (no display, no main window, no work buffer).
inline constexpr int kStartFailedExitCode = 1;

// Keeps the instance, registers the main window class and serves the command line: an argument that begins with
// a service option runs the service mode, whose result code is returned (its text reported when it has one);
// any other command line starts the window program on the X display (RunWindowProgram).
int WinMain(HINSTANCE instance, HINSTANCE previous, std::span<const std::string> arguments, int show_command);

// The window program on whatever display the layer has (headless in tests): main window, accelerators, work
// buffer, message loop. The exit code: WM_QUIT's, or kStartFailedExitCode when start-up failed.
int RunWindowProgram(HINSTANCE instance, int show_command);

// The project file named on a window program's command line: the first argument of at least 5 characters that
// ends in ".zpr" in any case; empty when there is none.
std::string ProjectArgument(std::span<const std::string> arguments);
// The project the main window opens into File 1 when it is created; taking it clears it, so it opens once.
void SetStartupProject(const std::string& path);
std::string TakeStartupProject();

// Keeps the instance and registers the program's resources and its main window class (WinMain's first step).
void KeepInstance(HINSTANCE instance);

// Process-wide state of the start.
bool RanFromCommandLine();
std::uint32_t CommandLineResultCode();
// The service mode's result text (Windows-1252); empty in window mode none.
const std::string& CommandLineResultText();

// The result text on standard output (UTF-8), and in a message box titled "ZPR-Tool" when a screen is at hand.
void ReportServiceResult(const std::string& text);

}  // namespace app
