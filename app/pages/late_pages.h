// The last pages of the parameter-page chain: I posi machine (and its part 2), J + L posi command, R production
// data, U protective functions, X developer, the current controller, P target of project, the menu jump targets
// and N posi switch; their openers (1 for OK or navigation, 2 for Cancel) and the menu commands that open them.
#pragma once

#include <cstdint>

#include "app/pages/parameter_page_frame.h"
#include "platform/win/win.h"

namespace app {

INT_PTR OpenPosiMachineDialog();         // I.. (template 74 for posi mode 3)
INT_PTR OpenPosiMachinePart2Dialog();    // I.. part 2, nested (OK and Cancel only)
INT_PTR OpenPosiCommandDialog();         // J.. + L.. (record browsing, copy of a block)
INT_PTR OpenProductionDataDialog();      // R.. (display only)
INT_PTR OpenProtectiveFunctionsDialog(); // U..
INT_PTR OpenDeveloperDialog();           // X.. (inverter memory, debugger action)
INT_PTR OpenCurrentControllerDialog();
INT_PTR OpenProjectTargetDialog();       // P..
INT_PTR OpenMenuJumpTargetsDialog();
INT_PTR OpenPositionSwitchDialog();      // N..

extern const ParameterPage kPosiMachinePage;
extern const ParameterPage kPosiMachineMode3Page;
extern const ParameterPage kPosiMachinePart2Page;
extern const ParameterPage kPosiCommandPage;
extern const ParameterPage kProductionDataPage;
extern const ParameterPage kProtectiveFunctionsPage;
extern const ParameterPage kDeveloperPage;
extern const ParameterPage kCurrentControllerPage;
extern const ParameterPage kProjectTargetPage;
extern const ParameterPage kMenuJumpTargetsPage;
extern const ParameterPage kPositionSwitchPage;

// The posi mode that chooses the I page's template: element 56 of record 38 (parameter set 1) or 39 (set 2),
// raw; a failed read counts as 1.
std::int64_t PosiMode(std::uint8_t set, std::uint8_t param_set);
inline constexpr std::int64_t kPosiModeOwnLayout = 3;

// The J + L page's record index (0-based) while it is open.
int PosiCommandIndex();

// The menu commands of these pages (Projecting and Reverse documentation): opens the page, then refreshes the menus, title and status line (not after R, a display page).
void CommandLatePage(HWND main, UINT id);

}  // namespace app
