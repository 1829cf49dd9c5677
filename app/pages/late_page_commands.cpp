// The menu commands of the last pages of the chain (the menu-skip pages have their own): one row a command, the
// page it opens and whether the menus are refreshed after it.
#include <algorithm>
#include <iterator>

#include "app/documents/file_titles.h"
#include "app/pages/late_pages.h"

namespace app {
namespace {

using Opener = INT_PTR (*)();

struct LatePageCommand {
  UINT id;
  Opener open;
  bool refresh;  // not after R, a display page of the reverse documentation
};

constexpr LatePageCommand kLatePageCommands[] = {
    {2034, OpenProjectTargetDialog, true},
    {2047, OpenPosiMachineDialog, true},
    {2048, OpenPosiCommandDialog, true},
    {2052, OpenProtectiveFunctionsDialog, true},
    {2053, OpenDeveloperDialog, true},
    {2054, OpenCurrentControllerDialog, true},
    {2056, OpenMenuJumpTargetsDialog, true},
    {2057, OpenPositionSwitchDialog, true},
    {2076, OpenPosiMachineDialog, true},
    {2077, OpenPosiCommandDialog, true},
    {2081, OpenProtectiveFunctionsDialog, true},
    {2082, OpenDeveloperDialog, true},
    {2083, OpenProductionDataDialog, false},
    {2086, OpenCurrentControllerDialog, true},
    {2088, OpenMenuJumpTargetsDialog, true},
    {2089, OpenPositionSwitchDialog, true},
};

}  // namespace

void CommandLatePage(HWND, UINT id) {
  const auto* row = std::find_if(std::begin(kLatePageCommands), std::end(kLatePageCommands),
                                 [id](const LatePageCommand& c) { return c.id == id; });
  if (row == std::end(kLatePageCommands)) return;
  row->open();
  if (row->refresh) UpdateFileTitles();
}

}  // namespace app
