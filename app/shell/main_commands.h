// The main window's command handler and the handlers its table names (data/main_commands.def).
#pragma once

#include <cstdint>
#include <span>

#include "app/common/command_availability.h"
#include "app/common/shell_messages.h"
#include "platform/win/win.h"

namespace app {

using CommandHandler = void (*)(HWND main, UINT id);

struct CommandRow {
  UINT first;
  UINT last;
  CommandHandler handler;
};

// The table in id order.
std::span<const CommandRow> MainCommandTable();
// The handler of an id; null when no row holds it.
CommandHandler FindCommandHandler(UINT id);

// WM_COMMAND of the main window with the low word of wParam.
void MainOnCommand(HWND main, int id, HWND control, UINT code);

// Greys every item of a menu whose command the program does not have.
void GreyMissingCommands(HMENU menu);

// Handlers.
void CommandNotBuilt(HWND main, UINT id);  // message 13.8 "Function not available!"
void CommandNothing(HWND main, UINT id);
void CommandExit(HWND main, UINT id);
void CommandSaveOptions(HWND main, UINT id);
void CommandInfo(HWND main, UINT id);

}  // namespace app
