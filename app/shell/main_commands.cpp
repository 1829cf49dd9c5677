// MainOnCommand: the command table and its lookup.
#include "app/shell/main_commands.h"

#include <algorithm>
#include <array>

#include "app/common/help_context.h"
#include "app/documents/comparison_window.h"
#include "app/documents/copy_dialogs.h"
#include "app/documents/file_commands.h"
#include "app/online/link_dialogs.h"
#include "app/online/monitor_dialogs.h"
#include "app/online/remote_control.h"
#include "app/online/transfer_commands.h"
#include "app/online/user_lists.h"
#include "app/pages/late_pages.h"
#include "app/pages/menu_skip_pages.h"
#include "app/pages/parameter_pages.h"
#include "app/print/print_commands.h"
#include "app/scope/scope_control.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr CommandRow kCommandRows[] = {
#define COMMAND_ROW(first, last, handler) {first, last, handler},
#include "app/data/main_commands.def"
#undef COMMAND_ROW
};

constexpr bool RowsInOrder() {
  for (std::size_t i = 0; i < std::size(kCommandRows); ++i) {
    if (kCommandRows[i].first > kCommandRows[i].last) return false;
    if (i > 0 && kCommandRows[i - 1].last >= kCommandRows[i].first) return false;
  }
  return true;
}
static_assert(RowsInOrder(), "command rows must be ascending and must not overlap");

}  // namespace

std::span<const CommandRow> MainCommandTable() { return kCommandRows; }

CommandHandler FindCommandHandler(UINT id) {
  const auto row = std::lower_bound(std::begin(kCommandRows), std::end(kCommandRows), id,
                                    [](const CommandRow& r, UINT value) { return r.last < value; });
  if (row == std::end(kCommandRows) || id < row->first) return nullptr;
  return row->handler;
}

bool CommandAvailable(UINT id) {
  const CommandHandler handler = FindCommandHandler(id);
  return handler != nullptr && handler != &CommandNotBuilt;
}

void MainOnCommand(HWND main, int id, HWND /*control*/, UINT /*code*/) {
  const UINT command = static_cast<UINT>(id);
  const CommandHandler handler = FindCommandHandler(command);
  (handler != nullptr ? handler : &CommandNotBuilt)(main, command);
}

void GreyMissingCommands(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU popup = GetSubMenu(menu, i)) {
      GreyMissingCommands(popup);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == 0xFFFFFFFFu) continue;  // separator
    EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (CommandAvailable(id) ? MF_ENABLED : MF_GRAYED));
  }
}

void CommandNotBuilt(HWND main, UINT /*id*/) { model::MessageBoxByNumber(main, 3, 13, kMsgNotAvailable); }

void CommandNothing(HWND /*main*/, UINT /*id*/) {}

void CommandExit(HWND main, UINT /*id*/) { SendMessage(main, WM_CLOSE, 0, 0); }

}  // namespace app
