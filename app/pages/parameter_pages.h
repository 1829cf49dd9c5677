// The parameter-group pages K, S, Z, A (parts 1 to 3), B, C (parts 1, 2), D (parts 1, 2), E, F (parts 1 to 3), G
// and H: their openers (each runs its page modally on the main window and returns 1 for OK or navigation, 2 for
// Cancel, 0 when the page did not open) and the menu command that opens them.
#pragma once

#include <cstdint>

#include "app/pages/parameter_page_frame.h"
#include "platform/win/win.h"

namespace app {

INT_PTR ShowCommentsDialog();            // K.. Comments
INT_PTR OpenMalfunctionMemoryDialog();   // S.. Malfunction memory (only when malfunctions are stored)
INT_PTR OpenFaultCounterDialog();        // Z.. fault counter
INT_PTR OpenInverterDialog();            // A.. part 1
INT_PTR OpenInverterPart2Dialog();       // A.. part 2 (its button 6 opens part 3 beside it)
INT_PTR OpenInverterPart3Dialog();       // A.. part 3 (OK and Cancel only)
INT_PTR OpenMotorDialog();               // B.. Motor
INT_PTR OpenMachineDialog();             // C.. part 1
INT_PTR OpenMachinePart2Dialog();        // C.. part 2
INT_PTR OpenReferenceValueDialog();      // D.. part 1 (ramp units, characteristic plot)
INT_PTR OpenReferenceValuePart2Dialog(); // D.. part 2 (ramp units)
INT_PTR OpenDisplayValuesDialog();       // E.. Display values
INT_PTR OpenControlInterfaceDialog();    // F.. part 1
INT_PTR OpenControlInterfacePart2Dialog();
INT_PTR OpenControlInterfacePart3Dialog();
INT_PTR OpenTechnologyDialog();          // G.. Technology
INT_PTR OpenEncoderDialog();             // H.. Encoder

// The pages' rows (the frame's description of each page).
extern const ParameterPage kCommentsPage;
extern const ParameterPage kMalfunctionMemoryPage;
extern const ParameterPage kFaultCounterPage;
extern const ParameterPage kInverterPage;
extern const ParameterPage kInverterPart2Page;
extern const ParameterPage kInverterPart3Page;
extern const ParameterPage kMotorPage;
extern const ParameterPage kMachinePage;
extern const ParameterPage kMachinePart2Page;
extern const ParameterPage kReferenceValuePage;
extern const ParameterPage kReferenceValuePart2Page;
extern const ParameterPage kDisplayValuesPage;
extern const ParameterPage kControlInterfacePage;
extern const ParameterPage kControlInterfacePart2Page;
extern const ParameterPage kControlInterfacePart3Page;
extern const ParameterPage kTechnologyPage;
extern const ParameterPage kEncoderPage;

// The menu commands of these pages (Projecting and Reverse documentation): opens the page, then refreshes the
// menus, title and status line (not after the display pages of a reverse documentation).
void CommandParameterPage(HWND main, UINT id);
// The opener of a page command; null for other ids.
using PageOpener = INT_PTR (*)();
PageOpener ParameterPageOpener(UINT id);

// Message of group 9 when the malfunction memory holds nothing.
inline constexpr std::int32_t kMsgFaultMemoryEmpty = 1;
inline constexpr std::int8_t kFaultMemoryGroup = 9;

}  // namespace app
